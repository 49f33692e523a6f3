#pragma once

#include "vocalInstrument.h"
#include "vocalMetadata.h"

#include <juce_core/juce_core.h>

// A score as the MIDI conversion returns it and as the score file keeps it.
struct midiConverterResult
{
    vocalMetadata metadata;
    juce::Array<vocalInstrument> instruments;
};
