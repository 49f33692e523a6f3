#pragma once

#include "controlChange.h"
#include "vocalNote.h"

#include <juce_core/juce_core.h>

// One voice part. `program` is kept as received; requests always send the fixed program name.
struct vocalInstrument
{
    juce::String program;
    juce::Array<vocalNote> notes;
    juce::Array<controlChange> controlChanges;
};
