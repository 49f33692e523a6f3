#include "VersionDialog.h"

VersionDialog::VersionDialog (Settings& settingsRecord, const juce::String& programVersion)
    : VersionApi (settingsRecord, programVersion)
{
}

VersionDialog::~VersionDialog() = default;

juce::Rectangle<int> VersionDialog::box() const
{
    return { (getWidth() - boxWidth) / 2, (getHeight() - boxHeight) / 2, boxWidth, boxHeight };
}

void VersionDialog::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black.withAlpha ((juce::uint8) 0xb2));

    const auto area = box();
    g.setColour (juce::Colours::black);
    g.fillRect (area);
    g.setColour (juce::Colours::white);
    g.drawRect (area.toFloat(), 1.0f);

    g.drawText (juce::String (juce::CharPointer_UTF8 ("檢查版本中")), juce::Rectangle<int> (area.getX(), area.getY() + 80, boxWidth, 30), juce::Justification::centredTop, true);
    g.setColour (juce::Colours::red);
    g.drawText (message, juce::Rectangle<int> (area.getX(), area.getY() + 120, boxWidth, 30), juce::Justification::centredTop, true);
}

void VersionDialog::onVersionAccepted()
{
    setVisible (false);
    setEnabled (false);
}

void VersionDialog::onVersionRejected (const juce::String&)
{
    // The reason goes only to the log: the user always sees how to get going again.
    message = juce::String (juce::CharPointer_UTF8 ("版本過舊，請至官網更新至最新版"));
    repaint();
}
