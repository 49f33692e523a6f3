#pragma once

#include "service/VersionApi.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Covers the whole main view while the version is checked; hides when the service accepts
// it, and stays for the rest of the run, with the update message, when it does not.
class VersionDialog : public juce::Component
    , public VersionApi
{
public:
    VersionDialog (Settings& settings, const juce::String& version);
    ~VersionDialog() override;

    void paint (juce::Graphics& g) override;
    void onVersionAccepted() override;
    void onVersionRejected (const juce::String& reason) override;

    // The box in the middle of the overlay.
    juce::Rectangle<int> box() const;

    const int boxWidth = 400;
    const int boxHeight = 200;
    juce::String message;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VersionDialog)
};
