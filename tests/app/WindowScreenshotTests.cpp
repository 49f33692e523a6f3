#include "support/FakeService.h"
#include "support/TemporaryFolder.h"
#include "support/X11Session.h"

#include <gtest/gtest.h>

namespace
{
const char* const savedScore = R"({"metadata": {"ticksPerBeat": 480, "numberOfBars": 4,
    "tempoChanges": [{"time": 0, "tempo": 120.0}], "timeSignatureChanges": [{"time": 0, "numerator": 4, "denominator": 4}]},
    "instruments": [{"program": "vocal_leadsheet", "notes": [{"start": 0, "end": 480, "word": "", "pitch": 60},
    {"start": 480, "end": 960, "word": "", "pitch": 62}, {"start": 960, "end": 1920, "word": "", "pitch": 64}], "controlChanges": []}]})";

// The program running against a given service, with its own home folder.
struct Program
{
    Program (const juce::File& home, const juce::String& serviceUrl)
    {
        juce::StringArray command { "env", "HOME=" + home.getFullPathName() };
        if (serviceUrl.isNotEmpty())
            command.add ("VOXLET_SERVICE_URL=" + serviceUrl);
        command.add (VOXLET_APP_PATH);
        started = process.start (command, 0);
    }

    ~Program()
    {
        if (process.isRunning())
            process.kill();
    }

    bool started = false;
    juce::ChildProcess process;
};

// Grabs the window as the X server shows it into the build tree; the image, or invalid.
juce::Image grab (const juce::String& window, const juce::String& name)
{
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile ("snapshots");
    folder.createDirectory();
    const auto file = folder.getChildFile (name);
    file.deleteFile();
    X11Session::run ({ "import", "-window", window, file.getFullPathName() }, 20000);
    return juce::ImageFileFormat::loadFrom (file);
}

struct WindowScreenshots : public testing::Test
{
    void SetUp() override { ASSERT_TRUE (session.problem().isEmpty()) << session.problem(); }

    juce::String openWindow (Program& program)
    {
        EXPECT_TRUE (program.started);
        const auto window = session.waitForWindow ("Voxlet", 20000, 1000);
        juce::Thread::sleep (1500); // let it settle and paint
        return window;
    }

    X11Session session;
    TemporaryFolder home;
};
} // namespace

TEST_F (WindowScreenshots, VersionOverlayWhileNoServiceAnswers)
{
    Program program (home.get(), "http://127.0.0.1:1/music/api/plugin");
    const auto window = openWindow (program);
    ASSERT_TRUE (window.isNotEmpty());

    const auto image = grab (window, "real-window-version.png");
    ASSERT_TRUE (image.isValid());

    // The box in the middle is opaque black; around it the view shows through darkened.
    EXPECT_EQ (image.getPixelAt (image.getWidth() / 2, image.getHeight() / 2 - 50).getBrightness(), 0.0f);
}

TEST_F (WindowScreenshots, EmptyRollAndALoadedScoreAndBusy)
{
    FakeService service;
    service.answer ("GET", "/music/api/plugin/v1/verification/0.11.2", { 200, "{}" });
    FakeService::Answer stalled;
    stalled.stall = true;
    service.answer ("POST", "/music/api/plugin/v1/vocal", stalled);

    {
        Program program (home.get(), service.baseUrl());
        const auto window = openWindow (program);
        ASSERT_TRUE (window.isNotEmpty());
        EXPECT_TRUE (grab (window, "real-window-empty.png").isValid());
    }

    const auto settings = home.get().getChildFile (".quillo");
    settings.createDirectory();
    settings.getChildFile ("midi.json").replaceWithText (savedScore);
    settings.getChildFile ("config.json").replaceWithText (juce::String (juce::CharPointer_UTF8 (R"({"lyrics": "天空好"})")));

    Program program (home.get(), service.baseUrl());
    const auto window = openWindow (program);
    ASSERT_TRUE (window.isNotEmpty());
    const auto loaded = grab (window, "real-window-score.png");
    ASSERT_TRUE (loaded.isValid());

    // Press "歌聲生成" (767 + 40, 288 + 15 in a 1000 x 800 view) and look again.
    X11Session::run ({ "xdotool", "mousemove", "--window", window, "807", "303", "click", "1" });
    juce::Thread::sleep (1500);
    const auto busy = grab (window, "real-window-busy.png");
    ASSERT_TRUE (busy.isValid());
    EXPECT_GE (service.requestCount(), 2u); // version check and the vocal request

    // The button now shows its cancel face, and the notes their locked colour.
    bool changed = false;
    for (int y = 290; y < 316 && ! changed; ++y)
        for (int x = 770; x < 845 && ! changed; ++x)
            changed = loaded.getPixelAt (x, y) != busy.getPixelAt (x, y);
    EXPECT_TRUE (changed);
    EXPECT_NE (loaded.getPixelAt (90, 583), busy.getPixelAt (90, 583));

    service.releaseStalls();
}
