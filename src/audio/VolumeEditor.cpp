#include "VolumeEditor.h"

VolumeEditor::VolumeEditor (float initialVolume)
    : lookAndFeel (std::make_shared<VolumeLookAndFeel>())
{
    slider.setLookAndFeel (lookAndFeel.get());
    slider.setRange (0.0, 1.0, 0.0);

    slider.onValueChange = [this] {
        if (onVolumeChange)
            onVolumeChange ((float) slider.getValue());

        repaint();
    };
    slider.onDragStart = [this] {
        showValue = true;
        repaint();
    };
    slider.onDragEnd = [this] {
        showValue = false;
        repaint();
    };

    slider.setValue (initialVolume, juce::sendNotificationAsync);
    addAndMakeVisible (slider);

    setUpButton (minusButton, -0.01);
    setUpButton (plusButton, 0.01);

    setSize (180, 40);
}

VolumeEditor::~VolumeEditor() { slider.setLookAndFeel (nullptr); }

void VolumeEditor::setUpButton (volumeBtn& button, double step)
{
    button.setColour (juce::TextButton::buttonColourId, juce::Colours::black);
    button.setColour (juce::TextButton::textColourOffId, juce::Colours::white);
    button.onClick = [this, step] {
        const auto value = slider.getValue();
        showValue = true;
        slider.setValue ((float) value + step, juce::sendNotificationSync);
    };
    button.onMouseExit = [this] {
        showValue = false;
        repaint();
    };
    addAndMakeVisible (button);
}

void VolumeEditor::resized()
{
    minusButton.setBounds (0, 20, 20, 20);
    slider.setBounds (20, 20, 140, 20);
    plusButton.setBounds (155, 20, 20, 20);
}

int VolumeEditor::bubbleX() const
{
    const auto v = slider.getValue();
    return minusButton.getWidth() + (int) (v * ((v - 0.5) * -20.0 + slider.getWidth())) - 20;
}

void VolumeEditor::paint (juce::Graphics& g)
{
    if (! showValue)
        return;

    const juce::Rectangle<float> bubble ((float) bubbleX(), 0.0f, 40.0f, 20.0f);
    g.setColour (juce::Colour (bubbleColour));
    g.fillRoundedRectangle (bubble, 5.0f);
    g.setColour (juce::Colours::white);
    g.drawText (juce::String ((int) (slider.getValue() * 100.0)), bubble, juce::Justification::centred, true);
}
