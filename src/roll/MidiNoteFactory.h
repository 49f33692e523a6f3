#pragma once

#include "Factory.h"
#include "MidiNote.h"

// Makes notes that know the roll's geometry, grid and the collection that holds them.
class MidiNoteFactory : public Factory<MidiNote>
{
public:
    MidiNoteFactory (NoteBoxUpdater& updater, GridController& grid, Keyboard& keyboard, juce::ScrollBar& scrollBar, vocalMetadata& score);

    std::shared_ptr<MidiNote> create() override;

private:
    NoteBoxUpdater& updater;
    GridController& grid;
    Keyboard& keyboard;
    juce::ScrollBar& scrollBar;
    vocalMetadata& score;
};
