#pragma once

#include <juce_core/juce_core.h>

// Which characters of the lyrics text are sung (one per note) and which may appear at all.

// The punctuation a lyrics text may hold, as the main view shows it when the text holds
// anything else. UTF-8 text: build a string from it with juce::CharPointer_UTF8.
extern const char* const kLyricsHintLine;

// The sung characters (U+4E00..U+9FA5) of the text, one string each, in text order.
juce::StringArray splitLyrics (const juce::String& text);

// True when the text holds a character that is neither sung nor allowed punctuation.
bool containsInvalidLyricsChar (const juce::String& text);
