#include "MidiNoteFactory.h"

MidiNoteFactory::MidiNoteFactory (NoteBoxUpdater& u, GridController& g, Keyboard& k, juce::ScrollBar& bar, vocalMetadata& s)
    : updater (u)
    , grid (g)
    , keyboard (k)
    , scrollBar (bar)
    , score (s)
{
}

std::shared_ptr<MidiNote> MidiNoteFactory::create() { return std::make_shared<MidiNote> (score, keyboard, scrollBar, updater, grid); }
