#include "RenderWorkers.h"

#include "model/Diagnostics.h"
#include "model/ScoreConstants.h"
#include "model/VocalRequestReader.h"
#include "VocalRenderer.h"

namespace
{
constexpr int leaseRenewalMs = 3000;
} // namespace

RenderWorkers::RenderWorkers (JobStore& storeToUse, const juce::File& folder, int count, int idlePoll)
    : store (storeToUse)
    , dataDir (folder)
    , idlePollMs (idlePoll)
{
    store.requeueAbandoned();

    for (int i = 0; i < juce::jmax (1, count); ++i)
        threads.emplace_back ([this] { work(); });

    threads.emplace_back ([this] { keepLeases(); });
}

RenderWorkers::~RenderWorkers()
{
    {
        const std::lock_guard<std::mutex> hold (lock);
        stopping = true;
    }

    wakeUp.notify_all();

    for (auto& thread : threads)
        thread.join();
}

juce::File RenderWorkers::wavFileOf (const juce::File& folder, const juce::String& uid) { return folder.getChildFile (uid + ".wav"); }

void RenderWorkers::wake()
{
    {
        const std::lock_guard<std::mutex> hold (lock);
        ++jobsAdded;
    }

    // All, as the lease keeper waits on the same condition.
    wakeUp.notify_all();
}

void RenderWorkers::work()
{
    while (! stopping)
    {
        juce::String uid, score;

        if (store.claim (uid, score))
        {
            render (uid, score);
            continue;
        }

        // A wake-up must end the wait: a job added now would otherwise wait for the poll.
        std::unique_lock<std::mutex> hold (lock);
        wakeUp.wait_for (hold, std::chrono::milliseconds (idlePollMs), [this] { return stopping.load() || jobsAdded > 0; });

        if (jobsAdded > 0)
            --jobsAdded;
    }
}

void RenderWorkers::keepLeases()
{
    while (! stopping)
    {
        store.renewLeases();

        if (store.requeueAbandoned() > 0)
            wake();

        std::unique_lock<std::mutex> hold (lock);
        wakeUp.wait_for (hold, std::chrono::milliseconds (leaseRenewalMs), [this] { return stopping.load(); });
    }
}

void RenderWorkers::render (const juce::String& uid, const juce::String& score)
{
    createVocalRequest request;
    juce::String error;

    if (! VocalRequestReader::read (score, request, error))
    {
        store.finish (uid, kStatusError, error);
        return;
    }

    error = VocalRenderer::renderToFile (request, wavFileOf (dataDir, uid), &stopping);

    if (error == VocalRenderer::cancelledMessage)
        store.release (uid);
    else
        store.finish (uid, error.isEmpty() ? kStatusCompleted : kStatusError, error);

    if (error.isNotEmpty() && error != VocalRenderer::cancelledMessage)
        Diagnostics::write ("job " + uid + " failed: " + error);
}
