#include "support/MidiBytes.h"
#include "support/ScoreBuilder.h"
#include "support/ServiceFixture.h"
#include "support/Utf8.h"

#include "model/ScoreJson.h"

#include <juce_audio_formats/juce_audio_formats.h>

namespace
{
juce::String scoreOf (int notes, int ticksPerNote = 480, const juce::String& model = kDefaultVoiceModel)
{
    ScoreBuilder score (480, model);
    const auto words = utf8 ("我愛你好的啊是天上大家");

    for (int i = 0; i < notes; ++i)
        score.note (i * ticksPerNote, i * ticksPerNote + ticksPerNote * 3 / 4, juce::String::charToString (words[i % words.length()]), 60 + i % 7);

    return vocalRequestToJsonText (score.request);
}

// Every error reply carries the error document with its own status and a message.
void expectErrorDocument (const httplib::Result& result, int status, int externalCode, const char* messagePart = "")
{
    ASSERT_TRUE (result);
    EXPECT_EQ (result->status, status);
    const auto document = ServiceFixture::jsonOf (result);
    EXPECT_EQ ((int) document["statusCode"], status);
    EXPECT_EQ ((int) document["externalCode"], externalCode);
    EXPECT_TRUE (document["externalMessage"].toString().isNotEmpty());
    EXPECT_TRUE (document["message"].toString().contains (messagePart)) << document["message"].toString();
}

using VocalServiceTest = ServiceFixture;

TEST_F (VocalServiceTest, VerificationAcceptsTheMinimumVersionAndLaterOnly)
{
    const struct
    {
        const char* version;
        int status;
    } cases[] = {
        { "0.11.2", 200 },
        { "0.11.3", 200 },
        { "0.12.0", 200 },
        { "1.0.0", 200 },
        { "0.11.10", 200 },
        { "0.11.1", 426 },
        { "0.10.99", 426 },
        { "0.2.10", 426 },
        { "0.0.0", 426 },
        { "1.2", 400 },
        { "1.2.3.4", 400 },
        { "a.b.c", 400 },
        { "1..2", 400 },
        { "1.2.-3", 400 },
        { "", 400 },
        { "99999999999.0.0", 400 },
    };

    for (const auto& c : cases)
    {
        const auto result = client->Get (path ("/v1/verification/" + std::string (c.version)).c_str());
        ASSERT_TRUE (result) << c.version;
        EXPECT_EQ (result->status, c.status) << c.version;

        if (c.status == 426)
        {
            EXPECT_EQ (jsonOf (result)["externalMessage"].toString(), utf8 ("版本過舊，請至官網更新至最新版")) << c.version;
        }

        if (c.status != 200)
        {
            EXPECT_EQ ((int) jsonOf (result)["statusCode"], c.status) << c.version;
        }
    }
}

TEST_F (VocalServiceTest, TheMinimumVersionIsAnOption)
{
    auto o = options();
    o.minClientVersion = "2.0.0";
    startService (o);

    EXPECT_EQ (client->Get (path ("/v1/verification/1.9.9").c_str())->status, 426);
    EXPECT_EQ (client->Get (path ("/v1/verification/2.0.0").c_str())->status, 200);
}

TEST_F (VocalServiceTest, AJobGoesFromPendingToCompletedAndItsWavSingsTheScore)
{
    const auto created = postScore (scoreOf (6));
    ASSERT_TRUE (created);
    ASSERT_EQ (created->status, 201);
    const auto job = jsonOf (created);
    const auto uid = job["uid"].toString();

    EXPECT_EQ (uid.length(), 32);
    EXPECT_TRUE (uid.containsOnly ("0123456789abcdef"));
    EXPECT_EQ (job["status"].toString(), "pending");
    EXPECT_EQ (job["path"].toString(), "");

    for (const auto* stamp : { "createdAt", "updatedAt" })
    {
        const auto text = job[stamp].toString();
        EXPECT_EQ (text.length(), 24) << text;
        EXPECT_TRUE (text.endsWith ("Z") && text[10] == 'T') << text;
        EXPECT_LT (std::abs (juce::Time::fromISO8601 (text).toMilliseconds() - juce::Time::currentTimeMillis()), 60000) << text;
    }

    juce::StringArray seen;
    const auto done = waitForJob (uid, seen);
    ASSERT_EQ (done["status"].toString(), "completed");
    for (const auto& status : seen)
        EXPECT_TRUE (juce::StringArray ({ "pending", "ongoing", "completed" }).contains (status)) << status;
    EXPECT_GE (juce::Time::fromISO8601 (done["updatedAt"].toString()).toMilliseconds(), juce::Time::fromISO8601 (done["createdAt"].toString()).toMilliseconds());

    const auto url = done["path"].toString();
    const auto expectedStart = "http://127.0.0.1:" + juce::String (service->port()) + "/music/api/plugin/";
    EXPECT_TRUE (url.startsWith (expectedStart)) << url;

    const auto wav = client->Get (url.fromFirstOccurrenceOf (":" + juce::String (service->port()), false, false).toRawUTF8());
    ASSERT_TRUE (wav);
    EXPECT_EQ (wav->status, 200);
    EXPECT_EQ (wav->get_header_value ("Content-Type"), "audio/wav");
    EXPECT_EQ (wav->get_header_value ("Content-Length"), std::to_string (wav->body.size()));

    // Six notes of 480 ticks at 120 bpm, the last ending at 5 * 480 + 360 ticks: 2.875 s.
    juce::WavAudioFormat format;
    std::unique_ptr<juce::AudioFormatReader> reader (format.createReaderFor (new juce::MemoryInputStream (wav->body.data(), wav->body.size(), false), true));
    ASSERT_NE (reader, nullptr);
    EXPECT_NEAR ((double) reader->lengthInSamples / reader->sampleRate, 2.875 + 0.5, 0.01);
}

TEST_F (VocalServiceTest, TheWavAddressFollowsTheHostTheClientUsed)
{
    const auto uid = jsonOf (postScore (scoreOf (1)))["uid"].toString();
    juce::StringArray seen;
    ASSERT_EQ (waitForJob (uid, seen)["status"].toString(), "completed");

    httplib::Headers viaName { { "Host", "localhost:" + std::to_string (service->port()) } };
    const auto named = jsonOf (client->Get (path ("/v1/vocal/" + uid.toStdString()).c_str(), viaName));
    EXPECT_EQ (named["path"].toString(), "http://localhost:" + juce::String (service->port()) + "/music/api/plugin/v1/files/" + uid + ".wav");

    httplib::Headers hostile { { "Host", "evil/../x\"y" } };
    const auto fallback = jsonOf (client->Get (path ("/v1/vocal/" + uid.toStdString()).c_str(), hostile));
    EXPECT_TRUE (fallback["path"].toString().startsWith ("http://127.0.0.1:" + juce::String (service->port()) + "/")) << fallback["path"].toString();
}

TEST_F (VocalServiceTest, BadRequestsGetTheirStatusAndErrorDocument)
{
    expectErrorDocument (postScore (scoreOf (1), "text/plain"), 415, 41501, "Content-Type");
    expectErrorDocument (postScore ("not json"), 400, 40001);
    expectErrorDocument (postScore ("[1, 2]"), 400, 40001);
    expectErrorDocument (client->Post (path ("/v1/vocal").c_str(), std::string ("{\"a\": \"\xff\xe6\x88"), "application/json"), 400, 40001, "UTF-8");
    expectErrorDocument (postScore (juce::String::repeatedString ("[", 100000)), 400, 40001, "nests deeper");
    expectErrorDocument (postScore (scoreOf (1).replace ("\"pitch\": 60", "\"pitch\": 300")), 422, 42201, "instruments[0].notes[0].pitch");
    expectErrorDocument (postScore (scoreOf (1).replace ("zh_tw_male_2", "nobody")), 422, 42201, "voice.model");
    expectErrorDocument (postScore (scoreOf (1).replace ("\"ticksPerBeat\": 480", "\"ticksPerBeat\": \"480\"")), 422, 42201, "metadata.ticksPerBeat");

    const auto big = "{\"pad\": \"" + juce::String::repeatedString ("x", 4 * 1024 * 1024) + "\"}";
    expectErrorDocument (postScore (big), 413, 41301);
    expectErrorDocument (postScore (juce::String::repeatedString ("x", 6 * 1024 * 1024)), 413, 41301);

    expectErrorDocument (client->Get (path ("/v1/vocal/0123456789abcdef0123456789abcdef").c_str()), 404, 40401);
    expectErrorDocument (client->Get (path ("/v1/vocal/..%2e%2e").c_str()), 404, 40401);
    expectErrorDocument (client->Get (path ("/v1/vocal/..%2f..%2fjobs.sqlite3").c_str()), 404, 40400);
    expectErrorDocument (client->Get (path ("/v1/files/jobs.wav").c_str()), 404, 40401);
    expectErrorDocument (client->Get (path ("/v1/nothing").c_str()), 404, 40400);
}

TEST_F (VocalServiceTest, MidiConversionAnswersAScoreOrItsError)
{
    MidiTrackBytes track;
    track.tempo (0, 600000).lyric (0, "\xa7\xda").on (0, 0, 64).off (480, 0, 64).lyric (0, utf8 ("愛").toStdString()).on (0, 0, 65).off (480, 0, 65).end();
    const auto file = midiFile (1, 480, { track });
    auto convert = [this] (const std::string& name, const std::string& content) {
        httplib::MultipartFormDataItems form { { name, content, "song.mid", "audio/midi" } };
        return client->Post (path ("/v1/midi/convert").c_str(), form);
    };

    const auto reply = convert ("midiFile", file);
    ASSERT_TRUE (reply);
    ASSERT_EQ (reply->status, 200);
    midiConverterResult score;
    ASSERT_TRUE (jsonToMidiConverterResult (juce::String::fromUTF8 (reply->body.data(), (int) reply->body.size()), score));
    EXPECT_EQ (score.metadata.ticksPerBeat, 480);
    EXPECT_DOUBLE_EQ (score.metadata.tempoChanges[0].tempo, 100.0);
    ASSERT_EQ (score.instruments.size(), 1);
    ASSERT_EQ (score.instruments[0].notes.size(), 2);
    EXPECT_EQ (score.instruments[0].notes[0].word, utf8 ("我"));
    EXPECT_EQ (score.instruments[0].notes[1].word, utf8 ("愛"));

    expectErrorDocument (convert ("other", file), 400, 40003, "midiFile");
    expectErrorDocument (convert ("midiFile", file + std::string (2 * 1024 * 1024, '\0')), 413, 41302);
    expectErrorDocument (convert ("midiFile", "not a midi file"), 422, 42202);
    expectErrorDocument (convert ("midiFile", midiHeader (1, 0, 480)), 422, 42203);
}

TEST_F (VocalServiceTest, AFullQueueRefusesNewJobs)
{
    auto o = options();
    o.maxQueued = 2;
    startService (o);

    // Long enough that the first is still rendering when the third arrives.
    const auto long_ = scoreOf (120);
    EXPECT_EQ (postScore (long_)->status, 201);
    EXPECT_EQ (postScore (long_)->status, 201);
    expectErrorDocument (postScore (long_), 503, 50301);
}

TEST_F (VocalServiceTest, AJobStoppedMidRenderIsFinishedByTheNextStart)
{
    const auto uid = jsonOf (postScore (scoreOf (200)))["uid"].toString();

    for (int waited = 0; waited < 10000 && jsonOf (client->Get (path ("/v1/vocal/" + uid.toStdString()).c_str()))["status"] != "ongoing"; waited += 5)
        juce::Thread::sleep (5);

    service.reset();
    EXPECT_FALSE (data.get().getChildFile (uid + ".wav").exists());

    startService (options());
    juce::StringArray seen;
    EXPECT_EQ (waitForJob (uid, seen)["status"].toString(), "completed");
    EXPECT_TRUE (data.get().getChildFile (uid + ".wav").existsAsFile());
}
} // namespace

// start() returns before the answering loop runs: a request sent at once waits in the
// socket's queue, and a stop at once must still end the loop.
TEST_F (VocalServiceTest, AnswersAtOnceAfterStartAndStopsAtOnceAfterStart)
{
    for (int i = 0; i < 20; ++i)
    {
        VocalService quick (options());
        ASSERT_TRUE (quick.start()) << quick.problem();

        if (i % 2 == 0)
        {
            httplib::Client at ("127.0.0.1", quick.port());
            const auto result = at.Get (path ("/v1/verification/0.11.2").c_str());
            ASSERT_TRUE (result);
            EXPECT_EQ (result->status, 200);
        }
    }
}
