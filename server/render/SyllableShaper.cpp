#include "SyllableShaper.h"

#include <juce_core/juce_core.h>
#include <rubberband/RubberBandStretcher.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace
{
// Too short a consonant cannot be stretched meaningfully; it is dropped instead.
constexpr int shortestConsonant = 64;
// Key frames closer than this are not worth a separate stretch.
constexpr int minimumKeyGap = 256;
constexpr int blockLength = 1024;
// Rubber Band's fine engine is built for moderate ratios; far outside them it warns and,
// at a few thousand times, crashes. A longer note loops the sustained vowel first, a
// shorter one loses part of it, so the engine never sees more than these.
constexpr double longestStretch = 8.0, shortestStretch = 0.25;
// No voice sings outside three octaves either way of the spoken pitch.
constexpr double lowestScale = 0.125, highestScale = 8.0;
// Below this a note is too short to hear a pitch; the syllable is used as spoken.
constexpr int shortestShaped = 256;

// Rubber Band's warnings concern sound quality on edge cases, which the limits above keep
// it out of; they would only break the tool's one-line error convention.
struct QuietLog : RubberBand::RubberBandStretcher::Logger
{
    void log (const char*) override {}
    void log (const char*, double) override {}
    void log (const char*, double, double) override {}
};

// The offset near `length` at which the sustained vowel best continues its own start, so
// that a loop of that length joins in phase.
int loopLengthNear (const std::vector<float>& x, int from, int length, int window)
{
    const auto search = std::min (length / 4, 441);
    auto best = length;
    auto bestScore = -1.0;

    for (int candidate = length - search; candidate <= length; ++candidate)
    {
        double sum = 0.0, a = 0.0, b = 0.0;

        for (int i = 0; i < window; ++i)
        {
            const auto p = x[(size_t) (from + i)], q = x[(size_t) (from + candidate + i)];
            sum += (double) p * q;
            a += (double) p * p;
            b += (double) q * q;
        }

        if (const auto score = sum / std::sqrt (a * b + 1.0e-12); score > bestScore)
        {
            bestScore = score;
            best = candidate;
        }
    }

    return best;
}

// The syllable with its sustained vowel (vowel start to fade) repeated or cut so that its
// vowel can be fitted to `vowelLength` within the engine's ratios.
SpokenSyllable fitted (const SpokenSyllable& syllable, int vowelLength)
{
    const auto& x = syllable.samples;
    const auto total = (int) x.size();
    const auto vowelIn = total - syllable.vowelStart;
    const auto crossfade = (int) (syllable.sampleRate * 0.02);
    const auto sustainFrom = syllable.vowelStart;
    const auto sustainTo = std::max (sustainFrom, std::min (syllable.decayStart, total));

    if (vowelLength > vowelIn * longestStretch && sustainTo - sustainFrom > 4 * crossfade)
    {
        const auto loop = loopLengthNear (x, sustainFrom, sustainTo - sustainFrom - crossfade - 1, crossfade);
        const auto wanted = (int) std::ceil (vowelLength / longestStretch);
        SpokenSyllable longer = syllable;
        longer.samples.assign (x.begin(), x.begin() + sustainFrom + loop + crossfade);

        // Each repeat fades in over the previous one's last 20 ms.
        while ((int) longer.samples.size() - longer.vowelStart + (total - sustainTo) < wanted)
        {
            const auto joinAt = longer.samples.size() - (size_t) crossfade;

            for (int i = 0; i < crossfade; ++i)
            {
                const auto gain = (float) i / (float) crossfade;
                auto& sample = longer.samples[joinAt + (size_t) i];
                sample = sample * (1.0f - gain) + x[(size_t) (sustainFrom + i)] * gain;
            }

            longer.samples.insert (longer.samples.end(), x.begin() + sustainFrom + crossfade, x.begin() + sustainFrom + loop + crossfade);
        }

        longer.decayStart = (int) longer.samples.size();
        longer.samples.insert (longer.samples.end(), x.begin() + sustainTo, x.end());
        return longer;
    }

    if (vowelLength < vowelIn * shortestStretch)
    {
        // Keeps the vowel's beginning and its fade, cutting from the middle.
        const auto keep = std::max (1, (int) (vowelLength / shortestStretch));
        const auto tail = std::min (total - sustainTo, keep / 2);
        SpokenSyllable shorter = syllable;
        shorter.samples.assign (x.begin(), x.begin() + syllable.vowelStart + (keep - tail));
        shorter.decayStart = (int) shorter.samples.size();
        shorter.samples.insert (shorter.samples.end(), x.end() - tail, x.end());
        return shorter;
    }

    return syllable;
}
} // namespace

std::vector<float> SyllableShaper::shape (const SpokenSyllable& spoken, double pitchScale, int consonantLength, int vowelLength, bool preserveFormants)
{
    using RubberBand::RubberBandStretcher;

    if (consonantLength + vowelLength < shortestShaped)
    {
        std::vector<float> asSpoken ((size_t) std::max (0, consonantLength + vowelLength), 0.0f);
        const auto from = (size_t) std::max (0, spoken.vowelStart - consonantLength);

        for (size_t i = 0; i < asSpoken.size() && from + i < spoken.samples.size(); ++i)
            asSpoken[i] = spoken.samples[from + i];

        return asSpoken;
    }

    const auto syllable = fitted (spoken, vowelLength);

    auto first = consonantLength >= shortestConsonant ? 0 : syllable.vowelStart;
    const auto consonantIn = syllable.vowelStart - first;
    const auto consonantOut = consonantIn > 0 ? consonantLength : 0;
    const auto inputLength = (int) syllable.samples.size() - first;
    const auto outputLength = consonantOut + vowelLength;

    if (inputLength <= 0 || outputLength <= 0)
        return std::vector<float> ((size_t) std::max (0, outputLength), 0.0f);

    // Rubber Band's resampler builds a filter table as long as the denominator of the ratio
    // as a fraction; an arbitrary ratio costs a table of tens of thousands of phases, ten
    // times the stretch itself. Steps of 1/1024 stay within 2 cents down to half the pitch.
    pitchScale = std::round (juce::jlimit (lowestScale, highestScale, pitchScale) * 1024.0) / 1024.0;

    RubberBandStretcher stretcher ((size_t) syllable.sampleRate,
                                   1,
                                   std::make_shared<QuietLog>(),
                                   RubberBandStretcher::OptionProcessOffline | RubberBandStretcher::OptionEngineFiner
                                       | (preserveFormants ? RubberBandStretcher::OptionFormantPreserved : RubberBandStretcher::OptionFormantShifted)
                                       | RubberBandStretcher::OptionPitchHighQuality,
                                   (double) outputLength / inputLength,
                                   pitchScale);

    const float* input = syllable.samples.data() + first;
    stretcher.setExpectedInputDuration ((size_t) inputLength);
    stretcher.setMaxProcessSize ((size_t) blockLength);
    stretcher.study (&input, (size_t) inputLength, true);

    // The consonant keeps the length asked for and the vowel's fade its natural length
    // (at most a third of the vowel), so the stretch lands on the sustained part.
    std::map<size_t, size_t> keyFrames;
    const auto decayIn = syllable.decayStart - first;
    const auto decayLength = std::min ((int) syllable.samples.size() - syllable.decayStart, vowelLength / 3);

    if (consonantIn > 0 && consonantOut > 0)
        keyFrames[(size_t) consonantIn] = (size_t) consonantOut;

    if (decayIn > consonantIn + minimumKeyGap && decayLength > minimumKeyGap && outputLength - decayLength > consonantOut + minimumKeyGap)
        keyFrames[(size_t) decayIn] = (size_t) (outputLength - decayLength);

    if (! keyFrames.empty())
        stretcher.setKeyFrameMap (keyFrames);

    std::vector<float> output;
    output.reserve ((size_t) outputLength + 1024);
    std::vector<float> block;

    auto drain = [&] {
        for (int available = stretcher.available(); available > 0; available = stretcher.available())
        {
            block.resize ((size_t) available);
            float* out = block.data();
            const auto got = stretcher.retrieve (&out, (size_t) available);
            output.insert (output.end(), block.begin(), block.begin() + (long) got);
        }
    };

    // The engine produces only as much as its output buffer holds per call, so the input
    // goes in blocks and the end is pumped until the engine reports it has finished.
    for (int done = 0; done < inputLength;)
    {
        const auto count = std::min (blockLength, inputLength - done);
        const float* from = input + done;
        done += count;
        stretcher.process (&from, (size_t) count, done >= inputLength);
        drain();
    }

    while (stretcher.available() >= 0 && (int) output.size() < outputLength + blockLength)
    {
        const float* nothing = input;
        stretcher.process (&nothing, 0, true);
        drain();
    }

    // The engine's length is close to, not exactly, the ratio asked for.
    output.resize ((size_t) outputLength, 0.0f);
    return output;
}
