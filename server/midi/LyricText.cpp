#include "LyricText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace
{
// Converts with iconv, failing on the first byte sequence the encoding does not have.
bool convert (const char* encoding, const std::string& bytes, juce::String& result)
{
    const auto converter = iconv_open ("UTF-8", encoding);

    if (converter == (iconv_t) -1)
        return false;

    std::vector<char> out (bytes.size() * 4 + 8);
    auto* in = const_cast<char*> (bytes.data());
    auto inLeft = bytes.size();
    auto* to = out.data();
    auto outLeft = out.size();
    const auto done = iconv (converter, &in, &inLeft, &to, &outLeft);
    iconv_close (converter);

    if (done == (size_t) -1 || inLeft != 0)
        return false;

    result = juce::String::fromUTF8 (out.data(), (int) (out.size() - outLeft));

    // glibc's Big5 maps its user-defined rows into the private use area, where no lyric
    // is: such bytes are read as not being Big5 at all.
    for (auto p = result.getCharPointer(); ! p.isEmpty(); ++p)
        if (*p >= 0xE000 && *p <= 0xF8FF)
            return false;

    return true;
}
} // namespace

juce::String LyricText::decode (const std::string& bytes)
{
    if (juce::CharPointer_UTF8::isValidString (bytes.data(), (int) bytes.size()))
        return juce::String::fromUTF8 (bytes.data(), (int) bytes.size());

    juce::String text;

    if (convert ("BIG5", bytes, text) || convert ("GB18030", bytes, text))
        return text;

    return {};
}

const char* LyricText::encodingOf (const std::vector<std::string>& lyrics)
{
    juce::String ignored;

    for (const auto* encoding : { "UTF-8", "BIG5", "GB18030" })
        if (std::all_of (lyrics.begin(), lyrics.end(), [&] (const std::string& bytes) {
                return std::strcmp (encoding, "UTF-8") == 0 ? juce::CharPointer_UTF8::isValidString (bytes.data(), (int) bytes.size())
                                                            : convert (encoding, bytes, ignored);
            }))
            return encoding;

    return "";
}

juce::String LyricText::decode (const std::string& bytes, const char* encoding)
{
    juce::String text;

    if (std::strcmp (encoding, "BIG5") == 0 || std::strcmp (encoding, "GB18030") == 0)
        if (convert (encoding, bytes, text))
            return text;

    return decode (bytes);
}

juce::String LyricText::wordOf (const juce::String& lyric)
{
    for (auto p = lyric.getCharPointer(); ! p.isEmpty(); ++p)
        if (const auto c = *p; c >= 0x4E00 && c <= 0x9FA5)
            return juce::String::charToString (c);

    return {};
}
