#pragma once

#include <juce_core/juce_core.h>

// How a service is started: from the command line or by a program embedding it.
struct ServiceOptions
{
    juce::String host { "127.0.0.1" };
    int port = 18622;
    juce::File dataDir;
    int workers = 0; // 0: one per core
    juce::String minClientVersion { "0.11.2" };
    int maxQueued = 64;

    // The default data folder, $XDG_DATA_HOME (or ~/.local/share) then voxlet-server.
    static juce::File defaultDataDir();

    // Reads command-line arguments over the defaults. False with `error` set on a bad
    // option; `helpWanted` when --help was given.
    static bool parse (const juce::StringArray& args, ServiceOptions& options, juce::String& error, bool& helpWanted);

    static juce::String helpText();
};
