#include "GenerateButton.h"

GenerateButton::GenerateButton()
    : buttonLookAndFeel (std::make_shared<NoBorderLookAndFeel>())
    , generateButton (std::make_unique<juce::TextButton> (juce::String (juce::CharPointer_UTF8 ("歌聲生成"))))
    , cancelButton (std::make_unique<juce::TextButton> (juce::String (juce::CharPointer_UTF8 ("取消"))))
{
    for (auto* button : { generateButton.get(), cancelButton.get() })
    {
        button->setColour (juce::TextButton::buttonColourId, juce::Colours::black);
        button->setColour (juce::TextButton::textColourOffId, juce::Colour (textColour));
        button->setLookAndFeel (buttonLookAndFeel.get());
        addChildComponent (*button);
    }

    generateButton->setVisible (true);
    generateButton->setEnabled (false);

    generateButton->onClick = [this] {
        if (onGenerate)
            onGenerate();

        generateButton->setVisible (false);
        cancelButton->setVisible (true);
    };

    cancelButton->onClick = [this] {
        if (onCancel)
            onCancel();

        showGenerateFace();
    };
}

GenerateButton::~GenerateButton()
{
    cancelButton->setLookAndFeel (nullptr);
    generateButton->setLookAndFeel (nullptr);
    cancelButton.reset();
    generateButton.reset();
}

void GenerateButton::showGenerateFace()
{
    generateButton->setVisible (true);
    cancelButton->setVisible (false);
}

void GenerateButton::resized()
{
    generateButton->setBounds (getLocalBounds());
    cancelButton->setBounds (getLocalBounds());
}
