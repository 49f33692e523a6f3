#pragma once

#include <BinaryData.h>
#include <juce_gui_basics/juce_gui_basics.h>

// The embedded fonts, icons and images, turned into what components draw with.
class StyleResources
{
public:
    // Parses an embedded SVG into a drawable; nullptr when it is not valid SVG.
    static std::unique_ptr<juce::Drawable> drawable (const char* data, int size);

    // Decodes an embedded PNG.
    static juce::Image image (const char* data, int size);

    // The Montserrat faces, created on first use and kept for the whole run.
    static juce::Typeface::Ptr montserratBold();
    static juce::Typeface::Ptr montserratRegular();
    static juce::Typeface::Ptr montserratSemiBold();

    // The roll's hint text font: Montserrat SemiBold, height 10.
    static juce::Font hintFont();

private:
    StyleResources() = delete;
};
