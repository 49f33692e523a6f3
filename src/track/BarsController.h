#pragma once

#include "InputLabel.h"
#include "model/BarTableRow.h"
#include "model/vocalMetadata.h"
#include "TimeSignatureEditor.h"

// The position read-out, bar:beat:sixteenth; an entry is checked against the score's
// bars and the meter of its bar, and turned into a tick.
class BarsController : public InputLabel
{
public:
    BarsController (vocalMetadata& score, TimeSignatureEditor& timeSignatureEditor);

    void mouseDoubleClick (const juce::MouseEvent& e) override;

    // Shows bar:beat:sixteenth with two-digit beat and sixteenth (3:02:01).
    void setPosition (int bar, int beat, int sixteenth);

    struct Position
    {
        int bar = 0, beat = 0, sixteenth = 0;
    };

    static Position parse (const juce::String& entry);

    std::function<void (int)> onPositionEntered;
    vocalMetadata& score;
    TimeSignatureEditor& timeSignatureEditor;
    juce::Array<BarTableRow> barTable;

private:
    void commit();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BarsController)
};
