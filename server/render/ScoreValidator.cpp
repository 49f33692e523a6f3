#include "ScoreValidator.h"

#include "model/TempoMap.h"
#include "SpeechSynth.h"
#include "VocalRenderer.h"

namespace
{
bool isDenominator (int value)
{
    for (const auto allowed : { 1, 2, 4, 8, 16, 32, 64 })
        if (value == allowed)
            return true;

    return false;
}

juce::String noteLimitMessage (int count)
{
    return "the score has " + juce::String (count) + " notes, more than " + juce::String (ScoreValidator::maxNotes);
}
} // namespace

juce::String ScoreValidator::check (const createVocalRequest& request)
{
    if (SpeechSynth::voiceFor (request.model).isEmpty())
        return "voice.model \"" + request.model + "\" is not a known voice";

    if (request.encoding != kDefaultEncoding)
        return "audioConfig.encoding \"" + request.encoding + "\" is not supported (only \"WAV\")";

    if (request.sampleRate != kDefaultSampleRate)
        return "audioConfig.sampleRate \"" + request.sampleRate + "\" is not supported (only \"44.1K\")";

    const auto& metadata = request.metadata;

    if (metadata.ticksPerBeat < 1 || metadata.ticksPerBeat > maxTicksPerBeat)
        return "metadata.ticksPerBeat must be 1 to " + juce::String (maxTicksPerBeat) + ", not " + juce::String (metadata.ticksPerBeat);

    for (int i = 0; i < metadata.tempoChanges.size(); ++i)
    {
        const auto& change = metadata.tempoChanges.getReference (i);
        const auto where = "metadata.tempoChanges[" + juce::String (i) + "]";

        if (! (change.tempo > 0.0 && change.tempo <= maxTempo))
            return where + ".tempo must be above 0 and at most 1000, not " + juce::String (change.tempo);

        if (change.time < 0 || (i > 0 && change.time < metadata.tempoChanges.getReference (i - 1).time))
            return where + ".time must not be negative or before the previous change";
    }

    for (int i = 0; i < metadata.timeSignatureChanges.size(); ++i)
    {
        const auto& change = metadata.timeSignatureChanges.getReference (i);
        const auto where = "metadata.timeSignatureChanges[" + juce::String (i) + "]";

        if (change.numerator < 1 || change.numerator > maxNumerator)
            return where + ".numerator must be 1 to 255, not " + juce::String (change.numerator);

        if (! isDenominator (change.denominator))
            return where + ".denominator must be 1, 2, 4, 8, 16, 32 or 64, not " + juce::String (change.denominator);

        if (change.time < 0 || (i > 0 && change.time < metadata.timeSignatureChanges.getReference (i - 1).time))
            return where + ".time must not be negative or before the previous change";
    }

    int count = 0;

    for (int k = 0; k < request.instruments.size(); ++k)
    {
        const auto& notes = request.instruments.getReference (k).notes;

        if ((count += notes.size()) > maxNotes)
            return noteLimitMessage (count);

        for (int i = 0; i < notes.size(); ++i)
        {
            const auto& note = notes.getReference (i);
            const auto where = "instruments[" + juce::String (k) + "].notes[" + juce::String (i) + "]";

            if (note.start < 0 || note.start >= note.end)
                return where + " must start at 0 or later and before its end (start " + juce::String (note.start) + ", end "
                       + juce::String (note.end) + ")";

            if (note.pitch < 0 || note.pitch > 127)
                return where + ".pitch must be 0 to 127, not " + juce::String (note.pitch);
        }
    }

    if (const auto seconds = lengthInSeconds (request); seconds > maxSeconds)
        return "the vocal would last " + juce::String (seconds, 1) + " s, more than 15 minutes";

    return {};
}

double ScoreValidator::lengthInSeconds (const createVocalRequest& request)
{
    const auto map = TempoMap::build (request.metadata.ticksPerBeat, request.metadata.tempoChanges);
    int lastEnd = 0;

    for (const auto& instrument : request.instruments)
        for (const auto& note : instrument.notes)
            lastEnd = juce::jmax (lastEnd, note.end);

    return TempoMap::secondsAtTick (map, lastEnd, request.metadata.ticksPerBeat) + VocalRenderer::tailSeconds;
}
