#include "style/DefaultTypeface.h"
#include "support/Capture.h"
#include "support/MessagePump.h"
#include "support/RollFixture.h"
#include "support/Utf8.h"

namespace
{
struct NotePanelTest : public RollFixture
{
    void selectAll()
    {
        useMode (ModeController::selectMode);
        panel.selectedArea->startTick = 0;
        panel.selectedArea->endTick = 30720;
        panel.selectedArea->firstPitch = 0;
        panel.selectedArea->secondPitch = 127;
        panel.selectInsideArea();
    }
};
} // namespace

TEST_F (NotePanelTest, DrawModeMakesANoteOnTheGridCell)
{
    useMode (ModeController::drawMode);

    const auto lines = loggedBy ([&] { click (panel, { xOf (1000), yOf (60) }); });

    ASSERT_EQ (panel.noteBox.notes.size(), 1u);
    EXPECT_EQ (noteAt (0).start, 960);
    EXPECT_EQ (noteAt (0).end, 1440);
    EXPECT_EQ (noteAt (0).pitch, 60);
    EXPECT_TRUE (noteAt (0).isVisible());
    EXPECT_EQ (noteAt (0).getParentComponent(), &panel);
    EXPECT_TRUE (lines.contains ("create note => pitch:60, startTick:960, endTick:1440"));
    EXPECT_EQ (lines[lines.size() - 1], "mouse up");
}

TEST_F (NotePanelTest, DrawModeWithTheGridOffMakesAZeroLengthNote)
{
    useMode (ModeController::drawMode);
    grid.comboBox.setSelectedId (GridController::offId, juce::dontSendNotification);

    click (panel, { xOf (1000), yOf (62) });

    ASSERT_EQ (panel.noteBox.notes.size(), 1u);
    EXPECT_EQ (noteAt (0).start, 1000);
    EXPECT_EQ (noteAt (0).end, 1000);
}

TEST_F (NotePanelTest, TheLowerPartOfABlackRowMakesABlackNote)
{
    useMode (ModeController::drawMode);
    const auto row = rowOfPitch (keyboard, 61);

    click (panel, { xOf (500), row.getEnd() - 1.0f });

    ASSERT_EQ (panel.noteBox.notes.size(), 1u);
    EXPECT_EQ (noteAt (0).pitch, 61);
}

TEST_F (NotePanelTest, APlainClickInSelectModeDeselectsAndPlacesThePlayHead)
{
    panel.createNote (0, 480, 60, {});
    selectAll();
    ASSERT_EQ (noteAt (0).state, MidiNote::selected);

    std::vector<double> clicks;
    panel.onClickAt = [&] (double x) { clicks.push_back (x); };
    click (panel, { 777.0f, yOf (70) });

    EXPECT_EQ (noteAt (0).state, MidiNote::normal);
    ASSERT_EQ (clicks.size(), 1u);
    EXPECT_DOUBLE_EQ (clicks[0], 777.0);
    EXPECT_EQ (panel.selectedArea->getWidth(), 0);
}

TEST_F (NotePanelTest, TheRubberBandSelectsNotesWhollyInside)
{
    panel.createNote (0, 480, 60, {}); // inside
    panel.createNote (960, 1440, 64, {}); // inside, at the band's ends
    panel.createNote (1200, 1500, 62, {}); // ends after the band
    panel.createNote (480, 960, 65, {}); // above it
    panel.createNote (480, 960, 59, {}); // below it
    useMode (ModeController::selectMode);

    drag (panel, { xOf (100), yOf (64) }, { { xOf (600), yOf (62) }, { xOf (1000), yOf (60) } });

    EXPECT_EQ (panel.selectedArea->startTick, 0);
    EXPECT_EQ (panel.selectedArea->endTick, 1440);
    EXPECT_EQ (panel.selectedArea->firstPitch, 64);
    EXPECT_EQ (panel.selectedArea->secondPitch, 60);

    const int expected[] = { MidiNote::selected, MidiNote::selected, MidiNote::normal, MidiNote::normal, MidiNote::normal };
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ (noteAt (i).state, expected[i]) << i;

    // The band covers both rows whole and everything between.
    EXPECT_EQ (panel.selectedArea->getY(), (int) rowOfPitch (keyboard, 64).getStart());
    EXPECT_EQ (panel.selectedArea->getBottom(), (int) rowOfPitch (keyboard, 64).getStart() + (int) (rowOfPitch (keyboard, 60).getEnd() - rowOfPitch (keyboard, 64).getStart()));
}

TEST_F (NotePanelTest, APressJustBelowARowTopCountsAsTheRowAbove)
{
    useMode (ModeController::selectMode);
    const auto top = rowOfPitch (keyboard, 60).getStart();

    panel.mouseDown (mouseEventOn (panel, { xOf (100), top + 2.0f }));
    EXPECT_EQ (panel.selectedArea->firstPitch, 61);

    panel.mouseDown (mouseEventOn (panel, { xOf (100), top + 3.0f }));
    EXPECT_EQ (panel.selectedArea->firstPitch, 60);
}

TEST_F (NotePanelTest, MovingTheSelectionGoesByThePointersCells)
{
    struct Case
    {
        int pressTick, tickOffset;
    };

    for (const auto& c : { Case { 100, 480 }, Case { 479, 960 } })
    {
        panel.setNotes (listOf<vocalNote> ({ { 960, 1440, {}, 60 }, { 1440, 1920, {}, 62 } }));
        selectAll();
        panel.selectedArea->startTick = 0;
        panel.selectedArea->endTick = 1920;
        panel.selectedArea->firstPitch = 60;
        panel.selectedArea->secondPitch = 62;
        panel.selectInsideArea();

        auto& area = *panel.selectedArea;
        const juce::Point<float> press (xOf (c.pressTick) - (float) area.getX(), yOf (61) - (float) area.getY());
        drag (area, press, { press + juce::Point<float> (100.0f, 0.0f) });

        EXPECT_EQ (noteAt (0).start, 960 + c.tickOffset) << c.pressTick;
        EXPECT_EQ (noteAt (1).start, 1440 + c.tickOffset) << c.pressTick;
        EXPECT_EQ (noteAt (1).pitch, 62) << c.pressTick;
    }
}

TEST_F (NotePanelTest, MovingTheSelectionUpThreeRows)
{
    panel.setNotes (listOf<vocalNote> ({ { 0, 480, {}, 50 }, { 480, 960, {}, 70 } }));
    selectAll();
    auto& area = *panel.selectedArea;
    area.startTick = 0;
    area.endTick = 960;
    area.firstPitch = 50;
    area.secondPitch = 70;
    area.placeFromRange();

    const juce::Point<float> press (50.0f, yOf (55) - (float) area.getY());
    drag (area, press, { { 50.0f, yOf (58) - (float) area.getY() } });

    EXPECT_EQ (noteAt (0).pitch, 53);
    EXPECT_EQ (noteAt (1).pitch, 73);
}

TEST_F (NotePanelTest, ADragShowsTheMoveButAppliesItOnlyOnRelease)
{
    panel.setNotes (listOf<vocalNote> ({ { 960, 1440, {}, 60 } }));
    selectAll();
    pumpMessagesFor (20);
    int changes = 0;
    panel.onNotesChanged = [&] { ++changes; };

    auto& area = *panel.selectedArea;
    area.startTick = 960;
    area.endTick = 1440;
    area.firstPitch = area.secondPitch = 60;
    area.placeFromRange();
    const auto before = noteAt (0).getBounds();
    const juce::Point<float> press (10.0f, 5.0f);

    // The press re-selects what lies inside, which is announced on its own.
    area.mouseDown (mouseEventOn (area, press));
    pumpMessagesFor (20);
    changes = 0;

    area.mouseDrag (mouseEventOn (area, press + juce::Point<float> (200.0f, 0.0f), press, {}, true));
    EXPECT_EQ (noteAt (0).start, 960);
    EXPECT_EQ (noteAt (0).getX(), before.getX() + 192); // shown one bar later
    pumpMessagesFor (20);
    EXPECT_EQ (changes, 0);

    // Back to the press cell: nothing happens on release.
    area.mouseDrag (mouseEventOn (area, press, press, {}, true));
    area.mouseUp (mouseEventOn (area, press, press, {}, true));
    pumpMessagesFor (20);
    EXPECT_EQ (noteAt (0).start, 960);
    EXPECT_EQ (noteAt (0).getBounds(), before);
    EXPECT_EQ (changes, 0);

    // A real move is applied and announced once.
    area.mouseDown (mouseEventOn (area, press));
    pumpMessagesFor (20);
    changes = 0;
    area.mouseDrag (mouseEventOn (area, press + juce::Point<float> (200.0f, 0.0f), press, {}, true));
    area.mouseUp (mouseEventOn (area, press + juce::Point<float> (200.0f, 0.0f), press, {}, true));
    pumpMessagesFor (20);
    EXPECT_EQ (noteAt (0).start, 1920);
    EXPECT_EQ (changes, 1);
}

TEST_F (NotePanelTest, SelectionMovesKeepEveryNoteInRange)
{
    panel.setNotes (listOf<vocalNote> ({ { 240, 480, {}, 120 }, { 960, 1440, {}, 125 } }));
    selectAll();
    grid.comboBox.setSelectedId (GridController::offId, juce::dontSendNotification);
    auto& area = *panel.selectedArea;
    area.startTick = 0;
    area.endTick = 1440;
    area.firstPitch = 120;
    area.secondPitch = 125;
    area.placeFromRange();

    // Far up and left: the whole selection stops where its first note reaches tick 0 and
    // its highest note pitch 127.
    const juce::Point<float> press (150.0f, yOf (122) - (float) area.getY());
    drag (area, press, { { press.x - 1000.0f, -500.0f } });

    EXPECT_EQ (noteAt (0).start, 0);
    EXPECT_EQ (noteAt (1).start, 720);
    EXPECT_EQ (noteAt (0).pitch, 122);
    EXPECT_EQ (noteAt (1).pitch, 127);
}

TEST_F (NotePanelTest, BackspaceDeletesTheSelectedNotes)
{
    panel.setNotes (listOf<vocalNote> ({ { 0, 480, {}, 60 }, { 480, 960, {}, 62 }, { 960, 1440, {}, 64 } }));
    const auto pooled = panel.getPool().available();
    panel.noteBox.selectInRange (0, 960, 0, 127);
    auto deleted = panel.noteBox.notes[0];

    // Not for us: modified Backspace and forward delete.
    EXPECT_FALSE (panel.keyPressed (juce::KeyPress (juce::KeyPress::backspaceKey, juce::ModifierKeys::shiftModifier, 0), &panel));
    EXPECT_FALSE (panel.keyPressed (juce::KeyPress (juce::KeyPress::backspaceKey, juce::ModifierKeys::ctrlModifier, 0), &panel));
    EXPECT_FALSE (panel.keyPressed (juce::KeyPress (juce::KeyPress::backspaceKey, juce::ModifierKeys::altModifier, 0), &panel));
    EXPECT_FALSE (panel.keyPressed (juce::KeyPress (juce::KeyPress::deleteKey), &panel));
    EXPECT_EQ (panel.noteBox.notes.size(), 3u);

    EXPECT_TRUE (panel.keyPressed (juce::KeyPress (juce::KeyPress::backspaceKey), &panel));

    ASSERT_EQ (panel.noteBox.notes.size(), 1u);
    EXPECT_EQ (noteAt (0).start, 960);
    EXPECT_FALSE (deleted->isVisible());
    EXPECT_EQ (deleted->state, MidiNote::normal);
    EXPECT_EQ (panel.getPool().available(), pooled + 2);
    EXPECT_EQ (panel.selectedArea->getWidth(), 0);

    // Nothing selected: used, nothing happens.
    EXPECT_TRUE (panel.keyPressed (juce::KeyPress (juce::KeyPress::backspaceKey), &panel));
    EXPECT_EQ (panel.noteBox.notes.size(), 1u);
}

TEST_F (NotePanelTest, NotesFollowTheKeyboardAndTheScroll)
{
    panel.setNotes (listOf<vocalNote> ({ { 960, 1440, {}, 60 } }));
    const auto before = noteAt (0).getBounds();

    keyboard.setLowestVisibleKey (55);
    panel.changeListenerCallback (&keyboard);
    EXPECT_EQ (noteAt (0).getY(), (int) std::floor (rowOfPitch (keyboard, 60).getStart()));
    EXPECT_NE (noteAt (0).getY(), before.getY());

    scrollBar.setCurrentRange (480, 8000);
    panel.updateLayout();
    EXPECT_EQ (noteAt (0).getX(), before.getX() - 96);
}

TEST_F (NotePanelTest, ReplacingTheNotesBringsThemBackUnselectedWithTheLyricsWords)
{
    lyrics.setText (utf8 ("天空"));
    panel.setNotes (listOf<vocalNote> ({ { 480, 960, utf8 ("x"), 60 }, { 0, 480, utf8 ("y"), 62 } }));
    panel.noteBox.selectInRange (0, 2000, 0, 127);

    panel.setNotes (panel.noteBox.allNotes());

    ASSERT_EQ (panel.noteBox.notes.size(), 2u);
    EXPECT_EQ (noteAt (0).start, 0);
    EXPECT_EQ (noteAt (0).word, utf8 ("天"));
    EXPECT_EQ (noteAt (1).word, utf8 ("空"));
    EXPECT_EQ (noteAt (0).state, MidiNote::normal);
    EXPECT_EQ (noteAt (1).state, MidiNote::normal);
}

TEST_F (NotePanelTest, TheBlockerSwallowsEveryKey)
{
    const auto lines = loggedBy ([&] { EXPECT_TRUE (panel.blocker.keyPressed (juce::KeyPress (juce::KeyPress::backspaceKey), &panel.blocker)); });

    ASSERT_EQ (lines.size(), 1);
    EXPECT_TRUE (lines[0].startsWith ("blocker key press: "));
    EXPECT_TRUE (panel.blocker.getWantsKeyboardFocus());
}

TEST_F (NotePanelTest, WritesASnapshotOfARollWithNotes)
{
    // As the main view does at start, so the words show.
    DefaultTypeface::apply (juce::LookAndFeel::getDefaultLookAndFeel());
    lyrics.setText (utf8 ("天空好藍我們一起唱"));
    panel.setNotes (listOf<vocalNote> ({ { 0, 480, {}, 60 }, { 480, 960, {}, 62 }, { 960, 1920, {}, 64 }, { 1920, 2400, {}, 65 }, { 2400, 2880, {}, 67 }, { 2880, 3840, {}, 69 }, { 3840, 4320, {}, 67 }, { 4320, 4800, {}, 64 }, { 4800, 5760, {}, 62 } }));
    useMode (ModeController::selectMode);
    panel.selectedArea->startTick = 1920;
    panel.selectedArea->endTick = 3840;
    panel.selectedArea->firstPitch = 64;
    panel.selectedArea->secondPitch = 70;
    panel.selectInsideArea();

    StateController state;
    state.set (StateController::loaded);
    RollPanel background (score, keyboard, scrollBar, state, grid);
    background.setSize (panel.getWidth(), panel.getHeight());

    juce::Image image (juce::Image::ARGB, panel.getWidth(), panel.getHeight(), true);
    {
        juce::Graphics g (image);
        g.fillAll (juce::Colour (0xff2b2825));
        background.paintEntireComponent (g, true);
        panel.paintEntireComponent (g, true);
    }

    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile ("snapshots");
    folder.createDirectory();
    const auto file = folder.getChildFile ("roll-notes.png");
    file.deleteFile();
    juce::FileOutputStream out (file);
    ASSERT_TRUE (out.openedOk());
    ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (image, out));

    // The selected notes are blue, the others orange.
    const auto centre = [&] (int i) { return noteAt ((size_t) i).getBounds().getCentre(); };
    EXPECT_EQ (image.getPixelAt (centre (0).x - 20, centre (0).y), juce::Colour (MidiNote::normalColour));
    EXPECT_EQ (image.getPixelAt (centre (3).x - 20, centre (3).y), juce::Colour (MidiNote::selectedColour));
}
