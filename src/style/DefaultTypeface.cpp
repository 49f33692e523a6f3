#include "DefaultTypeface.h"

juce::StringArray DefaultTypeface::preferredNames()
{
    // The framework's Linux font scan reads only .ttf, .otf, .pfb and .pcf files, so faces
    // that come as .ttc collections (Debian's Noto Sans CJK, WenQuanYi) stay invisible to it;
    // Droid Sans Fallback is a .ttf with the whole CJK range.
    return { "Heiti SC", "Noto Sans CJK TC", "Noto Sans TC", "Source Han Sans TC", "Noto Sans CJK SC", "WenQuanYi Zen Hei", "WenQuanYi Micro Hei", "Droid Sans Fallback" };
}

juce::String DefaultTypeface::chooseName()
{
    const auto installed = juce::Font::findAllTypefaceNames();

    for (const auto& name : preferredNames())
        if (installed.contains (name))
            return name;

    return {};
}

void DefaultTypeface::apply (juce::LookAndFeel& lookAndFeel)
{
    // Looked up once: the framework scans the font folders on the first call.
    static const auto name = chooseName();

    if (name.isNotEmpty())
        lookAndFeel.setDefaultSansSerifTypefaceName (name);
}
