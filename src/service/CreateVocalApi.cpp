#include "CreateVocalApi.h"

#include "model/Diagnostics.h"
#include "model/ScoreJson.h"
#include "RequestFrame.h"

CreateVocalApi::CreateVocalApi (Settings& s)
    : juce::Thread ("Async Create Vocal API")
    , settings (s)
{
    // Made here, on the message thread, so the worker only ever copies it.
    juce::WeakReference<CreateVocalApi> { this };
}

CreateVocalApi::~CreateVocalApi()
{
    stopThread (1000);
    masterReference.clear();
}

void CreateVocalApi::run()
{
    const auto reportError = [this] (const juce::String& message) {
        RequestFrame::post<CreateVocalApi> (*this, [message] (CreateVocalApi& api) { api.onCreateVocalError (message); });
    };

    Diagnostics::write ("[CreateVocalApi] start");
    const auto body = vocalRequestToJsonText (request);
    Diagnostics::write ("[CreateVocalApi] body: " + body);

    const auto url = juce::URL (settings.baseUrl + "/v1/vocal").withPOSTData (juce::MemoryBlock (body.toRawUTF8(), body.getNumBytesAsUTF8()));
    Diagnostics::write ("[CreateVocalApi] fire request");
    const auto reply = RequestFrame::send (url, juce::URL::ParameterHandling::inPostData, "Content-Type: application/json");

    if (! reply.opened)
    {
        Diagnostics::write ("[CreateVocalApi] url create input stream is nullptr");
        reportError ("fire create vocal request failed");
        return;
    }

    Diagnostics::write ("[CreateVocalApi] get response");

    if (reply.statusCode == 403)
    {
        reportError (juce::String (juce::CharPointer_UTF8 ("請到官網同意使用者條款")));
        return;
    }

    if (reply.statusCode < 300)
    {
        vocalResult job;
        const auto parsed = jsonToVocalResult (reply.text, job);

        RequestFrame::post<CreateVocalApi> (*this, [parsed, job] (CreateVocalApi& api) {
            if (parsed)
                api.onCreateVocalSuccess (job);
            else
                api.onCreateVocalError ("failed to parse create vocal result");
        });
        return;
    }

    RequestFrame::logFailure ("CreateVocalApi", reply);
    apiErrorResult error;
    const auto usable = jsonToErrorResult (reply.text, error);
    reportError (usable ? error.externalMessage : error.message);
}
