#pragma once

#include "ServiceOptions.h"

#include <juce_core/juce_core.h>

#include <memory>

// The local singing-voice service: its four endpoints under "/music/api/plugin", the job
// store and the render workers, listening on a loopback port. Start it from the command
// line tool or inside a program.
class VocalService
{
public:
    static constexpr const char* basePath = "/music/api/plugin";
    static constexpr juce::int64 maxScoreBytes = 4 * 1024 * 1024;
    static constexpr juce::int64 maxMidiBytes = 2 * 1024 * 1024;

    explicit VocalService (const ServiceOptions& options);

    // Stops listening and stops the workers (see RenderWorkers).
    ~VocalService();

    // Binds the socket and starts answering on a thread of its own. The render workers
    // start in the background, so this returns as soon as the port is bound. False with
    // problem() set when the data folder, the database or the address cannot be used.
    bool start();

    void stop();

    // The port listened on (the one picked when the options said 0), or 0.
    int port() const;

    // "http://HOST:PORT/music/api/plugin".
    juce::String baseUrl() const;

    juce::String problem() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl;

    JUCE_DECLARE_NON_COPYABLE (VocalService)
};
