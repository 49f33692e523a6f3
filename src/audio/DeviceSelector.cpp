#include "DeviceSelector.h"

DeviceSelector::DeviceSelector (juce::AudioDeviceManager& manager)
    : deviceManager (manager)
    , deviceList (std::make_unique<juce::ComboBox> (juce::String()))
{
    showError = [] (const juce::String& title, const juce::String& message) {
        juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon, title, message);
    };

    deviceManager.addChangeListener (this);
    addAndMakeVisible (*deviceList);
    deviceList->onChange = [this] { chooseEntry(); };

    const auto& types = deviceManager.getAvailableDeviceTypes();
    deviceType = types.isEmpty() ? nullptr : types.getFirst();

    if (deviceType != nullptr)
        deviceType->scanForDevices();

    updateDeviceList();
}

DeviceSelector::~DeviceSelector() { deviceManager.removeChangeListener (this); }

void DeviceSelector::resized() { deviceList->setBounds (getLocalBounds()); }

void DeviceSelector::changeListenerCallback (juce::ChangeBroadcaster*) { updateDeviceList(); }

void DeviceSelector::selectCurrentDevice()
{
    const auto index = deviceType->getIndexOfDevice (deviceManager.getCurrentAudioDevice(), false);
    deviceList->setSelectedId (index >= 0 ? index + 1 : noneId, juce::dontSendNotification);
}

void DeviceSelector::updateDeviceList()
{
    if (deviceType == nullptr)
        return;

    deviceList->clear (juce::sendNotificationAsync);

    const auto names = deviceType->getDeviceNames (false);

    for (int i = 0; i < names.size(); ++i)
        deviceList->addItem (names[i], i + 1);

    deviceList->addItem (juce::String ("<< ") + "none" + " >>", noneId);
    selectCurrentDevice();
}

void DeviceSelector::chooseEntry()
{
    if (deviceType == nullptr)
        return;

    auto setup = deviceManager.getAudioDeviceSetup();
    setup.outputDeviceName = deviceList->getSelectedId() < 0 ? juce::String() : deviceList->getText();
    setup.useDefaultOutputChannels = true;

    const auto error = deviceManager.setAudioDeviceSetup (setup, true);
    selectCurrentDevice();

    if (error.isNotEmpty() && showError)
        showError ("Failed to open audio device!", error);
}
