#include "FakeService.h"

#include <httplib.h>
#include <thread>

std::string FakeService::Request::header (const std::string& name) const
{
    for (const auto& [key, value] : headers)
        if (juce::String (key).equalsIgnoreCase (juce::String (name)))
            return value;

    return {};
}

FakeService::FakeService()
    : server (std::make_unique<httplib::Server>())
{
    const auto handle = [this] (const httplib::Request& request, httplib::Response& response) {
        Request record;
        record.method = request.method;
        record.path = request.path;
        record.body = request.body;
        record.headers.insert (request.headers.begin(), request.headers.end());

        for (const auto& [field, file] : request.files)
            record.parts.push_back ({ file.name, file.filename, file.content_type, file.content });

        {
            const std::lock_guard<std::mutex> guard (lock);
            received.push_back (record);
        }

        const auto reply = nextAnswerFor (request.method, request.path);

        if (reply.stall)
        {
            std::unique_lock<std::mutex> guard (lock);
            stallsReleased.wait (guard, [this] { return releasing; });
            response.status = 503;
            return;
        }

        response.status = reply.status;
        response.set_content (reply.body, reply.contentType.c_str());
    };

    server->Get (".*", handle);
    server->Post (".*", handle);
    server->Put (".*", handle);
    server->Delete (".*", handle);

    // Bound and listening from here on: connections wait in the backlog until the loop runs.
    boundPort = server->bind_to_any_port ("127.0.0.1");
    listener = std::make_unique<std::thread> ([this] { server->listen_after_bind(); });
}

FakeService::~FakeService()
{
    releaseStalls();
    server->stop();
    listener->join();
}

juce::String FakeService::url() const { return "http://127.0.0.1:" + juce::String (boundPort); }

juce::String FakeService::baseUrl() const { return url() + "/music/api/plugin"; }

void FakeService::answer (const std::string& method, const std::string& path, std::vector<Answer> programmed)
{
    const std::lock_guard<std::mutex> guard (lock);
    answers[{ method, path }] = std::move (programmed);
}

FakeService::Answer FakeService::nextAnswerFor (const std::string& method, const std::string& path)
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto found = answers.find ({ method, path });

    if (found == answers.end() || found->second.empty())
        return { 404, "no such endpoint", "text/plain", false };

    auto& queue = found->second;
    const auto next = queue.front();

    if (queue.size() > 1)
        queue.erase (queue.begin());

    return next;
}

std::vector<FakeService::Request> FakeService::requests() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return received;
}

size_t FakeService::requestCount() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return received.size();
}

void FakeService::releaseStalls()
{
    {
        const std::lock_guard<std::mutex> guard (lock);
        releasing = true;
    }

    stallsReleased.notify_all();
}
