#pragma once

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_gui_basics/juce_gui_basics.h>

// The list of output devices of the first device type, with a none entry; choosing one
// switches playback to it. Refills itself when the devices change.
class DeviceSelector : public juce::Component
    , public juce::ChangeListener
{
public:
    static constexpr int noneId = -1;

    explicit DeviceSelector (juce::AudioDeviceManager& deviceManager);
    ~DeviceSelector() override;

    void resized() override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void updateDeviceList();

    // How a device that cannot be opened is reported; replaceable so tests can see it.
    std::function<void (const juce::String& title, const juce::String& message)> showError;

    juce::AudioDeviceManager& deviceManager;
    juce::AudioIODeviceType* deviceType = nullptr;
    std::unique_ptr<juce::ComboBox> deviceList;

private:
    void chooseEntry();
    void selectCurrentDevice();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DeviceSelector)
};
