#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>
#include <cmath>
#include <vector>

// The tests' own pitch estimator (YIN, de Cheveigné and Kawahara), independent of the
// renderer's, so the two cannot share a mistake.
namespace Yin
{
struct Frame
{
    double seconds = 0.0; // the frame's centre
    double frequency = 0.0; // 0 when unvoiced
};

inline constexpr int window = 1024;
inline constexpr double threshold = 0.15;

// Estimates one frame starting at `start`; 0 when unvoiced or too quiet.
inline double frequencyAt (const float* x, int available, double sampleRate, double lowestHz = 80.0)
{
    const auto maxLag = std::min ((int) (sampleRate / lowestHz), available - window - 1);

    if (maxLag < 4)
        return 0.0;

    double energy = 0.0;

    for (int i = 0; i < window; ++i)
        energy += (double) x[i] * x[i];

    if (std::sqrt (energy / window) < 0.01)
        return 0.0;

    std::vector<double> d ((size_t) maxLag + 1, 0.0);

    for (int tau = 1; tau <= maxLag; ++tau)
        for (int i = 0; i < window; ++i)
        {
            const auto diff = (double) x[i] - x[i + tau];
            d[(size_t) tau] += diff * diff;
        }

    // Cumulative mean normalised difference.
    std::vector<double> cmnd ((size_t) maxLag + 1, 1.0);
    double running = 0.0;

    for (int tau = 1; tau <= maxLag; ++tau)
    {
        running += d[(size_t) tau];
        cmnd[(size_t) tau] = running > 0.0 ? d[(size_t) tau] * tau / running : 1.0;
    }

    for (int tau = 2; tau < maxLag; ++tau)
    {
        if (cmnd[(size_t) tau] < threshold)
        {
            while (tau + 1 < maxLag && cmnd[(size_t) tau + 1] < cmnd[(size_t) tau])
                ++tau;

            const auto a = cmnd[(size_t) tau - 1], b = cmnd[(size_t) tau], c = cmnd[(size_t) tau + 1];
            const auto bend = a - 2.0 * b + c;
            const auto shift = bend != 0.0 ? 0.5 * (a - c) / bend : 0.0;
            return sampleRate / (tau + shift);
        }
    }

    return 0.0;
}

// Frames every `hopSeconds` between two times of channel 0.
inline std::vector<Frame> track (const juce::AudioBuffer<float>& audio, double sampleRate, double from, double to, double hopSeconds = 0.005, double lowestHz = 80.0)
{
    std::vector<Frame> frames;
    const auto* x = audio.getReadPointer (0);
    const auto total = audio.getNumSamples();

    for (auto t = from; t < to; t += hopSeconds)
    {
        const auto start = (int) std::lround (t * sampleRate) - window / 2;

        if (start < 0 || start + window >= total)
            continue;

        frames.push_back ({ t, frequencyAt (x + start, total - start, sampleRate, lowestHz) });
    }

    return frames;
}

inline double median (std::vector<double> values)
{
    if (values.empty())
        return 0.0;

    std::nth_element (values.begin(), values.begin() + (long) values.size() / 2, values.end());
    return values[values.size() / 2];
}

inline double cents (double frequency, int midiPitch)
{
    return 1200.0 * std::log2 (frequency / (440.0 * std::pow (2.0, (midiPitch - 69) / 12.0)));
}
} // namespace Yin
