#include "style/VoiceListLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
juce::Image paintBox (VoiceListLookAndFeel& lookAndFeel, int height, int selectedId)
{
    juce::ComboBox box;
    box.addItem ("Female AI 2", 2);
    box.addItem ("Male AI 2", 3);
    box.setSelectedId (selectedId, juce::dontSendNotification);
    box.setLookAndFeel (&lookAndFeel);
    box.setSize (160, height);

    juce::Image image (juce::Image::ARGB, 160, height, true);
    {
        juce::Graphics g (image);
        lookAndFeel.drawComboBox (g, 160, height, false, 0, 0, 160, height, box);
    }
    box.setLookAndFeel (nullptr);
    return image;
}
} // namespace

TEST (VoiceList, TheVoiceTable)
{
    EXPECT_EQ (VoiceListLookAndFeel::modelOf (2), "zh_tw_female_2");
    EXPECT_EQ (VoiceListLookAndFeel::modelOf (3), "zh_tw_male_2");
    EXPECT_EQ (VoiceListLookAndFeel::idOfText ("Female AI 2"), 2);
    EXPECT_EQ (VoiceListLookAndFeel::idOfText ("Male AI 2"), 3);
    EXPECT_EQ (VoiceListLookAndFeel::idOfText ("Robot"), 0);
}

TEST (VoiceList, TheAvatarIsClippedToAnEvenCircle)
{
    EXPECT_EQ (VoiceListLookAndFeel::avatarCircleFor (30), juce::Rectangle<int> (5, 5, 20, 20));
    EXPECT_EQ (VoiceListLookAndFeel::avatarCircleFor (25), juce::Rectangle<int> (5, 5, 14, 14));

    VoiceListLookAndFeel lookAndFeel;

    // At 30 pixels the avatar fills its circle: its middle shows the avatar's middle.
    const auto tall = paintBox (lookAndFeel, 30, 3);
    EXPECT_EQ (tall.getPixelAt (15, 15), lookAndFeel.maleImage.getPixelAt (10, 10));

    // At 25 pixels it is cut by the smaller circle: the square's right edge shows no avatar.
    const auto small = paintBox (lookAndFeel, 25, 3);
    EXPECT_EQ (small.getPixelAt (12, 12), lookAndFeel.maleImage.getPixelAt (7, 7));
    EXPECT_NE (small.getPixelAt (23, 12), lookAndFeel.maleImage.getPixelAt (18, 7));

    // Each voice shows its own avatar.
    const auto female = paintBox (lookAndFeel, 30, 2);
    EXPECT_EQ (female.getPixelAt (15, 15), lookAndFeel.femaleImage.getPixelAt (10, 10));
}

TEST (VoiceList, TheCurrentVoiceShowsTheOverlayInThePopup)
{
    VoiceListLookAndFeel lookAndFeel;
    const juce::Rectangle<int> area (0, 0, 160, 30);

    const auto drawItem = [&] (const juce::String& text, bool ticked) {
        juce::Image image (juce::Image::ARGB, 160, 30, true);
        juce::Graphics g (image);
        lookAndFeel.drawPopupMenuItem (g, area, false, true, false, ticked, false, text, {}, nullptr, nullptr);
        return image;
    };

    const auto plain = drawItem ("Male AI 2", false);
    const auto ticked = drawItem ("Male AI 2", true);
    const auto other = drawItem ("Other", true);

    // Plain: the avatar as it is; ticked: the overlay darkens it.
    EXPECT_EQ (plain.getPixelAt (7, 7), lookAndFeel.maleImage.getPixelAt (2, 2));
    EXPECT_NE (ticked.getPixelAt (15, 15), plain.getPixelAt (15, 15));
    EXPECT_LT (ticked.getPixelAt (8, 15).getBrightness(), plain.getPixelAt (8, 15).getBrightness());

    // An item without an avatar gets neither avatar nor overlay (nor the standard tick).
    EXPECT_NE (other.getPixelAt (15, 15), ticked.getPixelAt (15, 15));
}

TEST (VoiceList, TextStartsRightOfTheAvatar)
{
    VoiceListLookAndFeel lookAndFeel;
    juce::ComboBox box;
    box.setSize (160, 30);
    juce::Label label;

    lookAndFeel.positionComboBoxText (box, label);

    EXPECT_EQ (label.getBounds(), juce::Rectangle<int> (30, 1, 130, 28));
}
