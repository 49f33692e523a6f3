#pragma once

#include <juce_core/juce_core.h>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace httplib
{
class Server;
}

// A stand-in for the singing-voice service, on 127.0.0.1 at a port of its own choosing.
// Each endpoint answers as programmed (or stalls without answering), and every request
// it receives is recorded.
class FakeService
{
public:
    struct Answer
    {
        int status = 200;
        std::string body;
        std::string contentType = "application/json";
        // Accept the request and never answer, until releaseStalls() or the end.
        bool stall = false;
    };

    struct Part
    {
        std::string fieldName, fileName, contentType, content;
    };

    struct Request
    {
        std::string method, path, body;
        std::multimap<std::string, std::string> headers;
        std::vector<Part> parts;

        // The first value of a header (names compare without case), or empty.
        std::string header (const std::string& name) const;
    };

    FakeService();
    ~FakeService();

    int port() const { return boundPort; }

    // "http://127.0.0.1:<port>"
    juce::String url() const;

    // The program's base URL on this service.
    juce::String baseUrl() const;

    // Programs an endpoint (the full path, as requested). With several answers, each
    // request takes the next one and the last one stays. Unprogrammed paths answer 404.
    void answer (const std::string& method, const std::string& path, std::vector<Answer> answers);
    void answer (const std::string& method, const std::string& path, Answer single) { answer (method, path, std::vector<Answer> { single }); }

    std::vector<Request> requests() const;
    size_t requestCount() const;

    // Lets every stalled request go (they answer 503).
    void releaseStalls();

private:
    Answer nextAnswerFor (const std::string& method, const std::string& path);

    std::unique_ptr<httplib::Server> server;
    std::unique_ptr<std::thread> listener;
    int boundPort = 0;

    mutable std::mutex lock;
    std::condition_variable stallsReleased;
    bool releasing = false;
    std::map<std::pair<std::string, std::string>, std::vector<Answer>> answers;
    std::vector<Request> received;
};
