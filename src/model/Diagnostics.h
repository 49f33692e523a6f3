#pragma once

#include <juce_core/juce_core.h>

// The program's diagnostic lines: one line each on the standard error stream, flushed,
// never shown to the user. Every subsystem writes through here.
class Diagnostics
{
public:
    // Writes `text` as one line. Line breaks inside it are written as "\n" so that
    // a quoted document still takes a single line.
    static void write (const juce::String& text);

    // The text exactly as write() puts it on the stream, without the final line break.
    static juce::String toSingleLine (const juce::String& text);

private:
    Diagnostics() = delete;
};
