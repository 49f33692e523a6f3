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

bool DefaultTypeface::chosenFromNote = false;

juce::StringArray DefaultTypeface::preferredNames()
{
    return { "Heiti SC", "Noto Sans CJK TC", "Noto Sans TC", "Source Han Sans TC", "WenQuanYi Zen Hei", "WenQuanYi Micro Hei" };
}

int DefaultTypeface::indexInCollection (const juce::File& collection, const juce::String& family)
{
    const auto faces = FreeTypeFace::countFaces (collection);

    for (int face = 0; face < faces; ++face)
        if (FreeTypeFace::familyName (collection, face) == family)
            return face;

    return -1;
}

juce::Typeface::Ptr DefaultTypeface::loadFromCollection (const juce::File& collection, const juce::String& family)
{
    const auto index = indexInCollection (collection, family);
    return index >= 0 ? FreeTypeFace::fromFile (collection, index) : nullptr;
}

std::optional<DefaultTypeface::Found> DefaultTypeface::open (const juce::File& file, int index)
{
    if (auto face = FreeTypeFace::fromFile (file, index))
        return Found { { file, index, face->getName() }, face };

    return std::nullopt;
}

std::optional<DefaultTypeface::Found> DefaultTypeface::search()
{
    for (const auto& name : preferredNames())
        if (const auto location = locate (name))
            if (auto found = open (location->first, location->second))
                return found;

    // Without a usable font index, Debian's collection where the package puts it.
    const juce::File collection ("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc");

    for (const auto* family : { "Noto Sans CJK TC", "Noto Sans CJK SC", "Noto Sans CJK JP" })
        if (const auto index = indexInCollection (collection, family); index >= 0)
            if (auto found = open (collection, index))
                return found;

    return std::nullopt;
}

juce::Typeface::Ptr DefaultTypeface::choose (const juce::File& note, bool& remembered)
{
    remembered = false;

    // The note is trusted only while its file still holds a face of that family.
    if (const auto entry = FaceMemo::read (note))
    {
        if (auto found = open (entry->file, entry->index); found && found->entry == *entry)
        {
            remembered = true;
            return found->face;
        }
    }

    const auto found = search();

    if (! found)
        return nullptr;

    FaceMemo::write (note, found->entry);
    return found->face;
}

bool DefaultTypeface::refresh (const juce::File& note)
{
    const auto found = search();

    if (! found || FaceMemo::read (note) == found->entry)
        return false;

    return FaceMemo::write (note, found->entry);
}

juce::Typeface::Ptr DefaultTypeface::chosen()
{
    // Found once and kept for the whole run.
    static const auto face = choose (FaceMemo::defaultLocation(), chosenFromNote);
    return face;
}

bool DefaultTypeface::wasRemembered()
{
    chosen();
    return chosenFromNote;
}

void DefaultTypeface::apply (juce::LookAndFeel& lookAndFeel)
{
    if (auto face = chosen())
        lookAndFeel.setDefaultSansSerifTypeface (face);
}
