#pragma once

#include <juce_core/juce_core.h>

// A fresh empty folder for one test, removed with everything in it afterwards.
class TemporaryFolder
{
public:
    TemporaryFolder()
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                      .getNonexistentChildFile ("voxlet-test", "", false))
    {
        folder.createDirectory();
    }

    ~TemporaryFolder() { folder.deleteRecursively(); }

    const juce::File& get() const { return folder; }

private:
    juce::File folder;

    JUCE_DECLARE_NON_COPYABLE (TemporaryFolder)
};
