#pragma once

#include <juce_core/juce_core.h>

// Job identifiers: 32 lowercase hexadecimal characters from the operating system's random
// source. Request text is only ever compared with this form, never used as a path.
class JobUid
{
public:
    static juce::String make();

    static bool isValid (const juce::String& text);

    // Random bits from the same source.
    static juce::uint64 randomBits();

private:
    JobUid() = delete;
};
