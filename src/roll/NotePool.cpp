#include "NotePool.h"

NotePool::NotePool (Factory<MidiNote>& f, int initialCapacity, int step)
    : factory (f)
    , capacity (initialCapacity)
    , growthStep (juce::jmax (1, step))
{
}

void NotePool::make (int count)
{
    for (int i = 0; i < count; ++i)
        freeNotes.push_back (factory.create());

    createdCount += count;
}

void NotePool::fill (int count)
{
    const std::lock_guard<std::mutex> guard (lock);
    make (juce::jmax (0, juce::jmin (count, capacity) - createdCount));
}

void NotePool::setCapacity (int newCapacity)
{
    const std::lock_guard<std::mutex> guard (lock);
    capacity = newCapacity;
}

std::shared_ptr<MidiNote> NotePool::acquire()
{
    const std::lock_guard<std::mutex> guard (lock);

    if (freeNotes.empty())
    {
        const auto withinCapacity = juce::jmin (capacity - createdCount, growthStep);
        make (withinCapacity > 0 ? withinCapacity : growthStep);
    }

    auto note = std::move (freeNotes.back());
    freeNotes.pop_back();
    return note;
}

void NotePool::release (std::shared_ptr<MidiNote> note)
{
    const std::lock_guard<std::mutex> guard (lock);
    freeNotes.push_back (std::move (note));
}

int NotePool::created() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return createdCount;
}

int NotePool::available() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return (int) freeNotes.size();
}
