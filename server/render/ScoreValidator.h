#pragma once

#include "model/createVocalRequest.h"

#include <juce_core/juce_core.h>

// The limits a score must keep to be rendered. Shared by the renderer and the service,
// which returns the message as its error document.
class ScoreValidator
{
public:
    static constexpr int maxTicksPerBeat = 32767;
    static constexpr double maxTempo = 1000.0;
    static constexpr int maxNumerator = 255;
    static constexpr int maxNotes = 10000;
    static constexpr double maxSeconds = 15.0 * 60.0;
    // The largest score document read, by the renderer's tool and by the service.
    static constexpr juce::int64 maxDocumentBytes = 4 * 1024 * 1024;

    // An empty string when the score can be rendered, otherwise the first fault, naming
    // the field and the note index.
    static juce::String check (const createVocalRequest& request);

    // Where the rendered file ends: the last note's end plus the tail, in seconds.
    static double lengthInSeconds (const createVocalRequest& request);

private:
    ScoreValidator() = delete;
};
