#pragma once

#include <atomic>
#include <juce_gui_basics/juce_gui_basics.h>

// The generation progress: written by the download thread and the message thread, shown
// by the framework's progress bar, which can only read a plain double. The value itself is
// atomic; a copy for the bar is refreshed on the message thread.
class SharedProgress : private juce::Timer
{
public:
    SharedProgress();
    ~SharedProgress() override;

    std::atomic<double> value { 0.0 };

    // What the progress bar reads.
    double shown = 0.0;

private:
    void timerCallback() override;
};
