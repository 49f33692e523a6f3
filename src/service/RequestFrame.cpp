#include "RequestFrame.h"

#include "model/Diagnostics.h"

RequestFrame::Reply RequestFrame::send (const juce::URL& url, juce::URL::ParameterHandling handling, const juce::String& headers)
{
    Reply reply;

    auto options = juce::URL::InputStreamOptions (handling)
                       .withConnectionTimeoutMs (timeoutMs)
                       .withNumRedirectsToFollow (maxRedirects)
                       .withExtraHeaders (headers)
                       .withStatusCode (&reply.statusCode);

    if (auto stream = url.createInputStream (options))
    {
        reply.opened = true;
        reply.text = stream->readEntireStreamAsString();
    }

    return reply;
}

std::optional<RequestFrame::Reply> RequestFrame::sendWithRetries (const juce::URL& url,
                                                                  juce::URL::ParameterHandling handling,
                                                                  int attempts,
                                                                  const std::function<void (const Reply&)>& onFailedAttempt)
{
    for (int attempt = 0; attempt < attempts; ++attempt)
    {
        auto reply = send (url, handling);

        if (reply.succeeded())
            return reply;

        if (onFailedAttempt)
            onFailedAttempt (reply);
    }

    return std::nullopt;
}

void RequestFrame::logFailure (const juce::String& tag, const Reply& reply)
{
    Diagnostics::write ("[" + tag + "] failed, status_code: " + juce::String (reply.statusCode) + " reason: " + reply.text);
}
