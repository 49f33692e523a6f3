#pragma once

#include "ScoreConstants.h"
#include "vocalInstrument.h"
#include "vocalMetadata.h"

#include <juce_core/juce_core.h>

// Everything the service needs to render one vocal. A default-built request is the
// reference score (480 ticks per beat, 16 bars, 120 bpm, 4/4, one empty instrument);
// every request the program builds starts from it, so the first instrument always exists.
struct createVocalRequest
{
    createVocalRequest()
    {
        metadata.ticksPerBeat = kDefaultTicksPerBeat;
        metadata.numberOfBars = kDefaultNumberOfBars;
        metadata.tempoChanges.add ({ 0, kDefaultTempo });
        metadata.timeSignatureChanges.add ({ 0, kDefaultNumerator, kDefaultDenominator });
        instruments.add ({});
    }

    juce::String model { kDefaultVoiceModel };
    vocalMetadata metadata;
    juce::Array<vocalInstrument> instruments;
    juce::String encoding { kDefaultEncoding };
    juce::String sampleRate { kDefaultSampleRate };
};
