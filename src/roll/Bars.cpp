#include "Bars.h"

#include "model/SaturatingInt.h"

#include <cmath>
#include <limits>

Bars::Bars (vocalMetadata& s, Keyboard& k, juce::ScrollBar& bar)
    : score (s)
    , keyboard (k)
    , scrollBar (bar)
{
}

int Bars::tickAtX (double x) const { return SaturatingInt::fromDouble (x / pixelsPerTick + scrollBar.getCurrentRangeStart()); }

double Bars::xAtTick (int tick) const { return (tick - scrollBar.getCurrentRangeStart()) * pixelsPerTick; }

const timeSignatureChange* Bars::timeSignatureInForce (int tick) const
{
    const auto& changes = score.timeSignatureChanges;

    for (int i = changes.size(); --i >= 0;)
        if (changes.getReference (i).time <= tick)
            return &changes.getReference (i);

    return nullptr;
}

int Bars::beatTicks (const timeSignatureChange& change) const
{
    if (change.denominator <= 0 || score.ticksPerBeat <= 0)
        return 0;

    return SaturatingInt::fromInt64 ((juce::int64) score.ticksPerBeat * 4 / change.denominator);
}

int Bars::barTicks (const timeSignatureChange& change) const
{
    return change.numerator > 0 ? SaturatingInt::fromInt64 ((juce::int64) beatTicks (change) * change.numerator) : 0;
}

int Bars::gridStep (const timeSignatureChange& change, int division) const
{
    if (division <= 0 || change.denominator <= 0)
        return 0;

    return SaturatingInt::fromInt64 ((juce::int64) change.denominator * beatTicks (change) / division);
}

Bars::GridCell Bars::gridCell (int tick, int division) const
{
    if (division == 0)
        return { tick, tick };

    const auto* meter = timeSignatureInForce (tick);

    if (meter == nullptr)
        return { 0, 0 };

    const auto barLength = (juce::int64) barTicks (*meter);
    const auto step = (juce::int64) gridStep (*meter, division);

    // A meter without length has no grid to snap to.
    if (barLength <= 0 || step <= 0)
        return { tick, tick };

    const auto positionInBar = ((juce::int64) tick - meter->time) % barLength;
    const auto start = tick - positionInBar % step;
    const auto nextBarLine = tick - positionInBar + barLength;

    return { SaturatingInt::fromInt64 (start), SaturatingInt::fromInt64 (juce::jmin (start + step, nextBarLine)) };
}

int Bars::barNumberAt (int tick) const
{
    const auto& changes = score.timeSignatureChanges;
    juce::int64 bars = 0;
    auto end = (juce::int64) tick;

    for (int i = changes.size(); --i >= 0;)
    {
        const auto& change = changes.getReference (i);

        if (change.time > end)
            continue;

        if (const auto length = barTicks (change); length > 0)
            bars += (end - change.time) / length;

        end = change.time;
    }

    return SaturatingInt::fromInt64 (bars + 1);
}

BarsData Bars::positionAt (int tick) const
{
    BarsData position;
    const auto* meter = timeSignatureInForce (tick);

    if (meter == nullptr)
        return position;

    const auto beatLength = beatTicks (*meter);
    const auto barLength = barTicks (*meter);

    if (beatLength <= 0 || barLength <= 0)
        return position;

    const auto positionInBar = (int) (((juce::int64) tick - meter->time) % barLength);
    const auto sixteenthLength = juce::jmax (1, beatLength / juce::jmax (16 / meter->denominator, 1));

    position.isBarStart = positionInBar == 0;
    position.beat = positionInBar / beatLength + 1;
    position.sixteenth = (positionInBar % beatLength) / sixteenthLength + 1;
    position.ticksPerBar = barLength;
    position.numerator = meter->numerator;
    position.denominator = meter->denominator;
    position.bar = barNumberAt (tick);
    return position;
}
