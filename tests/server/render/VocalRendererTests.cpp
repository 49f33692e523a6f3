#include "ScoreValidator.h"
#include "support/ScoreBuilder.h"
#include "support/TemporaryFolder.h"
#include "support/Utf8.h"
#include "support/Yin.h"
#include "VocalRenderer.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

namespace
{
constexpr double rate = VocalRenderer::outputSampleRate;

juce::AudioBuffer<float> rendered (const createVocalRequest& request)
{
    juce::AudioBuffer<float> vocal;
    const auto error = VocalRenderer::render (request, vocal);
    EXPECT_TRUE (error.isEmpty()) << error;
    return vocal;
}

// Seconds at a tick of a piecewise-constant tempo list, worked out here independently.
double secondsAt (const createVocalRequest& request, int tick)
{
    const auto& changes = request.metadata.tempoChanges;
    const double perBeat = request.metadata.ticksPerBeat;
    double seconds = 0.0, tempo = 120.0;
    int from = 0;

    for (const auto& change : changes)
    {
        if (change.time >= tick)
            break;

        seconds += (change.time - from) / perBeat * 60.0 / tempo;
        from = change.time;
        tempo = change.tempo;
    }

    return seconds + (tick - from) / perBeat * 60.0 / tempo;
}

struct VoiceRange
{
    const char* model;
    int lowest, highest;
};

class RendererPitch : public testing::TestWithParam<VoiceRange>
{
};

// Each pitch of the voice's range, on a mix of syllables, held 400 ms with a rest after.
TEST_P (RendererPitch, EveryNoteIsWithin25CentsOfItsPitch)
{
    const auto range = GetParam();
    const auto words = utf8 ("我愛你好的啊是天上大家唱歌綠山水月光一閃亮晶星");
    ScoreBuilder score (480, range.model);

    for (int pitch = range.lowest, i = 0; pitch <= range.highest; ++pitch, ++i)
        score.note (i * 480, i * 480 + 384, juce::String::charToString (words[i % words.length()]), pitch);

    const auto vocal = rendered (score.request);
    const auto lowest = 440.0 * std::pow (2.0, (range.lowest - 69) / 12.0) * 0.7;

    for (const auto& note : score.request.instruments[0].notes)
    {
        const auto start = secondsAt (score.request, note.start), end = secondsAt (score.request, note.end);
        std::vector<double> voiced;

        for (const auto& frame : Yin::track (vocal, rate, start + 0.012, end - 0.012, 0.005, lowest))
            if (frame.frequency > 0.0)
                voiced.push_back (frame.frequency);

        ASSERT_GE (voiced.size(), 10u) << "pitch " << note.pitch << " word " << note.word;
        EXPECT_NEAR (Yin::cents (Yin::median (voiced), note.pitch), 0.0, 25.0) << "pitch " << note.pitch << " word " << note.word;
    }
}

INSTANTIATE_TEST_SUITE_P (Voices,
                          RendererPitch,
                          testing::Values (VoiceRange { kDefaultVoiceModel, 43, 72 }, VoiceRange { kFemaleVoiceModel, 55, 84 }),
                          [] (const auto& p) { return juce::String (p.param.model).replace ("_", "").toStdString(); });

// Notes are shaped in batches across threads: a score of several batches keeps every note,
// each at its own place and pitch.
TEST (RendererPitch, AScoreOfManyNotesIsSungWholeAndInTune)
{
    const auto words = utf8 ("我愛你好的啊是天上大家唱歌");
    ScoreBuilder score (480);

    for (int i = 0; i < 150; ++i)
        score.note (i * 240, i * 240 + 180, juce::String::charToString (words[i % words.length()]), 48 + (i * 5) % 19);

    const auto vocal = rendered (score.request);

    for (const auto& note : score.request.instruments[0].notes)
    {
        const auto start = secondsAt (score.request, note.start), end = secondsAt (score.request, note.end);
        std::vector<double> voiced;

        for (const auto& frame : Yin::track (vocal, rate, start + 0.012, end - 0.012, 0.005, 90.0))
            if (frame.frequency > 0.0)
                voiced.push_back (frame.frequency);

        ASSERT_GE (voiced.size(), 5u) << "note at " << note.start;
        EXPECT_NEAR (Yin::cents (Yin::median (voiced), note.pitch), 0.0, 25.0) << "note at " << note.start << " pitch " << note.pitch;
    }
}

// The first time after `from` where the voice has been periodic for 10 ms.
double voicedOnset (const juce::AudioBuffer<float>& vocal, double from, double to)
{
    const auto frames = Yin::track (vocal, rate, from, to, 0.001, 80.0);

    for (size_t i = 0; i + 10 < frames.size(); ++i)
        if (std::all_of (frames.begin() + (long) i, frames.begin() + (long) i + 10, [] (const Yin::Frame& f) { return f.frequency > 0.0; }))
            return frames[i].seconds;

    return -1.0;
}

struct TimingCase
{
    const char* name;
    ScoreBuilder score;
};

TimingCase withChanges480()
{
    // 100 bpm, then 140 from bar 3, with 4/4 turning 3/4 at bar 2.
    ScoreBuilder score (480);
    score.tempos ({ { 0, 100.0 }, { 3840, 140.0 } }).meters ({ { 0, 4, 4 }, { 1920, 3, 4 } });
    const auto words = utf8 ("大他是八阿卡哈發殺擦");

    for (int i = 0; i < words.length(); ++i)
        score.note (240 + i * 720, 240 + i * 720 + 400, juce::String::charToString (words[i]), 55 + (i % 5) * 2);

    return { "480 ticks, tempo and meter changes", score };
}

TimingCase withChanges96()
{
    ScoreBuilder score (96);
    score.tempos ({ { 0, 75.0 }, { 576, 150.0 }, { 1152, 90.0 } }).meters ({ { 0, 6, 8 }, { 576, 2, 4 } });
    const auto words = utf8 ("他是八阿大哈發殺");

    for (int i = 0; i < words.length(); ++i)
        score.note (48 + i * 192, 48 + i * 192 + 96, juce::String::charToString (words[i]), 57 + (i % 3) * 3);

    return { "96 ticks, three tempos", score };
}

TEST (RendererTiming, EveryVowelStartsOnItsNote)
{
    for (const auto& c : { withChanges480(), withChanges96() })
    {
        SCOPED_TRACE (c.name);
        const auto vocal = rendered (c.score.request);

        for (const auto& note : c.score.request.instruments[0].notes)
        {
            const auto expected = secondsAt (c.score.request, note.start);
            const auto onset = voicedOnset (vocal, expected - 0.1, expected + 0.1);
            EXPECT_NEAR (onset, expected, 0.020) << "note at tick " << note.start << " word " << note.word;
        }
    }
}

TEST (RendererTiming, TheFileLastsTheLastNoteAndHalfASecondAtMinusOneDecibel)
{
    TemporaryFolder folder;

    for (const auto& c : { withChanges480(), withChanges96() })
    {
        SCOPED_TRACE (c.name);
        const auto file = folder.get().getChildFile ("vocal.wav");
        const auto error = VocalRenderer::renderToFile (c.score.request, file);
        ASSERT_TRUE (error.isEmpty()) << error;

        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatReader> reader (wav.createReaderFor (file.createInputStream().release(), true));
        ASSERT_NE (reader, nullptr);
        EXPECT_EQ (reader->sampleRate, 44100.0);
        EXPECT_EQ (reader->numChannels, 1u);
        EXPECT_EQ (reader->bitsPerSample, 16u);

        const auto lastEnd = c.score.request.instruments[0].notes.getLast().end;
        EXPECT_NEAR ((double) reader->lengthInSamples / rate, secondsAt (c.score.request, lastEnd) + 0.5, 0.010);

        juce::AudioBuffer<float> samples (1, (int) reader->lengthInSamples);
        reader->read (&samples, 0, samples.getNumSamples(), 0, true, false);
        EXPECT_NEAR (juce::Decibels::gainToDecibels (samples.getMagnitude (0, 0, samples.getNumSamples())), -1.0, 0.1);
    }
}

TEST (RendererSilence, RestsAreSilentAndWordlessNotesAreSung)
{
    // An empty word and a word without a reading (a Latin letter) are sung on "a".
    ScoreBuilder score (480);
    score.note (960, 1440, {}, 60).note (1920, 2400, "x", 62);
    const auto vocal = rendered (score.request);

    EXPECT_EQ (vocal.getMagnitude (0, 0, (int) (0.9 * rate)), 0.0f);
    EXPECT_EQ (vocal.getMagnitude (0, (int) (1.55 * rate), (int) (0.3 * rate)), 0.0f);

    for (const auto& note : score.request.instruments[0].notes)
    {
        std::vector<double> voiced;

        for (const auto& frame : Yin::track (vocal, rate, secondsAt (score.request, note.start) + 0.02, secondsAt (score.request, note.end) - 0.02))
            if (frame.frequency > 0.0)
                voiced.push_back (frame.frequency);

        EXPECT_GE (voiced.size(), 20u);
        EXPECT_NEAR (Yin::cents (Yin::median (voiced), note.pitch), 0.0, 25.0);
    }
}

TEST (RendererLimits, ExtremeNotesRenderWholeAndLongNotesStayInTune)
{
    // The lowest and highest pitches, notes of one tick, and a two-minute note (hundreds of
    // times its spoken vowel) followed by more notes.
    ScoreBuilder score (480);
    score.note (0, 480, utf8 ("我"), 0).note (480, 960, utf8 ("你"), 127).note (960, 961, "a", 60).note (961, 962, utf8 ("你"), 60);
    score.note (1000, 1000 + 480 * 2 * 120, utf8 ("好"), 57).note (1000 + 480 * 2 * 120 + 480, 1000 + 480 * 2 * 121, utf8 ("的"), 60);
    const auto vocal = rendered (score.request);

    const auto lastEnd = score.request.instruments[0].notes.getLast().end;
    EXPECT_NEAR (vocal.getNumSamples() / rate, secondsAt (score.request, lastEnd) + 0.5, 0.010);

    for (const auto& [from, to] : { std::pair { 2.0, 3.0 }, std::pair { 60.0, 61.0 }, std::pair { 119.0, 120.0 } })
    {
        std::vector<double> voiced;

        for (const auto& frame : Yin::track (vocal, rate, from, to, 0.02))
            if (frame.frequency > 0.0)
                voiced.push_back (frame.frequency);

        EXPECT_GE (voiced.size(), 40u) << from;
        EXPECT_NEAR (Yin::cents (Yin::median (voiced), 57), 0.0, 25.0) << from;
    }
}

struct BadInput
{
    const char* name;
    std::function<void (createVocalRequest&)> spoil;
    const char* message;
};

TEST (RendererInput, EveryBadScoreIsRefusedWithItsReasonAndNoFile)
{
    const BadInput cases[] = {
        { "unknown voice", [] (auto& r) { r.model = "robot"; }, "voice.model \"robot\" is not a known voice" },
        { "encoding", [] (auto& r) { r.encoding = "MP3"; }, "audioConfig.encoding" },
        { "sample rate", [] (auto& r) { r.sampleRate = "48K"; }, "audioConfig.sampleRate" },
        { "ticks per beat 0", [] (auto& r) { r.metadata.ticksPerBeat = 0; }, "metadata.ticksPerBeat must be 1 to 32767, not 0" },
        { "ticks per beat too many", [] (auto& r) { r.metadata.ticksPerBeat = 32768; }, "metadata.ticksPerBeat" },
        { "tempo 0", [] (auto& r) { r.metadata.tempoChanges.getReference (0).tempo = 0.0; }, "metadata.tempoChanges[0].tempo" },
        { "tempo too fast", [] (auto& r) { r.metadata.tempoChanges.add ({ 10, 1000.5 }); }, "metadata.tempoChanges[1].tempo" },
        { "tempo NaN", [] (auto& r) { r.metadata.tempoChanges.getReference (0).tempo = std::nan (""); }, "metadata.tempoChanges[0].tempo" },
        { "tempo out of order", [] (auto& r) { r.metadata.tempoChanges.add ({ 960, 90.0 }); r.metadata.tempoChanges.add ({ 480, 90.0 }); }, "metadata.tempoChanges[2].time" },
        { "numerator 0", [] (auto& r) { r.metadata.timeSignatureChanges.getReference (0).numerator = 0; }, "metadata.timeSignatureChanges[0].numerator" },
        { "numerator 256", [] (auto& r) { r.metadata.timeSignatureChanges.getReference (0).numerator = 256; }, "numerator must be 1 to 255" },
        { "denominator 3", [] (auto& r) { r.metadata.timeSignatureChanges.getReference (0).denominator = 3; }, "metadata.timeSignatureChanges[0].denominator" },
        { "denominator 128", [] (auto& r) { r.metadata.timeSignatureChanges.add ({ 0, 4, 128 }); }, "metadata.timeSignatureChanges[1].denominator" },
        { "note backwards", [] (auto& r) { r.instruments.getReference (0).notes.getReference (1).end = 100; }, "instruments[0].notes[1] must start" },
        { "note empty", [] (auto& r) { auto& n = r.instruments.getReference (0).notes.getReference (2); n.end = n.start; }, "instruments[0].notes[2]" },
        { "note negative", [] (auto& r) { r.instruments.getReference (0).notes.getReference (0).start = -10; }, "instruments[0].notes[0]" },
        { "pitch 128", [] (auto& r) { r.instruments.getReference (0).notes.getReference (1).pitch = 128; }, "instruments[0].notes[1].pitch must be 0 to 127, not 128" },
        { "pitch negative", [] (auto& r) { r.instruments.getReference (0).notes.getReference (2).pitch = -1; }, "instruments[0].notes[2].pitch" },
        { "too many notes",
          [] (auto& r) {
              for (int i = 0; i < ScoreValidator::maxNotes; ++i)
                  r.instruments.getReference (0).notes.add ({ i * 10, i * 10 + 5, {}, 60 });
          },
          "more than 10000" },
        { "too long", [] (auto& r) { r.instruments.getReference (0).notes.add ({ 480 * 2 * 60 * 15, 480 * 2 * 60 * 15 + 10, {}, 60 }); }, "more than 15 minutes" },
        { "too long by tempo", [] (auto& r) { r.metadata.tempoChanges.getReference (0).tempo = 0.001; }, "more than 15 minutes" },
    };

    TemporaryFolder folder;

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        ScoreBuilder score (480);
        score.note (0, 480, utf8 ("我"), 60).note (480, 960, utf8 ("愛"), 62).note (960, 1440, utf8 ("你"), 64);
        c.spoil (score.request);

        const auto file = folder.get().getChildFile ("out.wav");
        const auto error = VocalRenderer::renderToFile (score.request, file);
        EXPECT_TRUE (error.contains (c.message)) << error;
        EXPECT_FALSE (file.exists());
    }
}

TEST (RendererInput, AFailedRenderLeavesTheEarlierFileAlone)
{
    TemporaryFolder folder;
    const auto file = folder.get().getChildFile ("out.wav");
    file.replaceWithText ("earlier");

    ScoreBuilder score (480);
    score.note (0, 480, utf8 ("我"), 200);
    EXPECT_TRUE (VocalRenderer::renderToFile (score.request, file).isNotEmpty());
    EXPECT_EQ (file.loadFileAsString(), "earlier");
    EXPECT_EQ (folder.get().getNumberOfChildFiles (juce::File::findFiles), 1);
}
} // namespace
