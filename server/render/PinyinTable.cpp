#include "PinyinTable.h"

namespace PinyinTableData
{
extern const char* const syllables[];
extern const unsigned short indices[];
extern const int syllableCount;
} // namespace PinyinTableData

const char* PinyinTable::syllableOf (juce::juce_wchar character)
{
    if (character < firstCharacter || character > lastCharacter)
        return "";

    const auto index = PinyinTableData::indices[character - firstCharacter];
    return index < PinyinTableData::syllableCount ? PinyinTableData::syllables[index] : "";
}
