#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A volume step button that also says when the pointer leaves it (the bubble hides then).
class volumeBtn : public juce::TextButton
{
public:
    using juce::TextButton::TextButton;

    std::function<void()> onMouseExit;

    void mouseExit (const juce::MouseEvent& e) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (volumeBtn)
};
