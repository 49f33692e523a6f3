#include "ModeDrawButton.h"

ModeDrawButton::ModeDrawButton (const juce::String& name)
    : juce::DrawableButton (name, juce::DrawableButton::ImageStretched)
{
}

juce::Rectangle<float> ModeDrawButton::getImageBounds() const
{
    return getLocalBounds().toFloat().reduced (horizontalInset, verticalInset);
}
