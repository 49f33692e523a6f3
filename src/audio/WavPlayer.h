#pragma once

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_audio_formats/juce_audio_formats.h>
#include <juce_gui_basics/juce_gui_basics.h>

// Plays the rendered vocal: play/pause, stop and play-again buttons over an audio
// transport, which the main view's audio source player pulls on the device thread.
class WavPlayer : public juce::Component
    , public juce::Timer
{
public:
    static constexpr juce::uint32 iconColour = 0xff68635f;
    static constexpr juce::uint32 hoverColour = 0xffc0bcb7;

    WavPlayer();
    ~WavPlayer() override;

    void paint (juce::Graphics&) override {}
    void resized() override;

    // Rewinds to the start position when the audio has played to its end.
    void timerCallback() override;

    // Takes ownership of an opened reader and plays from it from now on.
    void setReader (juce::AudioFormatReader* reader);

    // Where playback starts from now on, in seconds; forgets a paused position.
    void moveTo (double seconds);

    void setButtonsEnabled (bool enabled);

    juce::AudioTransportSource transportSource;
    std::function<void()> onStop;
    std::unique_ptr<juce::AudioFormatReaderSource> readerSource;

    juce::DrawableButton playOrPause { "playOrPause", juce::DrawableButton::ImageStretched };
    juce::DrawableButton stop { "stop", juce::DrawableButton::ImageStretched };
    juce::DrawableButton redo { "redo", juce::DrawableButton::ImageStretched };

    double startPosition = 0.0;
    double pausedPosition = 0.0;

private:
    void playOrPauseClicked();
    void stopClicked();
    void redoClicked();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (WavPlayer)
};
