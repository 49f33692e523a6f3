#pragma once

#include "apiErrorResult.h"
#include "createVocalRequest.h"
#include "midiConverterResult.h"
#include "vocalResult.h"

#include <juce_core/juce_core.h>

// The one JSON layout of a score (request body, score file, conversion reply) and the
// job and error documents. Readers never throw: they return false and write a diagnostic.

// The score document of a request, members in their fixed order. Every instrument is
// written with the program "vocal_leadsheet", whatever its own program says.
juce::var vocalRequestToJson (const createVocalRequest& request);

// The document as the text that is posted and saved (multi-line, at most 15 decimals).
juce::String vocalRequestToJsonText (const createVocalRequest& request);

// Deeper documents are refused before parsing.
inline constexpr int kMaxJsonNesting = 64;

// Parses text that must be a JSON object, writing nothing to the diagnostics.
juce::Result parseJsonObjectQuietly (const juce::String& text, juce::var& result);

// The service's replies, on one line each: a converted score (metadata and instruments),
// a job document and an error document.
juce::String midiConverterResultToJsonText (const midiConverterResult& score);
juce::String vocalResultToJsonText (const vocalResult& job);
juce::String errorResultToJsonText (const apiErrorResult& error);

// True only when the text is valid JSON whose top level is an object.
bool parseJsonObject (const juce::String& text, juce::var& result);

// Reads a job document; true when the text is a JSON object.
bool jsonToVocalResult (const juce::String& text, vocalResult& result);

// Appends the header and instruments of a score document to `result`; true when the text
// is a JSON object. A `metadata` that is not an object leaves the header as it was.
bool jsonToMidiConverterResult (const juce::String& text, midiConverterResult& result);

// Reads an error document; true only when the text is a JSON object with a non-empty
// `externalMessage`, so callers know whether to show it or a fallback text.
bool jsonToErrorResult (const juce::String& text, apiErrorResult& result);
