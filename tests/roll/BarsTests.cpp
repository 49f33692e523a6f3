#include "roll/Bars.h"
#include "roll/Keyboard.h"
#include "support/ScoreComparisons.h"

#include <gtest/gtest.h>

namespace
{
struct BarsTest : public testing::Test
{
    BarsTest()
    {
        score.ticksPerBeat = 480;
        score.numberOfBars = 16;
        score.timeSignatureChanges = listOf<timeSignatureChange> ({ { 0, 4, 4 } });
        scrollBar.setRangeLimits (0, 1000000);
        scrollBar.setCurrentRange (0, 5000);
    }

    void meters (std::initializer_list<timeSignatureChange> changes) { score.timeSignatureChanges = listOf (changes); }

    vocalMetadata score;
    Keyboard keyboard;
    juce::ScrollBar scrollBar { false };
    Bars bars { score, keyboard, scrollBar };
};
} // namespace

TEST_F (BarsTest, TicksAndPixelsUnderScrollAndZoom)
{
    struct Case
    {
        double rangeStart, pixelsPerTick, x;
        int tick;
    };

    const Case cases[] = {
        { 100, 0.2, 10.0, 150 },
        { 0, 0.2, -0.5, -2 }, // toward zero: flooring would give -3
        { 0, 0.2, 96.0, 480 },
        { 480, 0.5, 48.0, 576 },
        { 0, 0.2, 0.19, 0 },
    };

    for (const auto& c : cases)
    {
        scrollBar.setCurrentRange (c.rangeStart, 5000);
        bars.pixelsPerTick = c.pixelsPerTick;
        EXPECT_EQ (bars.tickAtX (c.x), c.tick) << c.x;
    }

    scrollBar.setCurrentRange (100, 5000);
    bars.pixelsPerTick = 0.2;
    EXPECT_DOUBLE_EQ (bars.xAtTick (150), 10.0);
    EXPECT_DOUBLE_EQ (bars.xAtTick (0), -20.0);
}

TEST_F (BarsTest, GridCellsForEveryDivision)
{
    struct Case
    {
        int numerator, tick, division, start, end;
    };

    const Case cases[] = {
        { 4, 1234, 0, 1234, 1234 },
        { 4, 1000, 1, 0, 1920 },
        { 4, 1000, 2, 960, 1920 },
        { 4, 1000, 4, 960, 1440 },
        { 4, 1919, 4, 1440, 1920 },
        { 4, 1000, 8, 960, 1200 },
        { 4, 1000, 16, 960, 1080 },
        { 4, 1000, 32, 960, 1020 },
        { 4, 1000, 64, 990, 1020 },
        { 4, 1000, 3, 640, 1280 },
        { 4, 1000, 6, 960, 1280 },
        { 4, 1000, 12, 960, 1120 },
        { 4, 1000, 24, 960, 1040 },
        { 4, 1000, 48, 1000, 1040 },
        { 4, 1000, 96, 1000, 1020 },
        { 4, 1900, 3, 1280, 1920 },
        // 3/4: the last cell of a bar is short when the step does not fit it
        { 3, 1300, 3, 1280, 1440 },
        { 3, 1440 + 1300, 3, 1440 + 1280, 2880 },
        { 3, 700, 3, 640, 1280 },
        { 3, 1439, 1, 0, 1440 },
        { 3, 1000, 4, 960, 1440 },
    };

    for (const auto& c : cases)
    {
        meters ({ { 0, c.numerator, 4 } });
        const auto cell = bars.gridCell (c.tick, c.division);
        EXPECT_EQ (cell.start, c.start) << c.numerator << "/4 tick " << c.tick << " division " << c.division;
        EXPECT_EQ (cell.end, c.end) << c.numerator << "/4 tick " << c.tick << " division " << c.division;
    }
}

TEST_F (BarsTest, NoMeterInForceGivesTheStart)
{
    meters ({ { 960, 4, 4 } });
    EXPECT_EQ (bars.gridCell (500, 4).start, 0);
    EXPECT_EQ (bars.gridCell (500, 4).end, 0);
    EXPECT_EQ (bars.barNumberAt (500), 1);

    score.timeSignatureChanges.clear();
    const auto position = bars.positionAt (5000);
    EXPECT_TRUE (position.isBarStart);
    EXPECT_EQ (position.bar, 1);
    EXPECT_EQ (position.beat, 0);
    EXPECT_EQ (position.ticksPerBar, 0);
    EXPECT_EQ (bars.gridCell (500, 4).end, 0);
}

TEST_F (BarsTest, BarsAndPositionsAcrossAMeterChange)
{
    meters ({ { 0, 4, 4 }, { 3840, 3, 4 } });

    struct Case
    {
        int tick, bar, beat, sixteenth;
        bool barStart;
        int ticksPerBar, numerator;
    };

    const Case cases[] = {
        { 0, 1, 1, 1, true, 1920, 4 },
        { 1919, 1, 4, 4, false, 1920, 4 },
        { 1920 + 480 + 240, 2, 2, 3, false, 1920, 4 },
        { 3840, 3, 1, 1, true, 1440, 3 },
        { 5280, 4, 1, 1, true, 1440, 3 },
        { 5280 + 960 + 360, 4, 3, 4, false, 1440, 3 },
    };

    for (const auto& c : cases)
    {
        const auto position = bars.positionAt (c.tick);
        EXPECT_EQ (bars.barNumberAt (c.tick), c.bar) << c.tick;
        EXPECT_EQ (position.bar, c.bar) << c.tick;
        EXPECT_EQ (position.beat, c.beat) << c.tick;
        EXPECT_EQ (position.sixteenth, c.sixteenth) << c.tick;
        EXPECT_EQ (position.isBarStart, c.barStart) << c.tick;
        EXPECT_EQ (position.ticksPerBar, c.ticksPerBar) << c.tick;
        EXPECT_EQ (position.numerator, c.numerator) << c.tick;
        EXPECT_EQ (position.denominator, 4) << c.tick;
    }
}

TEST_F (BarsTest, SubdivisionsFollowTheBeatUnit)
{
    // 6/8: a beat is an eighth (240 ticks) of two sixteenths.
    meters ({ { 0, 6, 8 } });
    EXPECT_EQ (bars.positionAt (240 + 120).beat, 2);
    EXPECT_EQ (bars.positionAt (240 + 120).sixteenth, 2);
    EXPECT_EQ (bars.positionAt (1440).bar, 2);

    // x/16: every subdivision is the whole beat.
    meters ({ { 0, 7, 16 } });
    EXPECT_EQ (bars.positionAt (120 * 3 + 60).beat, 4);
    EXPECT_EQ (bars.positionAt (120 * 3 + 60).sixteenth, 1);
}

TEST_F (BarsTest, AChangeOffABarLineDropsThePartialBar)
{
    meters ({ { 0, 4, 4 }, { 3000, 3, 4 } });
    EXPECT_EQ (bars.barNumberAt (2999), 2);
    EXPECT_EQ (bars.barNumberAt (3000), 2);
    EXPECT_EQ (bars.barNumberAt (3000 + 1440), 3);
}

TEST_F (BarsTest, MeterEditsTakeEffectAtTheNextCall)
{
    EXPECT_EQ (bars.barNumberAt (5760), 4);
    meters ({ { 0, 3, 4 } });
    EXPECT_EQ (bars.barNumberAt (5760), 5);
    EXPECT_EQ (bars.gridCell (1500, 1).start, 1440);
}

TEST_F (BarsTest, MetersWithoutLengthNeitherDivideByZeroNorSnap)
{
    for (const auto& meter : { timeSignatureChange { 0, 4, 0 }, timeSignatureChange { 0, 0, 4 }, timeSignatureChange { 0, -3, 4 }, timeSignatureChange { 0, 4, -8 } })
    {
        meters ({ meter });
        EXPECT_EQ (bars.gridCell (1000, 4).start, 1000);
        EXPECT_EQ (bars.barNumberAt (100000), 1);
        EXPECT_EQ (bars.positionAt (1000).bar, 1);
    }

    meters ({ { 0, 4, 4 } });
    score.ticksPerBeat = 0;
    EXPECT_EQ (bars.beatTicks (score.timeSignatureChanges[0]), 0);
    EXPECT_EQ (bars.gridCell (1000, 4).end, 1000);
    EXPECT_EQ (bars.barNumberAt (1000), 1);
}
