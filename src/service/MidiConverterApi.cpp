#include "MidiConverterApi.h"

#include "model/Diagnostics.h"
#include "model/ScoreJson.h"
#include "RequestFrame.h"

MidiConverterApi::MidiConverterApi (Settings& s)
    : juce::Thread ("Async Converter API")
    , settings (s)
{
    // Made here, on the message thread, so the worker only ever copies it.
    juce::WeakReference<MidiConverterApi> { this };
}

MidiConverterApi::~MidiConverterApi()
{
    // The request itself is bounded by the frame's time-out.
    stopThread (-1);
    masterReference.clear();
}

void MidiConverterApi::run()
{
    const auto reportError = [this] (const juce::String& message) {
        RequestFrame::post<MidiConverterApi> (*this, [message] (MidiConverterApi& api) {
            if (api.onError)
                api.onError (message);
        });
    };

    if (midiData.isEmpty())
    {
        Diagnostics::write ("load midi memory block failed");
        reportError ("failed to load midi");
        return;
    }

    const RequestFrame::Upload upload { "midiFile", midiFile.getFileName(), "audio/midi", midiData };
    const auto reply = RequestFrame::send (juce::URL (settings.baseUrl + "/v1/midi/convert"), juce::URL::ParameterHandling::inPostData, {}, &upload);

    if (! reply.opened)
    {
        Diagnostics::write ("[MidiConverterApi] url create input stream is nullptr");
        reportError ("fire request failed");
        return;
    }

    if (reply.statusCode >= 300)
    {
        RequestFrame::logFailure ("MidiConverterApi", reply);
        apiErrorResult error;
        reportError (jsonToErrorResult (reply.text, error) ? error.externalMessage : reply.text);
        return;
    }

    midiConverterResult result;
    const auto parsed = jsonToMidiConverterResult (reply.text, result);

    if (parsed)
    {
        RequestFrame::post<MidiConverterApi> (*this, [text = reply.text] (MidiConverterApi& api) {
            if (api.onResponse)
                api.onResponse (text);
        });
    }

    RequestFrame::post<MidiConverterApi> (*this, [parsed, result] (MidiConverterApi& api) mutable {
        if (parsed)
            api.onConverted (result);
        else if (api.onError)
            api.onError ("failed to parse converter result");
    });
}
