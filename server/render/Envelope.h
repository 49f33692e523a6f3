#pragma once

#include <vector>

// The loudness of a signal over time: RMS of consecutive 10 ms frames. Used to find a
// spoken vowel's fade and to bring every sung syllable to one loudness.
class Envelope
{
public:
    static constexpr double frameSeconds = 0.01;

    // The RMS of each whole frame of samples [from, to).
    static std::vector<float> frameLevels (const std::vector<float>& samples, int from, int to, double sampleRate);

    // The loudest of them, or 0.
    static float loudest (const std::vector<float>& samples, int from, int to, double sampleRate);

private:
    Envelope() = delete;
};
