#include "JobStore.h"

#include "JobUid.h"

#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <unistd.h>

namespace
{
// A prepared statement that finalises itself.
class Statement
{
public:
    Statement (sqlite3* db, const char* sql) { sqlite3_prepare_v2 (db, sql, -1, &statement, nullptr); }
    ~Statement() { sqlite3_finalize (statement); }

    bool ok() const { return statement != nullptr; }

    Statement& bind (int index, const juce::String& text)
    {
        sqlite3_bind_text (statement, index, text.toRawUTF8(), -1, SQLITE_TRANSIENT);
        return *this;
    }

    Statement& bind (int index, juce::int64 value)
    {
        sqlite3_bind_int64 (statement, index, value);
        return *this;
    }

    int step() { return statement != nullptr ? sqlite3_step (statement) : SQLITE_ERROR; }

    juce::String text (int column) const
    {
        return juce::String (juce::CharPointer_UTF8 (reinterpret_cast<const char*> (sqlite3_column_text (statement, column))));
    }

    juce::int64 integer (int column) const { return sqlite3_column_int64 (statement, column); }

private:
    sqlite3_stmt* statement = nullptr;

    JUCE_DECLARE_NON_COPYABLE (Statement)
};

juce::int64 now() { return juce::Time::currentTimeMillis(); }

juce::int64 ownPid() { return (juce::int64) getpid(); }

// Tells this store's claims from every other one's, across processes and restarts.
juce::int64 newToken() { return (juce::int64) ((JobUid::randomBits() >> 1) | 1); }

bool processIsGone (juce::int64 pid) { return pid <= 0 || (kill ((pid_t) pid, 0) != 0 && errno == ESRCH); }
} // namespace

JobStore::JobStore (const juce::File& databaseFile)
    : token (newToken())
{
    if (sqlite3_open_v2 (databaseFile.getFullPathName().toRawUTF8(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr)
        != SQLITE_OK)
    {
        failure = "cannot open " + databaseFile.getFullPathName() + ": " + (db != nullptr ? sqlite3_errmsg (db) : "out of memory");
        return;
    }

    sqlite3_busy_timeout (db, 10000);

    if (! execute ("PRAGMA journal_mode=WAL") || ! execute ("PRAGMA synchronous=NORMAL")
        || ! execute ("CREATE TABLE IF NOT EXISTS jobs ("
                      " seq INTEGER PRIMARY KEY AUTOINCREMENT,"
                      " uid TEXT NOT NULL UNIQUE,"
                      " status TEXT NOT NULL,"
                      " created_at INTEGER NOT NULL,"
                      " updated_at INTEGER NOT NULL,"
                      " score TEXT NOT NULL,"
                      " message TEXT NOT NULL DEFAULT '',"
                      " owner INTEGER NOT NULL DEFAULT 0,"
                      " owner_pid INTEGER NOT NULL DEFAULT 0,"
                      " lease INTEGER NOT NULL DEFAULT 0)")
        || ! execute ("CREATE INDEX IF NOT EXISTS jobs_by_status ON jobs (status, seq)"))
        failure = "cannot set up " + databaseFile.getFullPathName() + ": " + sqlite3_errmsg (db);
}

JobStore::~JobStore() { sqlite3_close (db); }

bool JobStore::execute (const char* sql) { return sqlite3_exec (db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

juce::String JobStore::timestamp (juce::int64 milliseconds)
{
    const auto seconds = (time_t) (milliseconds / 1000);
    std::tm utc {};
    gmtime_r (&seconds, &utc);
    char text[96];
    std::snprintf (text, sizeof (text), "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec, (int) (milliseconds % 1000));
    return text;
}

JobStore::Added JobStore::add (const juce::String& uid, const juce::String& score, int maxQueued, StoredJob& job)
{
    const std::lock_guard<std::mutex> hold (lock);

    if (! execute ("BEGIN IMMEDIATE"))
        return Added::failed;

    Statement count (db, "SELECT COUNT(*) FROM jobs WHERE status IN ('pending', 'ongoing')");

    if (count.step() != SQLITE_ROW)
    {
        execute ("ROLLBACK");
        return Added::failed;
    }

    if (count.integer (0) >= maxQueued)
    {
        execute ("ROLLBACK");
        return Added::full;
    }

    const auto time = now();
    Statement insert (db, "INSERT INTO jobs (uid, status, created_at, updated_at, score) VALUES (?, 'pending', ?, ?, ?)");
    insert.bind (1, uid).bind (2, time).bind (3, time).bind (4, score);

    if (insert.step() != SQLITE_DONE || ! execute ("COMMIT"))
    {
        execute ("ROLLBACK");
        return Added::failed;
    }

    job = { uid, "pending", timestamp (time), timestamp (time), {} };
    return Added::added;
}

std::optional<StoredJob> JobStore::find (const juce::String& uid)
{
    const std::lock_guard<std::mutex> hold (lock);
    Statement select (db, "SELECT status, created_at, updated_at, message FROM jobs WHERE uid = ?");
    select.bind (1, uid);

    if (select.step() != SQLITE_ROW)
        return std::nullopt;

    return StoredJob { uid, select.text (0), timestamp (select.integer (1)), timestamp (select.integer (2)), select.text (3) };
}

bool JobStore::claim (juce::String& uid, juce::String& score)
{
    const std::lock_guard<std::mutex> hold (lock);

    if (! execute ("BEGIN IMMEDIATE"))
        return false;

    Statement select (db, "SELECT uid, score FROM jobs WHERE status = 'pending' ORDER BY seq LIMIT 1");

    if (select.step() != SQLITE_ROW)
    {
        execute ("ROLLBACK");
        return false;
    }

    uid = select.text (0);
    score = select.text (1);
    const auto time = now();
    Statement update (db, "UPDATE jobs SET status = 'ongoing', updated_at = ?, owner = ?, owner_pid = ?, lease = ? WHERE uid = ?");
    update.bind (1, time).bind (2, token).bind (3, ownPid()).bind (4, time + leaseMilliseconds).bind (5, uid);

    if (update.step() != SQLITE_DONE || ! execute ("COMMIT"))
    {
        execute ("ROLLBACK");
        return false;
    }

    return true;
}

void JobStore::finish (const juce::String& uid, const juce::String& status, const juce::String& message)
{
    const std::lock_guard<std::mutex> hold (lock);
    Statement update (db, "UPDATE jobs SET status = ?, message = ?, updated_at = ?, lease = 0 WHERE uid = ? AND owner = ?");
    update.bind (1, status).bind (2, message).bind (3, now()).bind (4, uid).bind (5, token);
    update.step();
}

void JobStore::release (const juce::String& uid)
{
    const std::lock_guard<std::mutex> hold (lock);
    Statement update (db, "UPDATE jobs SET status = 'pending', owner = 0, lease = 0, updated_at = ? WHERE uid = ? AND owner = ?");
    update.bind (1, now()).bind (2, uid).bind (3, token);
    update.step();
}

void JobStore::renewLeases()
{
    const std::lock_guard<std::mutex> hold (lock);
    Statement update (db, "UPDATE jobs SET lease = ? WHERE status = 'ongoing' AND owner = ?");
    update.bind (1, now() + leaseMilliseconds).bind (2, token);
    update.step();
}

int JobStore::requeueAbandoned()
{
    const std::lock_guard<std::mutex> hold (lock);
    juce::StringArray abandoned;

    {
        Statement select (db, "SELECT uid, owner, owner_pid, lease FROM jobs WHERE status = 'ongoing' AND owner != ?");
        select.bind (1, token);

        // Another owner's job is abandoned when its lease ran out, or its process is gone,
        // or it is this process's own pid: an earlier run that happened to get the same.
        while (select.step() == SQLITE_ROW)
            if (const auto pid = select.integer (2); select.integer (3) < now() || pid == ownPid() || processIsGone (pid))
                abandoned.add (select.text (0));
    }

    for (const auto& uid : abandoned)
    {
        Statement update (db, "UPDATE jobs SET status = 'pending', owner = 0, lease = 0, updated_at = ? WHERE uid = ? AND status = 'ongoing'");
        update.bind (1, now()).bind (2, uid);
        update.step();
    }

    return abandoned.size();
}
