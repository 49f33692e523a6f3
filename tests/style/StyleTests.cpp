#include "style/DefaultTypeface.h"
#include "style/NoBorderLookAndFeel.h"
#include "style/StyleResources.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace
{
// The framework draws a character the face lacks with the face's missing glyph (often a
// box), so a real glyph is one whose outline differs from that of a surely missing one.
bool hasRealGlyph (juce::Typeface& face, juce::juce_wchar character)
{
    juce::Path outline, missing;
    face.getOutlineForGlyph ((int) character, outline);
    face.getOutlineForGlyph (0x10FFFD, missing);
    return ! outline.isEmpty() && outline.toString() != missing.toString();
}
} // namespace

TEST (DefaultTypeface, ChineseAndLatinTextHaveRealGlyphs)
{
    const auto chosen = DefaultTypeface::chosen();
    ASSERT_NE (chosen, nullptr) << "no CJK face installed (scripts/setup installs fonts-noto-cjk)";

    juce::LookAndFeel_V4 lookAndFeel;
    DefaultTypeface::apply (lookAndFeel);
    const auto face = lookAndFeel.getTypefaceForFont (juce::Font (14.0f));
    ASSERT_NE (face, nullptr);
    EXPECT_EQ (face->getName(), chosen->getName());

    // The labels of the program mix both scripts.
    const auto text = utf8 ("歌聲生成只能輸入中文與這些標點符號") + "Male AI 2 Lyrics: 0 open wav folder";

    for (int i = 0; i < text.length(); ++i)
    {
        if (text[i] != ' ')
        {
            EXPECT_TRUE (hasRealGlyph (*face, text[i])) << "missing glyph for " << juce::String::charToString (text[i]);
        }
    }

    // A face without these characters fails the same check.
    EXPECT_FALSE (hasRealGlyph (*StyleResources::montserratRegular(), text[0]));
    EXPECT_TRUE (hasRealGlyph (*StyleResources::montserratRegular(), 'M'));
}

TEST (DefaultTypeface, AFaceIsReadFromACollectionFile)
{
    const juce::File collection ("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc");
    ASSERT_TRUE (collection.existsAsFile()) << "scripts/setup installs fonts-noto-cjk";

    const auto traditional = DefaultTypeface::loadFromCollection (collection, "Noto Sans CJK TC");
    ASSERT_NE (traditional, nullptr);
    EXPECT_EQ (traditional->getName(), "Noto Sans CJK TC");

    EXPECT_EQ (DefaultTypeface::loadFromCollection (collection, "No Such Family"), nullptr);
    EXPECT_EQ (DefaultTypeface::loadFromCollection (juce::File ("/nonexistent.ttc"), "Noto Sans CJK TC"), nullptr);
}

TEST (StyleResources, EveryIconParsesAndEveryImageDecodes)
{
    struct Icon
    {
        const char* name;
        const char* data;
        int size;
        int width, height;
    };

    const Icon icons[] = {
        { "arrow", BinaryData::arrow_svg, BinaryData::arrow_svgSize, 10, 8 },
        { "editor", BinaryData::editor_svg, BinaryData::editor_svgSize, 128, 128 },
        { "pause", BinaryData::pause_svg, BinaryData::pause_svgSize, 8, 10 },
        { "play", BinaryData::play_svg, BinaryData::play_svgSize, 9, 10 },
        { "redo", BinaryData::redo_svg, BinaryData::redo_svgSize, 12, 10 },
        { "selector", BinaryData::selector_svg, BinaryData::selector_svgSize, 128, 128 },
        { "stop", BinaryData::stop_svg, BinaryData::stop_svgSize, 8, 8 },
    };

    for (const auto& icon : icons)
    {
        const auto drawable = StyleResources::drawable (icon.data, icon.size);
        ASSERT_NE (drawable, nullptr) << icon.name;
        auto* composite = dynamic_cast<juce::DrawableComposite*> (drawable.get());
        ASSERT_NE (composite, nullptr) << icon.name;
        EXPECT_EQ (composite->getContentArea().getWidth(), (float) icon.width) << icon.name;
        EXPECT_EQ (composite->getContentArea().getHeight(), (float) icon.height) << icon.name;
        EXPECT_FALSE (drawable->getDrawableBounds().isEmpty()) << icon.name;
    }

    struct Picture
    {
        const char* name;
        const char* data;
        int size;
        int side;
    };

    const Picture pictures[] = {
        { "logo", BinaryData::logo_png, BinaryData::logo_pngSize, 528 },
        { "selected", BinaryData::selected_png, BinaryData::selected_pngSize, 20 },
        { "voice_female_1", BinaryData::voice_female_1_png, BinaryData::voice_female_1_pngSize, 20 },
        { "voice_male_1", BinaryData::voice_male_1_png, BinaryData::voice_male_1_pngSize, 20 },
    };

    for (const auto& picture : pictures)
    {
        const auto image = StyleResources::image (picture.data, picture.size);
        ASSERT_TRUE (image.isValid()) << picture.name;
        EXPECT_EQ (image.getWidth(), picture.side) << picture.name;
        EXPECT_EQ (image.getHeight(), picture.side) << picture.name;
    }
}

TEST (StyleResources, MontserratFacesLoadFromMemory)
{
    EXPECT_EQ (StyleResources::montserratSemiBold()->getName(), "Montserrat");
    EXPECT_EQ (StyleResources::montserratSemiBold()->getStyle(), "SemiBold");
    EXPECT_EQ (StyleResources::montserratBold()->getStyle(), "Bold");
    EXPECT_EQ (StyleResources::montserratRegular()->getStyle(), "Regular");
    EXPECT_EQ (StyleResources::hintFont().getHeight(), 10.0f);
    EXPECT_EQ (StyleResources::hintFont().getTypefacePtr(), StyleResources::montserratSemiBold());
}

TEST (NoBorderLookAndFeel, ButtonsShowOnlyTheirText)
{
    NoBorderLookAndFeel lookAndFeel;
    juce::TextButton button ("");
    button.setLookAndFeel (&lookAndFeel);
    button.setColour (juce::TextButton::buttonColourId, juce::Colours::red);
    button.setColour (juce::TextButton::buttonOnColourId, juce::Colours::red);
    button.setSize (80, 30);

    for (const auto state : { juce::Button::buttonNormal, juce::Button::buttonOver, juce::Button::buttonDown })
    {
        button.setState (state);
        juce::Image image (juce::Image::ARGB, 80, 30, true);
        {
            juce::Graphics g (image);
            button.paintEntireComponent (g, true);
        }

        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 80; ++x)
                ASSERT_EQ (image.getPixelAt (x, y).getAlpha(), 0) << "state " << (int) state << " at " << x << "," << y;
    }

    button.setLookAndFeel (nullptr);
}
