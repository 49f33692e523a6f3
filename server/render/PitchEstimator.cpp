#include "PitchEstimator.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr double frameSeconds = 0.03;
constexpr int mostFrames = 12;
constexpr double periodicEnough = 0.8;

// The best lag of one frame with parabolic refinement; 0 when the frame is not periodic.
double framePeriod (const float* x, int length, int minLag, int maxLag)
{
    std::vector<double> r ((size_t) maxLag + 2, 0.0);
    double energy = 0.0;

    for (int i = 0; i < length; ++i)
        energy += (double) x[i] * x[i];

    if (energy <= 1.0e-9)
        return 0.0;

    for (int lag = minLag - 1; lag <= maxLag + 1; ++lag)
    {
        double sum = 0.0, a = 0.0, b = 0.0;

        for (int i = 0; i + lag < length; ++i)
        {
            sum += (double) x[i] * x[i + lag];
            a += (double) x[i] * x[i];
            b += (double) x[i + lag] * x[i + lag];
        }

        r[(size_t) lag] = sum / std::sqrt (a * b + 1.0e-12);
    }

    // The first peak that comes close to the best one avoids choosing a multiple period.
    double best = 0.0;

    for (int lag = minLag; lag <= maxLag; ++lag)
        best = std::max (best, r[(size_t) lag]);

    if (best < periodicEnough)
        return 0.0;

    for (int lag = minLag; lag <= maxLag; ++lag)
    {
        const auto here = r[(size_t) lag];

        if (here >= 0.9 * best && here >= r[(size_t) lag - 1] && here >= r[(size_t) lag + 1])
        {
            const auto left = r[(size_t) lag - 1], right = r[(size_t) lag + 1];
            const auto bend = left - 2.0 * here + right;
            return lag + (bend < 0.0 ? 0.5 * (left - right) / bend : 0.0);
        }
    }

    return 0.0;
}
} // namespace

std::vector<double> PitchEstimator::frameFrequencies (const std::vector<float>& samples, int from, int to, double sampleRate, double lowest, double highest)
{
    const auto frame = (int) (frameSeconds * sampleRate);
    const auto minLag = std::max (2, (int) (sampleRate / highest));
    const auto maxLag = std::max (minLag + 1, (int) std::ceil (sampleRate / lowest));
    from = std::max (0, from);
    to = std::min ((int) samples.size(), to);
    std::vector<double> frequencies;
    const auto window = std::min (frame + maxLag, to - from);

    if (window < 4 * minLag)
        return frequencies;

    const auto lagLimit = std::min (maxLag, window / 2);
    const auto hop = std::max (1, (to - from - window) / mostFrames + 1);

    for (int start = from; start + window <= to; start += hop)
        if (const auto period = framePeriod (samples.data() + start, window, minLag, lagLimit); period > 0.0)
            frequencies.push_back (sampleRate / period);

    return frequencies;
}

double PitchEstimator::medianFrequency (const std::vector<float>& samples, int from, int to, double sampleRate, double lowest, double highest)
{
    auto frequencies = frameFrequencies (samples, from, to, sampleRate, lowest, highest);

    if (frequencies.empty())
        return 0.0;

    std::nth_element (frequencies.begin(), frequencies.begin() + (long) frequencies.size() / 2, frequencies.end());
    return frequencies[frequencies.size() / 2];
}
