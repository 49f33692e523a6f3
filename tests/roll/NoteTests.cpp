#include "support/MessagePump.h"
#include "support/RollFixture.h"
#include "support/Utf8.h"

namespace
{
struct NoteTest : public RollFixture
{
    // A note placed on the surface, with the cursor chosen by a move to `x` inside it.
    MidiNote& placeAndPoint (int start, int end, int pitch, float x)
    {
        panel.createNote (start, end, pitch, {});
        auto& note = *panel.noteBox.notes.back();
        note.mouseMove (mouseEventOn (note, { x, 5.0f }));
        return note;
    }

    juce::Point<float> inParent (const MidiNote& note, float x) const { return { (float) note.getX() + x, (float) note.getY() + 5.0f }; }
};
} // namespace

TEST_F (NoteTest, ThePressPositionChoosesStretchOrMove)
{
    struct Case
    {
        int start, end; // 16 or 30 pixels wide at 0.2 pixels per tick
        float pressX;
        juce::MouseCursor::StandardCursorType cursor;
    };

    const Case cases[] = {
        { 960, 1040, 5.0f, juce::MouseCursor::LeftEdgeResizeCursor },
        { 960, 1040, 12.0f, juce::MouseCursor::RightEdgeResizeCursor },
        { 960, 1110, 15.0f, juce::MouseCursor::NormalCursor },
        { 960, 1110, 25.0f, juce::MouseCursor::RightEdgeResizeCursor },
    };

    for (const auto& c : cases)
    {
        auto& note = placeAndPoint (c.start, c.end, 60, c.pressX);
        EXPECT_EQ (note.getWidth(), (c.end - c.start) / 5);
        EXPECT_TRUE (note.getMouseCursor() == c.cursor) << c.start << "-" << c.end << " at " << c.pressX;
    }
}

TEST_F (NoteTest, DraggingMovesByWholeCellsFromThePress)
{
    auto& note = placeAndPoint (1000, 1300, 60, 30.0f); // 60 pixels wide, pressed in the middle
    const auto press = juce::Point<float> (30.0f, 5.0f);

    // 100 pixels right is 500 ticks: the pointer's cell moves from 960 to 1440.
    drag (note, press, { { 130.0f, 5.0f } });
    EXPECT_EQ (note.start, 1480); // off the grid by the same 40 ticks as before
    EXPECT_EQ (note.end, 1780);
    EXPECT_EQ (note.pitch, 60);
    EXPECT_EQ (note.getX(), juce::roundToInt (xOf (1480)));
}

TEST_F (NoteTest, DraggingChangesPitchByRows)
{
    auto& note = placeAndPoint (960, 1440, 60, 48.0f);
    const auto press = juce::Point<float> (48.0f, 5.0f);
    const auto target = yOf (64) - (float) note.getY();

    drag (note, press, { { 48.0f, target } });

    EXPECT_EQ (note.pitch, 64);
    EXPECT_EQ (note.start, 960);
    EXPECT_EQ (note.getY(), (int) std::floor (rowOfPitch (keyboard, 64).getStart()));
}

TEST_F (NoteTest, StretchingPutsEdgesOnCellsAndNeverPastTheOtherEnd)
{
    auto& note = placeAndPoint (960, 1440, 60, 90.0f); // right edge of a 96-pixel note
    drag (note, { 90.0f, 5.0f }, { { 90.0f + 96.0f, 5.0f } });
    EXPECT_EQ (note.end, 1920);

    // Past the start: nothing changes until the pointer's cell end is after the start again.
    auto& other = placeAndPoint (960, 1440, 62, 90.0f);
    drag (other, { 90.0f, 5.0f }, { { -150.0f, 5.0f } });
    EXPECT_EQ (other.end, 1440);
    EXPECT_EQ (other.start, 960);

    auto& left = placeAndPoint (960, 1440, 64, 3.0f);
    drag (left, { 3.0f, 5.0f }, { { 3.0f - 60.0f, 5.0f } });
    EXPECT_EQ (left.start, 480);
    drag (left, { 3.0f, 5.0f }, { { 3.0f + 500.0f, 5.0f } });
    EXPECT_EQ (left.start, 480);
}

TEST_F (NoteTest, MovesStopAtTheStartOfTheScore)
{
    grid.comboBox.setSelectedId (GridController::offId, juce::dontSendNotification);
    auto& note = placeAndPoint (480, 960, 60, 48.0f);
    drag (note, { 48.0f, 5.0f }, { { 48.0f - 400.0f, 5.0f } });

    EXPECT_EQ (note.start, 0);
    EXPECT_EQ (note.end, 480);
}

TEST_F (NoteTest, AClickSelectsWithoutAnUpdate)
{
    panel.createNote (0, 480, 60, {});
    panel.createNote (960, 1440, 62, {});
    panel.noteBox.update();
    pumpMessagesFor (20);

    // An update would hand out these words.
    lyrics.setText (utf8 ("一二"));

    int changes = 0;
    panel.onNotesChanged = [&] { ++changes; };
    auto& second = noteAt (1);
    second.mouseMove (mouseEventOn (second, { 40.0f, 5.0f }));
    click (second, { 40.0f, 5.0f });
    pumpMessagesFor (20);

    EXPECT_EQ (second.state, MidiNote::selected);
    EXPECT_EQ (noteAt (0).state, MidiNote::normal);
    EXPECT_EQ (second.start, 960);
    EXPECT_EQ (changes, 1); // the selection is announced
    EXPECT_TRUE (noteAt (0).word.isEmpty() && second.word.isEmpty());
}

TEST_F (NoteTest, WordsFollowStartOrder)
{
    lyrics.setText (utf8 ("你好 world 嗎？"));
    panel.createNote (1920, 2400, 60, {});
    panel.createNote (0, 480, 62, {});
    panel.createNote (960, 1440, 64, {});
    panel.createNote (2880, 3360, 65, {});

    const auto sung = panel.noteBox.notesWithWords();
    ASSERT_EQ (sung.size(), 3);
    EXPECT_EQ (sung[0].word, utf8 ("你"));
    EXPECT_EQ (sung[0].start, 0);
    EXPECT_EQ (sung[1].word, utf8 ("好"));
    EXPECT_EQ (sung[2].word, utf8 ("嗎"));
    EXPECT_EQ (sung[2].start, 1920);

    const auto all = panel.noteBox.allNotes();
    ASSERT_EQ (all.size(), 4);
    EXPECT_EQ (all[3].start, 2880);
    EXPECT_TRUE (all[3].word.isEmpty());
}

TEST_F (NoteTest, SelectionNeedsTheWholeNoteInside)
{
    panel.createNote (0, 480, 60, {});
    panel.createNote (480, 1500, 60, {});
    panel.createNote (480, 960, 70, {});

    panel.noteBox.selectInRange (0, 1440, 60, 64);

    EXPECT_EQ (noteAt (0).state, MidiNote::selected);
    EXPECT_EQ (noteAt (1).state, MidiNote::normal); // ends after the range
    EXPECT_EQ (noteAt (2).state, MidiNote::normal); // above it
}

TEST_F (NoteTest, NotesArePaintedByState)
{
    panel.createNote (0, 480, 60, utf8 ("歌"));
    auto& note = noteAt (0);

    for (const auto& [state, colour] : { std::pair { MidiNote::normal, MidiNote::normalColour },
                                         std::pair { MidiNote::selected, MidiNote::selectedColour },
                                         std::pair { MidiNote::locked, MidiNote::lockedColour } })
    {
        note.state = state;
        juce::Image image (juce::Image::ARGB, note.getWidth(), note.getHeight(), true);
        {
            juce::Graphics g (image);
            note.paintEntireComponent (g, true);
        }
        EXPECT_EQ (image.getPixelAt (1, 1), juce::Colour (colour)) << state;
    }
}

TEST_F (NoteTest, ThePoolGrowsInStepsAndNeverDropsANote)
{
    EXPECT_EQ (panel.getPool().created(), 260);

    juce::Array<vocalNote> records;
    for (int i = 0; i < 5000; ++i)
        records.add ({ i * 120, i * 120 + 100, {}, 40 + i % 40 });

    panel.setNotes (records);

    ASSERT_EQ (panel.noteBox.notes.size(), 5000u);
    EXPECT_EQ (panel.getPool().created(), 5000);
    EXPECT_EQ (panel.noteBox.allNotes()[4999].start, 4999 * 120);

    // Replacing the score reuses the components.
    records.removeRange (100, 4900);
    panel.setNotes (records);
    EXPECT_EQ (panel.noteBox.notes.size(), 100u);
    EXPECT_EQ (panel.getPool().created(), 5000);
    EXPECT_EQ (panel.getPool().available(), 4900);
}
