#pragma once

#include "MidiNote.h"
#include "model/vocalNote.h"
#include "NoteBoxUpdater.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <memory>
#include <vector>

// The notes of the score, in start order after each update, with their words from the
// lyrics; holds the selection and announces every change.
class NoteBox : public NoteBoxUpdater
    , public juce::ChangeBroadcaster
{
public:
    explicit NoteBox (juce::TextEditor& lyrics);

    void update() override;
    void selectInRange (int fromTick, int toTick, int lowPitch, int highPitch) override;
    void removeSelected() override;

    // Updates first; the notes that have a word, for a generation request.
    juce::Array<vocalNote> notesWithWords();

    // Every note as it stands, for saving.
    juce::Array<vocalNote> allNotes() const;

    std::vector<std::shared_ptr<MidiNote>> notes;
    juce::TextEditor& lyrics;
    bool busy = false;
};
