#include "audio/VolumeEditor.h"
#include "support/Capture.h"
#include "support/MessagePump.h"
#include "support/MouseEvents.h"

#include <gtest/gtest.h>

namespace
{

// The leftmost column of the bubble in the top 20 pixels, or -1.
int bubbleLeft (const juce::Image& image)
{
    for (int x = 0; x < image.getWidth(); ++x)
        if (image.getPixelAt (x, 10) == juce::Colour (VolumeEditor::bubbleColour))
            return x;
    return -1;
}
} // namespace

TEST (VolumeEditor, StartsFullAndReportsItOnce)
{
    VolumeEditor volume (1.0f);
    std::vector<float> reported;
    volume.onVolumeChange = [&] (float v) { reported.push_back (v); };

    pumpMessagesFor (50);

    EXPECT_EQ (volume.getWidth(), 180);
    EXPECT_EQ (volume.getHeight(), 40);
    EXPECT_EQ (volume.slider.getValue(), 1.0);
    ASSERT_EQ (reported.size(), 1u);
    EXPECT_EQ (reported[0], 1.0f);
    EXPECT_EQ (volume.slider.getBounds(), juce::Rectangle<int> (20, 20, 140, 20));
    EXPECT_EQ (volume.plusButton.getBounds(), juce::Rectangle<int> (155, 20, 20, 20));
}

TEST (VolumeEditor, StepButtonsShowTheBubbleAndStopAtTheEnds)
{
    VolumeEditor volume (1.0f);
    pumpMessagesFor (20);
    std::vector<float> reported;
    volume.onVolumeChange = [&] (float v) { reported.push_back (v); };

    volume.plusButton.onClick();
    EXPECT_TRUE (reported.empty());

    volume.minusButton.onClick();
    ASSERT_EQ (reported.size(), 1u);
    EXPECT_FLOAT_EQ (reported[0], 0.99f);
    EXPECT_TRUE (volume.showValue);

    // The bubble shows 99 until the pointer leaves the button.
    EXPECT_GE (bubbleLeft (paintOf (volume)), 0);
    volume.minusButton.mouseExit (mouseEventOn (volume.minusButton, { 30.0f, 5.0f }));
    EXPECT_FALSE (volume.showValue);
    EXPECT_EQ (bubbleLeft (paintOf (volume)), -1);
}

TEST (VolumeEditor, TheBubbleFollowsTheThumb)
{
    VolumeEditor volume (1.0f);
    volume.showValue = true;

    for (const auto& [value, left] : { std::pair { 0.0, 0 }, std::pair { 0.25, 36 }, std::pair { 0.5, 70 }, std::pair { 0.75, 101 }, std::pair { 1.0, 130 } })
    {
        volume.slider.setValue (value, juce::dontSendNotification);
        EXPECT_EQ (volume.bubbleX(), left) << value;
        EXPECT_EQ (bubbleLeft (paintOf (volume)), left) << value;
    }
}

TEST (VolumeEditor, TheWedgeGrowsWithTheVolume)
{
    VolumeEditor volume (0.0f);
    volume.slider.setValue (0.0, juce::dontSendNotification);
    const auto silent = paintOf (volume);

    volume.slider.setValue (1.0, juce::dontSendNotification);
    const auto full = paintOf (volume);

    const auto whiteIn = [] (const juce::Image& image) {
        int count = 0;
        for (int y = 20; y < 40; ++y)
            for (int x = 22; x < 150; ++x)
                count += image.getPixelAt (x, y) == juce::Colours::white ? 1 : 0;
        return count;
    };

    EXPECT_EQ (whiteIn (silent), 0);
    EXPECT_GT (whiteIn (full), 800);
}
