#include "TempoEditor.h"

void TempoEditor::setTempoChanges (int ticksPerBeat, juce::Array<tempoChange> changes)
{
    tempoChanges = std::move (changes);
    tempoMap = TempoMap::build (ticksPerBeat, tempoChanges);
}

void TempoEditor::setSingleTempo (int bpm)
{
    tempoChanges = { tempoChange { 0, (double) bpm } };
    tempoMap = TempoMap::single (bpm);

    if (onChange)
        onChange();
}

double TempoEditor::tempoAt (int tick) const { return TempoMap::tempoAt (tempoChanges, tick); }

double TempoEditor::secondsAtTick (int tick, int ticksPerBeat) const
{
    return TempoMap::secondsAtTick (tempoMap, tick, ticksPerBeat);
}

int TempoEditor::tickAtSeconds (double seconds, int ticksPerBeat) const
{
    return TempoMap::tickAtSeconds (tempoMap, seconds, ticksPerBeat);
}
