#include "NoteBox.h"

#include "model/LyricRules.h"

#include <algorithm>

NoteBox::NoteBox (juce::TextEditor& l)
    : lyrics (l)
{
}

void NoteBox::update()
{
    std::stable_sort (notes.begin(), notes.end(), [] (const auto& a, const auto& b) { return a->start < b->start; });

    const auto words = splitLyrics (lyrics.getText());

    for (size_t i = 0; i < notes.size(); ++i)
    {
        const auto& word = (int) i < words.size() ? words.getReference ((int) i) : juce::String();

        if (notes[i]->word != word)
        {
            notes[i]->word = word;
            notes[i]->repaint();
        }
    }

    sendChangeMessage();
}

void NoteBox::selectInRange (int fromTick, int toTick, int lowPitch, int highPitch)
{
    for (auto& note : notes)
    {
        const auto inside = note->start >= fromTick && note->end <= toTick && note->pitch >= lowPitch && note->pitch <= highPitch;
        const auto newState = inside ? MidiNote::selected : MidiNote::normal;

        if (note->state != newState)
        {
            note->state = newState;
            note->repaint();
        }
    }

    sendChangeMessage();
}

void NoteBox::removeSelected()
{
    const auto firstRemoved = std::stable_partition (notes.begin(), notes.end(), [] (const auto& note) { return note->state != MidiNote::selected; });

    for (auto it = firstRemoved; it != notes.end(); ++it)
        (*it)->state = MidiNote::normal;

    notes.erase (firstRemoved, notes.end());
    update();
}

juce::Array<vocalNote> NoteBox::notesWithWords()
{
    update();
    juce::Array<vocalNote> records;

    for (const auto& note : notes)
        if (note->word.isNotEmpty())
            records.add (note->toRecord());

    return records;
}

juce::Array<vocalNote> NoteBox::allNotes() const
{
    juce::Array<vocalNote> records;
    records.ensureStorageAllocated ((int) notes.size());

    for (const auto& note : notes)
        records.add (note->toRecord());

    return records;
}
