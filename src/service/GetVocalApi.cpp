#include "GetVocalApi.h"

#include "model/Diagnostics.h"
#include "model/ScoreJson.h"
#include "RequestFrame.h"

GetVocalApi::GetVocalApi (Settings& s)
    : settings (s)
{
}

std::optional<vocalResult> GetVocalApi::poll (const juce::String& uid)
{
    const auto reply = RequestFrame::sendWithRetries (juce::URL (settings.baseUrl + "/v1/vocal/" + uid),
                                                      juce::URL::ParameterHandling::inAddress,
                                                      settings.retryLimit,
                                                      [] (const RequestFrame::Reply& failed) {
                                                          if (! failed.opened)
                                                              Diagnostics::write ("[GetVocalApi] url create input stream is nullptr");
                                                          else
                                                              RequestFrame::logFailure ("GetVocalApi", failed);
                                                      });

    if (! reply)
    {
        Diagnostics::write ("over retry limit");
        return std::nullopt;
    }

    vocalResult job;

    if (! jsonToVocalResult (reply->text, job))
        return std::nullopt;

    return job;
}
