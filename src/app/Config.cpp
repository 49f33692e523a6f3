#include "Config.h"

#include "AtomicTextFile.h"
#include "model/Diagnostics.h"
#include "model/ScoreJson.h"
#include "service/ServiceUrl.h"

namespace
{
// The framework's parser takes only an object or an array at the top; a file holding a
// lone number or string is still valid JSON, and loads as empty values.
bool parseConfigText (const juce::String& text, juce::var& value)
{
    if (juce::JSON::parse (text, value).wasOk())
        return true;

    value = juce::JSON::fromString (text);
    return ! value.isVoid() || text.trim() == "null";
}
} // namespace

bool readOrCreateTextFile (const juce::String& path, juce::String& text, const MessageBoxFunction& showMessage)
{
    const auto file = Settings::resolve (path);

    if (! file.exists() && file.create().failed())
    {
        Diagnostics::write ("failed to create folder");
        showMessage ("Error", "Failed to create directory: " + path);
        return false;
    }

    if (file.existsAsFile())
    {
        text = file.loadFileAsString();
        return true;
    }

    Diagnostics::write ("config file not found");
    showMessage ("Error", "config file not found: " + path);
    return false;
}

Config::Config (MessageBoxFunction messageBox)
    : showMessage (std::move (messageBox))
{
    baseUrl = ServiceUrl::defaultBaseUrl();
    load();
}

Config::~Config() { save(); }

void Config::load()
{
    juce::String text;

    if (! readOrCreateTextFile (configPath, text, showMessage))
        return;

    juce::var values;

    if (! parseConfigText (text, values))
    {
        Diagnostics::write ("failed to load config");
        showMessage ("Error", "Failed to load config");
        return;
    }

    wavFile = values.getProperty ("wavFile", {}).toString();
    lyrics = values.getProperty ("lyrics", {}).toString();
    midiFile = values.getProperty ("midiFile", {}).toString();

    if (! readOrCreateTextFile (midiPath, text, showMessage))
        return;

    if (! jsonToMidiConverterResult (text, score))
        return;

    if (Settings::resolve (resultFolder).createDirectory().failed())
    {
        Diagnostics::write ("failed to load config");
        showMessage ("Error", "Failed to create result folder: " + resultFolder);
    }
}

bool Config::save()
{
    auto* values = new juce::DynamicObject();
    values->setProperty ("wavFile", wavFile);
    values->setProperty ("lyrics", lyrics);
    values->setProperty ("midiFile", midiFile);

    if (AtomicTextFile::replace (Settings::resolve (configPath), juce::JSON::toString (juce::var (values), false)))
        return true;

    Diagnostics::write ("Failed to save config: " + configPath);
    return false;
}

bool Config::saveScoreText (const juce::String& text)
{
    if (AtomicTextFile::replace (Settings::resolve (midiPath), text))
        return true;

    Diagnostics::write ("Failed to save config: " + midiPath);
    return false;
}
