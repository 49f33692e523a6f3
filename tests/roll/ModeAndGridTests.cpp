#include "roll/GridController.h"
#include "roll/ModeController.h"
#include "support/Capture.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

namespace
{

struct ChangeCounter : public juce::ChangeListener
{
    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++changes; }
    int changes = 0;
};
} // namespace

TEST (ModeController, StartsInSelectModeAndSwitchesOnClicks)
{
    ModeController modes;
    modes.setSize (100, 40);

    EXPECT_EQ (modes.mode.load(), ModeController::selectMode);
    EXPECT_EQ (modes.editorButton.getBounds(), juce::Rectangle<int> (0, 0, 50, 40));
    EXPECT_EQ (modes.selectorButton.getBounds(), juce::Rectangle<int> (50, 0, 50, 40));

    // Corners lie outside the icons, which are inset by 12 and 8 pixels.
    auto image = paintOf (modes);
    EXPECT_EQ (image.getPixelAt (52, 3), juce::Colours::blue);
    EXPECT_NE (image.getPixelAt (2, 3), juce::Colours::blue);

    modes.editorButton.triggerClick();
    pumpMessagesUntil ([&] { return modes.mode.load() == ModeController::drawMode; }, 2000);
    EXPECT_EQ (modes.mode.load(), ModeController::drawMode);
    image = paintOf (modes);
    EXPECT_EQ (image.getPixelAt (2, 3), juce::Colours::blue);
    EXPECT_NE (image.getPixelAt (52, 3), juce::Colours::blue);

    modes.selectorButton.triggerClick();
    pumpMessagesUntil ([&] { return modes.mode.load() == ModeController::selectMode; }, 2000);
    EXPECT_EQ (modes.mode.load(), ModeController::selectMode);
}

TEST (ModeController, IconsFillTheButtonsInsetAndShowWhite)
{
    ModeController modes;
    modes.setSize (100, 40);

    EXPECT_EQ (modes.editorButton.getImageBounds(), juce::Rectangle<float> (12.0f, 8.0f, 26.0f, 24.0f));

    // The icon is drawn in white over the blue of the chosen half.
    const auto image = paintOf (modes);
    bool white = false;
    for (int y = 8; y < 32 && ! white; ++y)
        for (int x = 62; x < 88 && ! white; ++x)
            white = image.getPixelAt (x, y).getBrightness() > 0.9f && image.getPixelAt (x, y).getSaturation() < 0.1f;

    EXPECT_TRUE (white);
}

TEST (GridController, FourteenDivisionsWithQuarterChosen)
{
    GridController grid;
    ChangeCounter counter;
    grid.addChangeListener (&counter);

    const std::pair<const char*, int> expected[] = {
        { "1/1", 1 },
        { "1/2", 2 },
        { "1/4", 4 },
        { "1/8", 8 },
        { "1/16", 16 },
        { "1/32", 32 },
        { "1/64", 64 },
        { "1/2T", 3 },
        { "1/4T", 6 },
        { "1/8T", 12 },
        { "1/16T", 24 },
        { "1/32T", 48 },
        { "1/64T", 96 },
        { "OFF", 100000 },
    };

    ASSERT_EQ (grid.comboBox.getNumItems(), 14);
    for (int i = 0; i < 14; ++i)
    {
        EXPECT_EQ (grid.comboBox.getItemText (i), expected[i].first);
        EXPECT_EQ (grid.comboBox.getItemId (i), expected[i].second);
    }

    EXPECT_EQ (grid.comboBox.getText(), "1/4");
    EXPECT_EQ (grid.division(), 4);

    // The choice made at construction is announced shortly after.
    EXPECT_TRUE (pumpMessagesUntil ([&] { return counter.changes == 1; }, 2000));

    grid.comboBox.setSelectedId (6, juce::sendNotificationSync);
    EXPECT_EQ (grid.division(), 6);
    EXPECT_TRUE (pumpMessagesUntil ([&] { return counter.changes == 2; }, 2000));

    grid.comboBox.setSelectedId (GridController::offId, juce::sendNotificationSync);
    EXPECT_EQ (grid.division(), 0);
    grid.removeChangeListener (&counter);
}
