#include "LyricRules.h"

namespace
{
constexpr juce::juce_wchar firstSung = 0x4E00;
constexpr juce::juce_wchar lastSung = 0x9FA5;

bool isSung (juce::juce_wchar c) { return c >= firstSung && c <= lastSung; }

// 、。﹐﹔﹕！＃＄％＆，．：；？＠「」『』
constexpr juce::juce_wchar fullWidthPunctuation[] = {
    0x3001,
    0x3002,
    0xFE50,
    0xFE54,
    0xFE55,
    0xFF01,
    0xFF03,
    0xFF04,
    0xFF05,
    0xFF06,
    0xFF0C,
    0xFF0E,
    0xFF1A,
    0xFF1B,
    0xFF1F,
    0xFF20,
    0x300C,
    0x300D,
    0x300E,
    0x300F
};

constexpr juce::juce_wchar halfWidthPunctuation[] = {
    ' ',
    '.',
    ',',
    ';',
    ':',
    '!',
    '#',
    '$',
    '%',
    '&',
    '"',
    '`',
    '@',
    '[',
    ']',
    '{',
    '}',
    '\n',
    '\r'
};

template <size_t size>
bool isOneOf (juce::juce_wchar c, const juce::juce_wchar (&set)[size])
{
    return std::find (std::begin (set), std::end (set), c) != std::end (set);
}

// The framework's UTF-8 reader stops at the terminator even inside a broken sequence,
// so malformed text yields stray code points, never a read past the end.
template <typename Visitor>
bool forEachCodePoint (const juce::String& text, Visitor&& visit)
{
    for (auto p = text.getCharPointer(); ! p.isEmpty();)
        if (! visit (p.getAndAdvance()))
            return false;

    return true;
}
} // namespace

const char* const kLyricsHintLine = "、。﹐﹔﹕！＃＄％＆，．：；？＠「」『』.,;:!#$%&\"`@[]{}";

juce::StringArray splitLyrics (const juce::String& text)
{
    juce::StringArray sung;

    forEachCodePoint (text, [&] (juce::juce_wchar c) {
        if (isSung (c))
            sung.add (juce::String::charToString (c));

        return true;
    });

    return sung;
}

bool containsInvalidLyricsChar (const juce::String& text)
{
    return ! forEachCodePoint (text, [] (juce::juce_wchar c) {
        return isOneOf (c, fullWidthPunctuation) || isOneOf (c, halfWidthPunctuation) || isSung (c);
    });
}
