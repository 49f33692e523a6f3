#include "model/ScoreJson.h"
#include "model/VocalRequestReader.h"
#include "support/ScoreComparisons.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace
{
createVocalRequest twoNoteRequest()
{
    createVocalRequest request;
    request.model = kFemaleVoiceModel;
    request.metadata.ticksPerBeat = 96;
    request.metadata.numberOfBars = 3;
    request.metadata.tempoChanges.add ({ 192, 87.5 });
    request.metadata.timeSignatureChanges.add ({ 384, 3, 8 });
    request.instruments.getReference (0).notes.add ({ 0, 96, utf8 ("我"), 60 });
    request.instruments.getReference (0).notes.add ({ 96, 200, {}, 72 });
    request.instruments.getReference (0).controlChanges.add ({ 10, 64, 127 });
    return request;
}

TEST (VocalRequestReader, ReadsBackWhatTheProgramWrites)
{
    const auto written = twoNoteRequest();
    createVocalRequest read;
    read.instruments.clear();
    juce::String error;

    ASSERT_TRUE (VocalRequestReader::read (vocalRequestToJsonText (written), read, error)) << error;
    EXPECT_EQ (read.model, written.model);
    EXPECT_EQ (read.metadata.ticksPerBeat, 96);
    EXPECT_EQ (read.metadata.numberOfBars, 3);
    EXPECT_EQ (read.metadata.tempoChanges, written.metadata.tempoChanges);
    EXPECT_EQ (read.metadata.timeSignatureChanges, written.metadata.timeSignatureChanges);
    ASSERT_EQ (read.instruments.size(), 1);
    EXPECT_EQ (read.instruments[0].notes, written.instruments[0].notes);
    EXPECT_EQ (read.instruments[0].controlChanges, written.instruments[0].controlChanges);
    EXPECT_EQ (read.encoding, "WAV");
    EXPECT_EQ (read.sampleRate, "44.1K");
}

TEST (VocalRequestReader, NamesTheFirstMemberOfTheWrongType)
{
    const auto valid = vocalRequestToJson (twoNoteRequest());

    struct Case
    {
        const char* path;
        juce::var value;
        const char* message;
    };

    const Case cases[] = {
        { "voice", juce::var(), "voice is missing" },
        { "voice", "zh", "voice is not an object" },
        { "voice.model", 3, "voice.model is not a string" },
        { "metadata", juce::Array<juce::var>(), "metadata is not an object" },
        { "metadata.ticksPerBeat", "480", "metadata.ticksPerBeat is not an integer" },
        { "metadata.ticksPerBeat", 480.5, "metadata.ticksPerBeat is not an integer" },
        { "metadata.ticksPerBeat", 1.0e12, "metadata.ticksPerBeat is out of range" },
        { "metadata.tempoChanges", juce::var(), "metadata.tempoChanges is missing" },
        { "metadata.tempoChanges.0.tempo", "fast", "metadata.tempoChanges[0].tempo is not a number" },
        { "metadata.timeSignatureChanges.0", 4, "metadata.timeSignatureChanges[0] is not an object" },
        { "metadata.timeSignatureChanges.0.denominator", juce::var(), "metadata.timeSignatureChanges[0].denominator is missing" },
        { "instruments", juce::var(), "instruments is missing" },
        { "instruments.0.notes", 1, "instruments[0].notes is not an array" },
        { "instruments.0.notes.1.pitch", true, "instruments[0].notes[1].pitch is not an integer" },
        { "instruments.0.notes.1.start", juce::var(), "instruments[0].notes[1].start is missing" },
        { "instruments.0.notes.0.word", 5, "instruments[0].notes[0].word is not a string" },
        { "instruments.0.controlChanges.0.value", "x", "instruments[0].controlChanges[0].value is not an integer" },
        { "audioConfig", 1, "audioConfig is not an object" },
        { "audioConfig.encoding", juce::var(), "audioConfig.encoding is missing" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.path);
        auto document = juce::JSON::parse (juce::JSON::toString (valid));
        auto parts = juce::StringArray::fromTokens (c.path, ".", {});
        auto target = document;

        for (int i = 0; i + 1 < parts.size(); ++i)
            target = parts[i].containsOnly ("0123456789") ? target[parts[i].getIntValue()] : target[juce::Identifier (parts[i])];

        const auto& last = parts[parts.size() - 1];

        if (last.containsOnly ("0123456789"))
            target.getArray()->set (last.getIntValue(), c.value);
        else if (c.value.isVoid())
            target.getDynamicObject()->removeProperty (juce::Identifier (last));
        else
            target.getDynamicObject()->setProperty (juce::Identifier (last), c.value);

        createVocalRequest request;
        juce::String error;
        EXPECT_FALSE (VocalRequestReader::read (juce::JSON::toString (document), request, error));
        EXPECT_EQ (error, c.message);
    }
}

TEST (VocalRequestReader, OptionalMembersMayBeLeftOut)
{
    createVocalRequest request;
    juce::String error;
    const auto text = R"({"voice":{"model":"zh_tw_male_2"},
        "metadata":{"ticksPerBeat":480,"numberOfBars":1,"tempoChanges":[],"timeSignatureChanges":[]},
        "instruments":[{"notes":[{"start":0,"end":480,"pitch":60}]}]})";

    ASSERT_TRUE (VocalRequestReader::read (juce::String (text), request, error)) << error;
    EXPECT_EQ (request.instruments[0].notes[0].word, "");
    EXPECT_EQ (request.instruments[0].program, "");
    EXPECT_TRUE (request.instruments[0].controlChanges.isEmpty());
    EXPECT_EQ (request.encoding, "WAV");
}

TEST (VocalRequestReader, RefusesTextThatIsNotAnObjectAndDeepNestingWithoutParsingIt)
{
    createVocalRequest request;

    for (const auto& text : { juce::String ("[]"), juce::String ("not json"), juce::String ("7"), juce::String::repeatedString ("[", 4000000) })
    {
        juce::String error;
        EXPECT_FALSE (VocalRequestReader::read (text, request, error));
        EXPECT_TRUE (error.startsWith ("the document is not a JSON object")) << error;
    }

    // Malformed UTF-8 (a lead byte cut off at the end, found by fuzzing) is refused as bytes.
    const char bytes[] = "{\"voice\": {\"model\": \"\xe6\x88";
    juce::String error;
    EXPECT_FALSE (VocalRequestReader::read (bytes, sizeof (bytes) - 1, request, error));
    EXPECT_EQ (error, "the document is not valid UTF-8 text");

    // Nor may a zero byte hide invalid bytes after it (also found by fuzzing).
    const char hidden[] = "[-\0\xb8\xb8\xac";
    EXPECT_FALSE (VocalRequestReader::read (hidden, sizeof (hidden) - 1, request, error));
    EXPECT_EQ (error, "the document is not valid UTF-8 text");

    // Numbers too long for the framework's parser are refused before it sees them.
    EXPECT_FALSE (VocalRequestReader::read (juce::String ("{\"a\": 1234567890123456789}"), request, error));
    EXPECT_TRUE (error.contains ("more than 18 digits")) << error;
    EXPECT_FALSE (VocalRequestReader::read (juce::String ("{\"a\": 1e9999999999999999999}"), request, error));

    juce::var parsed;
    EXPECT_FALSE (parseJsonObject (juce::String::repeatedString ("{\"a\":", 100000) + "1", parsed));
    EXPECT_TRUE (parseJsonObject (juce::String::repeatedString ("{\"a\":", 60) + "1" + juce::String::repeatedString ("}", 60), parsed));
    EXPECT_TRUE (parseJsonObject ("{\"s\":\"" + juce::String::repeatedString ("[", 1000) + "\"}", parsed));
}
} // namespace
