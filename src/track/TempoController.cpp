#include "TempoController.h"

TempoController::TempoController (TempoEditor& t)
    : InputLabel ("120")
    , tempoEditor (t)
{
    editor->onReturnKey = [this] { commit(); };
}

void TempoController::setText (const juce::String& newText)
{
    text = newText;
    repaint();
}

void TempoController::commit()
{
    auto bpm = leadingInt (editor->getText());

    if (bpm < minimumTempo + 1)
        bpm = minimumTempo;
    else if (bpm > maximumTempo)
        bpm = maximumTempo;

    setText (juce::String (bpm));
    finishEditing();

    if (onTempoEntered)
        onTempoEntered (tick, bpm);
}
