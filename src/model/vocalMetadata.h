#pragma once

#include "tempoChange.h"
#include "timeSignatureChange.h"

#include <juce_core/juce_core.h>

// The score header. A ticksPerBeat of 0 means no score is loaded.
struct vocalMetadata
{
    int ticksPerBeat = 0;
    int numberOfBars = 0;
    juce::Array<tempoChange> tempoChanges;
    juce::Array<timeSignatureChange> timeSignatureChanges;
};
