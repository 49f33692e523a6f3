#include "model/Diagnostics.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

TEST (Diagnostics, WritesOneFlushedLineToStandardError)
{
    testing::internal::CaptureStderr();
    Diagnostics::write ("[CreateVocalApi] start");
    Diagnostics::write ("failed to parse to json, str: {\n  \"a\":\r\n 1\r}");
    const auto output = testing::internal::GetCapturedStderr();

    EXPECT_EQ (output, "[CreateVocalApi] start\nfailed to parse to json, str: {\\n  \"a\":\\n 1\\n}\n");
}

TEST (Diagnostics, LinesFromManyThreadsStayWhole)
{
    constexpr int threads = 4;
    constexpr int linesEach = 300;

    testing::internal::CaptureStderr();
    {
        std::vector<std::thread> writers;
        for (int t = 0; t < threads; ++t)
            writers.emplace_back ([t] {
                for (int i = 0; i < linesEach; ++i)
                    Diagnostics::write ("[Worker" + juce::String (t) + "] line " + juce::String (i) + " of a long enough diagnostic text");
            });

        for (auto& writer : writers)
            writer.join();
    }
    const auto lines = juce::StringArray::fromLines (juce::String (testing::internal::GetCapturedStderr()).trimEnd());

    ASSERT_EQ (lines.size(), threads * linesEach);
    for (const auto& line : lines)
        EXPECT_TRUE (line.startsWith ("[Worker") && line.endsWith (" of a long enough diagnostic text")) << line;
}
