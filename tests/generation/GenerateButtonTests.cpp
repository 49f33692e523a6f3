#include "generation/GenerateButton.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

TEST (GenerateButton, StartsDisabledAndSwapsFacesOnClicks)
{
    GenerateButton button;
    button.setSize (120, 40);
    int generates = 0, cancels = 0;
    button.onGenerate = [&] { ++generates; };
    button.onCancel = [&] { ++cancels; };

    EXPECT_TRUE (button.generateButton->isVisible());
    EXPECT_FALSE (button.generateButton->isEnabled());
    EXPECT_FALSE (button.cancelButton->isVisible());
    EXPECT_EQ (button.generateButton->getBounds(), juce::Rectangle<int> (0, 0, 120, 40));
    EXPECT_EQ (button.cancelButton->getBounds(), juce::Rectangle<int> (0, 0, 120, 40));
    EXPECT_EQ (button.generateButton->getButtonText(), juce::String (juce::CharPointer_UTF8 ("歌聲生成")));

    // Disabled: a click does nothing.
    button.generateButton->triggerClick();
    pumpMessagesFor (30);
    EXPECT_EQ (generates, 0);

    button.generateButton->setEnabled (true);
    button.generateButton->triggerClick();
    pumpMessagesUntil ([&] { return generates == 1; }, 2000);
    EXPECT_EQ (generates, 1);
    EXPECT_FALSE (button.generateButton->isVisible());
    EXPECT_TRUE (button.cancelButton->isVisible());

    button.cancelButton->triggerClick();
    pumpMessagesUntil ([&] { return cancels == 1; }, 2000);
    EXPECT_EQ (cancels, 1);
    EXPECT_TRUE (button.generateButton->isVisible());
    EXPECT_FALSE (button.cancelButton->isVisible());
}

TEST (GenerateButton, OnlyTheTextIsDrawn)
{
    GenerateButton button;
    button.setSize (120, 40);
    button.generateButton->setEnabled (true);

    juce::Image image (juce::Image::ARGB, 120, 40, true);
    {
        juce::Graphics g (image);
        button.paintEntireComponent (g, true);
    }

    // Corners stay clear; the text is drawn in its orange.
    EXPECT_EQ (image.getPixelAt (1, 1).getAlpha(), 0);
    bool orange = false;
    for (int y = 0; y < 40 && ! orange; ++y)
        for (int x = 0; x < 120 && ! orange; ++x)
            orange = image.getPixelAt (x, y).getAlpha() > 200 && image.getPixelAt (x, y).getRed() > 200 && image.getPixelAt (x, y).getBlue() < 60;
    EXPECT_TRUE (orange);
}
