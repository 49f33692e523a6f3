#include "audio/WavPlayer.h"
#include "support/TestWav.h"

#include <gtest/gtest.h>

namespace
{
// Drives the transport as the audio device would: prepared at 44.1 kHz, pulled in blocks.
struct WavPlayerTest : public testing::Test
{
    WavPlayerTest()
    {
        player.setSize (150, 30);
        player.transportSource.prepareToPlay (blockSize, 44100.0);
        player.setReader (TestWav::reader (TestWav::sine (5.0)));
        player.setButtonsEnabled (true);
    }

    ~WavPlayerTest() override { player.transportSource.releaseResources(); }

    void playFor (double seconds)
    {
        for (int pulled = 0; pulled < (int) (seconds * 44100.0); pulled += blockSize)
            pull();
    }

    void pull()
    {
        juce::AudioBuffer<float> buffer (2, blockSize);
        juce::AudioSourceChannelInfo info (&buffer, 0, blockSize);
        player.transportSource.getNextAudioBlock (info);
    }

    void click (juce::Button& button) { button.onClick(); }

    bool showsPause() const { return player.playOrPause.getToggleState(); }

    static constexpr int blockSize = 441;
    WavPlayer player;
};
} // namespace

TEST_F (WavPlayerTest, ButtonsSitSideBySide)
{
    player.setSize (150, 30);
    EXPECT_EQ (player.playOrPause.getBounds(), juce::Rectangle<int> (0, 0, 30, 30));
    EXPECT_EQ (player.stop.getBounds(), juce::Rectangle<int> (45, 0, 30, 30));
    EXPECT_EQ (player.redo.getBounds(), juce::Rectangle<int> (90, 0, 30, 30));

    WavPlayer fresh;
    EXPECT_FALSE (fresh.playOrPause.isEnabled());
    EXPECT_FALSE (fresh.stop.isEnabled());
    EXPECT_FALSE (fresh.redo.isEnabled());
}

TEST_F (WavPlayerTest, PauseAndResumeWhereItStopped)
{
    click (player.playOrPause);
    EXPECT_TRUE (player.transportSource.isPlaying());
    EXPECT_TRUE (showsPause());

    playFor (3.2);
    click (player.playOrPause);
    EXPECT_FALSE (player.transportSource.isPlaying());
    EXPECT_NEAR (player.pausedPosition, 3.2, 0.011);
    EXPECT_FALSE (showsPause());

    click (player.playOrPause);
    EXPECT_TRUE (player.transportSource.isPlaying());
    EXPECT_NEAR (player.transportSource.getCurrentPosition(), 3.2, 0.011);
    EXPECT_EQ (player.pausedPosition, 0.0);
}

TEST_F (WavPlayerTest, PlayAgainStartsFromTheStartPosition)
{
    player.moveTo (1.0);
    click (player.playOrPause);
    playFor (1.5);
    click (player.playOrPause); // paused at 2.5

    click (player.redo);
    EXPECT_TRUE (player.transportSource.isPlaying());
    EXPECT_NEAR (player.transportSource.getCurrentPosition(), 1.0, 0.011);
    EXPECT_TRUE (showsPause());
    EXPECT_NEAR (player.pausedPosition, 2.5, 0.011); // left alone

    // A later pause and resume still work.
    playFor (0.5);
    click (player.playOrPause);
    EXPECT_NEAR (player.pausedPosition, 1.5, 0.011);
    click (player.playOrPause);
    EXPECT_NEAR (player.transportSource.getCurrentPosition(), 1.5, 0.011);
}

TEST_F (WavPlayerTest, StopWhilePausedResetsAndTellsTheOwner)
{
    int stops = 0;
    player.onStop = [&] { ++stops; };
    player.moveTo (1.0);
    click (player.playOrPause);
    playFor (1.0);
    click (player.playOrPause);

    click (player.stop);

    EXPECT_EQ (stops, 1);
    EXPECT_EQ (player.startPosition, 0.0);
    EXPECT_EQ (player.transportSource.getCurrentPosition(), 0.0);
    EXPECT_FALSE (showsPause());
    EXPECT_GT (player.pausedPosition, 0.0); // cleared by the owner's moveTo (0)

    player.moveTo (0.0);
    click (player.playOrPause);
    EXPECT_NEAR (player.transportSource.getCurrentPosition(), 0.0, 1e-9);
}

TEST_F (WavPlayerTest, TheEndOfTheAudioRewindsToTheStartPosition)
{
    player.moveTo (2.5);
    click (player.playOrPause);
    EXPECT_NEAR (player.transportSource.getCurrentPosition(), 2.5, 1e-9);

    playFor (2.6);
    player.timerCallback();

    EXPECT_FALSE (player.transportSource.isPlaying());
    EXPECT_NEAR (player.transportSource.getCurrentPosition(), 2.5, 0.011);
    EXPECT_FALSE (showsPause());
}

TEST_F (WavPlayerTest, ANewReaderWhilePlaying)
{
    click (player.playOrPause);
    playFor (1.0);
    const auto* previous = player.readerSource.get();

    player.setReader (TestWav::reader (TestWav::sine (2.0, 22050.0)));
    pull();

    EXPECT_NE (player.readerSource.get(), previous);
    EXPECT_NEAR (player.transportSource.getLengthInSeconds(), 2.0, 0.001);
}
