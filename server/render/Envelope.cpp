#include "Envelope.h"

#include <algorithm>
#include <cmath>

std::vector<float> Envelope::frameLevels (const std::vector<float>& samples, int from, int to, double sampleRate)
{
    const auto frame = std::max (1, (int) (sampleRate * frameSeconds));
    to = std::min (to, (int) samples.size());
    std::vector<float> levels;

    for (int start = std::max (0, from); start + frame <= to; start += frame)
    {
        double sum = 0.0;

        for (int i = start; i < start + frame; ++i)
            sum += (double) samples[(size_t) i] * samples[(size_t) i];

        levels.push_back ((float) std::sqrt (sum / frame));
    }

    return levels;
}

float Envelope::loudest (const std::vector<float>& samples, int from, int to, double sampleRate)
{
    const auto levels = frameLevels (samples, from, to, sampleRate);
    return levels.empty() ? 0.0f : *std::max_element (levels.begin(), levels.end());
}
