#include "roll/Keyboard.h"
#include "roll/RollPanel.h"
#include "roll/TimeLinePanel.h"
#include "support/Capture.h"
#include "support/MouseEvents.h"
#include "support/ScoreComparisons.h"

#include <gtest/gtest.h>

namespace
{
constexpr int width = 1600;
constexpr int height = 450;
constexpr int scrollBarHeight = 10;

struct RollPanelTest : public testing::Test
{
    RollPanelTest()
    {
        score.ticksPerBeat = 480;
        score.numberOfBars = 16;
        score.timeSignatureChanges = listOf<timeSignatureChange> ({ { 0, 4, 4 } });
        keyboard.setSize (70, height);
        scrollBar.setRangeLimits (0, 30720);
        scrollBar.setCurrentRange (0, width / 0.2);
        scrollBar.setSize (width, scrollBarHeight);
        roll.setSize (width, height);
        ruler.setSize (width, 15);
        state.set (StateController::loaded);
        grid.comboBox.setSelectedId (8, juce::dontSendNotification);
    }

    // The colour of the line column at a tick, in the middle of the roll's height.
    juce::Colour lineAt (const juce::Image& image, int tick) const { return image.getPixelAt (juce::roundToInt (roll.xAtTick (tick)), height / 2); }

    vocalMetadata score;
    Keyboard keyboard;
    juce::ScrollBar scrollBar { false };
    StateController state;
    GridController grid;
    RollPanel roll { score, keyboard, scrollBar, state, grid };
    TimeLinePanel ruler { score, keyboard, scrollBar, state };
};

bool anyPixel (const juce::Image& image, juce::Rectangle<int> area, std::function<bool (juce::Colour)> test)
{
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (test (image.getPixelAt (x, y)))
                return true;
    return false;
}
} // namespace

TEST_F (RollPanelTest, GridBeatAndBarLines)
{
    const auto image = paintOf (roll);

    EXPECT_EQ (lineAt (image, 240), juce::Colour (RollPanel::gridLineColour));
    EXPECT_EQ (lineAt (image, 720), juce::Colour (RollPanel::gridLineColour));
    EXPECT_EQ (lineAt (image, 480), juce::Colour (RollPanel::beatLineColour));
    EXPECT_EQ (lineAt (image, 1440), juce::Colour (RollPanel::beatLineColour));
    EXPECT_EQ (lineAt (image, 1920), juce::Colour (RollPanel::barLineColour));
    EXPECT_EQ (lineAt (image, 3840), juce::Colour (RollPanel::barLineColour));

    // Between lines only the translucent row shades show.
    EXPECT_LT (lineAt (image, 120).getAlpha(), 0x40);

    // Lines stop above the scroll bar.
    EXPECT_EQ (image.getPixelAt (juce::roundToInt (roll.xAtTick (1920)), height - scrollBarHeight - 1), juce::Colour (RollPanel::barLineColour));
    EXPECT_EQ (image.getPixelAt (juce::roundToInt (roll.xAtTick (1920)), height - scrollBarHeight + 2).getAlpha(), 0);
}

TEST_F (RollPanelTest, GridOffLeavesBeatAndBarLines)
{
    grid.comboBox.setSelectedId (GridController::offId, juce::dontSendNotification);
    const auto image = paintOf (roll);

    EXPECT_LT (lineAt (image, 240).getAlpha(), 0x40);
    EXPECT_EQ (lineAt (image, 480), juce::Colour (RollPanel::beatLineColour));
    EXPECT_EQ (lineAt (image, 1920), juce::Colour (RollPanel::barLineColour));
}

TEST_F (RollPanelTest, BarLinesAndNumbersAcrossAMeterChange)
{
    score.timeSignatureChanges = listOf<timeSignatureChange> ({ { 0, 4, 4 }, { 3840, 3, 4 } });
    grid.comboBox.setSelectedId (GridController::offId, juce::dontSendNotification);
    const auto image = paintOf (roll);
    const auto numbers = paintOf (ruler);

    for (const auto tick : { 0, 1920, 3840, 5280, 6720 })
    {
        EXPECT_EQ (lineAt (image, tick), juce::Colour (RollPanel::barLineColour)) << tick;

        // A number just right of each bar line.
        const auto x = juce::roundToInt (ruler.xAtTick (tick));
        EXPECT_TRUE (anyPixel (numbers, { x + 2, 3, 10, 12 }, [] (juce::Colour c) { return c.getBrightness() > 0.5f; })) << tick;
    }

    for (const auto tick : { 4320, 4800, 5760 })
    {
        EXPECT_EQ (lineAt (image, tick), juce::Colour (RollPanel::beatLineColour)) << tick;
        const auto x = juce::roundToInt (ruler.xAtTick (tick));
        EXPECT_FALSE (anyPixel (numbers, { x + 2, 3, 10, 12 }, [] (juce::Colour c) { return c.getBrightness() > 0.5f; })) << tick;
    }
}

TEST_F (RollPanelTest, RowsAreShadedByKeyColourAndClippedAtTheTop)
{
    const auto image = paintOf (roll);

    // Pick rows by their centres, away from the lines.
    const auto shadeAt = [&] (int pitch) { return image.getPixelAt (100, juce::roundToInt (rowOfPitch (keyboard, pitch).getStart() + rowOfPitch (keyboard, pitch).getLength() / 2)); };
    EXPECT_EQ (shadeAt (60).getBrightness() > 0.5f, true);
    EXPECT_EQ (shadeAt (61).getBrightness() < 0.5f, true);
    EXPECT_GT (shadeAt (60).getAlpha(), 0);

    // Separator lines at the tops of rows.
    EXPECT_EQ (image.getPixelAt (100, juce::roundToInt (rowOfPitch (keyboard, 60).getStart())), juce::Colour (RollPanel::rowLineColour));

    // The row cut by the top edge is filled from y 0 with its separator there.
    int cut = -1;
    for (int pitch = 0; pitch <= 127; ++pitch)
        if (rowOfPitch (keyboard, pitch).getStart() < 0.0f && rowOfPitch (keyboard, pitch).getEnd() > 1.0f)
            cut = pitch;
    ASSERT_GE (cut, 0);
    EXPECT_EQ (image.getPixelAt (100, 0), juce::Colour (RollPanel::rowLineColour));
}

TEST_F (RollPanelTest, HintTextInsteadOfTheRollUntilAScoreIsLoaded)
{
    for (const auto rollState : { StateController::empty, StateController::converting })
    {
        state.set (rollState);
        ruler.audioEndTick = 960;
        const auto image = paintOf (roll);
        const auto top = paintOf (ruler);

        EXPECT_TRUE (anyPixel (image, { width / 2 - 60, height / 2 - 8, 120, 16 }, [] (juce::Colour c) { return c.getAlpha() > 200 && c.getBrightness() > 0.8f; }));
        EXPECT_FALSE (anyPixel (image, { 0, 0, width, height / 2 - 20 }, [] (juce::Colour c) { return c.getAlpha() > 0; })) << "rows or lines drawn";
        EXPECT_FALSE (anyPixel (top, top.getBounds(), [] (juce::Colour c) { return c != juce::Colours::black; })) << "the ruler is not plain black";
    }
}

TEST_F (RollPanelTest, RenderedAudioBarReachesTheAudioEnd)
{
    ruler.audioEndTick = 0;
    EXPECT_FALSE (anyPixel (paintOf (ruler), { 0, 0, width, 15 }, [] (juce::Colour c) { return c == juce::Colour (TimeLinePanel::audioColour); }));

    ruler.audioEndTick = 1000;
    const auto image = paintOf (ruler);
    const auto end = juce::roundToInt (ruler.xAtTick (1000)); // 200
    EXPECT_EQ (image.getPixelAt (end - 2, 14), juce::Colour (TimeLinePanel::audioColour));
    EXPECT_EQ (image.getPixelAt (end + 2, 14), juce::Colours::black);

    // Scrolled so the end lies left of the view: no bar.
    scrollBar.setCurrentRange (2000, width / 0.2);
    EXPECT_FALSE (anyPixel (paintOf (ruler), { 0, 0, width, 15 }, [] (juce::Colour c) { return c == juce::Colour (TimeLinePanel::audioColour); }));
}

TEST_F (RollPanelTest, ClickOnTheRulerReportsItsX)
{
    double clicked = -1.0;
    ruler.onClick = [&] (double x) { clicked = x; };

    ruler.mouseUp (mouseEventOn (ruler, { 321.0f, 7.0f }));

    EXPECT_DOUBLE_EQ (clicked, 321.0);
}

TEST_F (RollPanelTest, MalformedMetersNeitherHangNorDivideByZero)
{
    struct Case
    {
        const char* name;
        int ticksPerBeat;
        std::vector<timeSignatureChange> meters;
        bool barLineAt1920;
    };

    const Case cases[] = {
        { "meter from tick 960", 480, { { 960, 4, 4 } }, false },
        { "numerator 0", 480, { { 0, 0, 4 } }, false },
        { "negative numerator", 480, { { 0, -4, 4 } }, false },
        { "denominator 0", 480, { { 0, 4, 0 } }, false },
        { "negative denominator", 480, { { 0, 4, -4 } }, false },
        { "no ticks per beat", 0, { { 0, 4, 4 } }, false },
        { "valid, then a broken meter", 480, { { 0, 4, 4 }, { 3840, 0, 4 } }, true },
        { "no meter", 480, {}, false },
    };

    for (const auto& c : cases)
    {
        score.ticksPerBeat = c.ticksPerBeat;
        score.timeSignatureChanges = toArray (c.meters);
        const auto image = paintOf (roll);
        paintOf (ruler);

        EXPECT_EQ (lineAt (image, 1920) == juce::Colour (RollPanel::barLineColour), c.barLineAt1920) << c.name;
    }
}

TEST_F (RollPanelTest, WritesSnapshotsForPeopleToLookAt)
{
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile ("snapshots");
    folder.createDirectory();

    score.timeSignatureChanges = listOf<timeSignatureChange> ({ { 0, 4, 4 }, { 3840, 3, 4 } });
    ruler.audioEndTick = 4000;

    juce::Image image (juce::Image::ARGB, width, height, true);
    {
        juce::Graphics g (image);
        g.fillAll (juce::Colour (0xff2b2825));
        roll.paintEntireComponent (g, true);
        g.reduceClipRegion (ruler.getLocalBounds());
        ruler.paintEntireComponent (g, true);
    }

    const auto file = folder.getChildFile ("roll-background.png");
    file.deleteFile();
    {
        juce::FileOutputStream out (file);
        ASSERT_TRUE (out.openedOk());
        ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (image, out));
    }

    EXPECT_GT (file.getSize(), 1000);
}
