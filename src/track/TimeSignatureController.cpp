#include "TimeSignatureController.h"

#include "model/Diagnostics.h"

TimeSignatureController::TimeSignatureController (TimeSignatureEditor& t)
    : InputLabel (juce::String (4) + "/" + juce::String (4))
    , timeSignatureEditor (t)
{
    editor->onReturnKey = [this] { commit(); };
}

std::pair<int, int> TimeSignatureController::parse (const juce::String& entry)
{
    const auto slash = entry.indexOfChar ('/');
    const auto numerator = leadingInt (slash >= 0 ? entry.substring (0, slash) : entry);
    const auto denominator = slash >= 0 ? leadingInt (entry.substring (slash + 1)) : 0;
    return { numerator, denominator };
}

void TimeSignatureController::setText (const juce::String& newText)
{
    text = newText;
    repaint();
}

void TimeSignatureController::mouseDoubleClick (const juce::MouseEvent&)
{
    const auto [numerator, denominator] = parse (text);
    startEditing (juce::String (numerator) + "/" + juce::String (denominator));
}

void TimeSignatureController::commit()
{
    const auto [numerator, denominator] = parse (editor->getText());

    if (numerator < 1 || numerator > 255)
    {
        Diagnostics::write ("invalid numerator: " + juce::String (numerator));
        finishEditing();
        return;
    }

    if (denominator != 2 && denominator != 4 && denominator != 8 && denominator != 16 && denominator != 32)
    {
        Diagnostics::write ("invalid denominator: " + juce::String (denominator));
        finishEditing();
        return;
    }

    setText (juce::String (numerator) + "/" + juce::String (denominator));
    finishEditing();

    if (onTimeSignatureEntered)
        onTimeSignatureEntered (tick, numerator, denominator);
}
