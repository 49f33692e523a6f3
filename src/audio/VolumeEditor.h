#pragma once

#include "volumeBtn.h"
#include "VolumeLookAndFeel.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The playback volume: "-", a wedge slider and "+", with a bubble showing the percentage
// while it changes. Every change is reported as a gain from 0 to 1.
class VolumeEditor : public juce::Component
{
public:
    static constexpr juce::uint32 bubbleColour = 0xffad4a00;

    explicit VolumeEditor (float initialVolume);
    ~VolumeEditor() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    // Where the bubble's left edge is for the slider's value.
    int bubbleX() const;

    std::function<void (float)> onVolumeChange;
    std::shared_ptr<VolumeLookAndFeel> lookAndFeel;
    juce::Slider slider { juce::Slider::LinearHorizontal, juce::Slider::NoTextBox };
    volumeBtn minusButton { "-" };
    volumeBtn plusButton { "+" };
    bool showValue = false;

private:
    void setUpButton (volumeBtn& button, double step);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VolumeEditor)
};
