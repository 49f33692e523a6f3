#include "Upsampler.h"

#include <array>
#include <cmath>

namespace
{
constexpr int halfTaps = 24;

double besselI0 (double x)
{
    double sum = 1.0, term = 1.0;

    for (int k = 1; k < 30; ++k)
    {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }

    return sum;
}

// Taps for the points halfway between input samples: offsets -23.5 .. +23.5.
std::array<float, 2 * halfTaps> makeTaps()
{
    constexpr double beta = 8.0, pi = 3.14159265358979323846;
    std::array<float, 2 * halfTaps> taps {};
    double sum = 0.0;

    for (int j = 0; j < 2 * halfTaps; ++j)
    {
        const auto t = j - halfTaps + 0.5;
        const auto ratio = t / (halfTaps + 0.5);
        const auto window = besselI0 (beta * std::sqrt (1.0 - ratio * ratio)) / besselI0 (beta);
        const auto value = std::sin (pi * t) / (pi * t) * window;
        taps[(size_t) j] = (float) value;
        sum += value;
    }

    for (auto& tap : taps)
        tap = (float) (tap / sum);

    return taps;
}
} // namespace

void Upsampler::twice (const std::vector<float>& input, float* output, int outputLength)
{
    static const auto taps = makeTaps();
    const auto length = (int) input.size();

    for (int i = 0; i < outputLength; ++i)
    {
        const auto n = i / 2;

        if ((i & 1) == 0)
        {
            output[i] = n < length ? input[(size_t) n] : 0.0f;
            continue;
        }

        // Halfway between n and n + 1: samples n - 23 .. n + 24.
        float sum = 0.0f;
        const auto first = n - halfTaps + 1;

        if (first >= 0 && first + 2 * halfTaps <= length)
        {
            const auto* x = input.data() + first;

            for (int j = 0; j < 2 * halfTaps; ++j)
                sum += taps[(size_t) j] * x[j];
        }
        else
        {
            for (int j = 0; j < 2 * halfTaps; ++j)
                if (const auto at = first + j; at >= 0 && at < length)
                    sum += taps[(size_t) j] * input[(size_t) at];
        }

        output[i] = sum;
    }
}
