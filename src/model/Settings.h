#pragma once

#include "midiConverterResult.h"

#include <juce_core/juce_core.h>

// The settings record: where the program keeps its files, where the service is, the
// three values that persist between runs and the score saved by the previous run.
// Every layer reads and writes these fields directly, on the message thread; the
// application's Config loads and saves them.
struct Settings
{
    // Attempts of the poll and version requests.
    int retryLimit = 3;

    // Stored in the "~/" form; resolve() turns them into files.
    juce::String configPath { "~/.quillo/config.json" };
    juce::String midiPath { "~/.quillo/midi.json" };
    juce::String resultFolder { "~/Documents/quillo/" };

    // The service's base URL; endpoint paths are appended to it as they are.
    juce::String baseUrl;

    juce::String midiFile;
    juce::String wavFile;
    juce::String lyrics;

    // The score read from the score file at start; nothing changes it afterwards.
    midiConverterResult score;

    // A path beginning with "~/" is relative to the user's home folder; an empty or other
    // relative path names no file.
    static juce::File resolve (const juce::String& path)
    {
        if (path.startsWith ("~/"))
            return juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (path.substring (2));

        return juce::File::isAbsolutePath (path) ? juce::File (path) : juce::File();
    }
};
