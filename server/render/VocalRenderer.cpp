#include "VocalRenderer.h"

#include "Envelope.h"
#include "model/TempoMap.h"
#include "PinyinTable.h"
#include "PitchEstimator.h"
#include "ScoreValidator.h"
#include "SpeechSynth.h"
#include "SyllableShaper.h"
#include "Upsampler.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <thread>

namespace
{
// Notes without a reading are sung on this neutral vowel, so no note goes silent.
constexpr const char* neutralSyllable = "a1";
// Every syllable is brought to the same loudness; espeak-ng speaks some, such as the
// neutral tone, far softer than others.
constexpr double syllableLevel = 0.2;
constexpr float maxSyllableGain = 100.0f;
constexpr double retuneCents = 8.0;
constexpr double steadyEnough = 0.9;

struct Voiced
{
    SpokenSyllable spoken;
    double frequency = 0.0;
};

struct Timed
{
    vocalNote note;
    double start = 0.0, end = 0.0;
};

// Speaks each distinct syllable once per pitch setting and measures its pitch.
class SyllableCache
{
public:
    explicit SyllableCache (const juce::String& voiceToUse)
        : voice (voiceToUse)
    {
    }

    // The syllable spoken as near `frequency` as espeak-ng's pitch setting reaches, so
    // the shift left to Rubber Band stays small.
    const Voiced* get (const juce::String& pinyin, double frequency)
    {
        const auto* reference = spoken (neutralSyllable, 50);

        if (reference == nullptr)
            return nullptr;

        // espeak-ng's pitch setting raises the voice by about 0.4 octave per 25 steps.
        const auto setting = juce::jlimit (0, 100, 10 * (int) std::lround ((50.0 + 62.5 * std::log2 (frequency / reference->frequency)) / 10.0));
        const auto* voiced = spoken (pinyin, setting);
        return voiced != nullptr ? voiced : spoken (neutralSyllable, setting);
    }

private:
    const Voiced* spoken (const juce::String& pinyin, int setting)
    {
        const auto key = pinyin + "@" + juce::String (setting);

        if (auto found = cache.find (key); found != cache.end())
            return found->second.frequency > 0.0 ? &found->second : nullptr;

        Voiced voiced;

        if (SpeechSynth::speak (voice, pinyin, setting, voiced.spoken))
        {
            const auto& s = voiced.spoken;
            voiced.frequency = PitchEstimator::medianFrequency (s.samples, s.vowelStart, (int) s.samples.size(), s.sampleRate);
        }

        const auto& stored = cache.emplace (key, std::move (voiced)).first->second;
        return stored.frequency > 0.0 ? &stored : nullptr;
    }

    juce::String voice;
    std::map<juce::String, Voiced> cache;
};

std::vector<Timed> timedNotes (const createVocalRequest& request)
{
    const auto& metadata = request.metadata;
    const auto map = TempoMap::build (metadata.ticksPerBeat, metadata.tempoChanges);
    std::vector<Timed> notes;

    for (const auto& instrument : request.instruments)
        for (const auto& note : instrument.notes)
            notes.push_back ({ note,
                               TempoMap::secondsAtTick (map, note.start, metadata.ticksPerBeat),
                               TempoMap::secondsAtTick (map, note.end, metadata.ticksPerBeat) });

    std::stable_sort (notes.begin(), notes.end(), [] (const Timed& a, const Timed& b) { return a.start < b.start; });
    return notes;
}

void fade (std::vector<float>& samples, int length)
{
    const auto n = std::min (length, (int) samples.size() / 2);

    for (int i = 0; i < n; ++i)
    {
        const auto gain = (float) i / (float) n;
        samples[(size_t) i] *= gain;
        samples[samples.size() - 1 - (size_t) i] *= gain;
    }
}

struct Shaped
{
    std::vector<float> samples;
    double steadiness = 0.0; // share of the vowel's periodic frames within 20 cents of the note
};

// Shapes the syllable onto the note. Rubber Band's result can land some tens of cents off
// on large shifts (its formant correction pulls the harmonics of close vowels such as
// "i"), so the pitch is measured and, when off, shaped once more with the error taken out.
Shaped shapeInTune (const Voiced& voiced, double frequency, int consonant, int vowelLength, bool preserveFormants)
{
    const auto& spoken = voiced.spoken;
    auto scale = frequency / voiced.frequency;
    Shaped result;

    for (int attempt = 0; attempt < 2; ++attempt)
    {
        result.samples = SyllableShaper::shape (spoken, scale, consonant, vowelLength, preserveFormants);
        const auto vowelFrom = (int) result.samples.size() - vowelLength;
        auto frames = PitchEstimator::frameFrequencies (result.samples, vowelFrom, (int) result.samples.size(), spoken.sampleRate, frequency * 0.45, frequency * 1.18);

        if (frames.empty())
            return result;

        const auto inTune = std::count_if (frames.begin(), frames.end(), [frequency] (double f) { return std::abs (1200.0 * std::log2 (f / frequency)) <= 20.0; });
        result.steadiness = (double) inTune / (double) frames.size();
        std::nth_element (frames.begin(), frames.begin() + (long) frames.size() / 2, frames.end());
        const auto measured = frames[frames.size() / 2];

        // The search reaches an octave down to see a wavering subharmonic; a median that
        // far off is that, not a shift to correct.
        if (const auto error = std::abs (1200.0 * std::log2 (measured / frequency)); error <= retuneCents || error >= 100.0)
            return result;

        scale *= frequency / measured;
    }

    return result;
}

// The note sung at its pitch and brought to the common loudness. Where the formant
// correction leaves the pitch wavering between two values, the syllable is shaped
// without it: a note in tune matters more than the vowel's exact colour.
std::vector<float> sing (const Voiced& voiced, double frequency, int consonant, int vowelLength)
{
    auto best = shapeInTune (voiced, frequency, consonant, vowelLength, true);

    if (best.steadiness < steadyEnough)
        if (auto plain = shapeInTune (voiced, frequency, consonant, vowelLength, false); plain.steadiness > best.steadiness)
            best = std::move (plain);

    auto& sung = best.samples;
    const auto vowelFrom = (int) sung.size() - vowelLength;

    if (const auto level = Envelope::loudest (sung, vowelFrom, (int) sung.size(), voiced.spoken.sampleRate); level > 0.0f)
    {
        const auto gain = std::min (maxSyllableGain, (float) syllableLevel / level);

        for (auto& sample : sung)
            sample *= gain;
    }

    return sung;
}

// A note ready to be shaped, and then its sung samples.
struct Part
{
    const Voiced* voiced = nullptr;
    double target = 0.0;
    int consonant = 0, vowelAt = 0, endAt = 0;
    std::vector<float> sung;
};

constexpr size_t notesPerChunk = 64;

// Sings every part, taking them in turn on the calling thread and one more thread per
// further core. Rubber Band's stretchers are independent of one another.
void shapeAll (std::vector<Part>& parts, int fadeLength, const std::atomic<bool>* cancelled)
{
    std::atomic<size_t> next { 0 };
    const auto work = [&] {
        for (auto i = next++; i < parts.size(); i = next++)
        {
            if (cancelled != nullptr && cancelled->load())
                return;

            auto& part = parts[i];
            part.sung = sing (*part.voiced, part.target, part.consonant, part.endAt - part.vowelAt);
            fade (part.sung, fadeLength);
        }
    };

    const auto cores = (size_t) juce::jmax (1, juce::SystemStats::getNumCpus());
    std::vector<std::thread> helpers;

    for (size_t i = 1; i < std::min (cores, parts.size()); ++i)
        helpers.emplace_back (work);

    work();

    for (auto& helper : helpers)
        helper.join();
}
} // namespace

juce::String VocalRenderer::syllableFor (const juce::String& word)
{
    const juce::String reading (word.isNotEmpty() ? PinyinTable::syllableOf (word[0]) : "");
    return reading.isNotEmpty() ? reading : juce::String (neutralSyllable);
}

juce::String VocalRenderer::render (const createVocalRequest& request, juce::AudioBuffer<float>& vocal, const std::atomic<bool>* cancelled)
{
    if (auto fault = ScoreValidator::check (request); fault.isNotEmpty())
        return fault;

    juce::String error;

    if (! SpeechSynth::initialise (error))
        return error;

    const auto totalSamples = (int) std::llround (ScoreValidator::lengthInSeconds (request) * outputSampleRate);
    const auto workRate = outputSampleRate / 2.0; // espeak-ng's own rate
    std::vector<float> mix ((size_t) totalSamples / 2 + 2, 0.0f);
    SyllableCache syllables (SpeechSynth::voiceFor (request.model));
    const auto fadeLength = (int) (fadeSeconds * workRate);
    const auto notes = timedNotes (request);
    double previousEnd = 0.0;

    // espeak-ng speaks on this thread only (it keeps global state); the shaping of the
    // spoken syllables onto their notes, nearly all of the work, runs on every core.
    // Notes go in chunks so a long score never holds all its sung notes at once, and
    // each chunk is mixed in note order, so the result does not depend on the threads.
    for (size_t chunkStart = 0; chunkStart < notes.size(); chunkStart += notesPerChunk)
    {
        const auto chunkEnd = std::min (notes.size(), chunkStart + notesPerChunk);
        std::vector<Part> parts;

        for (auto n = chunkStart; n < chunkEnd; ++n)
        {
            if (cancelled != nullptr && cancelled->load())
                return cancelledMessage;

            const auto& timed = notes[n];
            const auto target = 440.0 * std::pow (2.0, (timed.note.pitch - 69) / 12.0);
            const auto* voiced = syllables.get (syllableFor (timed.note.word), target);

            if (voiced == nullptr)
                return "espeak-ng could not speak the voice \"" + request.model + "\"";

            const auto vowelAt = (int) std::llround (timed.start * workRate);
            const auto endAt = std::min ((int) mix.size(), (int) std::llround (timed.end * workRate));
            const auto gap = std::max (0, (int) std::llround ((timed.start - previousEnd) * workRate));
            const auto consonant = std::min ({ voiced->spoken.vowelStart, gap, vowelAt });
            previousEnd = std::max (previousEnd, timed.end);

            if (endAt > vowelAt)
                parts.push_back ({ voiced, target, consonant, vowelAt, endAt, {} });
        }

        shapeAll (parts, fadeLength, cancelled);

        if (cancelled != nullptr && cancelled->load())
            return cancelledMessage;

        for (const auto& part : parts)
        {
            const auto begin = part.endAt - (int) part.sung.size();

            for (size_t i = 0; i < part.sung.size(); ++i)
                if (const auto at = begin + (int) i; at >= 0)
                    mix[(size_t) at] += part.sung[i];
        }
    }

    vocal.setSize (1, totalSamples);
    vocal.clear();
    Upsampler::twice (mix, vocal.getWritePointer (0), totalSamples);

    if (const auto peak = vocal.getMagnitude (0, 0, totalSamples); peak > 0.0f)
        vocal.applyGain (juce::Decibels::decibelsToGain ((float) peakDecibels) / peak);

    return {};
}

juce::String VocalRenderer::renderToFile (const createVocalRequest& request, const juce::File& target, const std::atomic<bool>* cancelled)
{
    juce::AudioBuffer<float> vocal;

    if (auto fault = render (request, vocal, cancelled); fault.isNotEmpty())
        return fault;

    // Written beside the target and moved over it only when complete.
    juce::TemporaryFile temporary (target);

    {
        auto stream = temporary.getFile().createOutputStream();

        if (stream == nullptr)
            return "cannot write " + target.getFullPathName();

        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatWriter> writer (wav.createWriterFor (stream.get(), outputSampleRate, 1, 16, {}, 0));

        if (writer == nullptr)
            return "cannot write " + target.getFullPathName();

        stream.release(); // the writer owns it now

        if (! writer->writeFromAudioSampleBuffer (vocal, 0, vocal.getNumSamples()))
            return "cannot write " + target.getFullPathName();
    }

    // The stream's own status is lost when the writer closes it, so a full disk shows
    // only as a short file.
    if (temporary.getFile().getSize() < 44 + 2 * (juce::int64) vocal.getNumSamples())
        return "cannot write " + target.getFullPathName();

    if (! temporary.overwriteTargetFileWithTemporary())
        return "cannot write " + target.getFullPathName();

    return {};
}
