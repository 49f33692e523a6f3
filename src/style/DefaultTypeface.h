#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The sans-serif face every unnamed font uses. It must hold both Latin and Chinese: the
// framework draws each text with one face and has no fallback, so a face without
// Chinese shows boxes for it, and a CJK-only fallback face shows boxes for Latin.
class DefaultTypeface
{
public:
    // Makes the chosen face the look-and-feel's default sans-serif face.
    static void apply (juce::LookAndFeel& lookAndFeel);

    // The face apply() uses, or nullptr when none is installed.
    static juce::Typeface::Ptr chosen();

    // The faces looked for among the installed ones, in order of preference.
    static juce::StringArray preferredNames();

    // The face of that family in a font collection file (.ttc, the form Debian ships Noto
    // Sans CJK in), or nullptr.
    static juce::Typeface::Ptr loadFromCollection (const juce::File& collection, const juce::String& family);

private:
    DefaultTypeface() = delete;
};
