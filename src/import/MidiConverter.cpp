#include "MidiConverter.h"

#include "model/Diagnostics.h"
#include "model/LyricRules.h"
#include "model/SaturatingInt.h"

#include <cmath>
#include <limits>

namespace
{
// A map that does not start at tick 0 gets the default value put in front of it.
template <typename Change>
juce::Array<Change> startingAtZero (const juce::Array<Change>& changes, const Change& atZero)
{
    if (! changes.isEmpty() && changes.getReference (0).time == 0)
        return changes;

    juce::Array<Change> result { atZero };
    result.addArray (changes);
    return result;
}
} // namespace

MidiConverter::MidiConverter (Settings& settingsRecord, TempoEditor& tempo, TimeSignatureEditor& meter)
    : MidiConverterApi (settingsRecord)
    , tempoEditor (tempo)
    , timeSignatureEditor (meter)
{
}

MidiConverter::~MidiConverter() = default;

void MidiConverter::onConverted (midiConverterResult& result)
{
    const auto problem = problemWith (result);

    if (problem.isNotEmpty())
    {
        Diagnostics::write ("[MidiConverter] converted score rejected: " + problem);

        if (onError)
            onError (problem);

        return;
    }

    applyConvertedScore (result, lyricsAtDrop);
}

juce::String MidiConverter::problemWith (const midiConverterResult& result)
{
    if (result.metadata.ticksPerBeat <= 0)
        return "invalid score: ticks per beat must be above 0, not " + juce::String (result.metadata.ticksPerBeat);

    for (const auto& change : result.metadata.tempoChanges)
        if (! (change.tempo > 0.0) || ! std::isfinite (change.tempo))
            return "invalid score: every tempo must be above 0, not " + juce::String (change.tempo);

    for (const auto& change : result.metadata.timeSignatureChanges)
        if (change.numerator <= 0 || change.denominator <= 0)
            return "invalid score: time signature " + juce::String (change.numerator) + "/" + juce::String (change.denominator);

    return {};
}

int MidiConverter::endTickOf (const midiConverterResult& result)
{
    const auto& header = result.metadata;
    const auto table = buildBarTable (header.ticksPerBeat, header.timeSignatureChanges);

    for (int i = table.size(); --i >= 0;)
    {
        const auto& row = table.getReference (i);

        if ((juce::int64) row.barIndex > (juce::int64) header.numberOfBars + 1)
            continue;

        if (row.denominator <= 0)
            return 0;

        const auto beat = (juce::int64) header.ticksPerBeat * 4 / row.denominator;
        const auto sixteenth = beat / juce::jmax (1, 16 / row.denominator);
        const auto end = row.tick + beat * (((juce::int64) header.numberOfBars - row.barIndex) * row.numerator - 1) - sixteenth;
        return SaturatingInt::fromInt64 (end);
    }

    return 0;
}

bool MidiConverter::applyConvertedScore (const midiConverterResult& result, const juce::String& lyrics)
{
    const auto problem = problemWith (result);

    if (problem.isNotEmpty())
    {
        Diagnostics::write ("[MidiConverter] score not applied: " + problem);
        return false;
    }

    const auto words = splitLyrics (lyrics);

    createVocalRequest request;
    request.metadata.ticksPerBeat = result.metadata.ticksPerBeat;
    request.metadata.numberOfBars = result.metadata.numberOfBars;
    request.metadata.timeSignatureChanges = startingAtZero (result.metadata.timeSignatureChanges, { 0, kDefaultNumerator, kDefaultDenominator });
    request.metadata.tempoChanges = startingAtZero (result.metadata.tempoChanges, { 0, kDefaultTempo });

    if (! result.instruments.isEmpty())
    {
        auto& instrument = request.instruments.getReference (0);
        instrument = result.instruments.getReference (0);

        for (int i = 0; i < instrument.notes.size() && i < words.size(); ++i)
            instrument.notes.getReference (i).word = words[i];
    }

    tempoEditor.setTempoChanges (result.metadata.ticksPerBeat, result.metadata.tempoChanges);
    timeSignatureEditor.setTimeSignatureChanges (result.metadata.timeSignatureChanges);

    if (onScoreReady)
        onScoreReady (endTickOf (result), request);

    return true;
}
