#include "DefaultTypeface.h"

namespace
{
juce::uint32 bigEndian32 (const juce::uint8* p) { return juce::ByteOrder::bigEndianInt (p); }
juce::uint16 bigEndian16 (const juce::uint8* p) { return juce::ByteOrder::bigEndianShort (p); }
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

        juce::MemoryBlock single (data);
        memmove (single.getData(), bytes + directory, directorySize);

        auto typeface = juce::Typeface::createSystemTypefaceFor (single.getData(), single.getSize());

        if (typeface != nullptr && typeface->getName() == family)
            return typeface;
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
