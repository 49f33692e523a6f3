#include "app/MainView.h"
#include "model/ScoreJson.h"
#include "service/ServiceUrl.h"
#include "support/Capture.h"
#include "support/FakeService.h"
#include "support/MessagePump.h"
#include "support/ScopedHome.h"
#include "support/ScoreComparisons.h"
#include "support/TestWav.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace
{
struct Shown
{
    juce::String title, message;
    std::function<void()> onClosed;
};

const char* const convertedScore = R"({"metadata": {"ticksPerBeat": 480, "numberOfBars": 4,
    "tempoChanges": [{"time": 0, "tempo": 120.0}], "timeSignatureChanges": [{"time": 0, "numerator": 4, "denominator": 4}]},
    "instruments": [{"program": "vocal_leadsheet", "notes": [{"start": 0, "end": 480, "word": "", "pitch": 60},
    {"start": 480, "end": 960, "word": "", "pitch": 62}, {"start": 960, "end": 1440, "word": "", "pitch": 64}], "controlChanges": []}]})";

struct MainViewTest : public testing::Test
{
    MainViewTest()
    {
        setenv (ServiceUrl::overrideVariable, service.baseUrl().toRawUTF8(), 1);
        service.answer ("GET", "/music/api/plugin/v1/verification/0.11.2", { 200, "{}" });
    }

    ~MainViewTest() override { unsetenv (ServiceUrl::overrideVariable); }

    std::unique_ptr<MainView> open()
    {
        auto view = std::make_unique<MainView> ([this] (juce::MessageBoxIconType, const juce::String& title, const juce::String& message, std::function<void()> onClosed) { shown.push_back ({ title, message, onClosed }); });
        pumpMessagesFor (100);
        return view;
    }

    juce::Image paintOf (MainView& view)
    {
        juce::Image image (juce::Image::ARGB, view.getWidth(), view.getHeight(), true);
        juce::Graphics g (image);
        view.paint (g);
        return image;
    }

    // The editor reports text changes asynchronously.
    static void type (MainView& view, const juce::String& text)
    {
        view.lyricsEditor.setText (text, true);
        pumpMessagesFor (50);
    }

    ScopedHome home;
    FakeService service;
    std::vector<Shown> shown;
};
} // namespace

TEST_F (MainViewTest, LayoutAtTheMinimumWindow)
{
    auto view = open();
    view->setSize (1000, 800);

    // The device list comes once the message loop has run, laid out where it belongs.
    ASSERT_NE (view->deviceSelector, nullptr);
    EXPECT_EQ (view->deviceSelector->getParentComponent(), view.get());

    const std::pair<juce::Component*, juce::Rectangle<int>> expected[] = {
        { &view->lyricsEditor, { 20, 30, 250, 210 } },
        { &view->voiceBox, { 300, 30, 220, 30 } },
        { &view->openFolderButton, { 880, 130, 100, 40 } },
        { &view->zoomSlider, { 250, 270, 450, 30 } },
        { &view->keyboard, { 20, 320, 50, 450 } },
        { view->midiRegion.get(), { 70, 320, 910, 450 } },
        { &view->wavPlayer, { 40, 292, 105, 15 } },
        { view->volumeEditor.get(), { 160, 272, 180, 40 } },
        { view->progressBar.get(), { 860, 288, 120, 25 } },
        { view->wavHandler.get(), { 860, 288, 120, 25 } },
        { view->deviceSelector.get(), { 700, 248, 280, 30 } },
        { view->generateButton.get(), { 767, 288, 80, 30 } },
        { &view->modeController, { 667, 288, 80, 30 } },
        { &view->gridController, { 567, 288, 80, 30 } },
        { view->trackMonitor.get(), { 377, 288, 160, 30 } },
    };

    for (const auto& [component, bounds] : expected)
        EXPECT_EQ (component->getBounds(), bounds) << component->getName() << " " << component->getBounds().toString();
}

TEST_F (MainViewTest, TheVersionCheckPassesAndTheVoiceIsTheMaleOne)
{
    auto view = open();
    pumpMessagesUntil ([&] { return ! view->versionDialog->isVisible(); }, 10000);

    EXPECT_FALSE (view->versionDialog->isVisible());
    EXPECT_EQ (view->voice, "zh_tw_male_2");
    EXPECT_EQ (view->versionString, "0.11.2");
    EXPECT_FALSE (view->generateButton->generateButton->isEnabled());
}

TEST_F (MainViewTest, CountsAndHintFollowTheLyrics)
{
    auto view = open();
    view->midiRegion->notePanel->setNotes (listOf<vocalNote> ({ { 0, 480, {}, 60 }, { 480, 960, {}, 62 }, { 960, 1440, {}, 64 } }));

    type (*view, utf8 ("天空，好"));
    const auto valid = paintOf (*view);
    EXPECT_EQ (view->midiRegion->notePanel->noteBox.notes[1]->word, utf8 ("空"));
    EXPECT_EQ (view->config.lyrics, utf8 ("天空，好"));

    const auto redIn = [] (const juce::Image& image) {
        for (int y = 100; y < 160; ++y)
            for (int x = 300; x < 600; ++x)
                if (image.getPixelAt (x, y).getRed() > 200 && image.getPixelAt (x, y).getGreen() < 60)
                    return true;
        return false;
    };
    EXPECT_FALSE (redIn (valid));

    type (*view, utf8 ("天空?"));
    EXPECT_TRUE (redIn (paintOf (*view)));
    EXPECT_FALSE (view->midiRegion->canGenerate());
}

TEST_F (MainViewTest, AConvertedScoreIsShownAndSaved)
{
    service.answer ("POST", "/music/api/plugin/v1/midi/convert", { 200, convertedScore });
    auto view = open();
    const auto midi = home.file ("song.mid");
    midi.replaceWithText ("MThd");
    type (*view, utf8 ("一二三"));

    view->midiRegion->filesDropped ({ midi.getFullPathName() }, 100, 100);
    EXPECT_EQ (view->state.get(), StateController::converting);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return view->state.get() == StateController::loaded; }));

    ASSERT_EQ (view->midiRegion->notePanel->noteBox.notes.size(), 3u);
    EXPECT_EQ (view->midiRegion->notePanel->noteBox.notes[2]->word, utf8 ("三"));
    EXPECT_EQ (view->metadata.ticksPerBeat, 480);
    EXPECT_EQ (view->config.midiFile, midi.getFullPathName());
    EXPECT_TRUE (view->generateButton->generateButton->isEnabled());
    EXPECT_TRUE (home.file (".quillo/midi.json").loadFileAsString().contains ("\"numberOfBars\""));
}

TEST_F (MainViewTest, AFailedConversionShowsTheErrorAndReturnsToTheEmptyRoll)
{
    service.answer ("POST", "/music/api/plugin/v1/midi/convert", { 413, R"({"externalMessage": "too big"})" });
    auto view = open();
    const auto midi = home.file ("song.mid");
    midi.replaceWithText ("MThd");

    view->midiRegion->filesDropped ({ midi.getFullPathName() }, 100, 100);
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! shown.empty(); }));

    EXPECT_EQ (shown[0].title, "Error");
    EXPECT_EQ (shown[0].message, "too big");
    shown[0].onClosed();
    EXPECT_EQ (view->state.get(), StateController::empty);
}

TEST_F (MainViewTest, GenerationRunsFromTheButtonToTheLoadedWav)
{
    const auto wav = TestWav::sine (1.0);
    service.answer ("POST", "/music/api/plugin/v1/vocal", { 201, R"({"uid": "j1", "status": "pending"})" });
    service.answer ("GET", "/files/j1.wav", { 200, std::string ((const char*) wav.getData(), wav.getSize()), "audio/wav" });
    service.answer ("GET", "/music/api/plugin/v1/vocal/j1", { { 200, R"({"uid": "j1", "status": "ongoing"})" }, { 200, R"({"uid": "j1", "status": "completed", "path": ")" + service.url().toStdString() + "/files/j1.wav\"}" } });
    auto view = open();
    view->midiRegion->notePanel->setNotes (listOf<vocalNote> ({ { 0, 480, {}, 60 }, { 480, 960, {}, 62 } }));
    view->metadata.ticksPerBeat = 480;
    view->metadata.numberOfBars = 4;
    type (*view, utf8 ("你好"));
    ASSERT_TRUE (view->generateButton->generateButton->isEnabled());

    view->generateButton->generateButton->triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return view->midiRegion->notePanel->noteBox.busy; }, 3000));
    EXPECT_TRUE (view->midiRegion->notePanel->blocker.isVisible());
    EXPECT_EQ (view->midiRegion->notePanel->noteBox.notes[0]->state, MidiNote::locked);
    EXPECT_TRUE (view->generateButton->cancelButton->isVisible());

    ASSERT_TRUE (pumpMessagesUntil ([&] { return view->wavHandler->wavReady || ! shown.empty(); }, 20000));
    ASSERT_TRUE (shown.empty()) << shown[0].message;
    pumpMessagesFor (100);

    EXPECT_FALSE (view->midiRegion->notePanel->noteBox.busy);
    EXPECT_EQ (view->midiRegion->notePanel->noteBox.notes[0]->state, MidiNote::normal);
    EXPECT_TRUE (view->generateButton->generateButton->isVisible());
    EXPECT_DOUBLE_EQ (view->progress.value.load(), 1.0);
    EXPECT_TRUE (juce::File (view->config.wavFile).existsAsFile());
    EXPECT_EQ (view->midiRegion->timeLine->audioEndTick, 960); // one second at 120 bpm
    EXPECT_TRUE (view->wavPlayer.playOrPause.isEnabled());

    const auto sent = service.requests()[1].body;
    EXPECT_NE (sent.find ("zh_tw_male_2"), std::string::npos);
}

TEST_F (MainViewTest, AFailedGenerationShowsItsBoxAndReturnsToIdleWhenClosed)
{
    service.answer ("POST", "/music/api/plugin/v1/vocal", { 500, R"({"message": "m", "externalMessage": "render failed"})" });
    auto view = open();
    view->midiRegion->notePanel->setNotes (listOf<vocalNote> ({ { 0, 480, {}, 60 } }));
    type (*view, utf8 ("你"));

    view->generateButton->generateButton->triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! shown.empty(); }, 10000));

    EXPECT_EQ (shown[0].title, "Failed to create vocal");
    EXPECT_EQ (shown[0].message, "render failed");
    EXPECT_TRUE (view->midiRegion->notePanel->noteBox.busy);

    shown[0].onClosed();
    EXPECT_FALSE (view->midiRegion->notePanel->noteBox.busy);
    EXPECT_TRUE (view->generateButton->generateButton->isVisible());
    EXPECT_TRUE (view->generateButton->generateButton->isEnabled());
}

TEST_F (MainViewTest, SettingsAreWrittenEverySecond)
{
    auto view = open();
    type (*view, utf8 ("歌"));

    view->timerCallback();

    EXPECT_EQ (juce::JSON::parse (home.file (".quillo/config.json").loadFileAsString())["lyrics"].toString(), utf8 ("歌"));
}

TEST_F (MainViewTest, CancelReturnsToIdleAndIgnoresTheLateAnswer)
{
    FakeService::Answer stalled;
    stalled.stall = true;
    service.answer ("POST", "/music/api/plugin/v1/vocal", stalled);
    auto view = open();
    view->midiRegion->notePanel->setNotes (listOf<vocalNote> ({ { 0, 480, {}, 60 } }));
    type (*view, utf8 ("你"));

    view->generateButton->generateButton->triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return view->generateButton->cancelButton->isVisible(); }, 3000));
    view->generateButton->cancelButton->triggerClick();
    ASSERT_TRUE (pumpMessagesUntil ([&] { return view->generateButton->generateButton->isVisible(); }, 3000));

    EXPECT_FALSE (view->midiRegion->notePanel->noteBox.busy);
    EXPECT_EQ (view->midiRegion->notePanel->noteBox.notes[0]->state, MidiNote::normal);
    EXPECT_EQ (view->progress.value.load(), 0.0);

    // The stalled request's eventual failure is not shown.
    service.releaseStalls();
    pumpMessagesUntil ([&] { return ! view->wavHandler->isThreadRunning(); }, 15000);
    pumpMessagesFor (100);
    EXPECT_TRUE (shown.empty());
}

TEST_F (MainViewTest, AFailedConversionAfterAScoreBringsTheSavedScoreBack)
{
    home.file (".quillo").createDirectory();
    home.file (".quillo/midi.json").replaceWithText (convertedScore);
    service.answer ("POST", "/music/api/plugin/v1/midi/convert", { 500, "boom", "text/plain" });
    auto view = open();
    ASSERT_EQ (view->state.get(), StateController::loaded);
    ASSERT_EQ (view->midiRegion->notePanel->noteBox.notes.size(), 3u);

    const auto midi = home.file ("other.mid");
    midi.replaceWithText ("MThd");
    view->midiRegion->filesDropped ({ midi.getFullPathName() }, 10, 10);

    // A second drop while converting is refused.
    const auto lines = loggedBy ([&] { view->midiRegion->filesDropped ({ midi.getFullPathName() }, 10, 10); });
    EXPECT_TRUE (lines.contains ("midi is loading, stop"));

    ASSERT_TRUE (pumpMessagesUntil ([&] { return ! shown.empty(); }));
    EXPECT_EQ (shown[0].message, "boom");
    shown[0].onClosed();

    EXPECT_EQ (view->state.get(), StateController::loaded);
    EXPECT_EQ (view->midiRegion->notePanel->noteBox.notes.size(), 3u);
    EXPECT_TRUE (view->midiRegion->notePanel->isVisible());
}

TEST_F (MainViewTest, WritesSnapshotsOfTheWindowInItsStates)
{
    FakeService::Answer stalled;
    stalled.stall = true;
    service.answer ("POST", "/music/api/plugin/v1/vocal", stalled);
    auto view = open();
    pumpMessagesUntil ([&] { return ! view->versionDialog->isVisible(); }, 10000);

    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile ("snapshots");
    folder.createDirectory();
    const auto snapshot = [&] (const char* name) {
        const auto image = view->createComponentSnapshot (view->getLocalBounds());
        const auto file = folder.getChildFile (name);
        file.deleteFile();
        juce::FileOutputStream out (file);
        EXPECT_TRUE (out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out)) << name;
        return image;
    };

    snapshot ("window-empty.png");

    home.file (".quillo/midi.json").replaceWithText (convertedScore);
    view->config.score = {};
    jsonToMidiConverterResult (convertedScore, view->config.score);
    type (*view, utf8 ("天空好"));
    view->midiRegion->restoreFromSettings();
    pumpMessagesFor (50);
    snapshot ("window-score.png");

    view->generateButton->generateButton->triggerClick();
    pumpMessagesUntil ([&] { return view->midiRegion->notePanel->noteBox.busy; }, 3000);
    pumpMessagesFor (100);
    snapshot ("window-busy.png");

    view->versionDialog->setVisible (true);
    view->versionDialog->onVersionRejected ({});
    const auto overlay = snapshot ("window-version.png");

    EXPECT_EQ (overlay.getPixelAt (310, 300), juce::Colours::black);
    service.releaseStalls();
}

TEST_F (MainViewTest, StatusTextCountsSungCharactersAndEveryNote)
{
    auto view = open();
    const juce::Rectangle<int> lyricsCount (860, 30, 120, 30), notesCount (860, 60, 120, 30), midiLine (20, 750, 960, 30);
    const auto same = [] (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area) {
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;
        return true;
    };

    const auto empty = paintOf (*view);

    // Punctuation, spaces and line breaks are not sung: still "Lyrics: 0".
    type (*view, utf8 ("，。 \n！"));
    EXPECT_TRUE (same (empty, paintOf (*view), lyricsCount));
    type (*view, utf8 ("一"));
    EXPECT_FALSE (same (empty, paintOf (*view), lyricsCount));

    // Notes without words count too.
    type (*view, {});
    view->midiRegion->notePanel->setNotes (listOf<vocalNote> ({ { 0, 480, {}, 60 } }));
    EXPECT_FALSE (same (empty, paintOf (*view), notesCount));

    // The MIDI file's path is shown along the bottom.
    EXPECT_TRUE (same (empty, paintOf (*view), midiLine));
    view->config.midiFile = "/home/someone/song.mid";
    EXPECT_FALSE (same (empty, paintOf (*view), midiLine));
}

TEST_F (MainViewTest, SettingsMessagesGoThroughTheSameNotifier)
{
    home.file (".quillo").createDirectory();
    home.file (".quillo/config.json").replaceWithText ("{broken");

    auto view = open();

    ASSERT_FALSE (shown.empty());
    EXPECT_EQ (shown[0].title, "Error");
    EXPECT_EQ (shown[0].message, "Failed to load config");
}
