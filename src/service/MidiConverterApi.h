#pragma once

#include "model/midiConverterResult.h"
#include "model/Settings.h"

#include <juce_core/juce_core.h>

// Uploads a MIDI file to the service, which answers with the score. One request per start;
// every run ends with exactly one of onConverted and onError, on the message thread, and
// onResponse (the raw reply) comes just before onConverted.
class MidiConverterApi : public juce::Thread
{
public:
    explicit MidiConverterApi (Settings& settings);
    ~MidiConverterApi() override;

    std::function<void (const juce::String&)> onResponse;
    std::function<void (const juce::String&)> onError;

    // Set on the message thread before each start.
    juce::File midiFile;
    juce::MemoryBlock midiData;

    void run() override;

    // The converted score, on the message thread.
    virtual void onConverted (midiConverterResult& result) = 0;

private:
    Settings& settings;

    JUCE_DECLARE_WEAK_REFERENCEABLE (MidiConverterApi)
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiConverterApi)
};
