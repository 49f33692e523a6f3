#include "WavPlayer.h"

#include "style/StyleResources.h"

namespace
{
struct Icon
{
    std::unique_ptr<juce::Drawable> normal, over;
};

// The icon and its hover copy, with the icon colour replaced.
Icon iconFrom (const char* data, int size)
{
    Icon icon { StyleResources::drawable (data, size), StyleResources::drawable (data, size) };

    if (icon.over != nullptr)
        icon.over->replaceColour (juce::Colour (WavPlayer::iconColour), juce::Colour (WavPlayer::hoverColour));

    return icon;
}
} // namespace

WavPlayer::WavPlayer()
{
    const auto play = iconFrom (BinaryData::play_svg, BinaryData::play_svgSize);
    const auto pause = iconFrom (BinaryData::pause_svg, BinaryData::pause_svgSize);
    const auto stopIcon = iconFrom (BinaryData::stop_svg, BinaryData::stop_svgSize);
    const auto redoIcon = iconFrom (BinaryData::redo_svg, BinaryData::redo_svgSize);

    playOrPause.setImages (play.normal.get(), play.over.get(), nullptr, nullptr, pause.normal.get(), pause.over.get());
    stop.setImages (stopIcon.normal.get(), stopIcon.over.get());
    redo.setImages (redoIcon.normal.get(), redoIcon.over.get());

    for (auto* button : { &playOrPause, &stop, &redo })
    {
        addAndMakeVisible (*button);
        button->setEnabled (false);
    }

    playOrPause.onClick = [this] { playOrPauseClicked(); };
    stop.onClick = [this] { stopClicked(); };
    redo.onClick = [this] { redoClicked(); };

    startTimer (33);
}

WavPlayer::~WavPlayer()
{
    stopTimer();
    transportSource.setSource (nullptr);
}

void WavPlayer::resized()
{
    const auto a = (getWidth() - 60) / 3;
    playOrPause.setBounds (0, 0, a, getHeight());
    stop.setBounds (a + 15, 0, a, getHeight());
    redo.setBounds (2 * a + 30, 0, a, getHeight());
}

void WavPlayer::setReader (juce::AudioFormatReader* reader)
{
    auto source = std::make_unique<juce::AudioFormatReaderSource> (reader, true);
    source->setLooping (false);

    // The transport swaps sources under its own lock; the old one may go only afterwards.
    transportSource.setSource (source.get(), 0, nullptr, reader->sampleRate);
    readerSource = std::move (source);
}

void WavPlayer::moveTo (double seconds)
{
    startPosition = seconds;
    pausedPosition = 0.0;
    transportSource.setPosition (seconds);
}

void WavPlayer::setButtonsEnabled (bool enabled)
{
    for (auto* button : { &playOrPause, &stop, &redo })
        button->setEnabled (enabled);
}

void WavPlayer::playOrPauseClicked()
{
    const auto wasPlaying = playOrPause.getToggleState();
    playOrPause.setToggleState (! wasPlaying, juce::dontSendNotification);

    if (wasPlaying)
    {
        pausedPosition = transportSource.getCurrentPosition();
        transportSource.stop();
        return;
    }

    if (pausedPosition > 0.0)
    {
        transportSource.setPosition (pausedPosition);
        pausedPosition = 0.0;
    }
    else
    {
        transportSource.setPosition (startPosition);
    }

    transportSource.start();
}

void WavPlayer::stopClicked()
{
    startPosition = 0.0;
    transportSource.setPosition (0.0);

    if (transportSource.isPlaying())
        transportSource.stop();

    playOrPause.setToggleState (false, juce::dontSendNotification);

    if (onStop)
        onStop();
}

void WavPlayer::redoClicked()
{
    transportSource.setPosition (startPosition);
    transportSource.start();
    playOrPause.setToggleState (true, juce::dontSendNotification);
}

void WavPlayer::timerCallback()
{
    if (transportSource.getTotalLength() == 0 || readerSource == nullptr)
        return;

    if (readerSource->getNextReadPosition() > readerSource->getTotalLength() + 1 && ! readerSource->isLooping())
    {
        transportSource.setPosition (startPosition);
        playOrPause.setToggleState (false, juce::dontSendNotification);
    }
}
