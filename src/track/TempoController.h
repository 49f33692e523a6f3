#pragma once

#include "InputLabel.h"
#include "TempoEditor.h"

// The tempo read-out; an entry is clamped to 20..300 bpm.
class TempoController : public InputLabel
{
public:
    static constexpr int minimumTempo = 20;
    static constexpr int maximumTempo = 300;

    explicit TempoController (TempoEditor& tempoEditor);

    void setText (const juce::String& newText);

    std::function<void (int, int)> onTempoEntered;
    TempoEditor& tempoEditor;
    int tick = 0;

private:
    void commit();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TempoController)
};
