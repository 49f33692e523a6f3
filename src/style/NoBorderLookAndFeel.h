#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// For text buttons that show only their text: no fill, border or hover shading.
class NoBorderLookAndFeel : public juce::LookAndFeel_V4
{
public:
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour&, bool, bool) override;
};
