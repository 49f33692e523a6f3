#pragma once

#include "model/Settings.h"
#include "model/vocalResult.h"

#include <juce_core/juce_core.h>
#include <optional>

// Asks the service for a rendering job's state. Runs on the caller's thread (the driver's
// timer) and tries again at once while the service fails, up to the retry limit.
class GetVocalApi
{
public:
    explicit GetVocalApi (Settings& settings);

    // The job as the service reports it, or nothing when the request failed.
    std::optional<vocalResult> poll (const juce::String& uid);

protected:
    Settings& settings;
};
