#include "model/TempoMap.h"
#include "support/ScoreComparisons.h"

#include <gtest/gtest.h>

namespace
{

juce::Array<tempoChange> tempos (std::initializer_list<tempoChange> items) { return listOf (items); }
juce::Array<timeSignatureChange> meters (std::initializer_list<timeSignatureChange> items) { return listOf (items); }

} // namespace

TEST (TempoMap, ConversionsBetweenTicksAndSeconds)
{
    struct Case
    {
        const char* name;
        juce::Array<TempoMapEntry> map;
        int tick;
        double seconds; // secondsAtTick (tick)
        double secondsToTick; // converted back...
        int expectedTick; // ...gives this tick
    };

    const auto twoTempos = TempoMap::build (480, tempos ({ { 0, 120.0 }, { 1920, 60.0 } }));
    const auto lateStart = TempoMap::build (480, tempos ({ { 480, 60.0 } }));

    const Case cases[] = {
        { "empty map runs at 120", {}, 960, 1.0, 1.0, 960 },
        { "single 90 bpm", TempoMap::single (90), 480, 0.666666, 0.666666, 479 },
        { "second tempo", twoTempos, 2400, 3.0, 3.0, 2400 },
        { "first tempo", twoTempos, 960, 1.0, 1.0, 960 },
        { "on the change", twoTempos, 1920, 2.0, 2.0, 1920 },
        { "before a late first change", lateStart, 240, 0.25, 0.25, 0 },
        { "after a late first change", lateStart, 960, 1.5, 1.5, 960 },
        { "tick 0", twoTempos, 0, 0.0, 0.0, 0 },
    };

    for (const auto& c : cases)
    {
        EXPECT_NEAR (TempoMap::secondsAtTick (c.map, c.tick, 480), c.seconds, 1e-9) << c.name;
        EXPECT_EQ (TempoMap::tickAtSeconds (c.map, c.secondsToTick, 480), c.expectedTick) << c.name;
    }
}

TEST (TempoMap, MapEntriesCountTimeBeforeTheFirstChangeAt120)
{
    const auto map = TempoMap::build (480, tempos ({ { 480, 60.0 }, { 960, 90.0 } }));

    ASSERT_EQ (map.size(), 2);
    EXPECT_DOUBLE_EQ (map[0].seconds, 0.5);
    EXPECT_EQ (map[0].tick, 480);
    EXPECT_EQ (map[0].microsecondsPerQuarter, 1000000u);
    EXPECT_DOUBLE_EQ (map[1].seconds, 1.5);
    EXPECT_EQ (map[1].microsecondsPerQuarter, 666666u);
    EXPECT_EQ (map[1].tempo, 90.0);

    const auto single = TempoMap::single (90);
    ASSERT_EQ (single.size(), 1);
    EXPECT_EQ (single[0].microsecondsPerQuarter, 666666u);
    EXPECT_EQ (single[0].seconds, 0.0);
    EXPECT_EQ (single[0].tick, 0);
}

TEST (TempoMap, ValueInForceWalksTheListAsGiven)
{
    EXPECT_EQ (TempoMap::tempoAt ({}, 0), 120.0);
    EXPECT_EQ (TempoMap::tempoAt (tempos ({ { 480, 70.0 } }), 479), 120.0);
    EXPECT_EQ (TempoMap::tempoAt (tempos ({ { 480, 70.0 } }), 480), 70.0);
    EXPECT_EQ (TempoMap::tempoAt (tempos ({ { 0, 100.0 }, { 960, 80.0 } }), 959), 100.0);
    EXPECT_EQ (TempoMap::tempoAt (tempos ({ { 0, 100.0 }, { 960, 80.0 } }), 100000), 80.0);

    const auto meterAt = [] (const juce::Array<timeSignatureChange>& list, int tick) {
        const auto m = TempoMap::meterAt (list, tick);
        return juce::String (m.numerator) + "/" + juce::String (m.denominator);
    };

    EXPECT_EQ (meterAt ({}, 5000), "4/4");
    EXPECT_EQ (meterAt (meters ({ { 0, 3, 4 }, { 1440, 6, 8 } }), 1439), "3/4");
    EXPECT_EQ (meterAt (meters ({ { 0, 3, 4 }, { 1440, 6, 8 } }), 1440), "6/8");

    // Unsorted: the walk stops at the first element later than the tick.
    EXPECT_EQ (meterAt (meters ({ { 0, 3, 4 }, { 3840, 5, 4 }, { 1920, 7, 8 } }), 3000), "3/4");
}

TEST (TempoMap, BarTable)
{
    struct Case
    {
        const char* name;
        int ticksPerBeat;
        std::vector<timeSignatureChange> meters;
        std::vector<BarTableRow> rows;
    };

    const Case cases[] = {
        { "no meter", 480, {}, { { 0, 4, 4, 0, 4 } } },
        { "3/4 then 6/8", 480, { { 0, 3, 4 }, { 2880, 6, 8 } }, { { 0, 3, 4, 0, 4 }, { 2, 6, 2, 2880, 8 } } },
        { "denominators 32 and 2", 480, { { 0, 4, 32 }, { 960, 3, 2 } }, { { 0, 4, 1, 0, 32 }, { 4, 3, 8, 960, 2 } } },
        { "first change later than 0", 480, { { 960, 4, 4 } }, { { 0, 4, 4, 0, 4 } } },
        { "change in the middle of a bar", 480, { { 0, 4, 4 }, { 2880, 2, 4 }, { 4800, 3, 4 } }, { { 0, 4, 4, 0, 4 }, { 1, 2, 4, 2880, 4 }, { 3, 3, 4, 4800, 4 } } },
        { "96 ticks per beat", 96, { { 0, 4, 4 }, { 768, 3, 4 } }, { { 0, 4, 4, 0, 4 }, { 2, 3, 4, 768, 4 } } },
        { "a zero denominator does not divide", 480, { { 0, 4, 0 }, { 1920, 4, 4 } }, { { 0, 4, 1, 0, 0 }, { 0, 4, 4, 1920, 4 } } },
    };

    for (const auto& c : cases)
        EXPECT_EQ (buildBarTable (c.ticksPerBeat, toArray (c.meters)), toArray (c.rows)) << c.name;
}

TEST (TempoMap, AbsurdInputSaturatesInsteadOfOverflowing)
{
    const auto map = TempoMap::build (480, tempos ({ { 0, 120.0 } }));

    EXPECT_EQ (TempoMap::tickAtSeconds (map, 1e30, 480), std::numeric_limits<int>::max());
    EXPECT_EQ (TempoMap::tickAtSeconds (map, -5.0, 480), 0);
    EXPECT_GT (TempoMap::secondsAtTick (map, std::numeric_limits<int>::max(), 480), 0.0);
}
