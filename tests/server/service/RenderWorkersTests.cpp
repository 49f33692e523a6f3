#include "support/ScoreBuilder.h"
#include "support/TemporaryFolder.h"
#include "support/Utf8.h"

#include "JobStore.h"
#include "model/ScoreConstants.h"
#include "model/ScoreJson.h"
#include "RenderWorkers.h"

#include <gtest/gtest.h>

#include <thread>

// A job added while every worker is idle is started on its wake-up, not on the next poll
// of the store: with a ten-minute poll the job must still be done within seconds.
TEST (RenderWorkers, AWakeUpStartsAnIdleWorkerAtOnce)
{
    TemporaryFolder data;
    JobStore store (data.get().getChildFile ("jobs.sqlite3"));
    ASSERT_TRUE (store.problem().isEmpty()) << store.problem();

    RenderWorkers workers (store, data.get(), 1, 10 * 60 * 1000);

    // Long enough for the worker to find the store empty and wait.
    std::this_thread::sleep_for (std::chrono::milliseconds (300));

    const auto score = vocalRequestToJsonText (ScoreBuilder().note (0, 240, utf8 ("啊"), 60).request);
    const juce::String uid ("0123456789abcdef0123456789abcdef");
    StoredJob job;
    ASSERT_EQ (store.add (uid, score, 8, job), JobStore::Added::added);
    workers.wake();

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (60);
    std::optional<StoredJob> found;

    while (std::chrono::steady_clock::now() < deadline)
    {
        found = store.find (uid);

        if (found && found->status == kStatusCompleted)
            break;

        std::this_thread::sleep_for (std::chrono::milliseconds (20));
    }

    ASSERT_TRUE (found);
    EXPECT_EQ (found->status, juce::String (kStatusCompleted)) << found->message;
    EXPECT_TRUE (RenderWorkers::wavFileOf (data.get(), uid).existsAsFile());
}
