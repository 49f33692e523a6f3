#pragma once

#include "model/createVocalRequest.h"

#include <juce_core/juce_core.h>

// Builds request scores for the server tests with a few words.
struct ScoreBuilder
{
    createVocalRequest request;

    explicit ScoreBuilder (int ticksPerBeat = 480, const juce::String& model = kDefaultVoiceModel)
    {
        request.model = model;
        request.metadata.ticksPerBeat = ticksPerBeat;
    }

    ScoreBuilder& tempos (std::initializer_list<tempoChange> changes)
    {
        request.metadata.tempoChanges.clearQuick();

        for (const auto& c : changes)
            request.metadata.tempoChanges.add (c);

        return *this;
    }

    ScoreBuilder& meters (std::initializer_list<timeSignatureChange> changes)
    {
        request.metadata.timeSignatureChanges.clearQuick();

        for (const auto& c : changes)
            request.metadata.timeSignatureChanges.add (c);

        return *this;
    }

    ScoreBuilder& note (int start, int end, const juce::String& word, int pitch)
    {
        request.instruments.getReference (0).notes.add ({ start, end, word, pitch });
        return *this;
    }
};
