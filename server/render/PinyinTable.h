#pragma once

#include <juce_core/juce_core.h>

// The Mandarin reading of each sung character, as numbered pinyin for espeak-ng ("hao3",
// "lv4"). Built at compile time from Unihan's kMandarin field, preferring the Taiwanese
// reading where two are given.
class PinyinTable
{
public:
    static constexpr juce::juce_wchar firstCharacter = 0x4E00;
    static constexpr juce::juce_wchar lastCharacter = 0x9FA5;

    // The reading of `character`, or an empty string when it is outside the sung range
    // or has no reading.
    static const char* syllableOf (juce::juce_wchar character);

private:
    PinyinTable() = delete;
};
