#pragma once

#include <juce_core/juce_core.h>

#include <memory>

class VocalService;

// The local singing-voice service inside the program: started on a free loopback port
// unless the user points the program at a service of their own, so the program works
// with no other step. Its jobs live in the user's data folder, shared safely with other
// copies of the program and with a standalone voxlet-server (each job is rendered once).
class EmbeddedService
{
public:
    EmbeddedService();

    // Stops listening; a render in hand is cancelled and finished on the next start.
    ~EmbeddedService();

    // Starts the service and points the program's base URL at it. Does nothing when
    // VOXLET_SERVICE_URL is set. Returns false (with a diagnostic) when it cannot start;
    // the program then falls back to the default address.
    bool start (const juce::File& dataDir);

    bool isRunning() const { return service != nullptr; }

    // The user's data folder for the service: $XDG_DATA_HOME or ~/.local/share, then
    // "voxlet-server".
    static juce::File defaultDataDir();

private:
    std::unique_ptr<VocalService> service;

    JUCE_DECLARE_NON_COPYABLE (EmbeddedService)
};
