#pragma once

#include <juce_core/juce_core.h>

#include <string>

// The text of MIDI lyric events, which carry no declared encoding.
class LyricText
{
public:
    // The bytes as text: UTF-8 when they are valid UTF-8, otherwise Big5, otherwise
    // GB18030; empty when they are none of these.
    static juce::String decode (const std::string& bytes);

    // The first sung character (U+4E00..U+9FA5) of a decoded lyric, after the karaoke
    // line and paragraph marks ("\", "/") are taken out; empty when there is none.
    static juce::String wordOf (const juce::String& lyric);

private:
    LyricText() = delete;
};
