// One frame of the roll during playback (the notes placed again, then background, ruler
// and notes painted) and the note collection's update after an edit or a keystroke.
#include "import/MidiConverter.h"
#include "roll/Keyboard.h"
#include "roll/MidiRegion.h"
#include "roll/NotePanel.h"
#include "roll/RollPanel.h"
#include "roll/TimeLinePanel.h"

#include <benchmark/benchmark.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
struct Roll
{
    explicit Roll (int notes)
    {
        score.ticksPerBeat = 480;
        score.numberOfBars = notes / 4 + 1;
        score.timeSignatureChanges.add ({ 0, 4, 4 });
        keyboard.setSize (70, 450);
        scrollBar.setRangeLimits (0, notes * 480.0);
        scrollBar.setCurrentRange (0, 1600 / 0.2);
        scrollBar.setSize (1600, 10);
        grid.comboBox.setSelectedId (8, juce::dontSendNotification);
        state.set (StateController::loaded);
        background.setSize (1600, 450);
        ruler.setSize (1600, 15);
        panel.setSize (1600, 440);

        juce::String text;
        for (int i = 0; i < notes; ++i)
            text += juce::String::charToString (0x4E00 + (i * 37) % 20000);
        lyrics.setText (text);

        juce::Array<vocalNote> records;
        // Ten notes a beat: about a sixth of them is on screen at this zoom.
        for (int i = 0; i < notes; ++i)
            records.add ({ i * 480 / 10, i * 480 / 10 + 40, {}, 48 + (i * 7) % 30 });
        panel.setNotes (records);
    }

    vocalMetadata score;
    Keyboard keyboard;
    juce::ScrollBar scrollBar { false };
    juce::TextEditor lyrics;
    ModeController modes;
    GridController grid;
    StateController state;
    RollPanel background { score, keyboard, scrollBar, state, grid };
    TimeLinePanel ruler { score, keyboard, scrollBar, state };
    NotePanel panel { keyboard, scrollBar, lyrics, score, modes, grid };
};

void rollFrame (benchmark::State& benchmarkState)
{
    juce::ScopedJuceInitialiser_GUI gui;
    Roll roll ((int) benchmarkState.range (0));
    juce::Image image (juce::Image::ARGB, 1600, 450, true);

    for (auto _ : benchmarkState)
    {
        roll.panel.updateLayout();
        juce::Graphics g (image);
        roll.background.paintEntireComponent (g, true);
        roll.panel.paintEntireComponent (g, true);
        g.reduceClipRegion (roll.ruler.getLocalBounds());
        roll.ruler.paintEntireComponent (g, true);
    }
}

void noteBoxUpdate (benchmark::State& benchmarkState)
{
    juce::ScopedJuceInitialiser_GUI gui;
    Roll roll ((int) benchmarkState.range (0));

    for (auto _ : benchmarkState)
        roll.panel.noteBox.update();
}
// The region as it follows playback: a long vocal playing, 1000 notes on the roll.
struct PlayingRegion
{
    PlayingRegion()
    {
        score.ticksPerBeat = 480;
        score.numberOfBars = 250;
        score.timeSignatureChanges.add ({ 0, 4, 4 });
        keyboard.setSize (70, 450);
        zoom.setRange (0.2, 0.8);
        zoom.setValue (0.2, juce::dontSendNotification);
        region.setSize (1600, 450);

        juce::Array<vocalNote> notes;
        for (int i = 0; i < 1000; ++i)
            notes.add ({ i * 480, i * 480 + 400, {}, 48 + (i * 7) % 30 });
        region.showScore (480000, notes);

        // Ten minutes of silence to play through.
        const auto rate = 44100.0;
        juce::MemoryBlock wav;
        {
            auto* stream = new juce::MemoryOutputStream (wav, false);
            std::unique_ptr<juce::AudioFormatWriter> writer (juce::WavAudioFormat().createWriterFor (stream, rate, 1, 16, {}, 0));
            juce::AudioBuffer<float> silence (1, (int) (600 * rate));
            silence.clear();
            writer->writeFromAudioSampleBuffer (silence, 0, silence.getNumSamples());
        }
        player.transportSource.prepareToPlay (735, rate);
        player.setReader (juce::WavAudioFormat().createReaderFor (new juce::MemoryInputStream (wav, true), true));
        player.transportSource.start();
    }

    ~PlayingRegion() { player.transportSource.releaseResources(); }

    // One 33 ms step of the audio device.
    void advance()
    {
        juce::AudioBuffer<float> buffer (2, 1455);
        juce::AudioSourceChannelInfo info (&buffer, 0, buffer.getNumSamples());
        player.transportSource.getNextAudioBlock (info);
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
};

void followPlayback (benchmark::State& benchmarkState)
{
    juce::ScopedJuceInitialiser_GUI gui;
    PlayingRegion playing;

    for (auto _ : benchmarkState)
    {
        benchmarkState.PauseTiming();
        playing.advance();
        benchmarkState.ResumeTiming();
        playing.region.timerCallback();
    }
}
} // namespace

BENCHMARK (followPlayback)->Unit (benchmark::kMillisecond);
BENCHMARK (rollFrame)->Arg (1000)->Unit (benchmark::kMillisecond);
BENCHMARK (noteBoxUpdate)->Arg (1000)->Unit (benchmark::kMillisecond);
