#include "import/MidiConverter.h"
#include "support/ScoreComparisons.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

namespace
{
struct MidiConverterTest : public testing::Test
{
    MidiConverterTest()
    {
        converter.onScoreReady = [this] (int endTick, createVocalRequest request) {
            ++handedOver;
            lastEndTick = endTick;
            lastRequest = request;
        };
        converter.onError = [this] (const juce::String& message) { errors.add (message); };
    }

    static midiConverterResult score (int ticksPerBeat = 480, int bars = 16)
    {
        midiConverterResult result;
        result.metadata.ticksPerBeat = ticksPerBeat;
        result.metadata.numberOfBars = bars;
        result.metadata.tempoChanges.add ({ 0, 100.0 });
        result.metadata.timeSignatureChanges.add ({ 0, 4, 4 });
        return result;
    }

    Settings settings;
    TempoEditor tempoEditor;
    TimeSignatureEditor meterEditor;
    MidiConverter converter { settings, tempoEditor, meterEditor };

    int handedOver = 0;
    int lastEndTick = -1;
    createVocalRequest lastRequest;
    juce::StringArray errors;
};
} // namespace

TEST_F (MidiConverterTest, MapsStartAtTickZeroInTheRequestButTheEditorsGetTheScoresOwn)
{
    auto result = score();
    result.metadata.tempoChanges = listOf<tempoChange> ({ { 480, 90.0 } });
    result.metadata.timeSignatureChanges.clear();

    int edits = 0;
    tempoEditor.onChange = [&] { ++edits; };
    meterEditor.onChange = [&] { ++edits; };

    ASSERT_TRUE (converter.applyConvertedScore (result, {}));

    ASSERT_EQ (handedOver, 1);
    EXPECT_EQ (lastRequest.metadata.tempoChanges, listOf<tempoChange> ({ { 0, 120.0 }, { 480, 90.0 } }));
    EXPECT_EQ (lastRequest.metadata.timeSignatureChanges, listOf<timeSignatureChange> ({ { 0, 4, 4 } }));
    EXPECT_EQ (tempoEditor.getTempoChanges(), listOf<tempoChange> ({ { 480, 90.0 } }));
    EXPECT_TRUE (meterEditor.getTimeSignatureChanges().isEmpty());
    EXPECT_NEAR (tempoEditor.secondsAtTick (960, 480), 0.5 + 0.666666, 1e-9); // whole microseconds per quarter
    EXPECT_EQ (edits, 0);
}

TEST_F (MidiConverterTest, MapsAlreadyAtTickZeroStayAsTheyAre)
{
    auto result = score();
    result.metadata.timeSignatureChanges = listOf<timeSignatureChange> ({ { 0, 3, 4 }, { 2880, 6, 8 } });

    converter.applyConvertedScore (result, {});

    EXPECT_EQ (lastRequest.metadata.tempoChanges, listOf<tempoChange> ({ { 0, 100.0 } }));
    EXPECT_EQ (lastRequest.metadata.timeSignatureChanges, result.metadata.timeSignatureChanges);
    EXPECT_EQ (lastRequest.metadata.ticksPerBeat, 480);
    EXPECT_EQ (lastRequest.metadata.numberOfBars, 16);
}

TEST_F (MidiConverterTest, LyricsGoOntoTheFirstNotesAndTheRestKeepTheirWords)
{
    auto result = score();
    vocalInstrument voice;
    voice.program = "from service";
    for (int i = 0; i < 5; ++i)
        voice.notes.add ({ i * 480, i * 480 + 400, "w" + juce::String (i), 60 + i });
    voice.controlChanges.add ({ 0, 7, 100 });
    result.instruments.add (voice);
    result.instruments.add ({ "dropped", {}, {} });

    converter.applyConvertedScore (result, utf8 ("我們, love 你"));

    ASSERT_EQ (lastRequest.instruments.size(), 1);
    const auto& notes = lastRequest.instruments[0].notes;
    ASSERT_EQ (notes.size(), 5);
    EXPECT_EQ (notes[0].word, utf8 ("我"));
    EXPECT_EQ (notes[1].word, utf8 ("們"));
    EXPECT_EQ (notes[2].word, utf8 ("你"));
    EXPECT_EQ (notes[3].word, "w3");
    EXPECT_EQ (notes[4].word, "w4");
    EXPECT_EQ (notes[4].pitch, 64);
    EXPECT_EQ (lastRequest.instruments[0].program, "from service");
    EXPECT_EQ (lastRequest.instruments[0].controlChanges.size(), 1);
}

TEST_F (MidiConverterTest, MoreWordsThanNotesAndNoInstruments)
{
    auto result = score();
    vocalInstrument voice;
    voice.notes.add ({ 0, 480, {}, 60 });
    result.instruments.add (voice);

    converter.applyConvertedScore (result, utf8 ("一二三"));
    ASSERT_EQ (lastRequest.instruments[0].notes.size(), 1);
    EXPECT_EQ (lastRequest.instruments[0].notes[0].word, utf8 ("一"));

    converter.applyConvertedScore (score(), utf8 ("一二三"));
    ASSERT_EQ (lastRequest.instruments.size(), 1);
    EXPECT_TRUE (lastRequest.instruments[0].notes.isEmpty());
}

TEST_F (MidiConverterTest, EndTickIsTheLastSixteenthOfTheLastBar)
{
    struct Case
    {
        const char* name;
        int ticksPerBeat, bars;
        std::vector<timeSignatureChange> meters;
        int endTick;
    };

    const Case cases[] = {
        { "16 bars of 4/4", 480, 16, { { 0, 4, 4 } }, 480 * (16 * 4 - 1) - 120 },
        { "no meter counts as 4/4", 480, 16, {}, 30120 },
        { "3/4 then 6/8", 480, 4, { { 0, 3, 4 }, { 2880, 6, 8 } }, 2880 + 240 * ((4 - 2) * 6 - 1) - 120 },
        { "a meter beyond the end is passed over", 480, 2, { { 0, 4, 4 }, { 1920 * 5, 3, 4 } }, 480 * (2 * 4 - 1) - 120 },
        { "96 ticks per beat", 96, 8, { { 0, 4, 4 } }, 96 * (8 * 4 - 1) - 24 },
        { "no bars", 480, 0, { { 0, 4, 4 } }, -480 - 120 },
    };

    for (const auto& c : cases)
    {
        auto result = score (c.ticksPerBeat, c.bars);
        result.metadata.timeSignatureChanges = toArray (c.meters);
        EXPECT_EQ (MidiConverter::endTickOf (result), c.endTick) << c.name;

        converter.applyConvertedScore (result, {});
        EXPECT_EQ (lastEndTick, c.endTick) << c.name;
    }
}

TEST_F (MidiConverterTest, ScoresTheTempoMapCannotUseAreRefused)
{
    struct Case
    {
        const char* name;
        std::function<void (midiConverterResult&)> spoil;
    };

    const Case cases[] = {
        { "no ticks per beat", [] (midiConverterResult& r) { r.metadata.ticksPerBeat = 0; } },
        { "negative ticks per beat", [] (midiConverterResult& r) { r.metadata.ticksPerBeat = -480; } },
        { "tempo 0", [] (midiConverterResult& r) { r.metadata.tempoChanges.add ({ 960, 0.0 }); } },
        { "negative tempo", [] (midiConverterResult& r) { r.metadata.tempoChanges.getReference (0).tempo = -60.0; } },
        { "denominator 0", [] (midiConverterResult& r) { r.metadata.timeSignatureChanges.getReference (0).denominator = 0; } },
        { "numerator 0", [] (midiConverterResult& r) { r.metadata.timeSignatureChanges.getReference (0).numerator = 0; } },
    };

    for (const auto& c : cases)
    {
        auto result = score();
        c.spoil (result);
        handedOver = 0;
        errors.clear();
        tempoEditor.setTempoChanges (480, listOf<tempoChange> ({ { 0, 77.0 } }));

        // Restored at start: not applied, nothing shown.
        EXPECT_FALSE (converter.applyConvertedScore (result, {})) << c.name;
        EXPECT_EQ (handedOver, 0) << c.name;
        EXPECT_TRUE (errors.isEmpty()) << c.name;

        // Converted: reported like any conversion failure.
        converter.onConverted (result);
        EXPECT_EQ (handedOver, 0) << c.name;
        ASSERT_EQ (errors.size(), 1) << c.name;
        EXPECT_TRUE (errors[0].startsWith ("invalid score: ")) << errors[0];

        // The editors keep what they had.
        EXPECT_EQ (tempoEditor.getTempoChanges(), listOf<tempoChange> ({ { 0, 77.0 } })) << c.name;
    }
}

TEST_F (MidiConverterTest, ConvertedScoreUsesTheLyricsOfTheDrop)
{
    auto result = score();
    vocalInstrument voice;
    voice.notes.add ({ 0, 480, {}, 60 });
    result.instruments.add (voice);
    converter.lyricsAtDrop = utf8 ("好");

    converter.onConverted (result);

    ASSERT_EQ (handedOver, 1);
    EXPECT_EQ (lastRequest.instruments[0].notes[0].word, utf8 ("好"));
    EXPECT_TRUE (errors.isEmpty());
}
