#include "MidiScoreConverter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace
{
std::string vlq (unsigned value)
{
    std::string out (1, (char) (value & 0x7f));

    while ((value >>= 7) != 0)
        out.insert (out.begin(), (char) (0x80 | (value & 0x7f)));

    return out;
}

std::string be32 (unsigned v) { return { (char) (v >> 24), (char) (v >> 16), (char) (v >> 8), (char) v }; }

// About 1 MiB: 20 000 tempo changes in one track, 200 000 notes in another (running
// status, so each note is a few bytes, as real files are written).
std::string largeFile()
{
    std::string tempos;

    for (int i = 0; i < 20000; ++i)
        tempos += vlq (i == 0 ? 0 : 240) + std::string ("\xff\x51\x03", 3) + std::string { (char) 0x07, (char) (0xa1 + i % 40), (char) 0x20 };

    tempos += std::string ("\x00\xff\x2f\x00", 4);

    std::string notes = std::string ("\x00\x90", 2);

    for (int i = 0; i < 200000; ++i)
    {
        const auto pitch = (char) (48 + i % 24);
        notes += (i == 0 ? std::string() : vlq (0)) + std::string { pitch, (char) 100 } + vlq (24) + std::string { pitch, (char) 0 };
    }

    notes += std::string ("\x00\xff\x2f\x00", 4);

    return "MThd" + be32 (6) + std::string ("\x00\x01\x00\x02\x01\xe0", 6) + "MTrk" + be32 ((unsigned) tempos.size()) + tempos + "MTrk"
           + be32 ((unsigned) notes.size()) + notes;
}

void convertLargeMidiFile (benchmark::State& state)
{
    const auto file = largeFile();
    midiConverterResult score;

    for (auto _ : state)
    {
        score = {};
        benchmark::DoNotOptimize (MidiScoreConverter::convert (file.data(), file.size(), score));
    }

    state.counters["bytes"] = (double) file.size();
    state.counters["notes"] = score.instruments.isEmpty() ? 0.0 : (double) score.instruments[0].notes.size();
    state.counters["tempos"] = (double) score.metadata.tempoChanges.size();
}

BENCHMARK (convertLargeMidiFile)->Unit (benchmark::kMillisecond);
} // namespace
