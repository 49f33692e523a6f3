#include "StyleResources.h"

#include "FreeTypeFace.h"

namespace
{
// Freed when the framework shuts down, not at static destruction after it.
struct Faces : public juce::DeletedAtShutdown
{
    ~Faces() override { clearSingletonInstance(); }

    const juce::Typeface::Ptr bold = FreeTypeFace::fromMemory (BinaryData::MontserratBold_ttf, (size_t) BinaryData::MontserratBold_ttfSize);
    const juce::Typeface::Ptr regular = FreeTypeFace::fromMemory (BinaryData::MontserratRegular_ttf, (size_t) BinaryData::MontserratRegular_ttfSize);
    const juce::Typeface::Ptr semiBold = FreeTypeFace::fromMemory (BinaryData::MontserratSemiBold_ttf, (size_t) BinaryData::MontserratSemiBold_ttfSize);

    JUCE_DECLARE_SINGLETON_SINGLETHREADED_MINIMAL (Faces)
};

JUCE_IMPLEMENT_SINGLETON (Faces)
} // namespace

std::unique_ptr<juce::Drawable> StyleResources::drawable (const char* data, int size)
{
    if (const auto xml = juce::parseXML (juce::String::fromUTF8 (data, size)))
        return juce::Drawable::createFromSVG (*xml);

    return nullptr;
}

juce::Image StyleResources::image (const char* data, int size) { return juce::ImageCache::getFromMemory (data, size); }

juce::Typeface::Ptr StyleResources::montserratBold() { return Faces::getInstance()->bold; }

juce::Typeface::Ptr StyleResources::montserratRegular() { return Faces::getInstance()->regular; }

juce::Typeface::Ptr StyleResources::montserratSemiBold() { return Faces::getInstance()->semiBold; }

juce::Font StyleResources::hintFont() { return juce::Font (montserratSemiBold()).withHeight (10.0f); }
