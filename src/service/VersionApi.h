#pragma once

#include "model/Settings.h"

#include <juce_core/juce_core.h>

// Asks the service whether this version of the program may still be used. Tries again at
// once while the service fails, up to the retry limit; one hook call on the message thread.
class VersionApi : public juce::Thread
{
public:
    VersionApi (Settings& settings, const juce::String& version);
    ~VersionApi() override;

    void run() override;

    virtual void onVersionAccepted() = 0;
    virtual void onVersionRejected (const juce::String& message) = 0;

    const juce::String version;

private:
    Settings& settings;

    JUCE_DECLARE_WEAK_REFERENCEABLE (VersionApi)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VersionApi)
};
