#include "model/ScoreJson.h"
#include "support/ScoreComparisons.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace
{
// Names of an object's members in the order the text holds them.
juce::StringArray memberNames (const juce::var& object)
{
    juce::StringArray names;

    if (auto* dynamic = object.getDynamicObject())
        for (const auto& property : dynamic->getProperties())
            names.add (property.name.toString());

    return names;
}

juce::var parsed (const juce::String& text)
{
    juce::var value;
    EXPECT_TRUE (parseJsonObject (text, value)) << text;
    return value;
}

midiConverterResult readScore (const juce::String& text)
{
    midiConverterResult score;
    EXPECT_TRUE (jsonToMidiConverterResult (text, score)) << text;
    return score;
}

createVocalRequest richRequest()
{
    createVocalRequest request;
    request.model = "zh_tw_female_2";
    request.metadata.ticksPerBeat = 96;
    request.metadata.numberOfBars = 7;
    request.metadata.tempoChanges.add ({ 384, 92.5 });
    request.metadata.tempoChanges.add ({ 768, 61.123456789 });
    request.metadata.timeSignatureChanges.add ({ 1152, 3, 8 });

    auto& first = request.instruments.getReference (0);
    first.program = "piano";
    first.notes.add ({ 0, 96, utf8 ("我"), 60 });
    first.notes.add ({ 96, 200, utf8 ("們"), 62 });
    first.notes.add ({ 300, 400, {}, 127 });
    first.controlChanges.add ({ 10, 64, 127 });

    vocalInstrument second;
    second.notes.add ({ 5, 6, utf8 ("好"), 0 });
    request.instruments.add (second);
    return request;
}
} // namespace

TEST (ScoreJson, DefaultRequestIsWrittenInItsFixedOrder)
{
    const auto text = vocalRequestToJsonText (createVocalRequest {});

    // The framework's multi-line form ends its lines with CR LF.
    EXPECT_EQ (text, juce::String (R"({
  "voice": {
    "model": "zh_tw_male_2"
  },
  "metadata": {
    "ticksPerBeat": 480,
    "numberOfBars": 16,
    "tempoChanges": [
      {
        "time": 0,
        "tempo": 120.0
      }
    ],
    "timeSignatureChanges": [
      {
        "time": 0,
        "numerator": 4,
        "denominator": 4
      }
    ]
  },
  "instruments": [
    {
      "program": "vocal_leadsheet",
      "notes": [],
      "controlChanges": []
    }
  ],
  "audioConfig": {
    "encoding": "WAV",
    "sampleRate": "44.1K"
  }
})")
                         .replace ("\n", "\r\n"));
}

TEST (ScoreJson, EveryObjectKeepsItsMemberOrder)
{
    const auto root = parsed (vocalRequestToJsonText (richRequest()));

    EXPECT_EQ (memberNames (root), juce::StringArray ({ "voice", "metadata", "instruments", "audioConfig" }));
    EXPECT_EQ (memberNames (root["voice"]), juce::StringArray ({ "model" }));
    EXPECT_EQ (memberNames (root["metadata"]), juce::StringArray ({ "ticksPerBeat", "numberOfBars", "tempoChanges", "timeSignatureChanges" }));
    EXPECT_EQ (memberNames (root["metadata"]["tempoChanges"][1]), juce::StringArray ({ "time", "tempo" }));
    EXPECT_EQ (memberNames (root["metadata"]["timeSignatureChanges"][0]), juce::StringArray ({ "time", "numerator", "denominator" }));
    EXPECT_EQ (memberNames (root["instruments"][0]), juce::StringArray ({ "program", "notes", "controlChanges" }));
    EXPECT_EQ (memberNames (root["instruments"][0]["notes"][0]), juce::StringArray ({ "start", "end", "word", "pitch" }));
    EXPECT_EQ (memberNames (root["instruments"][0]["controlChanges"][0]), juce::StringArray ({ "time", "number", "value" }));
    EXPECT_EQ (memberNames (root["audioConfig"]), juce::StringArray ({ "encoding", "sampleRate" }));

    // Numbers keep their kinds: the sample rate is text, tempo a floating-point number.
    EXPECT_TRUE (root["audioConfig"]["sampleRate"].isString());
    EXPECT_TRUE (root["metadata"]["tempoChanges"][1]["tempo"].isDouble());
    EXPECT_TRUE (root["metadata"]["ticksPerBeat"].isInt());
}

TEST (ScoreJson, EveryInstrumentIsSentAsTheVocalProgram)
{
    for (const auto* program : { "", "piano", "vocal_leadsheet", "歌" })
    {
        auto request = richRequest();
        request.instruments.getReference (0).program = utf8 (program);
        const auto root = parsed (vocalRequestToJsonText (request));

        EXPECT_EQ (root["instruments"][0]["program"].toString(), "vocal_leadsheet") << program;
        EXPECT_EQ (root["instruments"][1]["program"].toString(), "vocal_leadsheet") << program;
    }
}

TEST (ScoreJson, WrittenScoreReadsBackUnchangedButForTheProgram)
{
    const auto request = richRequest();
    const auto score = readScore (vocalRequestToJsonText (request));

    EXPECT_EQ (score.metadata, request.metadata);
    ASSERT_EQ (score.instruments.size(), request.instruments.size());

    for (int i = 0; i < request.instruments.size(); ++i)
    {
        auto expected = request.instruments[i];
        expected.program = "vocal_leadsheet";
        EXPECT_EQ (score.instruments[i], expected);
    }
}

TEST (ScoreJson, ScoreReaderIgnoresVoiceAndAudioConfig)
{
    const auto score = readScore (R"({"metadata": {"ticksPerBeat": 480, "numberOfBars": 2,
        "tempoChanges": [{"time": 0, "tempo": 100}], "timeSignatureChanges": []},
        "instruments": [{"program": "x", "notes": [{"start": 0, "end": 480, "word": "a", "pitch": 64}]}]})");

    EXPECT_EQ (score.metadata.ticksPerBeat, 480);
    EXPECT_EQ (score.metadata.numberOfBars, 2);
    ASSERT_EQ (score.metadata.tempoChanges.size(), 1);
    EXPECT_EQ (score.metadata.tempoChanges[0].tempo, 100.0);
    ASSERT_EQ (score.instruments.size(), 1);
    EXPECT_EQ (score.instruments[0].program, "x");
    EXPECT_EQ (score.instruments[0].notes, listOf<vocalNote> ({ { 0, 480, "a", 64 } }));
    EXPECT_TRUE (score.instruments[0].controlChanges.isEmpty());
}

TEST (ScoreJson, MetadataThatIsNoObjectLeavesTheHeaderButInstrumentsAreRead)
{
    for (const auto* metadata : { R"("text")", "[1, 2]", "3", "null", "true" })
    {
        midiConverterResult score;
        score.metadata.ticksPerBeat = 240;
        score.metadata.numberOfBars = 3;
        score.metadata.tempoChanges.add ({ 0, 70.0 });
        score.instruments.add ({ "kept", {}, {} });
        const auto before = score.metadata;

        ASSERT_TRUE (jsonToMidiConverterResult (juce::String (R"({"metadata": )") + metadata + R"(, "instruments": [{"program": "p", "notes": [{"start": 1, "end": 2, "word": "w", "pitch": 3}]}]})",
                                                score));

        EXPECT_EQ (score.metadata, before) << metadata;
        ASSERT_EQ (score.instruments.size(), 2) << metadata;
        EXPECT_EQ (score.instruments[0].program, "kept");
        EXPECT_EQ (score.instruments[1].notes, listOf<vocalNote> ({ { 1, 2, "w", 3 } }));
    }
}

TEST (ScoreJson, MissingMembersReadAsZeroOrEmpty)
{
    const auto score = readScore (R"({"metadata": {"tempoChanges": [{"time": 480}], "timeSignatureChanges": [{}]},
        "instruments": [{"notes": [{"start": 0, "end": 10, "pitch": 60}, {}], "controlChanges": [{"number": 7}]}]})");

    EXPECT_EQ (score.metadata.ticksPerBeat, 0);
    EXPECT_EQ (score.metadata.tempoChanges, listOf<tempoChange> ({ { 480, 0.0 } }));
    EXPECT_EQ (score.metadata.timeSignatureChanges, listOf<timeSignatureChange> ({ { 0, 0, 0 } }));
    ASSERT_EQ (score.instruments.size(), 1);
    EXPECT_TRUE (score.instruments[0].program.isEmpty());
    EXPECT_EQ (score.instruments[0].notes, listOf<vocalNote> ({ { 0, 10, {}, 60 }, {} }));
    EXPECT_EQ (score.instruments[0].controlChanges, listOf<controlChange> ({ { 0, 7, 0 } }));
}

TEST (ScoreJson, MembersOfTheWrongTypeKeepTheReaderTotal)
{
    struct Case
    {
        const char* text;
        int tempoChanges, meters, instruments, notes;
    };

    const Case cases[] = {
        { R"({"metadata": {"tempoChanges": "fast", "timeSignatureChanges": {"time": 0}}, "instruments": 5})", 0, 0, 0, -1 },
        { R"({"instruments": [{"notes": {"start": 1}}]})", 0, 0, 1, 0 },
        { R"({"instruments": [1, "two", null, []]})", 0, 0, 4, 0 },
        { R"({"instruments": [{"notes": [1, "x", [], null]}]})", 0, 0, 1, 4 },
        { R"({"metadata": {"tempoChanges": [7, "x"], "timeSignatureChanges": [null]}})", 2, 1, 0, -1 },
    };

    for (const auto& c : cases)
    {
        const auto score = readScore (c.text);
        EXPECT_EQ (score.metadata.tempoChanges.size(), c.tempoChanges) << c.text;
        EXPECT_EQ (score.metadata.timeSignatureChanges.size(), c.meters) << c.text;
        ASSERT_EQ (score.instruments.size(), c.instruments) << c.text;

        for (const auto& change : score.metadata.tempoChanges)
            EXPECT_TRUE (change.time == 0 && change.tempo == 0.0) << c.text;

        if (c.notes >= 0)
        {
            ASSERT_EQ (score.instruments[0].notes.size(), c.notes) << c.text;

            for (const auto& note : score.instruments[0].notes)
                EXPECT_EQ (note, vocalNote {}) << c.text;
        }
    }
}

TEST (ScoreJson, OutOfRangeNumbersSaturateInsteadOfWrapping)
{
    const auto score = readScore (R"({"metadata": {"ticksPerBeat": 1e300, "numberOfBars": -1e300,
        "tempoChanges": [{"time": 99999999999, "tempo": "95.5"}],
        "timeSignatureChanges": [{"time": "123456789012345678901234567890", "numerator": 3.9, "denominator": "8"}]}})");

    EXPECT_EQ (score.metadata.ticksPerBeat, std::numeric_limits<int>::max());
    EXPECT_EQ (score.metadata.numberOfBars, std::numeric_limits<int>::min());
    EXPECT_EQ (score.metadata.tempoChanges, listOf<tempoChange> ({ { std::numeric_limits<int>::max(), 95.5 } }));
    EXPECT_EQ (score.metadata.timeSignatureChanges,
               listOf<timeSignatureChange> ({ { std::numeric_limits<int>::max(), 3, 8 } }));
}

TEST (ScoreJson, JobDocumentReadsItsFiveStrings)
{
    vocalResult job;
    ASSERT_TRUE (jsonToVocalResult (R"({"uid": "abc-1", "path": "http://127.0.0.1:1/a.wav", "status": "completed",
        "createdAt": "2026-12-11T04:00:00Z", "updatedAt": "2026-12-11T04:00:05Z", "extra": {"x": 1}})",
                                    job));

    EXPECT_EQ (job.uid, "abc-1");
    EXPECT_EQ (job.path, "http://127.0.0.1:1/a.wav");
    EXPECT_EQ (job.status, kStatusCompleted);
    EXPECT_EQ (job.createdAt, "2026-12-11T04:00:00Z");
    EXPECT_EQ (job.updatedAt, "2026-12-11T04:00:05Z");

    vocalResult sparse;
    ASSERT_TRUE (jsonToVocalResult (R"({"uid": 42})", sparse));
    EXPECT_EQ (sparse.uid, "42");
    EXPECT_TRUE (sparse.status.isEmpty());
}

TEST (ScoreJson, ErrorDocumentIsUsableOnlyWithAnExternalMessage)
{
    struct Case
    {
        const char* text;
        bool usable;
        int statusCode;
        const char* externalMessage;
    };

    const Case cases[] = {
        { R"({"statusCode": 413, "message": "too big", "externalMessage": "檔案太大", "externalCode": 7})", true, 413, "檔案太大" },
        { R"({"statusCode": 500, "message": "boom", "externalMessage": ""})", false, 500, "" },
        { R"({"statusCode": 502})", false, 502, "" },
        { R"({"externalMessage": 5})", true, 0, "5" },
    };

    for (const auto& c : cases)
    {
        apiErrorResult error;
        EXPECT_EQ (jsonToErrorResult (utf8 (c.text), error), c.usable) << c.text;
        EXPECT_EQ (error.statusCode, c.statusCode) << c.text;
        EXPECT_EQ (error.externalMessage, utf8 (c.externalMessage)) << c.text;
    }

    apiErrorResult full;
    jsonToErrorResult (utf8 (cases[0].text), full);
    EXPECT_EQ (full.message, "too big");
    EXPECT_EQ (full.externalCode, 7);
}

namespace
{
// Each reader gets a record with content, so that "untouched" is visible.
bool readJob (const juce::String& text)
{
    vocalResult job;
    job.uid = "keep";
    const auto ok = jsonToVocalResult (text, job);
    EXPECT_EQ (job.uid, "keep");
    return ok;
}

bool readScoreInto (const juce::String& text)
{
    midiConverterResult score;
    score.metadata.ticksPerBeat = 480;
    const auto ok = jsonToMidiConverterResult (text, score);
    EXPECT_EQ (score.metadata.ticksPerBeat, 480);
    EXPECT_TRUE (score.instruments.isEmpty());
    return ok;
}

bool readError (const juce::String& text)
{
    apiErrorResult error;
    error.externalMessage = "keep";
    const auto ok = jsonToErrorResult (text, error);
    EXPECT_EQ (error.externalMessage, "keep");
    return ok;
}
} // namespace

TEST (ScoreJson, TextThatIsNoObjectFailsEveryReaderAndLeavesItsRecord)
{
    struct Reader
    {
        const char* name;
        bool (*read) (const juce::String&);
    };

    const Reader readers[] = {
        { "jsonToVocalResult", readJob },
        { "jsonToMidiConverterResult", readScoreInto },
        { "jsonToErrorResult", readError },
    };

    struct Input
    {
        const char* text;
        const char* firstLine;
    };

    const Input inputs[] = {
        { "[]", "parsed json is not object" },
        { "[1, {}]", "parsed json is not object" },
        // The framework's parser takes only an object or an array at the top.
        { "\"text\"", "failed to parse to json, str: \"text\"" },
        { "12", "failed to parse to json, str: 12" },
        { "{\"a\": ", "failed to parse to json, str: {\"a\": " },
        { "not json", "failed to parse to json, str: not json" },
        { "{\n\"a\" 1\n}", "failed to parse to json, str: {\\n\"a\" 1\\n}" },
    };

    for (const auto& reader : readers)
    {
        for (const auto& input : inputs)
        {
            testing::internal::CaptureStderr();
            const auto ok = reader.read (input.text);
            const auto lines = juce::StringArray::fromLines (juce::String (testing::internal::GetCapturedStderr()).trimEnd());

            EXPECT_FALSE (ok) << reader.name << ": " << input.text;
            ASSERT_EQ (lines.size(), 2) << reader.name << ": " << input.text;
            EXPECT_EQ (lines[0], juce::String (input.firstLine));
            EXPECT_EQ (lines[1], juce::String ("[") + reader.name + "] failed to parse json");
        }
    }
}

TEST (ScoreJson, ParseJsonObjectAcceptsOnlyObjects)
{
    juce::var value;
    EXPECT_TRUE (parseJsonObject ("{}", value));
    EXPECT_TRUE (parseJsonObject (utf8 (R"( {"word": "你", "n": [1, 2]} )"), value));
    EXPECT_EQ (value["word"].toString(), utf8 ("你"));

    testing::internal::CaptureStderr();
    EXPECT_FALSE (parseJsonObject ("[{}]", value));
    EXPECT_FALSE (parseJsonObject ("", value));
    EXPECT_FALSE (parseJsonObject ("null", value));
    testing::internal::GetCapturedStderr();
}
