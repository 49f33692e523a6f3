#include "model/ScoreJson.h"
#include "service/CreateVocalApi.h"
#include "service/GetVocalApi.h"
#include "support/FakeService.h"
#include "support/MessagePump.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace
{
const std::string createPath = "/music/api/plugin/v1/vocal";

class RecordingCreate : public CreateVocalApi
{
public:
    using CreateVocalApi::CreateVocalApi;

    void onCreateVocalSuccess (const vocalResult& result) override { record ("success", result.uid, result); }
    void onCreateVocalError (const juce::String& message) override { record ("error", message, {}); }

    void createAndWait()
    {
        startThread();
        pumpMessagesUntil ([this] { return ! outcomes.isEmpty(); });
        pumpMessagesFor (50);
    }

    juce::StringArray outcomes;
    juce::String text;
    vocalResult job;
    bool onMessageThread = true;

private:
    void record (const juce::String& what, const juce::String& t, const vocalResult& result)
    {
        onMessageThread = onMessageThread && juce::MessageManager::existsAndIsCurrentThread();
        outcomes.add (what);
        text = t;
        job = result;
    }
};

struct VocalJobApiTest : public testing::Test
{
    VocalJobApiTest() { settings.baseUrl = service.baseUrl(); }

    FakeService service;
    Settings settings;
};
} // namespace

TEST_F (VocalJobApiTest, CreatePostsTheScoreAsJson)
{
    service.answer ("POST", createPath, { 201, R"({"uid": "a1", "status": "pending"})" });
    RecordingCreate create (settings);
    create.request.model = "zh_tw_female_2";
    create.request.instruments.getReference (0).notes.add ({ 0, 480, utf8 ("啊"), 60 });

    create.createAndWait();

    ASSERT_EQ (create.outcomes, juce::StringArray ({ "success" }));
    EXPECT_TRUE (create.onMessageThread);
    EXPECT_EQ (create.job.uid, "a1");
    EXPECT_EQ (create.job.status, "pending");
    EXPECT_TRUE (create.job.path.isEmpty() && create.job.createdAt.isEmpty() && create.job.updatedAt.isEmpty());

    ASSERT_EQ (service.requestCount(), 1u);
    const auto request = service.requests()[0];
    EXPECT_EQ (request.method, "POST");
    EXPECT_EQ (request.header ("Content-Type"), "application/json");
    EXPECT_EQ (juce::String::fromUTF8 (request.body.data(), (int) request.body.size()), vocalRequestToJsonText (create.request));
}

TEST_F (VocalJobApiTest, CreateFailuresGiveOneMessage)
{
    struct Case
    {
        FakeService::Answer answer;
        juce::String message;
    };

    const Case cases[] = {
        { { 403, R"({"externalMessage": "ignored"})" }, utf8 ("請到官網同意使用者條款") },
        { { 403, "forbidden", "text/plain" }, utf8 ("請到官網同意使用者條款") },
        { { 500, R"({"message": "m", "externalMessage": "e"})" }, "e" },
        { { 500, R"({"message": "m"})" }, "m" },
        { { 500, "Internal Server Error", "text/plain" }, "" },
        { { 201, "not json", "text/plain" }, "failed to parse create vocal result" },
    };

    for (const auto& c : cases)
    {
        service.answer ("POST", createPath, c.answer);
        RecordingCreate create (settings);

        create.createAndWait();

        EXPECT_EQ (create.outcomes, juce::StringArray ({ "error" })) << c.answer.status << " " << c.answer.body;
        EXPECT_EQ (create.text, c.message) << c.answer.status << " " << c.answer.body;
    }
}

TEST_F (VocalJobApiTest, CreateAgainstNoServiceFails)
{
    settings.baseUrl = "http://127.0.0.1:1/music/api/plugin";
    RecordingCreate create (settings);

    create.createAndWait();

    EXPECT_EQ (create.outcomes, juce::StringArray ({ "error" }));
    EXPECT_EQ (create.text, "fire create vocal request failed");
}

TEST_F (VocalJobApiTest, PollReadsTheJob)
{
    service.answer ("GET", "/music/api/plugin/v1/vocal/a1", { 200, R"({"uid": "a1", "path": "http://127.0.0.1:9/a1.wav", "status": "completed"})" });
    GetVocalApi api (settings);

    const auto job = api.poll ("a1");

    ASSERT_TRUE (job.has_value());
    EXPECT_EQ (job->status, "completed");
    EXPECT_EQ (job->path, "http://127.0.0.1:9/a1.wav");
    EXPECT_EQ (service.requestCount(), 1u);
}

TEST_F (VocalJobApiTest, PollGivesUpAfterTheRetryLimit)
{
    service.answer ("GET", "/music/api/plugin/v1/vocal/a1", { 503, "busy", "text/plain" });
    GetVocalApi api (settings);

    testing::internal::CaptureStderr();
    const auto job = api.poll ("a1");
    const auto lines = juce::StringArray::fromLines (juce::String (testing::internal::GetCapturedStderr()).trimEnd());

    EXPECT_FALSE (job.has_value());
    EXPECT_EQ (service.requestCount(), 3u);
    ASSERT_EQ (lines.size(), 4);
    EXPECT_EQ (lines[0], "[GetVocalApi] failed, status_code: 503 reason: busy");
    EXPECT_EQ (lines[3], "over retry limit");
}

TEST_F (VocalJobApiTest, PollOfSomethingElseFailsAtOnce)
{
    service.answer ("GET", "/music/api/plugin/v1/vocal/a1", { 200, "[]" });
    GetVocalApi api (settings);

    EXPECT_FALSE (api.poll ("a1").has_value());
    EXPECT_EQ (service.requestCount(), 1u);
}
