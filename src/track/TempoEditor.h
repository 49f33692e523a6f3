#pragma once

#include "model/TempoMap.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Holds the score's tempo changes and the tempo map derived from them. Draws nothing:
// it is a component only to live in the main view's tree with the other panels.
class TempoEditor : public juce::Component
{
public:
    TempoEditor() = default;
    ~TempoEditor() override = default;

    // Fired after a user edit, never after a score is loaded.
    std::function<void()> onChange;

    // A whole score's tempo list; rebuilds the map. Does not fire onChange.
    void setTempoChanges (int ticksPerBeat, juce::Array<tempoChange> changes);

    // The user's edit: one tempo for the whole score, then onChange.
    void setSingleTempo (int bpm);

    double tempoAt (int tick) const;
    double secondsAtTick (int tick, int ticksPerBeat) const;
    int tickAtSeconds (double seconds, int ticksPerBeat) const;

    const juce::Array<tempoChange>& getTempoChanges() const { return tempoChanges; }
    const juce::Array<TempoMapEntry>& getTempoMap() const { return tempoMap; }

private:
    juce::Array<tempoChange> tempoChanges;
    juce::Array<TempoMapEntry> tempoMap;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TempoEditor)
};
