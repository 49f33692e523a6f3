// libFuzzer target: any bytes through the MIDI reader and the conversion.
#include "MidiScoreConverter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    midiConverterResult score;

    if (MidiScoreConverter::convert (data, size, score) != MidiScoreConverter::Outcome::converted)
        return 0;

    // A converted score is one the renderer can take: notes forward in time, in range.
    if (score.metadata.ticksPerBeat <= 0 || score.metadata.numberOfBars < 1 || score.instruments.size() != 1)
        std::abort();

    for (const auto& note : score.instruments[0].notes)
        if (note.start < 0 || note.start >= note.end || note.pitch < 0 || note.pitch > 127 || note.word.length() > 1)
            std::abort();

    for (const auto& change : score.metadata.tempoChanges)
        if (! (change.tempo > 0.0 && change.tempo <= 1000.0))
            std::abort();

    return 0;
}
