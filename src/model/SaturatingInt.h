#pragma once

#include <juce_core/juce_core.h>

#include <cmath>
#include <limits>

// Conversions to int that saturate at the int range instead of overflowing: numbers of a
// score or a typed entry come from outside and may be absurd.
namespace SaturatingInt
{
inline int fromInt64 (juce::int64 value)
{
    return (int) juce::jlimit ((juce::int64) std::numeric_limits<int>::min(), (juce::int64) std::numeric_limits<int>::max(), value);
}

// Truncates toward zero; NaN gives 0.
inline int fromDouble (double value)
{
    if (std::isnan (value))
        return 0;

    return (int) juce::jlimit ((double) std::numeric_limits<int>::min(), (double) std::numeric_limits<int>::max(), std::trunc (value));
}
} // namespace SaturatingInt
