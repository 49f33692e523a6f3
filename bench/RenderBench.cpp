#include "SpeechSynth.h"
#include "VocalRenderer.h"

#include <benchmark/benchmark.h>

namespace
{
// 32 bars of 4/4 at 120 bpm, four notes a bar, words from a lyric with many different
// syllables, pitches within both voices' range.
createVocalRequest thirtyTwoBars (const juce::String& model)
{
    const juce::String words (juce::CharPointer_UTF8 ("天上的星星不說話地上的娃娃想媽媽天上的眼睛眨呀眨媽媽的心呀魯冰花家鄉的茶園開滿花"
                                                      "媽媽的心肝在天涯夜夜想起媽媽的話閃閃的淚光魯冰花"));
    const int pitches[] = { 60, 62, 64, 65, 67, 69, 67, 64, 62, 60, 57, 59 };
    createVocalRequest request;
    request.model = model;
    request.metadata.numberOfBars = 32;

    for (int i = 0; i < 128; ++i)
        request.instruments.getReference (0).notes.add ({ i * 480, i * 480 + 420, juce::String::charToString (words[i % words.length()]), pitches[i % 12] });

    return request;
}

void renderThirtyTwoBars (benchmark::State& state, const char* model)
{
    const auto request = thirtyTwoBars (model);
    juce::AudioBuffer<float> vocal;

    for (auto _ : state)
        benchmark::DoNotOptimize (VocalRenderer::render (request, vocal));

    const auto seconds = vocal.getNumSamples() / VocalRenderer::outputSampleRate;
    state.counters["audio_s"] = seconds;
    state.counters["rtf"] = benchmark::Counter (seconds * (double) state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// The floor: espeak-ng alone speaking the same 128 syllables.
void speakOnly (benchmark::State& state, const char* model)
{
    const auto request = thirtyTwoBars (model);
    const auto voice = SpeechSynth::voiceFor (model);
    juce::String error;
    SpeechSynth::initialise (error);
    SpokenSyllable syllable;

    for (auto _ : state)
        for (const auto& note : request.instruments[0].notes)
            benchmark::DoNotOptimize (SpeechSynth::speak (voice, VocalRenderer::syllableFor (note.word), 50, syllable));

    const auto seconds = 128 * 0.5 + VocalRenderer::tailSeconds - 0.08;
    state.counters["rtf"] = benchmark::Counter (seconds * (double) state.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE (renderThirtyTwoBars, male, kDefaultVoiceModel)->Unit (benchmark::kMillisecond)->MinTime (5.0);
BENCHMARK_CAPTURE (renderThirtyTwoBars, female, kFemaleVoiceModel)->Unit (benchmark::kMillisecond)->MinTime (5.0);
BENCHMARK_CAPTURE (speakOnly, male, kDefaultVoiceModel)->Unit (benchmark::kMillisecond);
BENCHMARK_CAPTURE (speakOnly, female, kFemaleVoiceModel)->Unit (benchmark::kMillisecond);
} // namespace
