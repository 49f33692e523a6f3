#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Draws the volume slider as a white wedge rising to the right up to the thumb.
class VolumeLookAndFeel : public juce::LookAndFeel_V4
{
public:
    void drawLinearSlider (juce::Graphics& g, int x, int y, int width, int height, float sliderPos, float minSliderPos, float maxSliderPos, juce::Slider::SliderStyle style, juce::Slider& slider) override;
};
