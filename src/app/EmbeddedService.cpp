#include "EmbeddedService.h"

#include "model/Diagnostics.h"
#include "service/ServiceUrl.h"
#include "VocalService.h"

EmbeddedService::EmbeddedService() = default;

EmbeddedService::~EmbeddedService() = default;

juce::File EmbeddedService::defaultDataDir() { return ServiceOptions::defaultDataDir(); }

bool EmbeddedService::start (const juce::File& dataDir)
{
    if (ServiceUrl::isOverridden())
        return false;

    ServiceOptions options;
    options.port = 0;
    options.dataDir = dataDir;
    // Leaves a core for the editor and its playback.
    options.workers = juce::jmax (1, juce::SystemStats::getNumCpus() - 1);

    auto started = std::make_unique<VocalService> (options);

    if (! started->start())
    {
        Diagnostics::write ("[EmbeddedService] " + started->problem());
        return false;
    }

    Diagnostics::write ("[EmbeddedService] listening on " + started->baseUrl());
    ServiceUrl::useLocalService (started->baseUrl());
    service = std::move (started);
    return true;
}
