#pragma once

#include <juce_core/juce_core.h>

#include <mutex>
#include <optional>

struct sqlite3;

// One job as the store keeps it.
struct StoredJob
{
    juce::String uid, status, createdAt, updatedAt, message;
};

// The jobs of a data folder in SQLite (WAL mode), shared safely by every process that
// opens the same folder: a job is claimed by one process at a time, under a lease that
// its renderer renews, so a job whose process died is taken up again and none is
// rendered twice.
class JobStore
{
public:
    static constexpr juce::int64 leaseMilliseconds = 15000;

    explicit JobStore (const juce::File& databaseFile);
    ~JobStore();

    // Empty when the database is open, otherwise why it is not.
    juce::String problem() const { return failure; }

    enum class Added
    {
        added,
        full,
        failed
    };

    // Adds a pending job unless `maxQueued` jobs are already pending or ongoing.
    Added add (const juce::String& uid, const juce::String& score, int maxQueued, StoredJob& job);

    std::optional<StoredJob> find (const juce::String& uid);

    // Claims the oldest pending job for this process; false when there is none.
    bool claim (juce::String& uid, juce::String& score);

    // Ends a claimed job as completed or error.
    void finish (const juce::String& uid, const juce::String& status, const juce::String& message);

    // Gives a claimed job back as pending, for a render that was stopped.
    void release (const juce::String& uid);

    // Extends the leases of the jobs this process is rendering.
    void renewLeases();

    // Puts back to pending the ongoing jobs whose process is gone or whose lease ran out;
    // returns how many.
    int requeueAbandoned();

    // The time as the job documents show it: ISO-8601 UTC with milliseconds.
    static juce::String timestamp (juce::int64 millisecondsSinceEpoch);

private:
    bool execute (const char* sql);

    const juce::int64 token;
    sqlite3* db = nullptr;
    juce::String failure;
    std::mutex lock;

    JUCE_DECLARE_NON_COPYABLE (JobStore)
};
