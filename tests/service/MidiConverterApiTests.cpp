#include "service/MidiConverterApi.h"
#include "support/FakeService.h"
#include "support/MessagePump.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace
{
const std::string convertPath = "/music/api/plugin/v1/midi/convert";

const char* const convertedScore = R"({"metadata": {"ticksPerBeat": 480, "numberOfBars": 4,
    "tempoChanges": [{"time": 0, "tempo": 96.0}], "timeSignatureChanges": [{"time": 0, "numerator": 3, "denominator": 4}]},
    "instruments": [{"program": "vocal_leadsheet", "notes": [{"start": 0, "end": 480, "word": "a", "pitch": 60}], "controlChanges": []}]})";

// Records every outcome, in order, and whether it arrived on the message thread.
class RecordingConverter : public MidiConverterApi
{
public:
    explicit RecordingConverter (Settings& s)
        : MidiConverterApi (s)
    {
        onResponse = [this] (const juce::String& text) { record ("response", text); };
        onError = [this] (const juce::String& message) { record ("error", message); };
    }

    void onConverted (midiConverterResult& result) override
    {
        converted = result;
        record ("converted", {});
    }

    // Starts the request for a file with these bytes and waits for its last outcome.
    void convert (const juce::File& file, int timeoutMs = 15000)
    {
        midiFile = file;
        file.loadFileAsData (midiData);
        startThread();
        pumpMessagesUntil ([this] { return finished(); }, timeoutMs);
        pumpMessagesFor (50);
    }

    bool finished() const { return outcomes.contains ("converted") || outcomes.contains ("error"); }

    juce::StringArray outcomes;
    juce::String lastText;
    midiConverterResult converted;
    bool allOnMessageThread = true;

private:
    void record (const juce::String& what, const juce::String& text)
    {
        allOnMessageThread = allOnMessageThread && juce::MessageManager::existsAndIsCurrentThread();
        outcomes.add (what);
        if (what != "response")
            lastText = text;
        else
            responseText = text;
    }

public:
    juce::String responseText;
};

struct MidiConverterApiTest : public testing::Test
{
    MidiConverterApiTest()
    {
        settings.baseUrl = service.baseUrl();
        midi = folder.get().getChildFile ("song one.mid");
        midi.replaceWithData ("MThd\0\0\0\6\0\0\0\1\1\xe0", 14);
    }

    FakeService service;
    TemporaryFolder folder;
    Settings settings;
    juce::File midi;
};
} // namespace

TEST_F (MidiConverterApiTest, UploadsTheFileAsAMultipartField)
{
    service.answer ("POST", convertPath, { 200, convertedScore });
    RecordingConverter converter (settings);

    converter.convert (midi);

    ASSERT_EQ (service.requestCount(), 1u);
    const auto request = service.requests()[0];
    EXPECT_EQ (request.method, "POST");
    EXPECT_EQ (request.path, convertPath);
    ASSERT_EQ (request.parts.size(), 1u);
    EXPECT_EQ (request.parts[0].fieldName, "midiFile");
    EXPECT_EQ (request.parts[0].fileName, "song one.mid");
    EXPECT_EQ (request.parts[0].contentType, "audio/midi");
    EXPECT_EQ (request.parts[0].content, std::string ("MThd\0\0\0\6\0\0\0\1\1\xe0", 14));
}

TEST_F (MidiConverterApiTest, AScoreWithoutVoiceOrAudioConfigConverts)
{
    service.answer ("POST", convertPath, { 200, convertedScore });
    RecordingConverter converter (settings);

    converter.convert (midi);

    EXPECT_EQ (converter.outcomes, juce::StringArray ({ "response", "converted" }));
    EXPECT_TRUE (converter.allOnMessageThread);
    EXPECT_EQ (converter.responseText, juce::String (convertedScore));
    EXPECT_EQ (converter.converted.metadata.ticksPerBeat, 480);
    EXPECT_EQ (converter.converted.metadata.tempoChanges[0].tempo, 96.0);
    ASSERT_EQ (converter.converted.instruments.size(), 1);
    EXPECT_EQ (converter.converted.instruments[0].notes.size(), 1);
}

TEST_F (MidiConverterApiTest, FailuresReportOneMessage)
{
    struct Case
    {
        const char* name;
        FakeService::Answer answer;
        const char* message;
    };

    const Case cases[] = {
        { "error document", { 413, R"({"statusCode": 413, "message": "too large", "externalMessage": "file too large", "externalCode": 3})" }, "file too large" },
        { "plain text", { 413, "Request Entity Too Large", "text/plain" }, "Request Entity Too Large" },
        { "error document without a user message", { 500, R"({"message": "boom"})" }, R"({"message": "boom"})" },
        { "success that is no score", { 200, "[1, 2]" }, "failed to parse converter result" },
        { "empty success", { 299, "" }, "failed to parse converter result" },
    };

    for (const auto& c : cases)
    {
        service.answer ("POST", convertPath, c.answer);
        RecordingConverter converter (settings);

        converter.convert (midi);

        EXPECT_EQ (converter.outcomes, juce::StringArray ({ "error" })) << c.name;
        EXPECT_EQ (converter.lastText, juce::String (c.message)) << c.name;
        EXPECT_TRUE (converter.allOnMessageThread) << c.name;
    }
}

TEST_F (MidiConverterApiTest, AnEmptyFileIsNotSent)
{
    const auto empty = folder.get().getChildFile ("empty.mid");
    empty.create();
    RecordingConverter converter (settings);

    converter.convert (empty);

    EXPECT_EQ (converter.outcomes, juce::StringArray ({ "error" }));
    EXPECT_EQ (converter.lastText, "failed to load midi");
    EXPECT_EQ (service.requestCount(), 0u);
}

TEST_F (MidiConverterApiTest, AnUnreachableServiceIsATransportFailure)
{
    settings.baseUrl = "http://127.0.0.1:1/music/api/plugin";
    RecordingConverter converter (settings);

    converter.convert (midi);

    EXPECT_EQ (converter.outcomes, juce::StringArray ({ "error" }));
    EXPECT_EQ (converter.lastText, "fire request failed");
}

TEST_F (MidiConverterApiTest, AServiceThatNeverAnswersIsGivenUp)
{
    FakeService::Answer stall;
    stall.stall = true;
    service.answer ("POST", convertPath, stall);
    RecordingConverter converter (settings);

    // Far above the request's own bound, so only a request without one fails this.
    converter.convert (midi, 30000);

    EXPECT_EQ (converter.outcomes, juce::StringArray ({ "error" }));
    EXPECT_EQ (converter.lastText, "fire request failed");
    EXPECT_EQ (service.requestCount(), 1u);
}

TEST_F (MidiConverterApiTest, EndpointPathsAreAppendedAsTheyAre)
{
    settings.baseUrl = service.url() + "/music/api/plugin/";
    service.answer ("POST", "/music/api/plugin//v1/midi/convert", { 200, convertedScore });
    RecordingConverter converter (settings);

    converter.convert (midi);

    ASSERT_EQ (service.requestCount(), 1u);
    EXPECT_EQ (service.requests()[0].path, "/music/api/plugin//v1/midi/convert");
    EXPECT_EQ (converter.outcomes, juce::StringArray ({ "response", "converted" }));
}
