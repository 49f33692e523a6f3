#pragma once

#include "AsyncMessageBox.h"
#include "audio/DeviceSelector.h"
#include "audio/VolumeEditor.h"
#include "audio/WavPlayer.h"
#include "Config.h"
#include "generation/GenerateButton.h"
#include "generation/WavHandler.h"
#include "import/MidiConverter.h"
#include "model/StateController.h"
#include "model/vocalMetadata.h"
#include "roll/GridController.h"
#include "roll/Keyboard.h"
#include "roll/MidiRegion.h"
#include "roll/ModeController.h"
#include "SharedProgress.h"
#include "style/VoiceListLookAndFeel.h"
#include "track/TempoEditor.h"
#include "track/TimeSignatureEditor.h"
#include "track/TrackMonitor.h"
#include "VersionDialog.h"

#include <juce_audio_utils/juce_audio_utils.h>
#include <juce_gui_basics/juce_gui_basics.h>

// The window's whole content: the composition root that owns, places and connects every
// panel, and the shared score header, roll state and settings.
class MainView : public juce::Component
    , public juce::ChangeListener
    , public juce::Timer
{
public:
    static constexpr int initialWidth = 1000;
    static constexpr int initialHeight = 780;

    // Message boxes go through `notifier`, so tests see what would be shown.
    explicit MainView (ClosableMessageBoxFunction notifier = AsyncMessageBox::showClosable);
    ~MainView() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    // Writes config.json, once a second.
    void timerCallback() override;

    void saveScore();
    createVocalRequest buildRequest (bool allNotes);
    void leaveBusyState();

    vocalMetadata metadata;
    juce::String voice;
    StateController state;
    Config config;
    Keyboard keyboard;
    WavPlayer wavPlayer;
    ModeController modeController;
    GridController gridController;
    TempoEditor tempoEditor;
    TimeSignatureEditor timeSignatureEditor;
    MidiConverter midiConverter { config, tempoEditor, timeSignatureEditor };
    std::unique_ptr<WavHandler> wavHandler;
    std::unique_ptr<MidiRegion> midiRegion;
    std::unique_ptr<VersionDialog> versionDialog;
    std::unique_ptr<juce::ProgressBar> progressBar;
    std::unique_ptr<TrackMonitor> trackMonitor;
    std::unique_ptr<VolumeEditor> volumeEditor;
    std::unique_ptr<GenerateButton> generateButton;
    std::unique_ptr<DeviceSelector> deviceSelector;
    std::shared_ptr<VoiceListLookAndFeel> voiceListLookAndFeel;
    juce::ComboBox voiceBox;
    juce::TextButton openFolderButton;
    juce::String versionString;
    juce::TextEditor lyricsEditor;
    juce::Slider zoomSlider { juce::Slider::LinearHorizontal, juce::Slider::NoTextBox };
    juce::AudioDeviceManager deviceManager;
    juce::AudioSourcePlayer audioSourcePlayer;
    SharedProgress progress;

private:
    void enterBusyState();
    void updateGenerateEnabled();
    // The device list and the output device, once the message loop runs.
    void openAudio();
    void connectScorePanels();
    void connectGeneration();
    void connectConversion();

    ClosableMessageBoxFunction notify;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainView)
};
