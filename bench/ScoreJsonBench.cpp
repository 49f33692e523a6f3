// The score file is written after every edit, on the message thread, so writing and
// reading a large score must stay well inside one frame.
#include "model/ScoreJson.h"

#include <benchmark/benchmark.h>

namespace
{
createVocalRequest scoreOf (int notes)
{
    createVocalRequest request;
    auto& instrument = request.instruments.getReference (0);
    const auto word = juce::String::charToString (0x6B4C); // 歌

    for (int i = 0; i < notes; ++i)
        instrument.notes.add ({ i * 240, i * 240 + 200, word, 48 + i % 36 });

    request.metadata.numberOfBars = notes / 8 + 1;
    return request;
}

void writeScore (benchmark::State& state)
{
    const auto request = scoreOf ((int) state.range (0));

    for (auto _ : state)
        benchmark::DoNotOptimize (vocalRequestToJsonText (request));

    state.SetItemsProcessed (state.iterations() * state.range (0));
}

void readScore (benchmark::State& state)
{
    const auto text = vocalRequestToJsonText (scoreOf ((int) state.range (0)));

    for (auto _ : state)
    {
        midiConverterResult score;
        benchmark::DoNotOptimize (jsonToMidiConverterResult (text, score));
    }

    state.SetItemsProcessed (state.iterations() * state.range (0));
}
} // namespace

BENCHMARK (writeScore)->Arg (500)->Arg (5000)->Unit (benchmark::kMillisecond);
BENCHMARK (readScore)->Arg (500)->Arg (5000)->Unit (benchmark::kMillisecond);
