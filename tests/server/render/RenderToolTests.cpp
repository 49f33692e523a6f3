#include "support/TemporaryFolder.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <gtest/gtest.h>

namespace
{
struct Run
{
    int exitCode = -1;
    juce::String output;
};

Run runTool (const juce::StringArray& arguments)
{
    juce::StringArray command { VOXLET_RENDER_PATH };
    command.addArray (arguments);
    juce::ChildProcess process;
    Run run;

    if (process.start (command))
    {
        run.output = process.readAllProcessOutput();
        process.waitForProcessToFinish (60000);
        run.exitCode = (int) process.getExitCode();
    }

    return run;
}

const juce::File exampleScore { VOXLET_EXAMPLE_SCORE };

TEST (RenderTool, SingsTheExampleScoreInEitherVoice)
{
    TemporaryFolder folder;

    for (const auto* voice : { "zh_tw_male_2", "zh_tw_female_2" })
    {
        const auto out = folder.get().getChildFile (juce::String (voice) + ".wav");
        const auto run = runTool ({ "--voice", voice, exampleScore.getFullPathName(), out.getFullPathName() });

        EXPECT_EQ (run.exitCode, 0) << run.output;
        EXPECT_EQ (run.output, "");

        juce::WavAudioFormat wav;
        std::unique_ptr<juce::AudioFormatReader> reader (wav.createReaderFor (out.createInputStream().release(), true));
        ASSERT_NE (reader, nullptr) << voice;
        // The example's last note ends at 7640 ticks, 9.947 s at 96 bpm.
        EXPECT_NEAR ((double) reader->lengthInSamples / 44100.0, 9.947 + 0.5, 0.01);
    }
}

TEST (RenderTool, BadInputGivesOneLineNamingTheFaultAndNoFile)
{
    TemporaryFolder folder;
    const auto out = folder.get().getChildFile ("out.wav");
    auto document = exampleScore.loadFileAsString();

    struct Case
    {
        const char* name;
        juce::String text;
        const char* line;
    };

    const Case cases[] = {
        { "bad pitch", document.replaceFirstOccurrenceOf ("\"pitch\": 60", "\"pitch\": 300"), "voxlet-render: instruments[0].notes[0].pitch must be 0 to 127, not 300\n" },
        { "wrong type", document.replaceFirstOccurrenceOf ("\"ticksPerBeat\": 480", "\"ticksPerBeat\": \"480\""), "voxlet-render: metadata.ticksPerBeat is not an integer\n" },
        { "not json", "{ broken", nullptr },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto score = folder.get().getChildFile ("score.json");
        ASSERT_TRUE (score.replaceWithText (c.text));
        const auto run = runTool ({ score.getFullPathName(), out.getFullPathName() });

        EXPECT_EQ (run.exitCode, 1);
        EXPECT_FALSE (out.exists());
        EXPECT_EQ (run.output.indexOfChar ('\n'), run.output.length() - 1) << run.output;

        if (c.line != nullptr)
            EXPECT_EQ (run.output, c.line);
        else
            EXPECT_TRUE (run.output.startsWith ("voxlet-render: the document is not a JSON object")) << run.output;
    }

    EXPECT_EQ (runTool ({ folder.get().getChildFile ("missing.json").getFullPathName(), out.getFullPathName() }).exitCode, 1);
    EXPECT_EQ (runTool ({ exampleScore.getFullPathName() }).exitCode, 2);
}
} // namespace
