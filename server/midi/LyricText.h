#pragma once

#include <juce_core/juce_core.h>

#include <string>
#include <vector>

// The text of MIDI lyric events, which carry no declared encoding.
class LyricText
{
public:
    // The bytes as text: UTF-8 when they are valid UTF-8, otherwise Big5, otherwise
    // GB18030; empty when they are none of these.
    static juce::String decode (const std::string& bytes);

    // Most two-byte GBK text is also valid Big5 (of other characters), so one lyric
    // cannot tell them apart; a whole file's lyrics nearly always can. Returns the first
    // of UTF-8, Big5 and GB18030 that all of them are valid in ("" when none is).
    static const char* encodingOf (const std::vector<std::string>& lyrics);

    // The bytes in that encoding, or as decode() reads them when they are not valid in it.
    static juce::String decode (const std::string& bytes, const char* encoding);

    // The first sung character (U+4E00..U+9FA5) of a decoded lyric, after the karaoke
    // line and paragraph marks ("\", "/") are taken out; empty when there is none.
    static juce::String wordOf (const juce::String& lyric);

private:
    LyricText() = delete;
};
