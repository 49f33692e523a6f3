#pragma once

#include "model/TempoMap.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Holds the score's time-signature changes. Draws nothing.
class TimeSignatureEditor : public juce::Component
{
public:
    TimeSignatureEditor() = default;
    ~TimeSignatureEditor() override = default;

    // Fired after a user edit, never after a score is loaded.
    std::function<void()> onChange;

    // A whole score's meter list. Does not fire onChange.
    void setTimeSignatureChanges (juce::Array<timeSignatureChange> changes);

    // The user's edit: one meter for the whole score, then onChange.
    void setSingleTimeSignature (int numerator, int denominator);

    TempoMap::Meter meterAt (int tick) const;

    const juce::Array<timeSignatureChange>& getTimeSignatureChanges() const { return timeSignatureChanges; }

private:
    juce::Array<timeSignatureChange> timeSignatureChanges;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TimeSignatureEditor)
};
