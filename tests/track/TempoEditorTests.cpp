#include "support/ScoreComparisons.h"
#include "track/TempoEditor.h"
#include "track/TimeSignatureEditor.h"

#include <gtest/gtest.h>

TEST (TempoEditor, LoadingAScoreReplacesTheMapWithoutReportingAnEdit)
{
    TempoEditor editor;
    int edits = 0;
    editor.onChange = [&] { ++edits; };

    editor.setTempoChanges (480, listOf<tempoChange> ({ { 0, 120.0 }, { 1920, 60.0 } }));

    EXPECT_EQ (edits, 0);
    EXPECT_EQ (editor.getTempoChanges(), listOf<tempoChange> ({ { 0, 120.0 }, { 1920, 60.0 } }));
    EXPECT_DOUBLE_EQ (editor.secondsAtTick (2400, 480), 3.0);
    EXPECT_EQ (editor.tickAtSeconds (3.0, 480), 2400);
    EXPECT_EQ (editor.tempoAt (2000), 60.0);
}

TEST (TempoEditor, AnEditSetsOneTempoForTheWholeScore)
{
    TempoEditor editor;
    int edits = 0;
    editor.onChange = [&] { ++edits; };
    editor.setTempoChanges (480, listOf<tempoChange> ({ { 0, 100.0 }, { 960, 50.0 } }));

    editor.setSingleTempo (90);

    EXPECT_EQ (edits, 1);
    EXPECT_EQ (editor.getTempoChanges(), listOf<tempoChange> ({ { 0, 90.0 } }));
    ASSERT_EQ (editor.getTempoMap().size(), 1);
    EXPECT_EQ (editor.getTempoMap()[0].microsecondsPerQuarter, 666666u);
    EXPECT_NEAR (editor.secondsAtTick (480, 480), 0.666666, 1e-12);
    EXPECT_EQ (editor.tempoAt (5000), 90.0);
}

TEST (TimeSignatureEditor, LoadAndEdit)
{
    TimeSignatureEditor editor;
    int edits = 0;
    editor.onChange = [&] { ++edits; };

    EXPECT_EQ (editor.meterAt (0).numerator, 4);
    EXPECT_EQ (editor.meterAt (0).denominator, 4);

    editor.setTimeSignatureChanges (listOf<timeSignatureChange> ({ { 0, 3, 4 }, { 2880, 6, 8 } }));
    EXPECT_EQ (edits, 0);
    EXPECT_EQ (editor.meterAt (3000).numerator, 6);

    editor.setSingleTimeSignature (5, 8);
    EXPECT_EQ (edits, 1);
    EXPECT_EQ (editor.getTimeSignatureChanges(), listOf<timeSignatureChange> ({ { 0, 5, 8 } }));
}
