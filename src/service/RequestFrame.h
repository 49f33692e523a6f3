#pragma once

#include <juce_core/juce_core.h>
#include <juce_events/juce_events.h>

#include <functional>
#include <optional>

// What every request to the service shares: the transport and its bounds, reading the
// whole reply, judging it by its status code and the failure line.
//
// Requests go through cpp-httplib rather than the framework's URL streams: on Linux those
// run on libcurl's multi interface, and the framework waits a fixed 100 ms before the
// first transfer of every request (no socket exists yet to wait on), which a poll loop and
// a local service pay on every request.
class RequestFrame
{
public:
    struct Reply
    {
        // False when no stream could be opened (the service is unreachable or silent).
        bool opened = false;
        int statusCode = 0;
        juce::String text;

        bool succeeded() const { return opened && statusCode < 300; }
    };

    // Bounds connecting, sending and a reply that stalls: a service that accepts a connection
    // and never answers must not hold the caller (the poll runs on the message thread).
    static constexpr int timeoutMs = 5000;

    // A file sent as one field of a multipart form.
    struct Upload
    {
        juce::String fieldName, fileName, mimeType;
        juce::MemoryBlock data;
    };

    // Sends the request (a POST when it has POST data or an upload, a GET otherwise) and
    // reads the whole reply. `headers` are extra request headers, one "Name: value" per
    // line. http and https URLs; certificates are checked against the system's.
    static Reply send (const juce::URL& url, juce::URL::ParameterHandling handling, const juce::String& headers = {}, const Upload* upload = nullptr);

    // For the poll and version requests: attempts the request again at once while it fails
    // (no stream, or a status of 300 and above), at most `attempts` times in all, telling
    // `onFailedAttempt` about each failure. The successful reply, or nothing when every
    // attempt failed.
    static std::optional<Reply> sendWithRetries (const juce::URL& url,
                                                 juce::URL::ParameterHandling handling,
                                                 int attempts,
                                                 const std::function<void (const Reply&)>& onFailedAttempt);

    // Hands a worker's outcome to the message thread; it is dropped when the worker is gone
    // by then. The worker must be weak-referenceable.
    template <typename Worker>
    static void post (Worker& worker, std::function<void (Worker&)> outcome)
    {
        juce::MessageManager::callAsync ([self = juce::WeakReference<Worker> (&worker), outcome = std::move (outcome)] {
            if (auto* alive = self.get())
                outcome (*alive);
        });
    }

    // "[Tag] failed, status_code: 413 reason: <reply text>"
    static void logFailure (const juce::String& tag, const Reply& reply);

private:
    RequestFrame() = delete;
};
