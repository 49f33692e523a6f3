#pragma once

#include "FaceMemo.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

// The sans-serif face every unnamed font uses. It must hold both Latin and Chinese: the
// framework draws each text with one face and has no fallback, so a face without
// Chinese shows boxes for it, and a CJK-only fallback face shows boxes for Latin.
class DefaultTypeface
{
public:
    // Makes the chosen face the look-and-feel's default sans-serif face.
    static void apply (juce::LookAndFeel& lookAndFeel);

    // The face apply() uses, or nullptr when none is installed: choose() with the note at
    // FaceMemo::defaultLocation(), once per run.
    static juce::Typeface::Ptr chosen();

    // Whether chosen() came from the note, so the note is worth checking with refresh().
    static bool wasRemembered();

    // The face the note names when its file still holds that face; otherwise the first
    // preferred face installed (fontconfig, then Debian's collection), noted for the next
    // start. nullptr when there is none.
    static juce::Typeface::Ptr choose (const juce::File& note, bool& remembered);

    // Searches again and rewrites the note when the search finds another face (one
    // installed or removed since); true when it did. Safe on any thread.
    static bool refresh (const juce::File& note);

    // The faces looked for among the installed ones, in order of preference.
    static juce::StringArray preferredNames();

    // The face of that family in a font collection file (.ttc, the form Debian ships Noto
    // Sans CJK in), or nullptr.
    static juce::Typeface::Ptr loadFromCollection (const juce::File& collection, const juce::String& family);

    // The index of that family's face in a collection file, or -1.
    static int indexInCollection (const juce::File& collection, const juce::String& family);

private:
    struct Found
    {
        FaceMemo::Entry entry;
        juce::Typeface::Ptr face;
    };

    static std::optional<Found> open (const juce::File& file, int index);
    static std::optional<Found> search();

    static bool chosenFromNote;

    DefaultTypeface() = delete;
};
