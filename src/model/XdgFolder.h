#pragma once

#include <juce_core/juce_core.h>

// A base folder of the desktop's conventions ($XDG_DATA_HOME, $XDG_CACHE_HOME...): the
// variable when it holds an absolute path, otherwise its default under the home folder.
class XdgFolder
{
public:
    static juce::File of (const char* variable, const char* defaultUnderHome)
    {
        const auto value = juce::SystemStats::getEnvironmentVariable (variable, {});
        return juce::File::isAbsolutePath (value) ? juce::File (value)
                                                  : juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (defaultUnderHome);
    }

private:
    XdgFolder() = delete;
};
