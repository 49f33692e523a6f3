#pragma once

#include "createVocalRequest.h"

#include <juce_core/juce_core.h>

// Reads a whole score document of a request (voice, metadata, instruments, audioConfig)
// as the renderer and the service receive it. Unlike the program's lenient readers it
// insists on the types of every member and names the first one that is wrong, e.g.
// "instruments[0].notes[3].pitch is not an integer". Ranges are the renderer's concern.
class VocalRequestReader
{
public:
    // True when `text` holds a request; otherwise `error` says why and `request` is
    // left in an unspecified state.
    static bool read (const juce::String& text, createVocalRequest& request, juce::String& error);

    // The same for the bytes of a document as received. Bytes that are not valid UTF-8 are
    // refused before they become text, since the framework's string functions assume it.
    static bool read (const void* bytes, size_t size, createVocalRequest& request, juce::String& error);

    // The same for a document already parsed.
    static bool read (const juce::var& root, createVocalRequest& request, juce::String& error);

private:
    VocalRequestReader() = delete;
};
