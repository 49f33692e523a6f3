#include "model/TempoMap.h"
#include "support/Capture.h"
#include "support/MouseEvents.h"
#include "support/ScoreComparisons.h"
#include "track/TrackMonitor.h"

#include <gtest/gtest.h>

namespace
{
struct EntryTest : public testing::Test
{
    EntryTest()
    {
        score.ticksPerBeat = 480;
        score.numberOfBars = 16;
        monitor.onSeek = [this] (int tick) { seeks.push_back (tick); };
    }

    // Types into a label's field and presses Return.
    static void enter (InputLabel& label, const juce::String& typed)
    {
        label.editor->setVisible (true);
        label.editor->setText (typed, false);
        label.editor->onReturnKey();
    }

    vocalMetadata score;
    TempoEditor tempoEditor;
    TimeSignatureEditor meterEditor;
    TrackMonitor monitor { score, tempoEditor, meterEditor };
    std::vector<int> seeks;
};
} // namespace

TEST_F (EntryTest, LabelsStartWithTheirDefaults)
{
    EXPECT_EQ (monitor.barsController->text, "0:00:00");
    EXPECT_EQ (monitor.tempoController->text, "120");
    EXPECT_EQ (monitor.timeSignatureController->text, "4/4");
    EXPECT_EQ (monitor.getWidth(), 160);
    EXPECT_EQ (monitor.barsController->getBounds(), juce::Rectangle<int> (0, 0, 80, 30));
    EXPECT_EQ (monitor.tempoController->getBounds(), juce::Rectangle<int> (80, 0, 40, 30));
    EXPECT_EQ (monitor.timeSignatureController->getBounds(), juce::Rectangle<int> (120, 0, 40, 30));
    EXPECT_FALSE (monitor.tempoController->editor->isVisible());
}

TEST_F (EntryTest, TempoEntriesAreClamped)
{
    const std::pair<const char*, int> cases[] = {
        { "0", 20 },
        { "abc", 20 },
        { "20", 20 },
        { "21", 21 },
        { "300", 300 },
        { "301", 300 },
        { "99999", 300 },
        { " 95bpm", 95 },
        { "99999999999999", 300 },
        { "-99999999999999", 20 },
    };

    for (const auto& [typed, bpm] : cases)
    {
        enter (*monitor.tempoController, typed);
        EXPECT_EQ (monitor.tempoController->text, juce::String (bpm)) << typed;
        EXPECT_FALSE (monitor.tempoController->editor->isVisible());
        EXPECT_EQ (tempoEditor.getTempoChanges(), listOf<tempoChange> ({ { 0, (double) bpm } })) << typed;
    }
}

TEST_F (EntryTest, MeterEntriesAreCheckedAndRejectionsChangeNothing)
{
    struct Case
    {
        const char* typed;
        bool accepted;
        const char* line;
    };

    const Case cases[] = {
        { "7/8", true, "" },
        { "12/8", true, "" },
        { " 3/ 16", true, "" },
        { "3/1", false, "invalid denominator: 1" },
        { "3/3", false, "invalid denominator: 3" },
        { "3/64", false, "invalid denominator: 64" },
        { "4/", false, "invalid denominator: 0" },
        { "4", false, "invalid denominator: 0" },
        { "0/4", false, "invalid numerator: 0" },
        { "256/4", false, "invalid numerator: 256" },
        { "99999999999999/4", false, "invalid numerator: 2147483647" },
    };

    for (const auto& c : cases)
    {
        meterEditor.setTimeSignatureChanges (listOf<timeSignatureChange> ({ { 0, 5, 4 } }));
        monitor.timeSignatureController->text = "5/4";

        const auto lines = loggedBy ([&] { enter (*monitor.timeSignatureController, c.typed); });

        EXPECT_FALSE (monitor.timeSignatureController->editor->isVisible()) << c.typed;
        if (c.accepted)
        {
            const auto [n, d] = TimeSignatureController::parse (c.typed);
            EXPECT_EQ (monitor.timeSignatureController->text, juce::String (n) + "/" + juce::String (d)) << c.typed;
            EXPECT_EQ (meterEditor.getTimeSignatureChanges(), listOf<timeSignatureChange> ({ { 0, n, d } })) << c.typed;
        }
        else
        {
            EXPECT_EQ (monitor.timeSignatureController->text, "5/4") << c.typed;
            EXPECT_EQ (meterEditor.getTimeSignatureChanges(), listOf<timeSignatureChange> ({ { 0, 5, 4 } })) << c.typed;
            EXPECT_TRUE (lines.contains (c.line)) << c.typed << " gave " << lines.joinIntoString ("|");
        }
    }
}

TEST_F (EntryTest, PositionsBecomeTicksThroughTheBarTable)
{
    struct Case
    {
        const char* name;
        std::vector<timeSignatureChange> meters;
        const char* typed;
        int tick; // -1: rejected
        const char* line;
    };

    const Case cases[] = {
        { "4/4", { { 0, 4, 4 } }, "1:1:1", 0, "" },
        { "4/4", { { 0, 4, 4 } }, "2:3:2", 3000, "" },
        { "4/4", { { 0, 4, 4 } }, "16:1:1", -1, "bars over numberOfBars: 16/16" },
        { "4/4", { { 0, 4, 4 } }, "1:5:1", -1, "beat over beat_max: 5/4" },
        { "4/4", { { 0, 4, 4 } }, "1:1:5", -1, "beat over beat_max: 5/4" },
        { "4/4", { { 0, 4, 4 } }, "99999999999999:1:1", -1, "bars over numberOfBars: 2147483647/16" },
        { "3/4 then 6/8", { { 0, 3, 4 }, { 2880, 6, 8 } }, "2:1:1", 1440, "" },
        { "3/4 then 6/8", { { 0, 3, 4 }, { 2880, 6, 8 } }, "3:1:1", 2880, "" },
        { "3/4 then 6/8", { { 0, 3, 4 }, { 2880, 6, 8 } }, "3:6:2", 4200, "" },
        { "3/4 then 6/8", { { 0, 3, 4 }, { 2880, 6, 8 } }, "3:7:1", -1, "beat over beat_max: 7/6" },
        { "4/4 then 3/4", { { 0, 4, 4 }, { 3840, 3, 4 } }, "2:1:1", 1920, "" },
        { "4/4 then 3/4", { { 0, 4, 4 }, { 3840, 3, 4 } }, "3:1:1", 3840, "" },
        { "4/4 then 3/4", { { 0, 4, 4 }, { 3840, 3, 4 } }, "3:4:1", -1, "beat over beat_max: 4/3" },
    };

    for (const auto& c : cases)
    {
        monitor.barsController->barTable = buildBarTable (480, toArray (c.meters));
        monitor.barsController->text = "9:09:09";
        seeks.clear();

        const auto lines = loggedBy ([&] { enter (*monitor.barsController, c.typed); });

        if (c.tick >= 0)
        {
            ASSERT_EQ (seeks.size(), 1u) << c.name << " " << c.typed;
            EXPECT_EQ (seeks[0], c.tick) << c.name << " " << c.typed;
            const auto p = BarsController::parse (c.typed);
            EXPECT_EQ (monitor.barsController->text, juce::String (p.bar) + ":" + juce::String::formatted ("%02d:%02d", p.beat, p.sixteenth));
        }
        else
        {
            EXPECT_TRUE (seeks.empty()) << c.name << " " << c.typed;
            EXPECT_EQ (monitor.barsController->text, "9:09:09");
            EXPECT_TRUE (lines.contains (c.line)) << c.typed << " gave " << lines.joinIntoString ("|");
        }
    }
}

TEST_F (EntryTest, APositionBeforeAnyScoreHandOverUsesTheMeterList)
{
    meterEditor.setTimeSignatureChanges (listOf<timeSignatureChange> ({ { 0, 3, 4 } }));
    ASSERT_TRUE (monitor.barsController->barTable.isEmpty());

    enter (*monitor.barsController, "3:1:1");

    ASSERT_EQ (seeks.size(), 1u);
    EXPECT_EQ (seeks[0], 2880);
}

TEST_F (EntryTest, TheFieldShowsNumbersWithoutLeadingZerosAndEscapeAbandons)
{
    monitor.barsController->setPosition (3, 2, 1);
    EXPECT_EQ (monitor.barsController->text, "3:02:01");

    monitor.barsController->mouseDoubleClick (mouseEventOn (*monitor.barsController, { 5.0f, 5.0f }));
    EXPECT_TRUE (monitor.barsController->editor->isVisible());
    EXPECT_EQ (monitor.barsController->editor->getText(), "3:2:1");

    monitor.timeSignatureController->text = " 06/08";
    monitor.timeSignatureController->mouseDoubleClick (mouseEventOn (*monitor.timeSignatureController, { 5.0f, 5.0f }));
    EXPECT_EQ (monitor.timeSignatureController->editor->getText(), "6/8");

    monitor.barsController->editor->setText ("5:1:1", false);
    monitor.barsController->editor->onEscapeKey();
    EXPECT_FALSE (monitor.barsController->editor->isVisible());
    EXPECT_EQ (monitor.barsController->text, "3:02:01");
    EXPECT_TRUE (seeks.empty());
}

TEST_F (EntryTest, TheMonitorShowsWhatIsInForceAtThePlayHead)
{
    tempoEditor.setTempoChanges (480, listOf<tempoChange> ({ { 0, 120.0 }, { 1920, 96.7 } }));
    meterEditor.setTimeSignatureChanges (listOf<timeSignatureChange> ({ { 960, 3, 4 } }));

    BarsData position;
    position.bar = 2;
    position.beat = 3;
    position.sixteenth = 4;
    monitor.showPosition (1919, position);
    EXPECT_EQ (monitor.tempoController->text, "120");
    EXPECT_EQ (monitor.barsController->text, "2:03:04");
    EXPECT_EQ (monitor.timeSignatureController->text, "3/4");

    monitor.showPosition (1920, position);
    EXPECT_EQ (monitor.tempoController->text, "96");
    EXPECT_EQ (monitor.tempoController->tick, 1920);

    monitor.showPosition (0, position);
    EXPECT_EQ (monitor.timeSignatureController->text, "4/4");

    // An entry at tick 5000 still sets one tempo for the whole score.
    monitor.showPosition (5000, position);
    enter (*monitor.tempoController, "100");
    EXPECT_EQ (tempoEditor.getTempoChanges(), listOf<tempoChange> ({ { 0, 100.0 } }));

    // An update while the field is open leaves what the user typed.
    monitor.tempoController->editor->setVisible (true);
    monitor.tempoController->editor->setText ("88", false);
    monitor.showPosition (0, position);
    EXPECT_EQ (monitor.tempoController->editor->getText(), "88");
}
