#include "VocalRequestReader.h"

#include "ScoreJson.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace
{
// Throws nothing: every step returns false with the member's path in `error`.
class Reader
{
public:
    explicit Reader (juce::String& errorToUse)
        : error (errorToUse)
    {
    }

    bool object (const juce::var& parent, const juce::String& path, const char* name, juce::var& result, bool required = true)
    {
        result = parent.getProperty (name, {});

        if (result.isVoid() && ! required)
            return true;

        return check (result.getDynamicObject() != nullptr, join (path, name), result.isVoid() ? "is missing" : "is not an object");
    }

    bool array (const juce::var& parent, const juce::String& path, const char* name, const juce::Array<juce::var>*& result, bool required)
    {
        static const juce::Array<juce::var> none;
        const auto value = parent.getProperty (name, {});
        result = value.getArray();

        if (result == nullptr && value.isVoid() && ! required)
        {
            result = &none;
            return true;
        }

        return check (result != nullptr, join (path, name), value.isVoid() ? "is missing" : "is not an array");
    }

    bool integer (const juce::var& parent, const juce::String& path, const char* name, int& result)
    {
        const auto value = parent.getProperty (name, {});
        const auto where = join (path, name);

        if (value.isInt())
        {
            result = (int) value;
            return true;
        }

        if (! (value.isInt64() || value.isDouble()))
            return check (false, where, value.isVoid() ? "is missing" : "is not an integer");

        const auto number = value.isInt64() ? (double) (juce::int64) value : (double) value;

        if (! std::isfinite (number) || number != std::floor (number))
            return check (false, where, "is not an integer");

        if (number < (double) std::numeric_limits<int>::min() || number > (double) std::numeric_limits<int>::max())
            return check (false, where, "is out of range");

        result = (int) number;
        return true;
    }

    bool number (const juce::var& parent, const juce::String& path, const char* name, double& result)
    {
        const auto value = parent.getProperty (name, {});
        result = (double) value;
        return check ((value.isInt() || value.isInt64() || value.isDouble()) && std::isfinite (result),
                      join (path, name),
                      value.isVoid() ? "is missing" : "is not a number");
    }

    bool string (const juce::var& parent, const juce::String& path, const char* name, juce::String& result, bool required)
    {
        const auto value = parent.getProperty (name, {});

        if (value.isVoid() && ! required)
            return true;

        result = value.toString();
        return check (value.isString(), join (path, name), value.isVoid() ? "is missing" : "is not a string");
    }

    bool element (const juce::var& value, const juce::String& path)
    {
        return check (value.getDynamicObject() != nullptr, path, "is not an object");
    }

    static juce::String join (const juce::String& path, const char* name)
    {
        return path.isEmpty() ? juce::String (name) : path + "." + name;
    }

    static juce::String at (const juce::String& path, const char* name, int index)
    {
        return join (path, name) + "[" + juce::String (index) + "]";
    }

private:
    bool check (bool ok, const juce::String& where, const char* what)
    {
        if (! ok)
            error = where + " " + what;

        return ok;
    }

    juce::String& error;
};

bool readMetadata (Reader& r, const juce::var& root, vocalMetadata& metadata)
{
    juce::var header;
    const juce::Array<juce::var>* tempos = nullptr;
    const juce::Array<juce::var>* meters = nullptr;

    if (! r.object (root, {}, "metadata", header) || ! r.integer (header, "metadata", "ticksPerBeat", metadata.ticksPerBeat)
        || ! r.integer (header, "metadata", "numberOfBars", metadata.numberOfBars)
        || ! r.array (header, "metadata", "tempoChanges", tempos, true)
        || ! r.array (header, "metadata", "timeSignatureChanges", meters, true))
        return false;

    metadata.tempoChanges.clearQuick();
    metadata.timeSignatureChanges.clearQuick();

    for (int i = 0; i < tempos->size(); ++i)
    {
        const auto path = Reader::at ("metadata", "tempoChanges", i);
        tempoChange change;

        if (! r.element ((*tempos)[i], path) || ! r.integer ((*tempos)[i], path, "time", change.time)
            || ! r.number ((*tempos)[i], path, "tempo", change.tempo))
            return false;

        metadata.tempoChanges.add (change);
    }

    for (int i = 0; i < meters->size(); ++i)
    {
        const auto path = Reader::at ("metadata", "timeSignatureChanges", i);
        const auto& item = (*meters)[i];
        timeSignatureChange change;

        if (! r.element (item, path) || ! r.integer (item, path, "time", change.time)
            || ! r.integer (item, path, "numerator", change.numerator)
            || ! r.integer (item, path, "denominator", change.denominator))
            return false;

        metadata.timeSignatureChanges.add (change);
    }

    return true;
}

bool readInstrument (Reader& r, const juce::var& item, const juce::String& path, vocalInstrument& instrument)
{
    const juce::Array<juce::var>* notes = nullptr;
    const juce::Array<juce::var>* changes = nullptr;

    if (! r.element (item, path) || ! r.string (item, path, "program", instrument.program, false)
        || ! r.array (item, path, "notes", notes, true) || ! r.array (item, path, "controlChanges", changes, false))
        return false;

    for (int i = 0; i < notes->size(); ++i)
    {
        const auto notePath = Reader::at (path, "notes", i);
        const auto& value = (*notes)[i];
        vocalNote note;

        if (! r.element (value, notePath) || ! r.integer (value, notePath, "start", note.start)
            || ! r.integer (value, notePath, "end", note.end) || ! r.string (value, notePath, "word", note.word, false)
            || ! r.integer (value, notePath, "pitch", note.pitch))
            return false;

        instrument.notes.add (note);
    }

    for (int i = 0; i < changes->size(); ++i)
    {
        const auto changePath = Reader::at (path, "controlChanges", i);
        const auto& value = (*changes)[i];
        controlChange change;

        if (! r.element (value, changePath) || ! r.integer (value, changePath, "time", change.time)
            || ! r.integer (value, changePath, "number", change.number) || ! r.integer (value, changePath, "value", change.value))
            return false;

        instrument.controlChanges.add (change);
    }

    return true;
}
} // namespace

bool VocalRequestReader::read (const juce::String& text, createVocalRequest& request, juce::String& error)
{
    juce::var root;

    const auto parsed = parseJsonObjectQuietly (text, root);

    if (parsed.failed())
    {
        error = "the document is not a JSON object: " + parsed.getErrorMessage();
        return false;
    }

    return read (root, request, error);
}

bool VocalRequestReader::read (const void* bytes, size_t size, createVocalRequest& request, juce::String& error)
{
    // The framework's check stops at a zero byte, so those are refused first.
    if (size > (size_t) std::numeric_limits<int>::max() || std::memchr (bytes, 0, size) != nullptr
        || ! juce::CharPointer_UTF8::isValidString (static_cast<const char*> (bytes), (int) size))
    {
        error = "the document is not valid UTF-8 text";
        return false;
    }

    return read (juce::String::fromUTF8 (static_cast<const char*> (bytes), (int) size), request, error);
}

bool VocalRequestReader::read (const juce::var& root, createVocalRequest& request, juce::String& error)
{
    Reader r (error);
    juce::var voice, audioConfig;
    const juce::Array<juce::var>* instruments = nullptr;

    if (! r.element (root, "document") || ! r.object (root, {}, "voice", voice)
        || ! r.string (voice, "voice", "model", request.model, true) || ! readMetadata (r, root, request.metadata)
        || ! r.array (root, {}, "instruments", instruments, true) || ! r.object (root, {}, "audioConfig", audioConfig, false))
        return false;

    if (audioConfig.getDynamicObject() != nullptr
        && (! r.string (audioConfig, "audioConfig", "encoding", request.encoding, true)
            || ! r.string (audioConfig, "audioConfig", "sampleRate", request.sampleRate, true)))
        return false;

    request.instruments.clearQuick();

    for (int i = 0; i < instruments->size(); ++i)
    {
        vocalInstrument instrument;

        if (! readInstrument (r, (*instruments)[i], Reader::at ({}, "instruments", i), instrument))
            return false;

        request.instruments.add (instrument);
    }

    return true;
}
