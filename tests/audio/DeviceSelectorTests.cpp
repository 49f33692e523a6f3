#include "audio/DeviceSelector.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

namespace
{
// A device manager that offers no device type at all.
struct NoDevices : public juce::AudioDeviceManager
{
    void createAudioDeviceTypes (juce::OwnedArray<juce::AudioIODeviceType>&) override {}
};

juce::StringArray itemsOf (const juce::ComboBox& box)
{
    juce::StringArray items;
    for (int i = 0; i < box.getNumItems(); ++i)
        items.add (box.getItemText (i) + "=" + juce::String (box.getItemId (i)));
    return items;
}
} // namespace

TEST (DeviceSelector, WithoutAnyDeviceTheListStaysEmpty)
{
    NoDevices manager;
    DeviceSelector selector (manager);

    EXPECT_EQ (selector.deviceType, nullptr);
    EXPECT_EQ (selector.deviceList->getNumItems(), 0);
}

TEST (DeviceSelector, ListsTheOutputsAndANoneEntryAndSwitches)
{
    juce::AudioDeviceManager manager;
    manager.initialise (0, 2, nullptr, true);
    DeviceSelector selector (manager);
    juce::StringArray errors;
    selector.showError = [&] (const juce::String&, const juce::String& message) { errors.add (message); };

    ASSERT_NE (selector.deviceType, nullptr);
    const auto names = selector.deviceType->getDeviceNames (false);
    const auto items = itemsOf (*selector.deviceList);

    ASSERT_EQ (items.size(), names.size() + 1);
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ (items[i], names[i] + "=" + juce::String (i + 1));
    EXPECT_EQ (items[items.size() - 1], "<< none >>=-1");

    // The current device (or none, on a machine without one) is the one selected.
    const auto current = selector.deviceType->getIndexOfDevice (manager.getCurrentAudioDevice(), false);
    EXPECT_EQ (selector.deviceList->getSelectedId(), current >= 0 ? current + 1 : -1);

    // Choosing none closes the output.
    selector.deviceList->setSelectedId (DeviceSelector::noneId, juce::sendNotificationSync);
    EXPECT_EQ (manager.getCurrentAudioDevice(), nullptr);
    EXPECT_EQ (selector.deviceList->getSelectedId(), DeviceSelector::noneId);

    // Choosing a device opens it, or reports why not.
    if (! names.isEmpty())
    {
        selector.deviceList->setSelectedId (1, juce::sendNotificationSync);
        if (errors.isEmpty())
            EXPECT_EQ (selector.deviceList->getSelectedId(), 1);
        else
            EXPECT_EQ (selector.deviceList->getSelectedId(), manager.getCurrentAudioDevice() == nullptr ? -1 : selector.deviceList->getSelectedId());
    }

    pumpMessagesFor (50);
}
