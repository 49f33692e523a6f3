#include "model/apiErrorResult.h"
#include "model/BarsData.h"
#include "model/createVocalRequest.h"
#include "model/midiConverterResult.h"
#include "model/vocalResult.h"
#include "support/ScoreComparisons.h"
#include "support/Utf8.h"

#include <gtest/gtest.h>

TEST (ScoreRecords, DefaultRequestIsTheReferenceScore)
{
    const createVocalRequest request;

    EXPECT_EQ (request.model, "zh_tw_male_2");
    EXPECT_EQ (request.encoding, "WAV");
    EXPECT_EQ (request.sampleRate, "44.1K");

    vocalMetadata expected;
    expected.ticksPerBeat = 480;
    expected.numberOfBars = 16;
    expected.tempoChanges.add ({ 0, 120.0 });
    expected.timeSignatureChanges.add ({ 0, 4, 4 });
    EXPECT_EQ (request.metadata, expected);

    ASSERT_EQ (request.instruments.size(), 1);
    EXPECT_EQ (request.instruments[0], vocalInstrument {});
    EXPECT_TRUE (request.instruments[0].program.isEmpty());
}

TEST (ScoreRecords, RequestsAreIndependentCopies)
{
    createVocalRequest original;
    auto copy = original;
    copy.instruments.getReference (0).notes.add ({ 0, 480, utf8 ("啊"), 60 });
    copy.metadata.tempoChanges.getReference (0).tempo = 90.0;

    EXPECT_TRUE (original.instruments[0].notes.isEmpty());
    EXPECT_EQ (original.metadata.tempoChanges[0].tempo, 120.0);
}

TEST (ScoreRecords, OtherRecordsStartEmpty)
{
    const vocalMetadata header;
    EXPECT_EQ (header.ticksPerBeat, 0);
    EXPECT_EQ (header.numberOfBars, 0);
    EXPECT_TRUE (header.tempoChanges.isEmpty());
    EXPECT_TRUE (header.timeSignatureChanges.isEmpty());

    const midiConverterResult score;
    EXPECT_EQ (score.metadata, header);
    EXPECT_TRUE (score.instruments.isEmpty());

    const vocalResult job;
    EXPECT_TRUE (job.uid.isEmpty() && job.path.isEmpty() && job.status.isEmpty() && job.createdAt.isEmpty() && job.updatedAt.isEmpty());

    const apiErrorResult error;
    EXPECT_EQ (error.statusCode, 0);
    EXPECT_EQ (error.externalCode, 0);
    EXPECT_TRUE (error.message.isEmpty() && error.externalMessage.isEmpty());
}

TEST (ScoreRecords, DefaultPositionIsTheStartOfBarOne)
{
    const BarsData position;
    EXPECT_TRUE (position.isBarStart);
    EXPECT_EQ (position.bar, 1);
    EXPECT_EQ (position.beat, 0);
    EXPECT_EQ (position.sixteenth, 0);
    EXPECT_EQ (position.ticksPerBar, 0);
    EXPECT_EQ (position.numerator, 0);
    EXPECT_EQ (position.denominator, 0);
}
