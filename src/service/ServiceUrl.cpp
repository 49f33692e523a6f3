#include "ServiceUrl.h"

juce::String ServiceUrl::defaultBaseUrl()
{
    const auto override = juce::SystemStats::getEnvironmentVariable (overrideVariable, {});

    if (override.isNotEmpty())
        return override;

    return juce::String (defaultHost) + apiPath;
}
