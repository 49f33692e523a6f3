#pragma once

#include "model/midiConverterResult.h"

#include <cstddef>

// Turns a standard MIDI file into a score with words: the tempo and meter maps, and the
// melody (the part with the most lyrics, or else the busiest non-drum part) made
// monophonic, with each lyric's first sung character on the note it starts.
class MidiScoreConverter
{
public:
    enum class Outcome
    {
        converted,
        notMidi,
        noNotes
    };

    static Outcome convert (const void* bytes, std::size_t size, midiConverterResult& score);

private:
    MidiScoreConverter() = delete;
};
