#include "roll/Keyboard.h"

#include <gtest/gtest.h>

namespace
{
struct KeyboardTest : public testing::Test
{
    KeyboardTest() { keyboard.setSize (70, 450); }

    Keyboard keyboard;
};
} // namespace

TEST_F (KeyboardTest, RowsOfNeighbouringPitchesShareTheirEdges)
{
    for (int pitch = 0; pitch < 127; ++pitch)
    {
        const auto row = rowOfPitch (keyboard, pitch);
        const auto above = rowOfPitch (keyboard, pitch + 1);
        EXPECT_FLOAT_EQ (row.getStart(), above.getEnd()) << pitch;
        EXPECT_GT (row.getLength(), 0.0f) << pitch;
    }
}

TEST_F (KeyboardTest, AnOctaveOfRowsHasTheKeyLayoutsHeights)
{
    const float expected[] = { 16.3f, 14.5f, 13.4f, 14.5f, 16.3f, 14.85f, 14.5f, 13.4f, 14.5f, 13.4f, 14.5f, 14.85f };
    float octave = 0.0f;

    for (int i = 0; i < 12; ++i)
    {
        const auto height = rowOfPitch (keyboard, 60 + i).getLength();
        EXPECT_NEAR (height, expected[i], 0.05f) << "pitch " << 60 + i;
        octave += height;
    }

    EXPECT_NEAR (octave, 175.0f, 0.01f);
}

TEST_F (KeyboardTest, PitchAtY)
{
    ASSERT_EQ (keyboard.getLowestVisibleKey(), 48);

    const auto row48 = rowOfPitch (keyboard, 48);
    testing::internal::CaptureStderr();
    EXPECT_EQ (YtoPitch (keyboard, row48.getStart() + 1.0f), 48);
    EXPECT_EQ (YtoPitch (keyboard, (float) keyboard.getHeight() + 100.0f), 48);
    EXPECT_EQ (testing::internal::GetCapturedStderr(), "");

    for (int pitch = 49; pitch < 70; ++pitch)
    {
        const auto row = rowOfPitch (keyboard, pitch);
        testing::internal::CaptureStderr();
        EXPECT_EQ (YtoPitch (keyboard, row.getStart()), pitch);
        EXPECT_EQ (YtoPitch (keyboard, row.getEnd() - 0.01f), pitch);
        testing::internal::GetCapturedStderr();
    }
}

TEST_F (KeyboardTest, TheLowerPartOfACSharpRowIsTheCSharp)
{
    const auto cSharpRow = rowOfPitch (keyboard, 61);
    const auto cKey = keyboard.getRectangleForKey (60);
    const auto y = cSharpRow.getEnd() - 1.0f;
    ASSERT_GT (y, cKey.getY()); // inside the C key's whole rectangle

    testing::internal::CaptureStderr();
    EXPECT_EQ (YtoPitch (keyboard, y), 61);
    const auto lines = juce::StringArray::fromLines (juce::String (testing::internal::GetCapturedStderr()).trimEnd());
    ASSERT_FALSE (lines.isEmpty());
    EXPECT_TRUE (lines[lines.size() - 1].startsWith ("[YtoPitch] pitch:61, position.y:")) << lines[lines.size() - 1];
}

TEST_F (KeyboardTest, AboveTheTopRowIsTheTopPitchAfterOneLinePerRow)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ (YtoPitch (keyboard, rowOfPitch (keyboard, 127).getStart() - 10.0f), 127);
    const auto lines = juce::StringArray::fromLines (juce::String (testing::internal::GetCapturedStderr()).trimEnd());

    ASSERT_EQ (lines.size(), 127 - 48 + 1);
    EXPECT_TRUE (lines[0].startsWith ("[YtoPitch] pitch:48, position.y:"));
    EXPECT_TRUE (lines[lines.size() - 1].startsWith ("[YtoPitch] pitch:127, position.y:"));
}

TEST_F (KeyboardTest, OnlyCKeysAreLabelled)
{
    EXPECT_EQ (Keyboard::labelOf (0), "C-1");
    EXPECT_EQ (Keyboard::labelOf (60), "C4");
    EXPECT_EQ (Keyboard::labelOf (120), "C9");

    juce::Image image (juce::Image::ARGB, keyboard.getWidth(), keyboard.getHeight(), true);
    {
        juce::Graphics g (image);
        keyboard.paintEntireComponent (g, true);
    }

    // Dark label pixels in the right part of a key only where the key is a C.
    const auto hasDarkPixels = [&] (int pitch) {
        const auto key = keyboard.getRectangleForKey (pitch).toNearestInt();
        for (int y = key.getY() + 2; y < key.getBottom() - 2; ++y)
            for (int x = (int) (keyboard.getWidth() * 0.6f) + 2; x < keyboard.getWidth() - 2; ++x)
                if (image.getPixelAt (x, y).getBrightness() < 0.6f)
                    return true;
        return false;
    };

    EXPECT_TRUE (hasDarkPixels (60));
    EXPECT_TRUE (hasDarkPixels (48));
    EXPECT_FALSE (hasDarkPixels (62));
    EXPECT_FALSE (hasDarkPixels (64));

    // White keys are white where black keys leave them free; black keys are black.
    const auto white = keyboard.getRectangleForKey (62).getCentre().toInt();
    const auto black = keyboard.getRectangleForKey (61).toNearestInt().getCentre();
    EXPECT_EQ (image.getPixelAt (keyboard.getWidth() - 5, white.y), juce::Colours::white);
    EXPECT_EQ (image.getPixelAt (5, black.y), juce::Colours::black);
}
