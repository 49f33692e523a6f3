#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// An icon button of the mode switch: the icon fills the button inset by 12 pixels left
// and right and 8 pixels top and bottom.
class ModeDrawButton : public juce::DrawableButton
{
public:
    explicit ModeDrawButton (const juce::String& name);

    juce::Rectangle<float> getImageBounds() const override;

    const float horizontalInset = 12.0f;
    const float verticalInset = 8.0f;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModeDrawButton)
};
