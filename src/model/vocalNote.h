#pragma once

#include <juce_core/juce_core.h>

// One sung note; `word` is a single character, or empty while the note has no lyric yet.
struct vocalNote
{
    int start = 0;
    int end = 0;
    juce::String word;
    int pitch = 0;
};
