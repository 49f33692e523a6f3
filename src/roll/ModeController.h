#pragma once

#include "ModeDrawButton.h"

#include <atomic>
#include <juce_gui_basics/juce_gui_basics.h>

// The switch between draw mode (clicks on the empty roll make notes) and select mode
// (drags on the empty roll draw a rubber band). Nobody is told of a change: the roll
// reads `mode` at its next event.
class ModeController : public juce::Component
{
public:
    static constexpr int drawMode = 0;
    static constexpr int selectMode = 1;

    ModeController();
    ~ModeController() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    std::atomic<int> mode { selectMode };

    ModeDrawButton editorButton { "editor" };
    ModeDrawButton selectorButton { "selector" };

private:
    void choose (int newMode);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModeController)
};
