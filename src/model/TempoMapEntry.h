#pragma once

#include <juce_core/juce_core.h>

// One step of the derived tempo map: where a tempo takes effect, in seconds and in ticks.
// Kept in memory only.
struct TempoMapEntry
{
    double seconds = 0.0;
    double tempo = 0.0;
    int tick = 0;
    juce::uint32 microsecondsPerQuarter = 0;
};
