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

// The host followed by the API path, or the override; endpoint paths are appended as
// plain text, so a trailing "/" gives a double slash.
juce::String defaultBaseUrl();
} // namespace ServiceUrl
