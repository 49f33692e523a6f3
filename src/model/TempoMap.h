#pragma once

#include "BarTableRow.h"
#include "tempoChange.h"
#include "TempoMapEntry.h"
#include "timeSignatureChange.h"

#include <juce_core/juce_core.h>

// The tempo and meter arithmetic, shared by the editors, the import and the renderer:
// the only conversion between seconds and ticks in the program. Lists are used in the
// order given and never sorted. Time before the first tempo change runs at 120 bpm.
namespace TempoMap
{
inline constexpr double defaultTempo = 120.0;
inline constexpr juce::uint32 defaultMicrosecondsPerQuarter = 500000;

struct Meter
{
    int numerator = 4;
    int denominator = 4;
};

// One entry per change, in list order.
juce::Array<TempoMapEntry> build (int ticksPerBeat, const juce::Array<tempoChange>& changes);

// The map of a single tempo for the whole score.
juce::Array<TempoMapEntry> single (int bpm);

// The tempo in force at a tick; 120 before the first change.
double tempoAt (const juce::Array<tempoChange>& changes, int tick);

// The meter in force at a tick; 4/4 before the first change.
Meter meterAt (const juce::Array<timeSignatureChange>& changes, int tick);

double secondsAtTick (const juce::Array<TempoMapEntry>& map, int tick, int ticksPerBeat);

// Truncates to whole ticks, so it is not an exact inverse of secondsAtTick.
int tickAtSeconds (const juce::Array<TempoMapEntry>& map, double seconds, int ticksPerBeat);
} // namespace TempoMap

// Where each meter starts, in whole bars and ticks; a change in the middle of a bar
// belongs to the bar it falls in.
juce::Array<BarTableRow> buildBarTable (int ticksPerBeat, const juce::Array<timeSignatureChange>& changes);
