#include "InputLabel.h"

#include "model/SaturatingInt.h"

#include <limits>

InputLabel::InputLabel (const juce::String& initialText)
    : editor (std::make_unique<juce::TextEditor> (juce::String(), 0))
    , text (initialText)
{
    editor->onEscapeKey = [this] { editor->setVisible (false); };
    editor->setText (text, true);
    editor->setJustification (juce::Justification::right);
    addAndMakeVisible (*editor);
    editor->setVisible (false);
}

InputLabel::~InputLabel() = default;

int InputLabel::leadingInt (const juce::String& input)
{
    auto p = input.getCharPointer();

    while (juce::CharacterFunctions::isWhitespace (*p))
        ++p;

    const auto negative = *p == '-';

    if (*p == '-' || *p == '+')
        ++p;

    juce::int64 value = 0;

    for (; *p >= '0' && *p <= '9'; ++p)
        value = juce::jmin (value * 10 + (*p - '0'), (juce::int64) std::numeric_limits<int>::max() + 1);

    value = negative ? -value : value;
    return SaturatingInt::fromInt64 (value);
}

void InputLabel::startEditing (const juce::String& editText)
{
    editor->setText (editText, true);
    editor->setVisible (true);
    editor->grabKeyboardFocus();
}

void InputLabel::finishEditing() { editor->setVisible (false); }

void InputLabel::mouseDoubleClick (const juce::MouseEvent&) { startEditing (text); }

void InputLabel::paint (juce::Graphics& g)
{
    g.setColour (juce::Colours::white);
    g.drawText (text, getLocalBounds().toFloat(), juce::Justification::centredRight, true);
}

void InputLabel::resized() { editor->setBounds (getLocalBounds()); }
