#pragma once

#include "model/createVocalRequest.h"
#include "model/Settings.h"
#include "model/vocalResult.h"

#include <juce_core/juce_core.h>

// Posts a score to the service as a new rendering job. One request per start; each run
// ends with exactly one of the two hooks, on the message thread.
class CreateVocalApi : public juce::Thread
{
public:
    explicit CreateVocalApi (Settings& settings);
    ~CreateVocalApi() override;

    // Written by the owner before each start, while the thread is not running.
    createVocalRequest request;

    void run() override;

    virtual void onCreateVocalSuccess (const vocalResult& job) = 0;
    virtual void onCreateVocalError (const juce::String& message) = 0;

private:
    Settings& settings;

    JUCE_DECLARE_WEAK_REFERENCEABLE (CreateVocalApi)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CreateVocalApi)
};
