#include "TimeSignatureEditor.h"

void TimeSignatureEditor::setTimeSignatureChanges (juce::Array<timeSignatureChange> changes)
{
    timeSignatureChanges = std::move (changes);
}

void TimeSignatureEditor::setSingleTimeSignature (int numerator, int denominator)
{
    timeSignatureChanges = { timeSignatureChange { 0, numerator, denominator } };

    if (onChange)
        onChange();
}

TempoMap::Meter TimeSignatureEditor::meterAt (int tick) const { return TempoMap::meterAt (timeSignatureChanges, tick); }
