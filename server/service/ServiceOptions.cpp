#include "ServiceOptions.h"

#include "model/XdgFolder.h"

namespace
{
bool readNumber (const juce::String& text, int lowest, int highest, int& result)
{
    if (text.isEmpty() || ! text.containsOnly ("0123456789") || text.length() > 9)
        return false;

    result = text.getIntValue();
    return result >= lowest && result <= highest;
}
} // namespace

juce::File ServiceOptions::defaultDataDir()
{
    return XdgFolder::of ("XDG_DATA_HOME", ".local/share").getChildFile ("voxlet-server");
}

bool ServiceOptions::parse (const juce::StringArray& args, ServiceOptions& options, juce::String& error, bool& helpWanted)
{
    helpWanted = false;
    options.dataDir = defaultDataDir();

    for (int i = 0; i < args.size(); ++i)
    {
        const auto& name = args[i];

        if (name == "--help" || name == "-h")
        {
            helpWanted = true;
            return true;
        }

        if (i + 1 >= args.size())
        {
            error = name.startsWith ("--") ? name + " needs a value" : "unknown argument " + name;
            return false;
        }

        const auto value = args[++i];
        auto ok = true;

        if (name == "--host")
            options.host = value;
        else if (name == "--port")
            ok = readNumber (value, 0, 65535, options.port);
        else if (name == "--data-dir")
            options.dataDir = juce::File::getCurrentWorkingDirectory().getChildFile (value);
        else if (name == "--workers")
            ok = readNumber (value, 1, 256, options.workers);
        else if (name == "--min-client-version")
            ok = juce::StringArray::fromTokens (value, ".", {}).size() == 3 && value.containsOnly ("0123456789.");
        else if (name == "--max-queued")
            ok = readNumber (value, 1, 1000000, options.maxQueued);
        else
        {
            error = "unknown option " + name;
            return false;
        }

        if (! ok)
        {
            error = "bad value for " + name + ": " + value;
            return false;
        }

        if (name == "--min-client-version")
            options.minClientVersion = value;
    }

    return true;
}

juce::String ServiceOptions::helpText()
{
    return "usage: voxlet-server [options]\n"
           "\n"
           "The local singing-voice service: renders sung Mandarin vocals from scores and\n"
           "converts MIDI files into scores, under http://HOST:PORT/music/api/plugin.\n"
           "\n"
           "  --host ADDRESS             address to listen on (default 127.0.0.1)\n"
           "  --port N                   port to listen on; 0 picks a free one (default 18622)\n"
           "  --data-dir DIR             where jobs and WAV files are kept\n"
           "                             (default ~/.local/share/voxlet-server)\n"
           "  --workers N                render threads (default: one per core)\n"
           "  --min-client-version X.Y.Z oldest client version accepted (default 0.11.2)\n"
           "  --max-queued N             pending and rendering jobs at most (default 64)\n"
           "  --help                     this text\n";
}
