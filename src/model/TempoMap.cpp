#include "TempoMap.h"

#include "SaturatingInt.h"

#include <cmath>
#include <limits>

namespace
{
// Walks forward while the next element starts at or before `position`; the lists are
// expected in ascending order and the walk stops at the first later element.
template <typename Item, typename Start, typename Position>
const Item* lastStartedAt (const juce::Array<Item>& items, Position position, Start startOf)
{
    if (items.isEmpty() || startOf (items.getReference (0)) > position)
        return nullptr;

    int i = 0;

    while (i + 1 < items.size() && startOf (items.getReference (i + 1)) <= position)
        ++i;

    return &items.getReference (i);
}

juce::uint32 microsecondsPerQuarterOf (double tempo)
{
    const auto value = 60000000.0 / tempo;

    if (! (value > 0.0))
        return 0;

    return (juce::uint32) juce::jmin ((double) std::numeric_limits<juce::uint32>::max(), std::trunc (value));
}

int sixteenthsPerBeatOf (int denominator) { return juce::jmax (1, denominator != 0 ? 16 / denominator : 1); }
} // namespace

juce::Array<TempoMapEntry> TempoMap::build (int ticksPerBeat, const juce::Array<tempoChange>& changes)
{
    juce::Array<TempoMapEntry> map;
    double previousTick = 0.0, previousTempo = defaultTempo, seconds = 0.0;

    for (const auto& change : changes)
    {
        seconds += ((change.time - previousTick) / ticksPerBeat) * 60.0 / previousTempo;
        map.add ({ seconds, change.tempo, change.time, microsecondsPerQuarterOf (change.tempo) });
        previousTick = change.time;
        previousTempo = change.tempo;
    }

    return map;
}

juce::Array<TempoMapEntry> TempoMap::single (int bpm)
{
    const auto microseconds = bpm > 0 ? (juce::uint32) (60000000 / bpm) : 0u;
    return { TempoMapEntry { 0.0, (double) bpm, 0, microseconds } };
}

double TempoMap::tempoAt (const juce::Array<tempoChange>& changes, int tick)
{
    const auto* change = lastStartedAt (changes, tick, [] (const tempoChange& c) { return c.time; });
    return change != nullptr ? change->tempo : defaultTempo;
}

TempoMap::Meter TempoMap::meterAt (const juce::Array<timeSignatureChange>& changes, int tick)
{
    const auto* change = lastStartedAt (changes, tick, [] (const timeSignatureChange& c) { return c.time; });
    return change != nullptr ? Meter { change->numerator, change->denominator } : Meter {};
}

double TempoMap::secondsAtTick (const juce::Array<TempoMapEntry>& map, int tick, int ticksPerBeat)
{
    const auto* entry = lastStartedAt (map, tick, [] (const TempoMapEntry& e) { return e.tick; });
    const TempoMapEntry base = entry != nullptr ? *entry : TempoMapEntry { 0.0, defaultTempo, 0, defaultMicrosecondsPerQuarter };

    if (base.tick < tick)
        return base.seconds + (tick - base.tick) / (ticksPerBeat * 1000000.0 / base.microsecondsPerQuarter);

    return base.seconds;
}

int TempoMap::tickAtSeconds (const juce::Array<TempoMapEntry>& map, double seconds, int ticksPerBeat)
{
    TempoMapEntry base { 0.0, defaultTempo, 0, defaultMicrosecondsPerQuarter };

    if (! map.isEmpty())
    {
        const auto* entry = lastStartedAt (map, seconds, [] (const TempoMapEntry& e) { return e.seconds; });

        if (entry == nullptr)
            return 0;

        base = *entry;
    }

    if (seconds - base.seconds > 0)
    {
        const auto ticks = SaturatingInt::fromDouble ((seconds - base.seconds) / (base.microsecondsPerQuarter / (ticksPerBeat * 1000000.0)));
        return SaturatingInt::fromDouble ((double) base.tick + ticks);
    }

    return base.tick;
}

juce::Array<BarTableRow> buildBarTable (int ticksPerBeat, const juce::Array<timeSignatureChange>& changes)
{
    if (changes.isEmpty())
        return { BarTableRow { 0, 4, 4, 0, 4 } };

    const auto& first = changes.getReference (0);
    juce::Array<BarTableRow> table { BarTableRow { 0, first.numerator, sixteenthsPerBeatOf (first.denominator), 0, first.denominator } };
    juce::int64 bars = 0;

    for (int i = 0; i + 1 < changes.size(); ++i)
    {
        const auto& current = changes.getReference (i);
        const auto& next = changes.getReference (i + 1);
        const auto ticksPerBar = current.denominator != 0 ? (juce::int64) ticksPerBeat * 4 / current.denominator * current.numerator : 0;

        if (ticksPerBar != 0)
            bars += ((juce::int64) next.time - current.time) / ticksPerBar;

        table.add ({ SaturatingInt::fromInt64 (bars),
                     next.numerator,
                     sixteenthsPerBeatOf (next.denominator),
                     next.time,
                     next.denominator });
    }

    return table;
}
