#include "PinyinTable.h"
#include "support/Utf8.h"
#include "VocalRenderer.h"

#include <gtest/gtest.h>

namespace
{
TEST (PinyinTable, GivesTheTaiwaneseReadingWithItsTone)
{
    const struct
    {
        const char* word;
        const char* syllable;
    } cases[] = {
        { "好", "hao3" },
        { "我", "wo3" },
        { "綠", "lv4" },
        { "女", "nv3" },
        { "的", "de5" },
        { "一", "yi1" },
        { "誰", "shei2" },
        { "期", "qi1" },
        { "垃", "la1" },
        { "龥", "yu4" },
        { "丁", "ding1" },
        { "學", "xue2" },
        { "嗯", "n2" },
        { "亮", "liang4" },
        { "晶", "jing1" },
    };

    for (const auto& c : cases)
        EXPECT_STREQ (PinyinTable::syllableOf (utf8 (c.word)[0]), c.syllable) << c.word;
}

TEST (PinyinTable, OutsideTheSungRangeThereIsNoReadingAndTheNoteIsSungOnA)
{
    for (const juce::juce_wchar c : { (juce::juce_wchar) 'a', (juce::juce_wchar) 0x4DFF, (juce::juce_wchar) 0x9FA6, (juce::juce_wchar) 0x3042 })
        EXPECT_STREQ (PinyinTable::syllableOf (c), "") << (int) c;

    EXPECT_EQ (VocalRenderer::syllableFor ({}), "a1");
    EXPECT_EQ (VocalRenderer::syllableFor ("k"), "a1");
    EXPECT_EQ (VocalRenderer::syllableFor (utf8 ("好")), "hao3");
}
} // namespace
