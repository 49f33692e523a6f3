#pragma once

#include <juce_core/juce_core.h>

// Where the singing-voice service is: the local service unless the user points the
// program elsewhere.
namespace ServiceUrl
{
inline constexpr const char* defaultHost = "http://127.0.0.1:18622";
inline constexpr const char* apiPath = "/music/api/plugin";

// Replaces the whole base URL when set and not empty.
inline constexpr const char* overrideVariable = "VOXLET_SERVICE_URL";

// The override when set; otherwise the service the program started itself, once it has
// said where (useLocalService); otherwise the default host followed by the API path.
// Endpoint paths are appended as plain text, so a trailing "/" gives a double slash.
juce::String defaultBaseUrl();

// True when the user pointed the program at a service of their own.
bool isOverridden();

// Where the program's own service listens, set once at start before any request.
void useLocalService (const juce::String& baseUrl);
} // namespace ServiceUrl
