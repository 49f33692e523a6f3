#include "DefaultTypeface.h"

#include <cstring>

namespace
{
juce::uint32 bigEndian32 (const juce::uint8* p) { return juce::ByteOrder::bigEndianInt (p); }
juce::uint16 bigEndian16 (const juce::uint8* p) { return juce::ByteOrder::bigEndianShort (p); }

// The Windows-platform family names (name ID 1, UTF-16BE) of the face whose table
// directory starts at `directory`, read straight from its name table: building a typeface
// for every face of a 20 MB collection just to ask its name took most of the start-up.
juce::StringArray familyNames (const juce::uint8* bytes, size_t size, size_t directory)
{
    juce::StringArray names;
    const auto tables = bigEndian16 (bytes + directory + 4);

    for (size_t t = 0; t < tables; ++t)
    {
        const auto* record = bytes + directory + 12 + 16 * t;

        if (std::memcmp (record, "name", 4) != 0)
            continue;

        const size_t table = bigEndian32 (record + 8);

        if (table + 6 > size)
            return names;

        const size_t count = bigEndian16 (bytes + table + 2), strings = table + bigEndian16 (bytes + table + 4);

        for (size_t i = 0; i < count && table + 6 + 12 * (i + 1) <= size; ++i)
        {
            const auto* entry = bytes + table + 6 + 12 * i;
            const size_t length = bigEndian16 (entry + 8), offset = strings + bigEndian16 (entry + 10);

            if (bigEndian16 (entry) != 3 || bigEndian16 (entry + 6) != 1 || offset + length > size)
                continue;

            juce::String name;

            for (size_t c = 0; c + 1 < length; c += 2)
                name += (juce::juce_wchar) bigEndian16 (bytes + offset + c);

            names.addIfNotAlreadyThere (name);
        }
    }

    return names;
}
} // namespace

juce::StringArray DefaultTypeface::preferredNames()
{
    return { "Heiti SC", "Noto Sans CJK TC", "Noto Sans TC", "Source Han Sans TC", "WenQuanYi Zen Hei", "WenQuanYi Micro Hei" };
}

juce::Typeface::Ptr DefaultTypeface::loadFromCollection (const juce::File& collection, const juce::String& family)
{
    juce::MemoryBlock data;

    if (! collection.loadFileAsData (data) || data.getSize() < 12)
        return nullptr;

    auto* bytes = static_cast<juce::uint8*> (data.getData());

    if (juce::String::fromUTF8 ((const char*) bytes, 4) != "ttcf")
        return nullptr;

    const auto faces = bigEndian32 (bytes + 8);

    for (juce::uint32 face = 0; face < faces && 12 + 4 * (size_t) face + 4 <= data.getSize(); ++face)
    {
        // A face's table directory points at tables by their offset in the whole file, so
        // the file with that directory copied to its start reads as a single font.
        const auto directory = bigEndian32 (bytes + 12 + 4 * face);

        if ((size_t) directory + 12 > data.getSize())
            continue;

        const auto directorySize = 12 + 16 * (size_t) bigEndian16 (bytes + directory + 4);

        if ((size_t) directory + directorySize > data.getSize())
            continue;

        if (! familyNames (bytes, data.getSize(), directory).contains (family))
            continue;

        // The name matched, so the collection is not needed as it was: the directory is
        // moved in place rather than into a second 20 MB copy.
        memmove (bytes, bytes + directory, directorySize);
        auto typeface = juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
        return typeface != nullptr && typeface->getName() == family ? typeface : nullptr;
    }

    return nullptr;
}

juce::Typeface::Ptr DefaultTypeface::chosen()
{
    // Found once: the framework scans the font folders on the first call, and a collection
    // is a large file.
    static const auto face = []() -> juce::Typeface::Ptr {
        const auto installed = juce::Font::findAllTypefaceNames();

        for (const auto& name : preferredNames())
            if (installed.contains (name))
                return juce::Typeface::createSystemTypefaceFor (juce::Font (name, 14.0f, juce::Font::plain));

        const juce::File collection ("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc");

        for (const auto* family : { "Noto Sans CJK TC", "Noto Sans CJK SC", "Noto Sans CJK JP" })
            if (auto typeface = loadFromCollection (collection, family))
                return typeface;

        return nullptr;
    }();

    return face;
}

void DefaultTypeface::apply (juce::LookAndFeel& lookAndFeel)
{
    if (auto face = chosen())
        lookAndFeel.setDefaultSansSerifTypeface (face);
}
