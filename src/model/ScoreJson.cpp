#include "ScoreJson.h"

#include "Diagnostics.h"
#include "SaturatingInt.h"

#include <cmath>
#include <limits>

namespace
{
juce::var makeObject() { return juce::var (new juce::DynamicObject()); }

void set (juce::var& object, const juce::Identifier& name, const juce::var& value)
{
    object.getDynamicObject()->setProperty (name, value);
}

juce::var toJson (const tempoChange& change)
{
    auto object = makeObject();
    set (object, "time", change.time);
    set (object, "tempo", change.tempo);
    return object;
}

juce::var toJson (const timeSignatureChange& change)
{
    auto object = makeObject();
    set (object, "time", change.time);
    set (object, "numerator", change.numerator);
    set (object, "denominator", change.denominator);
    return object;
}

juce::var toJson (const vocalNote& note)
{
    auto object = makeObject();
    set (object, "start", note.start);
    set (object, "end", note.end);
    set (object, "word", note.word);
    set (object, "pitch", note.pitch);
    return object;
}

juce::var toJson (const controlChange& change)
{
    auto object = makeObject();
    set (object, "time", change.time);
    set (object, "number", change.number);
    set (object, "value", change.value);
    return object;
}

template <typename Item>
juce::var toJsonArray (const juce::Array<Item>& items);

juce::var toJson (const vocalInstrument& instrument)
{
    auto object = makeObject();
    set (object, "program", kProgramName);
    set (object, "notes", toJsonArray (instrument.notes));
    set (object, "controlChanges", toJsonArray (instrument.controlChanges));
    return object;
}

template <typename Item>
juce::var toJsonArray (const juce::Array<Item>& items)
{
    juce::Array<juce::var> elements;

    for (const auto& item : items)
        elements.add (toJson (item));

    return elements;
}

// A member that should be an array but is missing or something else reads as empty,
// so the readers stay total on any valid JSON.
const juce::Array<juce::var>& elementsOf (const juce::var& value)
{
    static const juce::Array<juce::var> none;
    const auto* elements = value.getArray();
    return elements != nullptr ? *elements : none;
}

// Converts like the framework's integer conversion, but saturates instead of casting an
// out-of-range double (undefined behaviour) or overflowing on a long digit string.
int readInt (const juce::var& value)
{
    if (value.isInt())
        return (int) value;

    if (value.isInt64())
        return SaturatingInt::fromInt64 ((juce::int64) value);

    if (value.isDouble() || value.isString())
        return SaturatingInt::fromDouble ((double) value);

    return (int) value;
}

// Checks the document's structure before the framework's parser sees it: bracket depth
// outside string literals at most `limit`, and no run of more than 18 digits (its number
// parser overflows a 64-bit integer on longer ones, which is undefined behaviour). Works
// on the bytes: every character that matters is ASCII, and a malformed multi-byte
// sequence cannot make it read past the end.
juce::String structuralFault (const juce::String& text, int limit)
{
    const auto* p = text.toRawUTF8();
    const auto* end = p + text.getNumBytesAsUTF8();
    int depth = 0, digits = 0;
    bool inString = false, escaped = false;

    for (; p < end; ++p)
    {
        const auto c = *p;

        if (inString)
        {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;

            continue;
        }

        digits = (c >= '0' && c <= '9') ? digits + 1 : 0;

        if (digits > 18)
            return "the JSON holds a number of more than 18 digits";

        if (c == '"')
            inString = true;
        else if (c == '[' || c == '{')
        {
            if (++depth > limit)
                return "the JSON nests deeper than " + juce::String (limit) + " levels";
        }
        else if (c == ']' || c == '}')
            --depth;
    }

    return {};
}

int readInt (const juce::var& object, const char* name) { return readInt (object.getProperty (name, {})); }

double readDouble (const juce::var& object, const char* name) { return (double) object.getProperty (name, {}); }

juce::String readString (const juce::var& object, const char* name) { return object.getProperty (name, {}).toString(); }

void readMetadata (const juce::var& metadata, vocalMetadata& header)
{
    header.ticksPerBeat = readInt (metadata, "ticksPerBeat");
    header.numberOfBars = readInt (metadata, "numberOfBars");

    for (const auto& element : elementsOf (metadata.getProperty ("tempoChanges", {})))
        header.tempoChanges.add ({ readInt (element, "time"), readDouble (element, "tempo") });

    for (const auto& element : elementsOf (metadata.getProperty ("timeSignatureChanges", {})))
        header.timeSignatureChanges.add ({ readInt (element, "time"),
                                           readInt (element, "numerator"),
                                           readInt (element, "denominator") });
}

vocalInstrument readInstrument (const juce::var& element)
{
    vocalInstrument instrument;
    instrument.program = readString (element, "program");

    for (const auto& note : elementsOf (element.getProperty ("notes", {})))
        instrument.notes.add ({ readInt (note, "start"),
                                readInt (note, "end"),
                                readString (note, "word"),
                                readInt (note, "pitch") });

    for (const auto& change : elementsOf (element.getProperty ("controlChanges", {})))
        instrument.controlChanges.add ({ readInt (change, "time"),
                                         readInt (change, "number"),
                                         readInt (change, "value") });

    return instrument;
}
} // namespace

juce::var vocalRequestToJson (const createVocalRequest& request)
{
    auto voice = makeObject();
    set (voice, "model", request.model);

    auto root = makeObject();
    set (root, "voice", voice);

    auto metadata = makeObject();
    set (metadata, "ticksPerBeat", request.metadata.ticksPerBeat);
    set (metadata, "numberOfBars", request.metadata.numberOfBars);
    set (metadata, "tempoChanges", toJsonArray (request.metadata.tempoChanges));
    set (metadata, "timeSignatureChanges", toJsonArray (request.metadata.timeSignatureChanges));
    set (root, "metadata", metadata);

    set (root, "instruments", toJsonArray (request.instruments));

    auto audioConfig = makeObject();
    set (audioConfig, "encoding", request.encoding);
    set (audioConfig, "sampleRate", request.sampleRate);
    set (root, "audioConfig", audioConfig);

    return root;
}

juce::String midiConverterResultToJsonText (const midiConverterResult& score)
{
    createVocalRequest request;
    request.metadata = score.metadata;
    request.instruments = score.instruments;
    auto root = vocalRequestToJson (request);
    root.getDynamicObject()->removeProperty ("voice");
    root.getDynamicObject()->removeProperty ("audioConfig");
    return juce::JSON::toString (root, true, 15);
}

juce::String vocalResultToJsonText (const vocalResult& job)
{
    auto root = makeObject();
    set (root, "uid", job.uid);
    set (root, "path", job.path);
    set (root, "status", job.status);
    set (root, "createdAt", job.createdAt);
    set (root, "updatedAt", job.updatedAt);
    return juce::JSON::toString (root, true);
}

juce::String errorResultToJsonText (const apiErrorResult& error)
{
    auto root = makeObject();
    set (root, "statusCode", error.statusCode);
    set (root, "message", error.message);
    set (root, "externalMessage", error.externalMessage);
    set (root, "externalCode", error.externalCode);
    return juce::JSON::toString (root, true);
}

juce::String vocalRequestToJsonText (const createVocalRequest& request)
{
    return juce::JSON::toString (vocalRequestToJson (request), false, 15);
}

juce::Result parseJsonObjectQuietly (const juce::String& text, juce::var& result)
{
    result = juce::var();

    // The framework's parser recurses once per nesting level, so a document of a few
    // megabytes of brackets would overflow the stack; no score nests more than a few levels.
    if (const auto fault = structuralFault (text, kMaxJsonNesting); fault.isNotEmpty())
        return juce::Result::fail (fault);

    const auto parsed = juce::JSON::parse (text, result);

    if (parsed.failed())
        return parsed;

    if (result.getDynamicObject() == nullptr)
        return juce::Result::fail ("parsed json is not object");

    return juce::Result::ok();
}

bool parseJsonObject (const juce::String& text, juce::var& result)
{
    const auto parsed = parseJsonObjectQuietly (text, result);

    if (parsed.failed())
    {
        const auto& why = parsed.getErrorMessage();

        // A document refused for its depth is not quoted: it may be megabytes of brackets.
        Diagnostics::write (why == "parsed json is not object" ? why
                            : why.contains ("nests deeper")    ? "failed to parse to json, " + why
                                                               : "failed to parse to json, str: " + text);
        return false;
    }

    return true;
}

bool jsonToVocalResult (const juce::String& text, vocalResult& result)
{
    juce::var root;

    if (! parseJsonObject (text, root))
    {
        Diagnostics::write ("[jsonToVocalResult] failed to parse json");
        return false;
    }

    result.uid = readString (root, "uid");
    result.path = readString (root, "path");
    result.status = readString (root, "status");
    result.createdAt = readString (root, "createdAt");
    result.updatedAt = readString (root, "updatedAt");
    return true;
}

bool jsonToMidiConverterResult (const juce::String& text, midiConverterResult& result)
{
    juce::var root;

    if (! parseJsonObject (text, root))
    {
        Diagnostics::write ("[jsonToMidiConverterResult] failed to parse json");
        return false;
    }

    const auto metadata = root.getProperty ("metadata", {});

    if (metadata.getDynamicObject() != nullptr)
        readMetadata (metadata, result.metadata);

    for (const auto& element : elementsOf (root.getProperty ("instruments", {})))
        result.instruments.add (readInstrument (element));

    return true;
}

bool jsonToErrorResult (const juce::String& text, apiErrorResult& result)
{
    juce::var root;

    if (! parseJsonObject (text, root))
    {
        Diagnostics::write ("[jsonToErrorResult] failed to parse json");
        return false;
    }

    result.statusCode = readInt (root, "statusCode");
    result.message = readString (root, "message");
    result.externalMessage = readString (root, "externalMessage");
    result.externalCode = readInt (root, "externalCode");
    return result.externalMessage.isNotEmpty();
}
