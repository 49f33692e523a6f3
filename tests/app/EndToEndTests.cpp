#include "app/EmbeddedService.h"
#include "app/MainView.h"
#include "server/support/Yin.h"
#include "service/ServiceUrl.h"
#include "support/MessagePump.h"
#include "support/ScopedHome.h"
#include "support/Utf8.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

namespace
{
// The program with its own service in this process, as a user gets it: no fake anywhere.
struct EndToEnd : public testing::Test
{
    EndToEnd() { unsetenv (ServiceUrl::overrideVariable); }

    ~EndToEnd() override
    {
        view = nullptr;
        service = nullptr;
        ServiceUrl::useLocalService ({});
    }

    ScopedHome home;
    std::unique_ptr<EmbeddedService> service = std::make_unique<EmbeddedService>();
    std::unique_ptr<MainView> view;
    std::vector<juce::String> shown;
};

TEST_F (EndToEnd, ADroppedMidiFileIsSungInTuneAndLoaded)
{
    ASSERT_TRUE (service->start (EmbeddedService::defaultDataDir()));
    EXPECT_TRUE (EmbeddedService::defaultDataDir().isAChildOf (home.file ({})));

    view = std::make_unique<MainView> ([this] (juce::MessageBoxIconType, const juce::String&, const juce::String& message, std::function<void()>) { shown.push_back (message); });
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! view->versionDialog->isVisible(); }, 10000)) << "the version check did not pass";

    // The example song: 14 notes with lyrics, 96 bpm, 480 ticks a beat.
    const auto midi = home.file ("twinkle.mid");
    ASSERT_TRUE (juce::File (VOXLET_EXAMPLE_MIDI).copyFileTo (midi));
    view->midiRegion->filesDropped ({ midi.getFullPathName() }, 100, 100);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return view->state.get() == StateController::loaded || ! shown.empty(); }, 20000));
    ASSERT_TRUE (shown.empty()) << shown[0];

    const auto& notes = view->midiRegion->notePanel->noteBox.notes;
    ASSERT_EQ (notes.size(), 14u);
    EXPECT_EQ (view->metadata.ticksPerBeat, 480);
    EXPECT_EQ (notes[4]->pitch, 69);

    // The user pastes the lyrics and presses "歌聲生成".
    view->lyricsEditor.setText (utf8 ("一閃一閃亮晶晶，滿天都是小星星"), true);
    pumpMessagesFor (100);
    EXPECT_EQ (notes[4]->word, utf8 ("亮"));
    ASSERT_TRUE (view->generateButton->generateButton->isEnabled());
    view->generateButton->generateButton->triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return view->wavHandler->wavReady || ! shown.empty(); }, 90000));
    ASSERT_TRUE (shown.empty()) << shown[0];
    pumpMessagesFor (100);

    // The WAV is in the result folder and sings every note in tune.
    const juce::File wav (view->config.wavFile);
    ASSERT_TRUE (wav.existsAsFile());
    EXPECT_TRUE (wav.isAChildOf (Settings::resolve (view->config.resultFolder)));

    juce::WavAudioFormat format;
    std::unique_ptr<juce::AudioFormatReader> reader (format.createReaderFor (wav.createInputStream().release(), true));
    ASSERT_NE (reader, nullptr);
    juce::AudioBuffer<float> vocal (1, (int) reader->lengthInSamples);
    reader->read (&vocal, 0, vocal.getNumSamples(), 0, true, false);
    const auto secondsPerTick = 60.0 / 96.0 / 480.0;

    for (const auto& note : notes)
    {
        std::vector<double> voiced;

        for (const auto& frame : Yin::track (vocal, reader->sampleRate, note->start * secondsPerTick + 0.012, note->end * secondsPerTick - 0.012))
            if (frame.frequency > 0.0)
                voiced.push_back (frame.frequency);

        ASSERT_GE (voiced.size(), 10u) << note->start;
        EXPECT_NEAR (Yin::cents (Yin::median (voiced), note->pitch), 0.0, 25.0) << "note at " << note->start;
    }

    // The last note ends at 7640 ticks; the file lasts half a second more, and the
    // ruler's audio end mark sits where the file ends.
    const auto seconds = (double) reader->lengthInSamples / reader->sampleRate;
    EXPECT_NEAR (seconds, 7640 * secondsPerTick + 0.5, 0.01);
    EXPECT_NEAR (view->midiRegion->timeLine->audioEndTick, seconds / secondsPerTick, 1.0);
    EXPECT_TRUE (view->wavPlayer.playOrPause.isEnabled());
}
} // namespace
