#include "app/Config.h"
#include "service/ServiceUrl.h"
#include "support/ScopedHome.h"
#include "support/Utf8.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace
{
struct Shown
{
    juce::String title, message;
};

struct ConfigTest : public testing::Test
{
    ConfigTest() { unsetenv (ServiceUrl::overrideVariable); }

    std::unique_ptr<Config> load()
    {
        return std::make_unique<Config> ([this] (const juce::String& title, const juce::String& message) {
            shown.push_back ({ title, message });
        });
    }

    juce::File settingsFile (const char* name) const { return home.file (".quillo").getChildFile (name); }

    void write (const char* name, const juce::String& text) const
    {
        settingsFile (name).create();
        settingsFile (name).replaceWithText (text);
    }

    juce::var savedConfig() const { return juce::JSON::parse (settingsFile ("config.json").loadFileAsString()); }

    ScopedHome home;
    std::vector<Shown> shown;
};

const char* const savedScore = R"({"voice": {"model": "zh_tw_male_2"}, "metadata": {"ticksPerBeat": 480, "numberOfBars": 8,
    "tempoChanges": [{"time": 0, "tempo": 100.0}], "timeSignatureChanges": [{"time": 0, "numerator": 4, "denominator": 4}]},
    "instruments": [{"program": "vocal_leadsheet", "notes": [{"start": 0, "end": 480, "word": "x", "pitch": 60}], "controlChanges": []}],
    "audioConfig": {"encoding": "WAV", "sampleRate": "44.1K"}})";
} // namespace

TEST_F (ConfigTest, FirstStartCreatesEmptyFilesQuietly)
{
    auto config = load();

    EXPECT_TRUE (shown.empty());
    EXPECT_TRUE (settingsFile ("config.json").existsAsFile());
    EXPECT_TRUE (settingsFile ("midi.json").existsAsFile());
    EXPECT_EQ (settingsFile ("config.json").getSize(), 0);
    EXPECT_TRUE (config->wavFile.isEmpty() && config->lyrics.isEmpty() && config->midiFile.isEmpty());
    EXPECT_TRUE (config->score.instruments.isEmpty());
    EXPECT_EQ (config->retryLimit, 3);
    EXPECT_EQ (config->baseUrl, "http://127.0.0.1:18622/music/api/plugin");

    // No score yet, so the result folder waits.
    EXPECT_FALSE (home.file ("Documents/quillo").exists());

    ASSERT_TRUE (config->save());
    const auto text = settingsFile ("config.json").loadFileAsString();
    EXPECT_LT (text.indexOf ("\"wavFile\""), text.indexOf ("\"lyrics\""));
    EXPECT_LT (text.indexOf ("\"lyrics\""), text.indexOf ("\"midiFile\""));
    EXPECT_EQ (savedConfig()["lyrics"].toString(), "");
    EXPECT_TRUE (savedConfig().hasProperty ("midiFile"));
}

TEST_F (ConfigTest, ValuesSurviveASaveAndALoad)
{
    {
        auto config = load();
        config->lyrics = utf8 ("天空好藍\n我們，一起唱");
        config->wavFile = utf8 ("/home/someone/Documents/quillo/歌_0.wav");
        config->midiFile = "/tmp/song.mid";
    } // the last save happens here

    auto again = load();
    EXPECT_EQ (again->lyrics, utf8 ("天空好藍\n我們，一起唱"));
    EXPECT_EQ (again->wavFile, utf8 ("/home/someone/Documents/quillo/歌_0.wav"));
    EXPECT_EQ (again->midiFile, "/tmp/song.mid");
    EXPECT_TRUE (shown.empty());
}

TEST_F (ConfigTest, InvalidJsonIsReportedAndOverwrittenByTheNextSave)
{
    write ("config.json", "{\"lyrics\": ");
    auto config = load();

    ASSERT_EQ (shown.size(), 1u);
    EXPECT_EQ (shown[0].title, "Error");
    EXPECT_EQ (shown[0].message, "Failed to load config");
    EXPECT_TRUE (config->lyrics.isEmpty());
    EXPECT_FALSE (settingsFile ("midi.json").exists()); // loading stopped before it

    ASSERT_TRUE (config->save());
    EXPECT_TRUE (savedConfig().isObject());
    EXPECT_EQ (savedConfig()["wavFile"].toString(), "");
}

TEST_F (ConfigTest, ValidJsonThatIsNoObjectLoadsAsEmptyValues)
{
    for (const auto* text : { "[\"lyrics\", \"a\"]", "42", "\"text\"", "null", "" })
    {
        write ("config.json", text);
        shown.clear();
        auto config = load();

        EXPECT_TRUE (shown.empty()) << text;
        EXPECT_TRUE (config->lyrics.isEmpty()) << text;
        EXPECT_TRUE (settingsFile ("midi.json").existsAsFile()) << text;
    }
}

TEST_F (ConfigTest, MembersReadAsText)
{
    write ("config.json", R"({"lyrics": 12, "wavFile": "/a.wav", "other": true})");
    auto config = load();

    EXPECT_EQ (config->lyrics, "12");
    EXPECT_EQ (config->wavFile, "/a.wav");
    EXPECT_TRUE (config->midiFile.isEmpty());
}

TEST_F (ConfigTest, SavedScoreIsRestoredAndTheResultFolderMade)
{
    write ("config.json", "{}");
    write ("midi.json", savedScore);
    auto config = load();

    EXPECT_TRUE (shown.empty());
    EXPECT_EQ (config->score.metadata.ticksPerBeat, 480);
    EXPECT_EQ (config->score.metadata.numberOfBars, 8);
    ASSERT_EQ (config->score.instruments.size(), 1);
    EXPECT_EQ (config->score.instruments[0].notes.size(), 1);
    EXPECT_TRUE (home.file ("Documents/quillo").isDirectory());
}

TEST_F (ConfigTest, ARemovedScoreFileComesBackEmpty)
{
    write ("config.json", "{}");
    write ("midi.json", savedScore);
    load();
    settingsFile ("midi.json").deleteFile();

    auto config = load();

    EXPECT_TRUE (settingsFile ("midi.json").existsAsFile());
    EXPECT_EQ (settingsFile ("midi.json").getSize(), 0);
    EXPECT_TRUE (config->score.instruments.isEmpty());
    EXPECT_EQ (config->score.metadata.ticksPerBeat, 0);
}

TEST_F (ConfigTest, FilesThatCannotBeReadAreReported)
{
    struct Case
    {
        const char* name;
        std::function<void (const ScopedHome&)> prepare;
        const char* message;
    };

    const Case cases[] = {
        { "settings path is a folder", [] (const ScopedHome& h) { h.file (".quillo/config.json").createDirectory(); }, "config file not found: ~/.quillo/config.json" },
        { "settings folder cannot be made", [] (const ScopedHome& h) { h.file (".quillo").create(); }, "Failed to create directory: ~/.quillo/config.json" },
        { "score path is a folder", [] (const ScopedHome& h) {
             h.file (".quillo/config.json").create();
             h.file (".quillo/midi.json").createDirectory();
         },
          "config file not found: ~/.quillo/midi.json" },
    };

    for (const auto& c : cases)
    {
        ScopedHome caseHome;
        c.prepare (caseHome);
        shown.clear();
        auto config = load();

        ASSERT_EQ (shown.size(), 1u) << c.name;
        EXPECT_EQ (shown[0].title, "Error") << c.name;
        EXPECT_EQ (shown[0].message, c.message) << c.name;
    }
}

TEST_F (ConfigTest, AResultFolderThatCannotBeMadeIsReportedButTheScoreStays)
{
    write ("config.json", "{}");
    write ("midi.json", savedScore);
    home.file ("Documents").create(); // a file where the folder should be

    auto config = load();

    ASSERT_EQ (shown.size(), 1u);
    EXPECT_EQ (shown[0].title, "Error");
    EXPECT_EQ (shown[0].message, "Failed to create result folder: ~/Documents/quillo/");
    EXPECT_EQ (config->score.instruments.size(), 1);
}

TEST_F (ConfigTest, ASaveThatCannotBeWrittenKeepsTheOldContent)
{
    auto config = load();
    config->lyrics = "old";
    ASSERT_TRUE (config->save());
    ASSERT_TRUE (config->saveScoreText ("{\"old\": 1}"));
    const auto oldConfig = settingsFile ("config.json").loadFileAsString();

    // A file size limit makes the writes stop short, as a full disk does (it binds root too).
    // It is above the size of the captured log, which is a file as well.
    rlimit previous {};
    getrlimit (RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal (SIGXFSZ, SIG_IGN);
    rlimit tight = previous;
    tight.rlim_cur = 200;
    setrlimit (RLIMIT_FSIZE, &tight);

    config->lyrics = juce::String::repeatedString ("new ", 100);
    testing::internal::CaptureStderr();
    const auto savedConfigFile = config->save();
    const auto savedScoreFile = config->saveScoreText (juce::String::repeatedString ("x", 1000));
    const auto log = juce::String (testing::internal::GetCapturedStderr());

    setrlimit (RLIMIT_FSIZE, &previous);
    std::signal (SIGXFSZ, previousHandler);

    EXPECT_FALSE (savedConfigFile);
    EXPECT_FALSE (savedScoreFile);
    EXPECT_EQ (settingsFile ("config.json").loadFileAsString(), oldConfig);
    EXPECT_EQ (settingsFile ("midi.json").loadFileAsString(), "{\"old\": 1}");
    EXPECT_TRUE (log.contains ("Failed to save config: ~/.quillo/config.json"));
    EXPECT_TRUE (log.contains ("Failed to save config: ~/.quillo/midi.json"));

    // No half-written files are left beside them.
    EXPECT_EQ (home.file (".quillo").getNumberOfChildFiles (juce::File::findFilesAndDirectories, "*"), 2);
}

TEST_F (ConfigTest, ScoreTextIsWrittenExactly)
{
    auto config = load();
    const auto text = utf8 ("{\r\n  \"a\": \"歌\"\n}");

    ASSERT_TRUE (config->saveScoreText (text));
    juce::MemoryBlock bytes;
    settingsFile ("midi.json").loadFileAsData (bytes);
    EXPECT_EQ (bytes.toString(), text);
    EXPECT_EQ (bytes.getSize(), text.getNumBytesAsUTF8());
}
