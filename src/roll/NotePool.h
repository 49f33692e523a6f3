#pragma once

#include "Factory.h"
#include "MidiNote.h"

#include <mutex>
#include <vector>

// Keeps note components alive across score replacements, so that replacing a score does
// not destroy and rebuild hundreds of components. New notes are made in small steps.
class NotePool
{
public:
    NotePool (Factory<MidiNote>& factory, int capacity, int growthStep);

    // Makes notes until `count` exist (within the capacity).
    void fill (int count);

    void setCapacity (int newCapacity);

    // Never fails: past the capacity the pool goes on growing by its step, so no note of
    // a large score is ever dropped.
    std::shared_ptr<MidiNote> acquire();
    void release (std::shared_ptr<MidiNote> note);

    int created() const;
    int available() const;

private:
    void make (int count);

    Factory<MidiNote>& factory;
    std::vector<std::shared_ptr<MidiNote>> freeNotes;
    int createdCount = 0;
    int capacity;
    const int growthStep;
    mutable std::mutex lock;
};
