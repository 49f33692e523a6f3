#pragma once

#include "InputLabel.h"
#include "TimeSignatureEditor.h"

// The meter read-out: numerator 1..255 over 2, 4, 8, 16 or 32.
class TimeSignatureController : public InputLabel
{
public:
    explicit TimeSignatureController (TimeSignatureEditor& timeSignatureEditor);

    void mouseDoubleClick (const juce::MouseEvent& e) override;
    void setText (const juce::String& newText);

    // numerator/denominator; a missing part reads as 0.
    static std::pair<int, int> parse (const juce::String& entry);

    std::function<void (int, int, int)> onTimeSignatureEntered;
    TimeSignatureEditor& timeSignatureEditor;
    int tick = 0;

private:
    void commit();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TimeSignatureController)
};
