#pragma once

// What a note asks of the collection that holds it.
class NoteBoxUpdater
{
public:
    // Re-sorts the notes, gives them their words and announces the change.
    virtual void update() {}

    // Selects exactly the notes lying wholly inside the ticks and pitches given.
    virtual void selectInRange (int /*fromTick*/, int /*toTick*/, int /*lowPitch*/, int /*highPitch*/) {}

    // Takes the selected notes out of the collection.
    virtual void removeSelected() {}

protected:
    ~NoteBoxUpdater() = default;
};
