#include "BarsController.h"

#include "model/Diagnostics.h"
#include "model/SaturatingInt.h"
#include "model/TempoMap.h"

namespace
{
juce::String twoDigits (int value) { return juce::String::formatted ("%02d", value); }
} // namespace

BarsController::BarsController (vocalMetadata& s, TimeSignatureEditor& t)
    : InputLabel (juce::String (0) + ":" + twoDigits (0) + ":" + twoDigits (0))
    , score (s)
    , timeSignatureEditor (t)
{
    editor->onReturnKey = [this] { commit(); };
}

BarsController::Position BarsController::parse (const juce::String& entry)
{
    Position position;
    const auto first = entry.indexOfChar (':');
    position.bar = leadingInt (first >= 0 ? entry.substring (0, first) : entry);

    if (first < 0)
        return position;

    const auto rest = entry.substring (first + 1);
    const auto second = rest.indexOfChar (':');
    position.beat = leadingInt (second >= 0 ? rest.substring (0, second) : rest);
    position.sixteenth = second >= 0 ? leadingInt (rest.substring (second + 1)) : 0;
    return position;
}

void BarsController::setPosition (int bar, int beat, int sixteenth)
{
    text = juce::String (bar) + ":" + twoDigits (beat) + ":" + twoDigits (sixteenth);
    repaint();
}

void BarsController::mouseDoubleClick (const juce::MouseEvent&)
{
    const auto position = parse (text);
    startEditing (juce::String (position.bar) + ":" + juce::String (position.beat) + ":" + juce::String (position.sixteenth));
}

void BarsController::commit()
{
    const auto [bar, beat, sixteenth] = parse (editor->getText());

    if (bar >= score.numberOfBars)
    {
        Diagnostics::write ("bars over numberOfBars: " + juce::String (bar) + "/" + juce::String (score.numberOfBars));
        finishEditing();
        return;
    }

    // Before the first score hand-over there is no table yet: the meter list gives one.
    const auto table = barTable.isEmpty() ? buildBarTable (score.ticksPerBeat, timeSignatureEditor.getTimeSignatureChanges()) : barTable;

    int rowIndex = -1;

    for (int i = table.size(); --i >= 0;)
    {
        if (table.getReference (i).barIndex < bar)
        {
            rowIndex = i;
            break;
        }
    }

    const auto& row = table.getReference (juce::jmax (0, rowIndex));

    if (row.numerator < beat)
    {
        Diagnostics::write ("beat over beat_max: " + juce::String (beat) + "/" + juce::String (row.numerator));
        finishEditing();
        return;
    }

    if (sixteenth > row.sixteenthsPerBeat)
    {
        Diagnostics::write ("beat over beat_max: " + juce::String (sixteenth) + "/" + juce::String (row.sixteenthsPerBeat));
        finishEditing();
        return;
    }

    setPosition (bar, beat, sixteenth);
    finishEditing();

    juce::int64 tick = 0;

    if (rowIndex >= 0 && row.denominator > 0 && row.sixteenthsPerBeat > 0)
    {
        const auto beatTicks = (juce::int64) score.ticksPerBeat * 4 / row.denominator;
        const auto sixteenthTicks = beatTicks / row.sixteenthsPerBeat;
        tick = row.tick + (juce::int64) (sixteenth - 1) * sixteenthTicks + ((juce::int64) beat - 1 + ((juce::int64) bar - row.barIndex - 1) * row.numerator) * beatTicks;
    }

    if (onPositionEntered)
        onPositionEntered (SaturatingInt::fromInt64 (tick));
}
