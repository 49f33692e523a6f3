#pragma once

#include "AsyncMessageBox.h"
#include "model/Settings.h"

#include <juce_core/juce_core.h>

// The settings object: reads config.json and midi.json when it is made, writes
// config.json on request and once more when it goes, and midi.json on request.
// Failures to read are shown through `showMessage`; failures to write are only logged.
class Config : public Settings
{
public:
    explicit Config (MessageBoxFunction showMessage = AsyncMessageBox::show);
    ~Config();

    // Writes "wavFile", "lyrics" and "midiFile" to config.json.
    bool save();

    // Replaces the content of midi.json with the text, as it is.
    bool saveScoreText (const juce::String& text);

    MessageBoxFunction showMessage;

private:
    void load();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Config)
};

// Reads a settings file, creating it (and its folders) empty when missing. False, after
// a log line and a message box, when it cannot be created or is not a file.
bool readOrCreateTextFile (const juce::String& path, juce::String& text, const MessageBoxFunction& showMessage);
