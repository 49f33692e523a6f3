#include "ServiceUrl.h"

namespace
{
juce::String& localService()
{
    static juce::String url;
    return url;
}
} // namespace

bool ServiceUrl::isOverridden() { return juce::SystemStats::getEnvironmentVariable (overrideVariable, {}).isNotEmpty(); }

void ServiceUrl::useLocalService (const juce::String& baseUrl) { localService() = baseUrl; }

juce::String ServiceUrl::defaultBaseUrl()
{
    const auto override = juce::SystemStats::getEnvironmentVariable (overrideVariable, {});

    if (override.isNotEmpty())
        return override;

    if (localService().isNotEmpty())
        return localService();

    return juce::String (defaultHost) + apiPath;
}
