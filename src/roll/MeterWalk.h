#pragma once

#include "Bars.h"

#include <juce_core/juce_core.h>

// Walks the score's bars or beats from tick 0 to an end tick, each with the meter in
// force where it starts, as the background and the ruler draw them. A list that does not
// start at tick 0 is walked from its first change; a meter without length (a numerator,
// denominator or ticks per beat of 0 or below) ends the walk, so no list can make it
// hang or divide by zero.
class MeterWalk
{
public:
    // visit (barStart, meter, barLength) -> bool: false stops the walk.
    template <typename Visitor>
    static void forEachBar (const Bars& bars, double endTick, Visitor&& visit)
    {
        juce::int64 tick = firstTick (bars);

        while (tick >= 0 && (double) tick < endTick)
        {
            const auto* meter = bars.timeSignatureInForce ((int) tick);
            const auto length = meter != nullptr ? (juce::int64) bars.barTicks (*meter) : 0;

            if (length <= 0 || ! visit (tick, *meter, length))
                return;

            tick += length;

            if (tick > std::numeric_limits<int>::max())
                return;
        }
    }

    // visit (tick, onBarLine) for every beat.
    template <typename Visitor>
    static void forEachBeat (const Bars& bars, double endTick, Visitor&& visit)
    {
        juce::int64 tick = firstTick (bars);

        while (tick >= 0 && (double) tick < endTick)
        {
            const auto* meter = bars.timeSignatureInForce ((int) tick);
            const auto barLength = meter != nullptr ? (juce::int64) bars.barTicks (*meter) : 0;

            if (barLength <= 0)
                return;

            visit (tick, (tick - meter->time) % barLength == 0);

            const auto beat = barLength / meter->numerator;

            if (beat <= 0)
                return;

            tick += beat;

            if (tick > std::numeric_limits<int>::max())
                return;
        }
    }

private:
    // 0, or the first change when the list starts later (nothing is in force before it).
    static juce::int64 firstTick (const Bars& bars)
    {
        const auto& changes = bars.score.timeSignatureChanges;

        if (changes.isEmpty())
            return -1;

        return bars.timeSignatureInForce (0) != nullptr ? 0 : juce::jmax (0, changes.getReference (0).time);
    }

    MeterWalk() = delete;
};
