#include "VocalService.h"

#include "JobStore.h"
#include "JobUid.h"
#include "MidiScoreConverter.h"
#include "model/Diagnostics.h"
#include "model/ScoreConstants.h"
#include "model/ScoreJson.h"
#include "model/VocalRequestReader.h"
#include "RenderWorkers.h"
#include "ScoreValidator.h"
#include "ServiceErrors.h"

#include <httplib.h>

#include <atomic>
#include <thread>

namespace
{
thread_local double requestStartMs = 0.0;

void sendJson (httplib::Response& response, int status, const juce::String& json)
{
    response.status = status;
    response.set_content (json.toStdString(), "application/json; charset=utf-8");
}

void sendError (httplib::Response& response, const ServiceErrors::Kind& kind, const juce::String& message)
{
    sendJson (response, kind.statusCode, errorResultToJsonText (ServiceErrors::make (kind, message)));
}

// Three dot-separated numbers of at most 9 digits each.
bool readVersion (const juce::String& text, juce::Array<int>& parts)
{
    const auto fields = juce::StringArray::fromTokens (text, ".", {});

    if (fields.size() != 3)
        return false;

    for (const auto& field : fields)
    {
        if (field.isEmpty() || field.length() > 9 || ! field.containsOnly ("0123456789"))
            return false;

        parts.add (field.getIntValue());
    }

    return true;
}

bool atLeast (const juce::Array<int>& version, const juce::Array<int>& minimum)
{
    for (int i = 0; i < 3; ++i)
        if (version[i] != minimum[i])
            return version[i] > minimum[i];

    return true;
}

// The address the client used, when it looks like one; request text ends up only in the
// URL handed back, never in a path.
juce::String hostOf (const httplib::Request& request, const juce::String& fallback)
{
    const juce::String host (request.get_header_value ("Host"));
    const auto plausible = host.isNotEmpty() && host.length() <= 255
                           && host.containsOnly ("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-:[]");
    return plausible ? host : fallback;
}
} // namespace

struct VocalService::Impl
{
    explicit Impl (const ServiceOptions& o)
        : options (o)
    {
    }

    ~Impl() { stop(); }

    bool start()
    {
        if (! options.dataDir.createDirectory())
        {
            failure = "cannot create " + options.dataDir.getFullPathName();
            return false;
        }

        removeLeftovers();
        store = std::make_unique<JobStore> (options.dataDir.getChildFile ("jobs.sqlite3"));

        if (store->problem().isNotEmpty())
        {
            failure = store->problem();
            return false;
        }

        setUpRoutes();
        boundPort = options.port == 0 ? server.bind_to_any_port (options.host.toStdString())
                                      : (server.bind_to_port (options.host.toStdString(), options.port) ? options.port : -1);

        if (boundPort <= 0)
        {
            failure = "cannot listen on " + options.host + ":" + juce::String (options.port);
            boundPort = 0;
            return false;
        }

        // The renderer loads espeak-ng on the first job, so starting the workers is only
        // starting threads and answering is not held up.
        const auto count = options.workers > 0 ? options.workers : juce::SystemStats::getNumCpus();
        workers = std::make_unique<RenderWorkers> (*store, options.dataDir, count);
        // The socket is listening already: connections wait in its backlog until the
        // loop accepts them, so start() need not wait for the thread.
        listener = std::thread ([this] {
            server.listen_after_bind();
            listenerEnded = true;
        });

        return true;
    }

    void stop()
    {
        if (listener.joinable())
        {
            // A stop before the loop runs would be lost and the loop would never end.
            while (! server.is_running() && ! listenerEnded)
                std::this_thread::sleep_for (std::chrono::milliseconds (1));

            server.stop();
            listener.join();
        }

        workers.reset();
    }

    // A render killed mid-write leaves its temporary file beside the WAVs.
    void removeLeftovers()
    {
        for (const auto& file : options.dataDir.findChildFiles (juce::File::findFiles, false, "*_temp*.wav"))
            file.deleteFile();
    }

    juce::String wavUrl (const httplib::Request& request, const juce::String& uid) const
    {
        return "http://" + hostOf (request, options.host + ":" + juce::String (boundPort)) + basePath + "/v1/files/" + uid + ".wav";
    }

    juce::String jobDocument (const httplib::Request& request, const StoredJob& job) const
    {
        vocalResult result { job.uid, job.status == kStatusCompleted ? wavUrl (request, job.uid) : juce::String(), job.status, job.createdAt, job.updatedAt };
        return vocalResultToJsonText (result);
    }

    void setUpRoutes()
    {
        const std::string base (basePath);
        server.set_payload_max_length ((size_t) maxScoreBytes + 1024 * 1024);

        server.set_pre_routing_handler ([] (const httplib::Request&, httplib::Response&) {
            requestStartMs = juce::Time::getMillisecondCounterHiRes();
            return httplib::Server::HandlerResponse::Unhandled;
        });

        server.set_logger ([] (const httplib::Request& request, const httplib::Response& response) {
            const auto ms = juce::Time::getMillisecondCounterHiRes() - requestStartMs;
            Diagnostics::write (juce::String (request.method) + " " + juce::String (request.path) + " " + juce::String (response.status) + " "
                                + juce::String (juce::roundToInt (ms)) + " ms");
        });

        server.set_error_handler (httplib::Server::HandlerWithResponse ([] (const httplib::Request& request, httplib::Response& response) {
            if (! response.body.empty())
                return httplib::Server::HandlerResponse::Unhandled;

            if (response.status == 413)
                sendError (response, ServiceErrors::scoreTooLarge, "the request body is larger than the service accepts");
            else if (response.status == 404)
                sendError (response, ServiceErrors::noRoute, "no endpoint " + juce::String (request.method) + " " + juce::String (request.path));
            else
                sendError (response, ServiceErrors::Kind { response.status, 40000 + response.status % 100, "請求無法處理" }, "the request could not be handled");

            return httplib::Server::HandlerResponse::Handled;
        }));

        server.Get (base + "/v1/verification/([^/]*)", [this] (const httplib::Request& request, httplib::Response& response) {
            const juce::String version (request.matches[1].str());
            juce::Array<int> parts, minimum;
            readVersion (options.minClientVersion, minimum);

            if (! readVersion (version, parts))
                return sendError (response, ServiceErrors::badVersion, "version \"" + version + "\" is not three dot-separated numbers");

            if (! atLeast (parts, minimum))
                return sendError (response, ServiceErrors::outdated, "version " + version + " is older than " + options.minClientVersion);

            sendJson (response, 200, "{\"version\":\"" + version + "\",\"minClientVersion\":\"" + options.minClientVersion + "\"}");
        });

        server.Post (base + "/v1/vocal", [this] (const httplib::Request& request, httplib::Response& response) { createJob (request, response); });

        server.Get (base + "/v1/vocal/([^/]*)", [this] (const httplib::Request& request, httplib::Response& response) {
            const juce::String uid (request.matches[1].str());
            const auto job = JobUid::isValid (uid) ? store->find (uid) : std::nullopt;

            if (! job)
                return sendError (response, ServiceErrors::noJob, "no job " + uid.substring (0, 64));

            sendJson (response, 200, jobDocument (request, *job));
        });

        server.Get (base + "/v1/files/([^/]*)\\.wav", [this] (const httplib::Request& request, httplib::Response& response) {
            const juce::String uid (request.matches[1].str());
            const auto job = JobUid::isValid (uid) ? store->find (uid) : std::nullopt;
            const auto file = RenderWorkers::wavFileOf (options.dataDir, uid);
            juce::MemoryBlock bytes;

            if (! job || job->status != kStatusCompleted || ! file.loadFileAsData (bytes))
                return sendError (response, ServiceErrors::noJob, "no finished vocal " + uid.substring (0, 64));

            response.status = 200;
            response.set_content (static_cast<const char*> (bytes.getData()), bytes.getSize(), "audio/wav");
        });

        server.Post (base + "/v1/midi/convert", [] (const httplib::Request& request, httplib::Response& response) {
            if (! request.has_file ("midiFile"))
                return sendError (response, ServiceErrors::missingMidi, "the form has no field \"midiFile\"");

            const auto content = request.get_file_value ("midiFile").content;

            if ((juce::int64) content.size() > maxMidiBytes)
                return sendError (response, ServiceErrors::midiTooLarge, "the MIDI file is larger than 2 MiB");

            midiConverterResult score;
            const auto outcome = MidiScoreConverter::convert (content.data(), content.size(), score);

            if (outcome == MidiScoreConverter::Outcome::notMidi)
                return sendError (response, ServiceErrors::notMidi, "the file is not a standard MIDI file");

            if (outcome == MidiScoreConverter::Outcome::noNotes)
                return sendError (response, ServiceErrors::noNotes, "the MIDI file holds no notes");

            sendJson (response, 200, midiConverterResultToJsonText (score));
        });
    }

    void createJob (const httplib::Request& request, httplib::Response& response)
    {
        const juce::String type (request.get_header_value ("Content-Type"));

        if (! type.trim().toLowerCase().startsWith ("application/json"))
            return sendError (response, ServiceErrors::notJsonType, "Content-Type must be application/json, not \"" + type.substring (0, 64) + "\"");

        if ((juce::int64) request.body.size() > maxScoreBytes)
            return sendError (response, ServiceErrors::scoreTooLarge, "the score document is larger than 4 MiB");

        if (request.body.find ('\0') != std::string::npos || ! juce::CharPointer_UTF8::isValidString (request.body.data(), (int) request.body.size()))
            return sendError (response, ServiceErrors::notJson, "the body is not valid UTF-8 text");

        const auto text = juce::String::fromUTF8 (request.body.data(), (int) request.body.size());
        juce::var root;

        if (const auto parsed = parseJsonObjectQuietly (text, root); parsed.failed())
            return sendError (response, ServiceErrors::notJson, "the body is not a JSON object: " + parsed.getErrorMessage());

        createVocalRequest score;
        juce::String error;

        if (! VocalRequestReader::read (root, score, error) || (error = ScoreValidator::check (score)).isNotEmpty())
            return sendError (response, ServiceErrors::invalidScore, error);

        StoredJob job;
        const auto added = store->add (JobUid::make(), vocalRequestToJsonText (score), options.maxQueued, job);

        if (added == JobStore::Added::full)
            return sendError (response, ServiceErrors::queueFull, juce::String (options.maxQueued) + " jobs are already waiting");

        if (added == JobStore::Added::failed)
            return sendError (response, ServiceErrors::internal, "the job could not be stored");

        workers->wake();
        sendJson (response, 201, jobDocument (request, job));
    }

    ServiceOptions options;
    httplib::Server server;
    std::unique_ptr<JobStore> store;
    std::unique_ptr<RenderWorkers> workers;
    std::thread listener;
    std::atomic<bool> listenerEnded { false };
    int boundPort = 0;
    juce::String failure;
};

VocalService::VocalService (const ServiceOptions& options)
    : impl (std::make_unique<Impl> (options))
{
}

VocalService::~VocalService() = default;

bool VocalService::start() { return impl->start(); }

void VocalService::stop() { impl->stop(); }

int VocalService::port() const { return impl->boundPort; }

juce::String VocalService::baseUrl() const { return "http://" + impl->options.host + ":" + juce::String (impl->boundPort) + basePath; }

juce::String VocalService::problem() const { return impl->failure; }
