#pragma once

#include <vector>

// The renderer's measure of a spoken syllable's pitch: normalised autocorrelation over
// short frames, median of the clearly periodic ones.
class PitchEstimator
{
public:
    static constexpr double lowestHz = 50.0, highestHz = 1400.0;

    // The median fundamental in Hz of samples [from, to), looked for between two
    // frequencies on at most a dozen frames spread over the range; 0 when nothing is
    // periodic.
    static double medianFrequency (const std::vector<float>& samples, int from, int to, double sampleRate, double lowest = lowestHz, double highest = highestHz);

    // The fundamental of each clearly periodic frame of the same search, in time order.
    static std::vector<double> frameFrequencies (const std::vector<float>& samples, int from, int to, double sampleRate, double lowest = lowestHz, double highest = highestHz);

private:
    PitchEstimator() = delete;
};
