#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The sans-serif face every unnamed font uses. It must hold Chinese characters: the
// framework's own default shows them as missing-glyph boxes on Linux.
class DefaultTypeface
{
public:
    // The first installed face of the preferred ones, or empty when none is installed.
    static juce::String chooseName();

    // Makes the chosen face the look-and-feel's default sans-serif face.
    static void apply (juce::LookAndFeel& lookAndFeel);

    // In order of preference: the original platform's face, then Linux CJK sans faces.
    static juce::StringArray preferredNames();

private:
    DefaultTypeface() = delete;
};
