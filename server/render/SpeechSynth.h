#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// One syllable as espeak-ng speaks it at one flat pitch.
struct SpokenSyllable
{
    std::vector<float> samples;
    double sampleRate = 0.0;
    // Where the sung part (medial glide and vowel) begins; the initial consonant, if the
    // syllable has one, lies before it.
    int vowelStart = 0;
    // Where the vowel's sustained part ends and its fade begins.
    int decayStart = 0;
    // The loudest 10 ms of the vowel, as RMS.
    float level = 0.0f;
};

// espeak-ng with its Mandarin pinyin voice. The library keeps one global state, so every
// call holds one process-wide lock.
class SpeechSynth
{
public:
    // True when espeak-ng and its voice data could be loaded; otherwise `error` says why.
    static bool initialise (juce::String& error);

    // The espeak-ng voice name for a voice model, or empty when the model is unknown.
    static juce::String voiceFor (const juce::String& voiceModel);

    // Speaks one numbered-pinyin syllable ("ma1") at espeak-ng's pitch setting (0..100,
    // 50 being the voice's own). False when espeak-ng fails or the result holds no sound.
    static bool speak (const juce::String& voiceName, const juce::String& pinyin, int pitch, SpokenSyllable& result);

private:
    SpeechSynth() = delete;
};
