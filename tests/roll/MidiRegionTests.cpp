#include "roll/Keyboard.h"
#include "roll/MidiRegion.h"
#include "support/Capture.h"
#include "support/MessagePump.h"
#include "support/MouseEvents.h"
#include "support/ScoreComparisons.h"
#include "support/TemporaryFolder.h"
#include "support/TestWav.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace
{
struct MidiRegionTest : public testing::Test
{
    MidiRegionTest()
    {
        score.ticksPerBeat = 480;
        score.numberOfBars = 16;
        score.tempoChanges = listOf<tempoChange> ({ { 0, 120.0 } });
        score.timeSignatureChanges = listOf<timeSignatureChange> ({ { 0, 4, 4 } });
        keyboard.setSize (70, 450);
        zoom.setRange (0.2, 0.8);
        zoom.setValue (0.2, juce::dontSendNotification);
        grid.comboBox.setSelectedId (4, juce::dontSendNotification);
        converter.onError = [this] (const juce::String& message) { errors.add (message); };
        region.setSize (1000, 450);
    }

    ~MidiRegionTest() override { player.transportSource.releaseResources(); }

    void loadAudio (double seconds)
    {
        player.transportSource.prepareToPlay (441, 44100.0);
        player.setReader (TestWav::reader (TestWav::sine (seconds)));
    }

    void playFor (double seconds)
    {
        for (int pulled = 0; pulled < (int) (seconds * 44100.0); pulled += 441)
        {
            juce::AudioBuffer<float> buffer (2, 441);
            juce::AudioSourceChannelInfo info (&buffer, 0, 441);
            player.transportSource.getNextAudioBlock (info);
        }
    }

    void wheel (float deltaX, float deltaY)
    {
        juce::MouseWheelDetails details { deltaX, deltaY, false, false, false };
        region.mouseWheelMove (mouseEventOn (region, { 500.0f, 200.0f }), details);
    }

    StateController state;
    Keyboard keyboard;
    WavPlayer player;
    vocalMetadata score;
    Settings settings;
    TempoEditor tempoEditor;
    TimeSignatureEditor meterEditor;
    MidiConverter converter { settings, tempoEditor, meterEditor };
    juce::Slider zoom;
    juce::TextEditor lyrics;
    ModeController modes;
    GridController grid;
    MidiRegion region { state, keyboard, player, score, converter, zoom, settings, lyrics, modes, grid, tempoEditor };
    juce::StringArray errors;
};
} // namespace

TEST_F (MidiRegionTest, ANewScoreShowsTheStart)
{
    region.showScore (30720, listOf<vocalNote> ({ { 0, 480, {}, 60 } }));

    EXPECT_EQ (region.visibleStart, 0.0);
    EXPECT_EQ (region.visibleEnd, 5000.0);
    EXPECT_EQ (region.horizontalBar.getCurrentRange(), juce::Range<double> (0.0, 5000.0));
    EXPECT_TRUE (region.horizontalBar.isVisible());
    EXPECT_EQ (region.notePanel->noteBox.notes.size(), 1u);
    EXPECT_TRUE (region.notePanel->isVisible());

    region.showScore (3840, {});
    EXPECT_FALSE (region.horizontalBar.isVisible()); // everything fits
}

TEST_F (MidiRegionTest, PanelsAreLaidOutInLayers)
{
    EXPECT_EQ (region.horizontalBar.getBounds(), juce::Rectangle<int> (0, 436, 1000, 14));
    EXPECT_EQ (region.rollPanel->getBounds(), juce::Rectangle<int> (0, 0, 1000, 450));
    EXPECT_EQ (region.notePanel->getBounds(), juce::Rectangle<int> (0, 0, 1000, 436));
    EXPECT_EQ (region.timeLine->getBounds(), juce::Rectangle<int> (0, 0, 1000, 15));
    EXPECT_EQ (region.getIndexOfChildComponent (&region.playhead), region.getNumChildComponents() - 1);
}

TEST_F (MidiRegionTest, TheWheelMovesTheKeysByTenPitchesAStep)
{
    ASSERT_EQ (keyboard.getLowestVisibleKey(), 48);
    wheel (0.0f, 0.1f);
    EXPECT_EQ (keyboard.getLowestVisibleKey(), 58);
    wheel (0.0f, -0.2f);
    EXPECT_EQ (keyboard.getLowestVisibleKey(), 38);

    for (int i = 0; i < 30; ++i)
        wheel (0.0f, -0.1f);
    EXPECT_EQ (keyboard.getLowestVisibleKey(), 0);

    for (int i = 0; i < 30; ++i)
        wheel (0.0f, 0.1f);
    EXPECT_LE (keyboard.getLowestVisibleKey(), 127);
    EXPECT_GT (keyboard.getLowestVisibleKey(), 38);
}

TEST_F (MidiRegionTest, TheWheelScrollsAFifthOfTheViewWithinTheScore)
{
    region.showScore (8000, {});

    wheel (-1.0f, 0.0f);
    EXPECT_EQ (region.visibleStart, 1000.0);
    wheel (-1.0f, 0.0f);
    wheel (-1.0f, 0.0f);
    wheel (-1.0f, 0.0f);
    EXPECT_EQ (region.visibleStart, 3000.0); // total minus the visible length
    EXPECT_EQ (region.visibleEnd, 8000.0);

    for (int i = 0; i < 5; ++i)
        wheel (1.0f, 0.0f);
    EXPECT_EQ (region.visibleStart, 0.0);
}

TEST_F (MidiRegionTest, WhilePlayingTheViewFollowsThePlayHead)
{
    region.showScore (48000, {});
    loadAudio (30.0);
    player.transportSource.start();
    playFor (10.0); // tick 9600 at 120 bpm

    wheel (-1.0f, 0.0f);
    EXPECT_EQ (region.visibleStart, 0.0); // ignored while playing

    region.timerCallback();
    EXPECT_NEAR (region.visibleStart, 9600.0 - 2500.0, 25.0);
    EXPECT_NEAR (region.displayTick(), 9600, 25);

    // Near the start the view stays at 0.
    player.transportSource.setPosition (1.0);
    region.timerCallback();
    EXPECT_EQ (region.visibleStart, 0.0);
}

TEST_F (MidiRegionTest, ARulerClickPutsThePlayHeadOnTheCellStart)
{
    region.showScore (30720, {});
    loadAudio (10.0);
    std::vector<int> shown;
    region.onPlayPosition = [&] (int tick, const BarsData& position) {
        shown.push_back (tick);
        EXPECT_EQ (position.bar, region.barNumberAt (tick));
    };

    region.timeLine->mouseUp (mouseEventOn (*region.timeLine, { 300.0f, 7.0f }));

    EXPECT_EQ (region.playheadTick, 1440);
    ASSERT_FALSE (shown.empty());
    EXPECT_EQ (shown.back(), 1440);
    EXPECT_DOUBLE_EQ (player.startPosition, 1.5);
    EXPECT_NEAR (player.transportSource.getCurrentPosition(), 1.5, 1e-6);
    EXPECT_NEAR (region.playhead.getBounds().getX(), 288, 1); // 1440 ticks at 0.2
}

TEST_F (MidiRegionTest, DropsWhileLoadingAreRefused)
{
    state.set (StateController::converting);
    const auto lines = loggedBy ([&] { region.filesDropped ({ "/tmp/x.mid" }, 10, 10); });

    EXPECT_TRUE (lines.contains ("midi is loading, stop"));
    EXPECT_TRUE (region.notePanel->isVisible());
    EXPECT_FALSE (converter.isThreadRunning());
}

TEST_F (MidiRegionTest, UnreadableDropsStillEndInTheConvertersError)
{
    TemporaryFolder folder;
    const auto missing = folder.get().getChildFile ("gone.mid").getFullPathName();

    for (const auto& [path, line] : { std::pair { folder.get().getFullPathName(), "failed to load midi file" },
                                      std::pair { missing, "midi file not found" },
                                      std::pair { juce::String(), "midi file not found" } })
    {
        state.set (StateController::empty);
        errors.clear();

        const auto lines = loggedBy ([&] { region.filesDropped (path.isEmpty() ? juce::StringArray() : juce::StringArray (path), 10, 10); });

        EXPECT_TRUE (lines.contains (line)) << path;
        EXPECT_EQ (state.get(), StateController::converting);
        EXPECT_FALSE (region.notePanel->isVisible());
        EXPECT_TRUE (pumpMessagesUntil ([&] { return ! errors.isEmpty(); }, 5000)) << path;
        EXPECT_EQ (errors[0], "failed to load midi");
        converter.stopThread (2000);
    }
}

TEST_F (MidiRegionTest, ADroppedFileIsReadForTheConverter)
{
    TemporaryFolder folder;
    const auto midi = folder.get().getChildFile ("song.mid");
    midi.replaceWithText ("MThd-not-really");
    settings.baseUrl = "http://127.0.0.1:1/music/api/plugin";
    lyrics.setText (utf8 ("你好"));

    region.filesDropped ({ midi.getFullPathName() }, 10, 10);

    EXPECT_EQ (converter.midiFile, midi);
    EXPECT_EQ (converter.midiData.getSize(), (size_t) midi.getSize());
    EXPECT_EQ (converter.lyricsAtDrop, utf8 ("你好"));
    EXPECT_TRUE (pumpMessagesUntil ([&] { return ! errors.isEmpty(); }, 10000));
    EXPECT_EQ (errors[0], "fire request failed");
}

TEST_F (MidiRegionTest, ResizingRebuildsTheNotesUnselected)
{
    region.showScore (30720, listOf<vocalNote> ({ { 0, 480, {}, 60 }, { 480, 960, {}, 62 } }));
    region.notePanel->noteBox.selectInRange (0, 1000, 0, 127);
    region.notePanel->selectedArea->startTick = 0;
    region.notePanel->selectedArea->endTick = 960;
    wheel (-1.0f, 0.0f);

    region.setSize (1200, 450);

    EXPECT_EQ (region.visibleStart, 0.0);
    ASSERT_EQ (region.notePanel->noteBox.notes.size(), 2u);
    for (const auto& note : region.notePanel->noteBox.notes)
        EXPECT_EQ (note->state, MidiNote::normal);
    EXPECT_EQ (region.notePanel->selectedArea->endTick, 960);
}

TEST_F (MidiRegionTest, ZoomKeepsTheMiddleOfTheView)
{
    region.showScore (30720, listOf<vocalNote> ({ { 4800, 5280, {}, 60 } }));
    wheel (-1.0f, 0.0f); // 1000..6000, middle 3500

    zoom.setValue (0.4, juce::dontSendNotification);
    region.applyZoom();

    EXPECT_DOUBLE_EQ (region.visibleStart, 3500.0 - 1250.0);
    EXPECT_DOUBLE_EQ (region.visibleEnd, 3500.0 + 1250.0);
    EXPECT_EQ (region.notePanel->noteBox.notes[0]->pixelsPerTick, 0.4);
    EXPECT_EQ (region.notePanel->noteBox.notes[0]->getX(), juce::roundToInt ((4800 - 2250) * 0.4));
}

TEST_F (MidiRegionTest, GenerationNeedsWordsValidLyricsAndNoJobRunning)
{
    region.showScore (30720, listOf<vocalNote> ({ { 0, 480, {}, 60 } }));
    EXPECT_FALSE (region.canGenerate());

    lyrics.setText (utf8 ("啊"));
    EXPECT_TRUE (region.canGenerate());

    lyrics.setText (utf8 ("啊 a"));
    EXPECT_FALSE (region.canGenerate());

    lyrics.setText (utf8 ("啊"));
    region.notePanel->noteBox.busy = true;
    EXPECT_FALSE (region.canGenerate());
}

TEST_F (MidiRegionTest, TheSavedScoreIsRestored)
{
    settings.midiFile = "/home/someone/song.mid";
    settings.score.metadata.ticksPerBeat = 480;
    settings.score.metadata.numberOfBars = 4;
    settings.score.metadata.timeSignatureChanges.add ({ 0, 3, 4 });
    vocalInstrument voice;
    voice.notes.add ({ 0, 480, {}, 60 });
    voice.notes.add ({ 480, 960, {}, 64 });
    settings.score.instruments.add (voice);
    lyrics.setText (utf8 ("天空"));

    int handedOver = 0;
    converter.onScoreReady = [&] (int, createVocalRequest) { ++handedOver; };
    region.restoreFromSettings();

    EXPECT_EQ (converter.midiFile, juce::File ("/home/someone/song.mid"));
    EXPECT_EQ (handedOver, 1);
    ASSERT_EQ (region.notePanel->noteBox.notes.size(), 2u);
    EXPECT_EQ (region.notePanel->noteBox.notes[1]->word, utf8 ("空"));
    EXPECT_EQ (meterEditor.getTimeSignatureChanges().size(), 1);

    // Nothing saved: nothing restored.
    Settings empty;
    MidiRegion other (state, keyboard, player, score, converter, zoom, empty, lyrics, modes, grid, tempoEditor);
    handedOver = 0;
    other.restoreFromSettings();
    EXPECT_EQ (handedOver, 0);
}
