#pragma once

#include "SpeechSynth.h"

#include <vector>

// Rubber Band's R3 engine, offline and formant-preserving: puts a flat spoken syllable on
// a pitch and fits it to a length, with its consonant and its vowel stretched apart.
class SyllableShaper
{
public:
    // The syllable at `pitchScale` times its pitch, its consonant (samples before the
    // vowel) lasting `consonantLength` samples and its vowel `vowelLength`, at the
    // syllable's own sample rate. A consonantLength of 0 drops the consonant.
    static std::vector<float> shape (const SpokenSyllable& syllable, double pitchScale, int consonantLength, int vowelLength, bool preserveFormants = true);

private:
    SyllableShaper() = delete;
};
