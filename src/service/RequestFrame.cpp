#include "RequestFrame.h"

#include "model/Diagnostics.h"

#include <httplib.h>

RequestFrame::Reply RequestFrame::send (const juce::URL& url, juce::URL::ParameterHandling handling, const juce::String& headers, const Upload* upload)
{
    Reply reply;
    const auto scheme = url.getScheme().toLowerCase();

    if ((scheme != "http" && scheme != "https") || url.getDomain().isEmpty())
        return reply;

    auto origin = scheme + "://" + url.getDomain();

    if (url.getPort() > 0)
        origin << ":" << url.getPort();

    httplib::Client client (origin.toStdString());
    const auto seconds = timeoutMs / 1000;
    client.set_connection_timeout (seconds, 0);
    client.set_read_timeout (seconds, 0);
    client.set_write_timeout (seconds, 0);
    client.set_follow_location (true);

    httplib::Headers extra;

    for (const auto& line : juce::StringArray::fromLines (headers))
        if (line.containsChar (':'))
            extra.emplace (line.upToFirstOccurrenceOf (":", false, false).trim().toStdString(), line.fromFirstOccurrenceOf (":", false, false).trim().toStdString());

    const auto path = ("/" + url.getSubPath (handling == juce::URL::ParameterHandling::inAddress)).toStdString();
    const auto postData = url.getPostDataAsMemoryBlock();
    httplib::Result result { nullptr, httplib::Error::Unknown };

    if (upload != nullptr)
    {
        const httplib::MultipartFormDataItems items {
            { upload->fieldName.toStdString(), upload->data.isEmpty() ? std::string() : std::string (static_cast<const char*> (upload->data.getData()), upload->data.getSize()), upload->fileName.toStdString(), upload->mimeType.toStdString() }
        };
        result = client.Post (path, extra, items);
    }
    else if (! postData.isEmpty())
    {
        auto contentType = extra.find ("Content-Type");
        const auto type = contentType != extra.end() ? contentType->second : std::string ("application/x-www-form-urlencoded");

        if (contentType != extra.end())
            extra.erase (contentType);

        result = client.Post (path, extra, static_cast<const char*> (postData.getData()), postData.getSize(), type);
    }
    else
    {
        result = client.Get (path, extra);
    }

    if (result)
    {
        reply.opened = true;
        reply.statusCode = result->status;
        reply.text = juce::String::fromUTF8 (result->body.data(), (int) result->body.size());
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
