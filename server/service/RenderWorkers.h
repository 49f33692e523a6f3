#pragma once

#include "JobStore.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <condition_variable>
#include <thread>
#include <vector>

// The threads that render the store's pending jobs in creation order into
// `<data folder>/<uid>.wav`, and one that keeps their leases and takes up jobs abandoned
// by a process that died.
class RenderWorkers
{
public:
    // Jobs added by another process, or abandoned ones, are noticed within this.
    static constexpr int defaultIdlePollMs = 1000;

    RenderWorkers (JobStore& store, const juce::File& dataDir, int count, int idlePollMs = defaultIdlePollMs);

    // Stops every thread; a render in hand is cancelled and its job put back to pending,
    // to be rendered on the next start.
    ~RenderWorkers();

    // A job was added: one idle worker takes it at once.
    void wake();

    // The WAV of a job.
    static juce::File wavFileOf (const juce::File& dataDir, const juce::String& uid);

private:
    void work();
    void keepLeases();
    void render (const juce::String& uid, const juce::String& score);

    JobStore& store;
    const juce::File dataDir;
    const int idlePollMs;
    std::atomic<bool> stopping { false };
    std::mutex lock;
    std::condition_variable wakeUp;
    int jobsAdded = 0; // guarded by `lock`
    std::vector<std::thread> threads;

    JUCE_DECLARE_NON_COPYABLE (RenderWorkers)
};
