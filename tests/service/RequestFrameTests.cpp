#include "service/RequestFrame.h"
#include "support/FakeService.h"

#include <gtest/gtest.h>

namespace
{
const std::string pollPath = "/music/api/plugin/v1/vocal/abc";

juce::URL pollUrl (const FakeService& service) { return juce::URL (service.baseUrl() + "/v1/vocal/abc"); }
} // namespace

TEST (RequestFrame, RepliesAreJudgedByTheirStatus)
{
    FakeService service;
    struct Case
    {
        FakeService::Answer answer;
        bool succeeded;
    };

    const Case cases[] = {
        { { 200, R"({"uid": "abc"})" }, true },
        { { 299, "" }, true },
        { { 300, "moved?", "text/plain" }, false },
        { { 404, "missing", "text/plain" }, false },
        { { 503, R"({"externalMessage": "busy"})" }, false },
    };

    for (const auto& c : cases)
    {
        service.answer ("GET", pollPath, c.answer);
        const auto reply = RequestFrame::send (pollUrl (service), juce::URL::ParameterHandling::inAddress);

        EXPECT_TRUE (reply.opened) << c.answer.status;
        EXPECT_EQ (reply.statusCode, c.answer.status);
        EXPECT_EQ (reply.text, juce::String (c.answer.body));
        EXPECT_EQ (reply.succeeded(), c.succeeded) << c.answer.status;
    }
}

TEST (RequestFrame, ExtraHeadersAreSent)
{
    FakeService service;
    service.answer ("POST", "/music/api/plugin/v1/vocal", { 201, "{}" });
    const auto url = juce::URL (service.baseUrl() + "/v1/vocal").withPOSTData (juce::MemoryBlock ("{}", 2));

    const auto reply = RequestFrame::send (url, juce::URL::ParameterHandling::inPostData, "Content-Type: application/json");

    EXPECT_EQ (reply.statusCode, 201);
    ASSERT_EQ (service.requestCount(), 1u);
    EXPECT_EQ (service.requests()[0].header ("Content-Type"), "application/json");
    EXPECT_EQ (service.requests()[0].body, "{}");
}

TEST (RequestFrame, FailedAttemptsAreRepeatedUpToTheLimit)
{
    FakeService service;
    int failures = 0;
    const auto countFailure = [&] (const RequestFrame::Reply&) { ++failures; };

    // Two failures, then an answer: three attempts, the third one used.
    service.answer ("GET", pollPath, { { 500, "a" }, { 502, "b" }, { 200, R"({"status": "ongoing"})" } });
    auto reply = RequestFrame::sendWithRetries (pollUrl (service), juce::URL::ParameterHandling::inAddress, 3, countFailure);
    ASSERT_TRUE (reply.has_value());
    EXPECT_EQ (reply->statusCode, 200);
    EXPECT_EQ (failures, 2);
    EXPECT_EQ (service.requestCount(), 3u);

    // Failing throughout: exactly three attempts, then nothing.
    failures = 0;
    service.answer ("GET", pollPath, { 500, "down" });
    reply = RequestFrame::sendWithRetries (pollUrl (service), juce::URL::ParameterHandling::inAddress, 3, countFailure);
    EXPECT_FALSE (reply.has_value());
    EXPECT_EQ (failures, 3);
    EXPECT_EQ (service.requestCount(), 6u);
}

TEST (RequestFrame, AnUnreachableHostFailsEveryAttempt)
{
    std::vector<RequestFrame::Reply> failed;
    const auto reply = RequestFrame::sendWithRetries (juce::URL ("http://127.0.0.1:1/music/api/plugin/v1/verification/0.11.2"),
                                                      juce::URL::ParameterHandling::inAddress,
                                                      3,
                                                      [&] (const RequestFrame::Reply& r) { failed.push_back (r); });

    EXPECT_FALSE (reply.has_value());
    ASSERT_EQ (failed.size(), 3u);
    for (const auto& r : failed)
        EXPECT_FALSE (r.opened);
}

TEST (RequestFrame, FailureLineQuotesStatusAndReply)
{
    RequestFrame::Reply reply;
    reply.opened = true;
    reply.statusCode = 413;
    reply.text = "too big";

    testing::internal::CaptureStderr();
    RequestFrame::logFailure ("MidiConverterApi", reply);
    EXPECT_EQ (testing::internal::GetCapturedStderr(), "[MidiConverterApi] failed, status_code: 413 reason: too big\n");
}
