#include "VersionApi.h"

#include "model/Diagnostics.h"
#include "model/ScoreJson.h"
#include "RequestFrame.h"

VersionApi::VersionApi (Settings& s, const juce::String& programVersion)
    : juce::Thread ("Version API")
    , version (programVersion)
    , settings (s)
{
    juce::WeakReference<VersionApi> { this };
}

VersionApi::~VersionApi()
{
    stopThread (-1);
    masterReference.clear();
}

void VersionApi::run()
{
    juce::String lastError;

    const auto reply = RequestFrame::sendWithRetries (juce::URL (settings.baseUrl + "/v1/verification/" + version),
                                                      juce::URL::ParameterHandling::inAddress,
                                                      settings.retryLimit,
                                                      [&lastError] (const RequestFrame::Reply& failed) {
                                                          if (! failed.opened)
                                                          {
                                                              Diagnostics::write ("[VersionApi] url create input stream is nullptr");
                                                              lastError = "failed to create input stream";
                                                              return;
                                                          }

                                                          RequestFrame::logFailure ("VersionApi", failed);
                                                          apiErrorResult error;
                                                          lastError = jsonToErrorResult (failed.text, error) ? error.externalMessage : failed.text;
                                                      });

    if (reply)
        RequestFrame::post<VersionApi> (*this, [] (VersionApi& api) { api.onVersionAccepted(); });
    else
        RequestFrame::post<VersionApi> (*this, [lastError] (VersionApi& api) { api.onVersionRejected (lastError); });
}
