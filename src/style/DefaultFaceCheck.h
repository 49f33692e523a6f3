#pragma once

#include <juce_core/juce_core.h>

// Checks the default-face note on a thread of its own once the window is up, so a face
// installed or removed since the note was written is used from the next start on.
class DefaultFaceCheck : private juce::Thread
{
public:
    explicit DefaultFaceCheck (const juce::File& note);

    // Waits for a check in progress (a few milliseconds).
    ~DefaultFaceCheck() override;

    void start();

    // True once the check has run and the note has changed.
    bool changedNote() const { return changed; }

    // Waits up to `ms` for the check to end; true when it has.
    bool waitUntilDone (int ms) { return waitForThreadToExit (ms); }

private:
    void run() override;

    const juce::File note;
    std::atomic<bool> changed { false };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultFaceCheck)
};
