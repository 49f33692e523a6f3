#pragma once

#include <juce_core/juce_core.h>

// A fresh empty folder for one test, removed with everything in it afterwards.
class TemporaryFolder
{
public:
    TemporaryFolder()
        // A random name: test processes start side by side, and two of them checking for
        // the same "next free" name would share, and then delete, one folder.
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("voxlet-test-" + juce::Uuid().toString()))
    {
        folder.createDirectory();
    }

    ~TemporaryFolder() { folder.deleteRecursively(); }

    const juce::File& get() const { return folder; }

private:
    juce::File folder;

    JUCE_DECLARE_NON_COPYABLE (TemporaryFolder)
};
