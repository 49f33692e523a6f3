#pragma once

#include "TemporaryFolder.h"

#include <cstdlib>
#include <string>

// Points HOME at a fresh folder for one test, so the settings files land there.
class ScopedHome
{
public:
    ScopedHome()
    {
        if (const char* old = std::getenv ("HOME"))
            previous = old;

        setenv ("HOME", folder.get().getFullPathName().toRawUTF8(), 1);
    }

    ~ScopedHome() { setenv ("HOME", previous.c_str(), 1); }

    const juce::File& get() const { return folder.get(); }
    juce::File file (const juce::String& relative) const { return folder.get().getChildFile (relative); }

private:
    TemporaryFolder folder;
    std::string previous;

    JUCE_DECLARE_NON_COPYABLE (ScopedHome)
};
