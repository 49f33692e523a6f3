#include "DefaultTypeface.h"

#include "FreeTypeFace.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace
{
// Where fontconfig, the desktop's own font index, has an installed face of `family`: the
// file and the face's index in it, the upright weight nearest to regular. Its caches
// answer at once; nothing is opened to find the face.
std::optional<std::pair<juce::File, int>> locate (const juce::String& family)
{
    std::optional<std::pair<juce::File, int>> found;
    auto* pattern = FcPatternCreate();
    auto* objects = FcObjectSetBuild (FC_FILE, FC_INDEX, FC_WEIGHT, FC_SLANT, nullptr);

    if (pattern == nullptr || objects == nullptr)
    {
        if (pattern != nullptr)
            FcPatternDestroy (pattern);

        if (objects != nullptr)
            FcObjectSetDestroy (objects);

        return found;
    }

    FcPatternAddString (pattern, FC_FAMILY, reinterpret_cast<const FcChar8*> (family.toRawUTF8()));
    FcPatternAddBool (pattern, FC_SCALABLE, FcTrue);

    if (auto* fonts = FcFontList (nullptr, pattern, objects))
    {
        auto best = std::numeric_limits<int>::max();

        for (int i = 0; i < fonts->nfont; ++i)
        {
            FcChar8* file = nullptr;
            int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;

            if (FcPatternGetString (fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
                continue;

            FcPatternGetInteger (fonts->fonts[i], FC_INDEX, 0, &index);
            FcPatternGetInteger (fonts->fonts[i], FC_WEIGHT, 0, &weight);
            FcPatternGetInteger (fonts->fonts[i], FC_SLANT, 0, &slant);

            const auto distance = std::abs (weight - FC_WEIGHT_REGULAR) + (slant != FC_SLANT_ROMAN ? 1000 : 0);

            if (distance < best)
            {
                best = distance;
                found = std::make_pair (juce::File (juce::String::fromUTF8 (reinterpret_cast<const char*> (file))), index);
            }
        }

        FcFontSetDestroy (fonts);
    }

    FcObjectSetDestroy (objects);
    FcPatternDestroy (pattern);
    return found;
}
} // namespace

juce::StringArray DefaultTypeface::preferredNames()
{
    return { "Heiti SC", "Noto Sans CJK TC", "Noto Sans TC", "Source Han Sans TC", "WenQuanYi Zen Hei", "WenQuanYi Micro Hei" };
}

juce::Typeface::Ptr DefaultTypeface::loadFromCollection (const juce::File& collection, const juce::String& family)
{
    const auto faces = FreeTypeFace::countFaces (collection);

    for (int face = 0; face < faces; ++face)
        if (FreeTypeFace::familyName (collection, face) == family)
            return FreeTypeFace::fromFile (collection, face);

    return nullptr;
}

juce::Typeface::Ptr DefaultTypeface::chosen()
{
    // Found once and kept for the whole run.
    static const auto face = []() -> juce::Typeface::Ptr {
        for (const auto& name : preferredNames())
            if (const auto location = locate (name))
                if (auto typeface = FreeTypeFace::fromFile (location->first, location->second))
                    return typeface;

        // Without a usable font index, Debian's collection where the package puts it.
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
