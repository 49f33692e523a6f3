#include "VolumeLookAndFeel.h"

void VolumeLookAndFeel::drawLinearSlider (juce::Graphics& g, int, int, int width, int height, float sliderPos, float, float maxSliderPos, juce::Slider::SliderStyle, juce::Slider&)
{
    const auto w = (float) width, h = (float) height;

    juce::Path wedge;
    wedge.startNewSubPath (0.0f, h);
    wedge.lineTo (sliderPos, h);
    wedge.lineTo (sliderPos, (1.0f - (sliderPos - maxSliderPos) / w) * h);
    wedge.closeSubPath();

    g.setColour (juce::Colours::white);
    g.fillPath (wedge);
}
