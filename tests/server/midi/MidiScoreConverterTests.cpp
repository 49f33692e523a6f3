#include "MidiScoreConverter.h"
#include "support/MidiBytes.h"
#include "support/Utf8.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <gtest/gtest.h>

namespace
{
using Outcome = MidiScoreConverter::Outcome;

midiConverterResult converted (const std::string& bytes, Outcome expected = Outcome::converted)
{
    midiConverterResult score;
    EXPECT_EQ (MidiScoreConverter::convert (bytes.data(), bytes.size(), score), expected);
    return score;
}

std::string wordsOf (const midiConverterResult& score)
{
    juce::String words;

    for (const auto& note : score.instruments[0].notes)
        words << (note.word.isEmpty() ? juce::String ("_") : note.word);

    return words.toStdString();
}

// Four notes with a lyric each, a beat apart.
MidiTrackBytes melody (const std::vector<std::string>& lyrics, int channel = 0, int firstPitch = 60)
{
    MidiTrackBytes track;

    for (size_t i = 0; i < lyrics.size(); ++i)
        track.lyric (0, lyrics[i]).on (0, channel, firstPitch + (int) i).off (480, channel, firstPitch + (int) i);

    return track.end();
}

TEST (MidiScoreConverter, Format1TakesMapsFromEveryTrackAndTheLyricTrackAsMelody)
{
    MidiTrackBytes conductor;
    conductor.tempo (0, 500000).meter (0, 3, 2).tempo (960, 400000).meter (480, 6, 3).end();
    MidiTrackBytes accompaniment;
    accompaniment.on (0, 1, 40).off (240, 1, 40).on (0, 1, 41).off (240, 1, 41).on (0, 1, 42).off (240, 1, 42).on (0, 1, 43).off (240, 1, 43).on (0, 1, 44).off (240, 1, 44).end();
    auto voice = melody ({ "我", "愛", "你", "們" }, 2);

    const auto score = converted (midiFile (1, 480, { conductor, accompaniment, voice }));

    EXPECT_EQ (score.metadata.ticksPerBeat, 480);
    ASSERT_EQ (score.metadata.tempoChanges.size(), 2);
    EXPECT_EQ (score.metadata.tempoChanges[0].time, 0);
    EXPECT_DOUBLE_EQ (score.metadata.tempoChanges[0].tempo, 120.0);
    EXPECT_EQ (score.metadata.tempoChanges[1].time, 960);
    EXPECT_DOUBLE_EQ (score.metadata.tempoChanges[1].tempo, 150.0);
    ASSERT_EQ (score.metadata.timeSignatureChanges.size(), 2);
    EXPECT_EQ (score.metadata.timeSignatureChanges[1].time, 1440);
    EXPECT_EQ (score.metadata.timeSignatureChanges[1].numerator, 6);
    EXPECT_EQ (score.metadata.timeSignatureChanges[1].denominator, 8);

    ASSERT_EQ (score.instruments.size(), 1);
    EXPECT_EQ (wordsOf (score), utf8 ("我愛你們").toStdString());
    EXPECT_EQ (score.instruments[0].notes[3].start, 1440);
    EXPECT_EQ (score.instruments[0].notes[3].end, 1920);
    EXPECT_EQ (score.instruments[0].notes[3].pitch, 63);
    // 3/2 bars of 1440 ticks, then 6/8 bars of 1440: the last note ends at the end of bar 2.
    EXPECT_EQ (score.metadata.numberOfBars, 2);
}

TEST (MidiScoreConverter, Format0PicksTheLyricChannelThenTheBusiestNonDrumChannel)
{
    // Channel 3 has the lyrics, channel 1 more notes, channel 10 (drums) the most.
    MidiTrackBytes track;
    track.lyric (0, "a").on (0, 3, 70).on (0, 1, 50).on (0, 9, 36).off (240, 9, 36).on (0, 9, 36).off (240, 3, 70).off (0, 1, 50).off (0, 9, 36);
    track.lyric (0, "b").on (0, 3, 72).on (0, 1, 52).on (0, 9, 38).off (480, 3, 72).off (0, 1, 52).off (0, 9, 38).on (0, 1, 53).off (480, 1, 53).end();
    auto withLyrics = converted (midiFile (0, 96, { track }));
    ASSERT_EQ (withLyrics.instruments[0].notes.size(), 2);
    EXPECT_EQ (withLyrics.instruments[0].notes[0].pitch, 70);

    MidiTrackBytes plain;
    plain.on (0, 3, 70).on (0, 1, 50).on (0, 9, 36).off (240, 9, 36).on (0, 9, 36).off (240, 3, 70).off (0, 1, 50).off (0, 9, 36);
    plain.on (0, 9, 36).off (10, 9, 36).on (0, 1, 52).off (480, 1, 52).on (0, 1, 53).off (480, 1, 53).end();
    auto busiest = converted (midiFile (0, 96, { plain }));
    ASSERT_EQ (busiest.instruments[0].notes.size(), 3);
    EXPECT_EQ (busiest.instruments[0].notes[0].pitch, 50);
    EXPECT_EQ (busiest.metadata.ticksPerBeat, 96);
    EXPECT_TRUE (busiest.metadata.tempoChanges.isEmpty());
    EXPECT_TRUE (busiest.metadata.timeSignatureChanges.isEmpty());
}

TEST (MidiScoreConverter, LyricsInBig5AndGbkAndSplitOverEventsAreRead)
{
    // 許 and 功 end in a Big5 byte that is "\" in ASCII.
    const auto big5 = converted (midiFile (1, 480, { melody ({ "\xa7\xda", "\xb3\x5c", "\xa5\x5c", "\xb7\x52" }) }));
    EXPECT_EQ (wordsOf (big5), utf8 ("我許功愛").toStdString());

    // GBK text that would also pass for Big5, but for 三 and 群.
    const auto gbk = converted (midiFile (1, 480, { melody ({ "\xce\xd2", "\xc8\xfd", "\xc8\xba", "\xb0\xae" }) }));
    EXPECT_EQ (wordsOf (gbk), utf8 ("我三群爱").toStdString());

    // The two bytes of 愛 in two events at one tick, and a karaoke mark after a word.
    MidiTrackBytes split;
    split.lyric (0, "\xb7").lyric (0, "R").on (0, 0, 60).off (480, 0, 60).lyric (0, "/\xa7\xda\\").on (0, 0, 62).off (480, 0, 62).end();
    EXPECT_EQ (wordsOf (converted (midiFile (1, 480, { split }))), utf8 ("愛我").toStdString());

    // UTF-8 with punctuation and Latin around the sung character; a lyric with none.
    const auto utf = converted (midiFile (1, 480, { melody ({ "\"" + utf8 ("天").toStdString() + "\"", "la", utf8 ("，上").toStdString() }) }));
    EXPECT_EQ (wordsOf (utf), utf8 ("天_上").toStdString());
}

TEST (MidiScoreConverter, KaraokeTextEventsAfterTheHeaderAreTheWords)
{
    MidiTrackBytes words;
    words.meta (0, 0x01, "@KMIDI KARAOKE FILE").meta (0, 0x01, "@TTitle").meta (0, 0x01, "\\\xa7\xda").meta (480, 0x01, "/\xb7\x52").end();
    MidiTrackBytes tune;
    tune.on (0, 0, 60).off (480, 0, 60).on (0, 0, 62).off (480, 0, 62).end();

    EXPECT_EQ (wordsOf (converted (midiFile (1, 480, { words, tune }))), utf8 ("我愛").toStdString());
}

TEST (MidiScoreConverter, ChordsOverlapsAndMissingNoteOffsBecomeOneLine)
{
    MidiTrackBytes track;
    // A chord at 0 (highest kept), a note overlapping the next one, a note-on without a
    // note-off ended by the next note-on of its pitch, and one left open at the end.
    track.on (0, 0, 60).on (0, 0, 67).on (0, 0, 64).off (480, 0, 60).off (0, 0, 67).off (0, 0, 64);
    track.on (0, 0, 65).on (240, 0, 69).off (240, 0, 65).off (240, 0, 69);
    track.on (0, 0, 71).on (480, 0, 71).off (480, 0, 71).on (0, 0, 72).end (960);

    const auto notes = converted (midiFile (1, 480, { track })).instruments[0].notes;
    ASSERT_EQ (notes.size(), 6);
    const int expected[][3] = { { 0, 480, 67 }, { 480, 720, 65 }, { 720, 1200, 69 }, { 1200, 1680, 71 }, { 1680, 2160, 71 }, { 2160, 3120, 72 } };

    for (int i = 0; i < 6; ++i)
    {
        EXPECT_EQ (notes[i].start, expected[i][0]) << i;
        EXPECT_EQ (notes[i].end, expected[i][1]) << i;
        EXPECT_EQ (notes[i].pitch, expected[i][2]) << i;
    }
}

TEST (MidiScoreConverter, SmpteTimeBecomes480TicksABeatAt120Bpm)
{
    // 25 frames of 40 ticks: 1000 ticks a second, so 500 file ticks are one beat.
    MidiTrackBytes track;
    track.tempo (0, 1000000).on (0, 0, 60).off (500, 0, 60).on (250, 0, 62).off (1000, 0, 62).end();
    const auto score = converted (midiFile (1, (0x100 - 25) << 8 | 40, { track }));

    EXPECT_EQ (score.metadata.ticksPerBeat, 480);
    ASSERT_EQ (score.metadata.tempoChanges.size(), 1);
    EXPECT_DOUBLE_EQ (score.metadata.tempoChanges[0].tempo, 120.0);
    EXPECT_EQ (score.instruments[0].notes[0].end, 480);
    EXPECT_EQ (score.instruments[0].notes[1].start, 720);
    EXPECT_EQ (score.instruments[0].notes[1].end, 1680);
}

TEST (MidiScoreConverter, WhatTheFrameworksWriterWritesIsRead)
{
    juce::MidiMessageSequence sequence;
    sequence.addEvent (juce::MidiMessage::tempoMetaEvent (600000), 0);
    sequence.addEvent (juce::MidiMessage::timeSignatureMetaEvent (2, 4), 0);
    const auto lyric = juce::MidiMessage::textMetaEvent (5, utf8 ("星"));
    sequence.addEvent (lyric, 96);
    sequence.addEvent (juce::MidiMessage::noteOn (1, 67, (juce::uint8) 90), 96);
    sequence.addEvent (juce::MidiMessage::noteOff (1, 67), 192);
    sequence.addEvent (juce::MidiMessage::controllerEvent (1, 64, 127), 100);
    sequence.updateMatchedPairs();

    juce::MidiFile file;
    file.setTicksPerQuarterNote (96);
    file.addTrack (sequence);
    juce::MemoryOutputStream out;
    ASSERT_TRUE (file.writeTo (out, 1));

    const auto score = converted (std::string (static_cast<const char*> (out.getData()), out.getDataSize()));
    EXPECT_EQ (score.metadata.ticksPerBeat, 96);
    EXPECT_DOUBLE_EQ (score.metadata.tempoChanges[0].tempo, 100.0);
    EXPECT_EQ (score.metadata.timeSignatureChanges[0].numerator, 2);
    ASSERT_EQ (score.instruments[0].notes.size(), 1);
    EXPECT_EQ (score.instruments[0].notes[0].word, utf8 ("星"));
    EXPECT_EQ (score.instruments[0].notes[0].start, 96);
    ASSERT_EQ (score.instruments[0].controlChanges.size(), 1);
    EXPECT_EQ (score.instruments[0].controlChanges[0].time, 100);
    EXPECT_EQ (score.instruments[0].controlChanges[0].number, 64);
    EXPECT_EQ (score.metadata.numberOfBars, 1);
}

TEST (MidiScoreConverter, MalformedFilesGiveWhatTheyHoldOrARefusal)
{
    const auto good = melody ({ "a", "b" });
    const auto header = midiHeader (1, 1, 480);

    // A longer header, unknown chunks, trailing bytes.
    auto longHeader = "MThd" + MidiTrackBytes::be32 (10) + MidiTrackBytes::be16 (1) + MidiTrackBytes::be16 (1) + MidiTrackBytes::be16 (480) + "XXXX" + good.chunk();
    EXPECT_EQ (converted (longHeader).instruments[0].notes.size(), 2);
    EXPECT_EQ (converted (header + "JUNK" + MidiTrackBytes::be32 (3) + "abc" + good.chunk() + "\x01\x02\x03").instruments[0].notes.size(), 2);

    // A last track cut short keeps the notes read so far (the open one ends at the cut).
    auto cut = good.chunk();
    cut.resize (cut.size() - 6);
    EXPECT_EQ (converted (header + cut).instruments[0].notes.size(), 2);

    // Running status: note-ons after the first without a status byte.
    MidiTrackBytes running;
    running.on (0, 0, 60).raw (480, std::string ("\x3e\x64", 2)).raw (480, std::string ("\x40\x64", 2)).raw (480, std::string ("\x40\x00", 2)).end();
    EXPECT_EQ (converted (midiFile (1, 480, { running })).instruments[0].notes.size(), 3);

    // A tempo of 2 bytes and a meter of 3 are ignored, as is a denominator of 2^7; a meta
    // event running past its track keeps the notes before it.
    MidiTrackBytes odd;
    odd.meta (0, 0x51, "\x07\xa1").meta (0, 0x58, "\x03\x02\x18").meter (0, 3, 7).on (0, 0, 60).off (480, 0, 60);
    odd.raw (0, std::string ("\xff\x05\x7f", 3) + "short");
    const auto oddScore = converted (midiFile (1, 480, { odd }));
    EXPECT_TRUE (oddScore.metadata.tempoChanges.isEmpty());
    EXPECT_TRUE (oddScore.metadata.timeSignatureChanges.isEmpty());
    EXPECT_EQ (oddScore.instruments[0].notes.size(), 1);

    // Tempos a singer cannot follow are dropped rather than passed to the renderer.
    MidiTrackBytes fast;
    fast.tempo (0, 1).on (0, 0, 60).off (480, 0, 60).end();
    EXPECT_TRUE (converted (midiFile (1, 480, { fast })).metadata.tempoChanges.isEmpty());

    // Not MIDI, and MIDI without notes (drums only, or nothing).
    converted ("", Outcome::notMidi);
    converted ("RIFF....WAVEfmt ", Outcome::notMidi);
    converted (midiHeader (1, 1, 0) + good.chunk(), Outcome::notMidi);
    converted (header, Outcome::noNotes);
    MidiTrackBytes drums;
    drums.on (0, 9, 36).off (480, 9, 36).end();
    converted (midiFile (1, 480, { drums }), Outcome::noNotes);
}

TEST (MidiScoreConverter, SmpteTicksPastTheIntRangeDoNotBecomeEmptyNotes)
{
    // Found by the fuzzer: one frame a second of 255 ticks makes late ticks overflow.
    juce::MemoryOutputStream bytes;
    ASSERT_TRUE (juce::Base64::convertFromBase64 (bytes, "TVRoZAAAAAYFACT//3Gfco+PAAAAAPn///8AAAAA////AAAAAABNVHJrAAAA+f///wAAAAErAAAAAJOTk5MAAAAEk5OTAAD/BAAAAAAAACgAAAAAiwAA/E1UaABk"));
    midiConverterResult score;

    const auto outcome = MidiScoreConverter::convert (bytes.getData(), bytes.getDataSize(), score);
    ASSERT_NE (outcome, Outcome::notMidi);

    for (const auto& instrument : score.instruments)
        for (const auto& note : instrument.notes)
        {
            EXPECT_LT (note.start, note.end);
        }
}

TEST (MidiScoreConverter, RandomAndMutatedBytesNeverCrashOrGiveBadNotes)
{
    juce::Random random (1234);
    const auto seed = midiFile (1, 480, { melody ({ "\xa7\xda", "a", "b", "c" }) });

    for (int round = 0; round < 3000; ++round)
    {
        auto bytes = seed;

        for (int flips = random.nextInt (8) + 1; --flips >= 0;)
            bytes[(size_t) random.nextInt ((int) bytes.size())] = (char) random.nextInt (256);

        if (round % 3 == 0)
            bytes.resize ((size_t) random.nextInt ((int) bytes.size() + 1));

        midiConverterResult score;

        if (MidiScoreConverter::convert (bytes.data(), bytes.size(), score) != Outcome::converted)
            continue;

        EXPECT_GT (score.metadata.ticksPerBeat, 0);
        EXPECT_GE (score.metadata.numberOfBars, 1);

        for (const auto& note : score.instruments[0].notes)
        {
            EXPECT_LT (note.start, note.end);
            EXPECT_GE (note.start, 0);
            EXPECT_TRUE (note.pitch >= 0 && note.pitch <= 127);
            EXPECT_LE (note.word.length(), 1);
        }
    }
}
} // namespace
