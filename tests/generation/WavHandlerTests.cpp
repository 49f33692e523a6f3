#include "generation/WavHandler.h"
#include "support/FakeService.h"
#include "support/MessagePump.h"
#include "support/MouseEvents.h"
#include "support/TemporaryFolder.h"
#include "support/TestWav.h"

#include <gtest/gtest.h>

namespace
{
const std::string createPath = "/music/api/plugin/v1/vocal";
const std::string pollPath = "/music/api/plugin/v1/vocal/a1";

struct ChangeCounter : public juce::ChangeListener
{
    void changeListenerCallback (juce::ChangeBroadcaster*) override { ++changes; }
    int changes = 0;
};

struct WavHandlerTest : public testing::Test
{
    WavHandlerTest()
    {
        settings.baseUrl = service.baseUrl();
        settings.resultFolder = results.get().getFullPathName() + "/";
        handler.onError = [this] (const juce::String& message) { errors.add (message); };
        handler.onJobCreated = [this] (const juce::String& id) { created.add (id); };
        handler.addChangeListener (&loaded);
        handler.setSize (120, 30);
    }

    ~WavHandlerTest() override { handler.removeChangeListener (&loaded); }

    void createJob()
    {
        service.answer ("POST", createPath, { 201, R"({"uid": "a1", "status": "pending"})" });
        handler.generate (createVocalRequest {});
        pumpMessagesUntil ([this] { return ! created.isEmpty() || ! errors.isEmpty(); });
        handler.stopTimer(); // ticks are driven by hand below
    }

    std::string wavUrlPath() const { return "/files/a1.wav"; }

    FakeService service;
    TemporaryFolder results;
    Settings settings;
    WavPlayer player;
    std::atomic<double> progress { 0.0 };
    WavHandler handler { settings, player, progress };
    juce::StringArray errors, created;
    ChangeCounter loaded;
};
} // namespace

TEST_F (WavHandlerTest, ResultFilesAreNumberedAfterTheMidiFile)
{
    EXPECT_EQ (handler.nextResultFile(), results.get().getChildFile ("_0.wav"));

    settings.midiFile = "/somewhere/song.mid";
    results.get().getChildFile ("song_0.wav").create();
    results.get().getChildFile ("song_1.wav").create();
    EXPECT_EQ (handler.nextResultFile(), results.get().getChildFile ("song_2.wav"));
}

TEST_F (WavHandlerTest, ACreatedJobIsPolledWhileProgressGrowsToItsCap)
{
    createJob();
    ASSERT_EQ (created, juce::StringArray ({ "a1" }));
    EXPECT_EQ (handler.uid, "a1");
    EXPECT_DOUBLE_EQ (progress.load(), 0.6);

    service.answer ("GET", pollPath, { 200, R"({"uid": "a1", "status": "pending"})" });
    for (int i = 0; i < 4; ++i)
        handler.timerCallback();
    EXPECT_NEAR (progress.load(), 0.64, 1e-9);

    for (int i = 0; i < 40; ++i)
        handler.timerCallback();
    EXPECT_GE (progress.load(), 0.9);
    EXPECT_LT (progress.load(), 0.91);
    EXPECT_TRUE (errors.isEmpty());
}

TEST_F (WavHandlerTest, AJobInErrorEndsAtOnce)
{
    createJob();
    service.answer ("GET", pollPath, { 200, R"({"uid": "a1", "status": "error"})" });
    handler.startTimer (1000);

    handler.timerCallback();

    EXPECT_EQ (errors, juce::StringArray ({ "get vocal receive error, uid: a1" }));
    EXPECT_FALSE (handler.isTimerRunning());
}

TEST_F (WavHandlerTest, FailedPollsAndEmptyIdsAreReported)
{
    createJob();
    service.answer ("GET", pollPath, { 503, "busy", "text/plain" });
    handler.timerCallback();
    EXPECT_EQ (errors, juce::StringArray ({ "get vocal failed, uid: a1" }));

    errors.clear();
    service.answer ("POST", createPath, { 201, R"({"status": "pending"})" });
    handler.generate (createVocalRequest {});
    pumpMessagesUntil ([this] { return ! errors.isEmpty(); });
    EXPECT_EQ (errors, juce::StringArray ({ "create vocal api result uid is empty" }));
}

TEST_F (WavHandlerTest, ACompletedJobIsDownloadedAndLoaded)
{
    settings.midiFile = "/somewhere/song.mid";
    // A result folder that does not exist yet is made for the first download.
    const auto folder = results.get().getChildFile ("made/later");
    settings.resultFolder = folder.getFullPathName() + "/";
    const auto wav = TestWav::sine (1.5);
    service.answer ("GET", wavUrlPath(), { 200, std::string ((const char*) wav.getData(), wav.getSize()), "audio/wav" });
    createJob();
    service.answer ("GET", pollPath, { 200, R"({"uid": "a1", "status": "completed", "path": ")" + service.url().toStdString() + wavUrlPath() + "\"}" });

    handler.timerCallback();
    ASSERT_TRUE (pumpMessagesUntil ([this] { return loaded.changes > 0 || ! errors.isEmpty(); }));

    EXPECT_TRUE (errors.isEmpty()) << errors.joinIntoString (", ");
    const auto file = folder.getChildFile ("song_0.wav");
    EXPECT_TRUE (file.existsAsFile());
    EXPECT_EQ (file.getSize(), (juce::int64) wav.getSize());
    EXPECT_TRUE (handler.wavReady);
    EXPECT_EQ (settings.wavFile, file.getFullPathName());
    EXPECT_DOUBLE_EQ (progress.load(), 1.0);
    EXPECT_NEAR (player.transportSource.getLengthInSeconds(), 1.5, 0.001);
}

TEST_F (WavHandlerTest, DownloadProgressFillsTheLastTenth)
{
    progress.store (0.9);
    handler.progress (nullptr, 500, 1000);
    EXPECT_NEAR (progress.load(), 0.95, 1e-6);

    handler.progress (nullptr, 10, 0);
    EXPECT_NEAR (progress.load(), 0.95, 1e-6);
}

TEST_F (WavHandlerTest, ADownloadThatCannotStartIsReported)
{
    createJob();

    // Nothing listens on port 1: the download fails, now or on its thread.
    service.answer ("GET", pollPath, { 200, R"({"uid": "a1", "status": "completed", "path": "http://127.0.0.1:1/a1.wav"})" });
    handler.timerCallback();
    pumpMessagesUntil ([this] { return ! errors.isEmpty(); }, 10000);
    EXPECT_EQ (errors, juce::StringArray ({ "download failed" }));

    // A result folder that cannot take the file: no task can be made at all.

    errors.clear();
    results.get().getChildFile ("blocked").create();
    settings.resultFolder = results.get().getChildFile ("blocked").getFullPathName() + "/";
    service.answer ("GET", wavUrlPath(), { 200, "RIFF", "audio/wav" });
    service.answer ("GET", pollPath, { 200, R"({"uid": "a1", "status": "completed", "path": ")" + service.url().toStdString() + wavUrlPath() + "\"}" });
    handler.timerCallback();
    EXPECT_EQ (errors, juce::StringArray ({ "download failed" }));
}

TEST_F (WavHandlerTest, TheLastWavIsLoadedAtStartOrReportedMissing)
{
    handler.loadWavFile ({});
    EXPECT_TRUE (errors.isEmpty());

    handler.loadWavFile (results.get().getChildFile ("gone.wav").getFullPathName());
    EXPECT_EQ (errors, juce::StringArray ({ "wav file not found" }));

    errors.clear();
    const auto notWav = results.get().getChildFile ("text.wav");
    notWav.replaceWithText ("not audio");
    handler.loadWavFile (notWav.getFullPathName());
    EXPECT_EQ (errors, juce::StringArray ({ "failed to create reader" }));
    EXPECT_FALSE (handler.wavReady);
}

TEST_F (WavHandlerTest, TheWavIsDraggedOutOnlyWhenReady)
{
    juce::StringArray dragged;
    handler.startExternalDrag = [&] (const juce::StringArray& files, juce::Component*) {
        dragged = files;
        return true;
    };

    handler.mouseDown (mouseEventOn (handler, { 5.0f, 5.0f }));
    EXPECT_TRUE (dragged.isEmpty());

    juce::Image blank (juce::Image::ARGB, 120, 30, true);
    {
        juce::Graphics g (blank);
        handler.paintEntireComponent (g, true);
    }
    EXPECT_EQ (blank.getPixelAt (60, 15).getAlpha(), 0);

    const auto wav = results.get().getChildFile ("take_0.wav");
    wav.replaceWithData (TestWav::sine (0.5).getData(), TestWav::sine (0.5).getSize());
    handler.loadWavFile (wav.getFullPathName());
    ASSERT_TRUE (handler.wavReady);

    handler.mouseDown (mouseEventOn (handler, { 5.0f, 5.0f }));
    EXPECT_EQ (dragged, juce::StringArray (wav.getFullPathName()));

    juce::Image shown (juce::Image::ARGB, 120, 30, true);
    {
        juce::Graphics g (shown);
        handler.paintEntireComponent (g, true);
    }
    EXPECT_EQ (shown.getPixelAt (3, 15), juce::Colours::black);
}

TEST_F (WavHandlerTest, ACancelledRequestStaysCancelledAndTheNextOneFollows)
{
    FakeService::Answer stalled;
    stalled.stall = true;
    service.answer ("POST", createPath, { stalled, { 201, R"({"uid": "b2", "status": "pending"})" } });

    handler.generate (createVocalRequest {});
    pumpMessagesUntil ([this] { return service.requestCount() == 1; }, 5000);
    handler.cancel();

    // Generate again while the worker still waits for the first answer.
    createVocalRequest second;
    second.model = "zh_tw_female_2";
    handler.generate (second);

    // The first answer (a failure, after the stall) is ignored; the second request goes out.
    service.releaseStalls();
    ASSERT_TRUE (pumpMessagesUntil ([this] { return ! created.isEmpty() || ! errors.isEmpty(); }, 20000));

    EXPECT_TRUE (errors.isEmpty()) << errors.joinIntoString (", ");
    EXPECT_EQ (created, juce::StringArray ({ "b2" }));
    ASSERT_EQ (service.requestCount(), 2u);
    EXPECT_NE (service.requests()[1].body.find ("zh_tw_female_2"), std::string::npos);
}
