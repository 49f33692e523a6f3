#pragma once

#include "support/TemporaryFolder.h"
#include "VocalService.h"

#include <httplib.h>
#include <juce_core/juce_core.h>

#include <gtest/gtest.h>

// A service started in the test process on a free loopback port, with a client for it.
struct ServiceFixture : public testing::Test
{
    ServiceOptions options()
    {
        ServiceOptions o;
        o.port = 0;
        o.dataDir = data.get();
        o.workers = 1;
        return o;
    }

    void startService (const ServiceOptions& o)
    {
        service = std::make_unique<VocalService> (o);
        ASSERT_TRUE (service->start()) << service->problem();
        client = std::make_unique<httplib::Client> ("127.0.0.1", service->port());
        client->set_read_timeout (30, 0);
    }

    void SetUp() override { startService (options()); }

    static std::string path (const std::string& rest) { return std::string (VocalService::basePath) + rest; }

    httplib::Result postScore (const juce::String& json, const char* type = "application/json")
    {
        return client->Post (path ("/v1/vocal").c_str(), json.toStdString(), type);
    }

    static juce::var jsonOf (const httplib::Result& result)
    {
        return result ? juce::JSON::parse (juce::String::fromUTF8 (result->body.data(), (int) result->body.size())) : juce::var();
    }

    // Polls a job until it is completed or failed, collecting the statuses seen.
    juce::var waitForJob (const juce::String& uid, juce::StringArray& seen, int timeoutMs = 60000)
    {
        for (int waited = 0; waited < timeoutMs; waited += 20)
        {
            const auto job = jsonOf (client->Get (path ("/v1/vocal/" + uid.toStdString()).c_str()));
            seen.addIfNotAlreadyThere (job["status"].toString());

            if (job["status"] == "completed" || job["status"] == "error")
                return job;

            juce::Thread::sleep (20);
        }

        return {};
    }

    TemporaryFolder data;
    std::unique_ptr<VocalService> service;
    std::unique_ptr<httplib::Client> client;
};
