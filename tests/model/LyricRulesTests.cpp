#include "model/LyricRules.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace
{
juce::StringArray chars (std::initializer_list<const char*> items)
{
    juce::StringArray result;
    for (const auto* item : items)
        result.add (utf8 (item));
    return result;
}

juce::String fromCodePoint (juce::juce_wchar c) { return juce::String::charToString (c); }
} // namespace

TEST (LyricRules, SplitsSungCharactersAndJudgesTheText)
{
    struct Case
    {
        juce::String text;
        juce::StringArray sung;
        bool invalid;
    };

    const Case cases[] = {
        { utf8 ("天空，好藍"), chars ({ "天", "空", "好", "藍" }), false },
        { utf8 ("天空, 好藍"), chars ({ "天", "空", "好", "藍" }), false },
        { utf8 ("好嗎？"), chars ({ "好", "嗎" }), false },
        { utf8 ("好嗎?"), chars ({ "好", "嗎" }), true },
        { utf8 ("你好 world 嗎？"), chars ({ "你", "好", "嗎" }), true },
        { utf8 ("第1首"), chars ({ "第", "首" }), true },
        { utf8 ("一\t二"), chars ({ "一", "二" }), true },
        { utf8 ("一-二"), chars ({ "一", "二" }), true },
        { utf8 ("一\n二\r\n三\r四"), chars ({ "一", "二", "三", "四" }), false },
        { {}, {}, false },
        { utf8 ("、。﹐﹔﹕！＃＄％＆，．：；？＠「」『』"), {}, false },
        { utf8 (" .,;:!#$%&\"`@[]{}\n\r"), {}, false },
        { utf8 ("\xe4\xb8\x80\xe9\xbe\xa5"), chars ({ "一", "龥" }), false }, // U+4E00 and U+9FA5, the range ends
        { utf8 ("愛\xe9\xbe\xa6"), chars ({ "愛" }), true }, // U+9FA6, just above the range
        { fromCodePoint (0x4DFF) + utf8 ("愛"), chars ({ "愛" }), true }, // just below the range
        { fromCodePoint (0x3400) + fromCodePoint (0x4DBF), {}, true }, // extension A
        { fromCodePoint (0x20000) + utf8 ("字"), chars ({ "字" }), true }, // beyond the basic plane
        { utf8 ("（歌）"), chars ({ "歌" }), true }, // full-width brackets are not allowed
        { utf8 ("歌'"), chars ({ "歌" }), true },
        { utf8 ("歌?"), chars ({ "歌" }), true },
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (splitLyrics (c.text), c.sung) << c.text;
        EXPECT_EQ (containsInvalidLyricsChar (c.text), c.invalid) << c.text;
    }
}

TEST (LyricRules, EveryHintCharacterIsAllowed)
{
    const auto hint = utf8 (kLyricsHintLine);

    EXPECT_EQ (hint.length(), 36);
    EXPECT_FALSE (containsInvalidLyricsChar (hint));
    EXPECT_TRUE (splitLyrics (hint).isEmpty());

    // Each printable allowed character appears in the hint exactly once.
    for (int i = 0; i < hint.length(); ++i)
        EXPECT_EQ (hint.indexOfChar (i + 1, hint[i]), -1) << i;
}

TEST (LyricRules, MalformedUtf8NeitherCrashesNorPasses)
{
    const char* const inputs[] = {
        "\xff\xfe",
        "\xe4\xbd", // a sequence cut off at the end
        "\xe4\xbd\xa0\xe5\xa5", // a whole character, then half of one
        "\xc0\xaf", // overlong '/'
        "\xed\xa0\x80", // an encoded surrogate
        "\x80\x80\x80", // continuation bytes alone
        "\xf4\x90\x80\x80", // beyond U+10FFFF
    };

    for (const auto* bytes : inputs)
    {
        const auto text = juce::String::fromUTF8 (bytes, (int) strlen (bytes));
        EXPECT_TRUE (containsInvalidLyricsChar (text)) << juce::String::toHexString (bytes, (int) strlen (bytes));
        for (const auto& sung : splitLyrics (text))
            EXPECT_EQ (sung.length(), 1);
    }

    // Valid characters around a broken byte are still found.
    const auto mixed = juce::String::fromUTF8 ("\xe4\xbd\xa0\xff\xe5\xa5\xbd");
    EXPECT_EQ (splitLyrics (mixed), chars ({ "你", "好" }));
    EXPECT_TRUE (containsInvalidLyricsChar (mixed));
}
