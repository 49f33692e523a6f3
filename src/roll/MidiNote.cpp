#include "MidiNote.h"

#include "Keyboard.h"

MidiNote::MidiNote (vocalMetadata& s, Keyboard& k, juce::ScrollBar& bar, NoteBoxUpdater& u, GridController& g)
    : BasePanel (s, k, bar)
    , updater (&u)
    , grid (g)
{
}

MidiNote::~MidiNote() = default;

void MidiNote::mouseMove (const juce::MouseEvent& e)
{
    // The cursor chosen here decides what the next drag does.
    if (e.position.x < edgeWidth)
        setMouseCursor (juce::MouseCursor::LeftEdgeResizeCursor);
    else if (e.position.x > (float) getWidth() - edgeWidth)
        setMouseCursor (juce::MouseCursor::RightEdgeResizeCursor);
    else
        setMouseCursor (juce::MouseCursor::NormalCursor);
}

void MidiNote::mouseEnter (const juce::MouseEvent&) {}

void MidiNote::mouseExit (const juce::MouseEvent&) { setMouseCursor (juce::MouseCursor::NormalCursor); }

void MidiNote::mouseDown (const juce::MouseEvent&)
{
    startAtPress = start;
    endAtPress = end;
    updater->selectInRange (start, end, pitch, pitch);
}

void MidiNote::mouseDrag (const juce::MouseEvent& e)
{
    const auto drag = dragPositionOnParent (e, grid.division());

    if (! drag)
        return;

    const auto& cell = drag->cell;
    const auto cursorInForce = getMouseCursor();

    if (cursorInForce == juce::MouseCursor::LeftEdgeResizeCursor)
    {
        if (cell.start >= end)
            return;

        start = cell.start;
    }
    else if (cursorInForce == juce::MouseCursor::RightEdgeResizeCursor)
    {
        if (start >= cell.end)
            return;

        end = cell.end;
    }
    else
    {
        const auto newPitch = YtoPitch (keyboard, drag->pointer.y);

        // A note is never moved to before the start of the score.
        const auto delta = juce::jmax (cell.start - drag->pressCellStart, -startAtPress);
        const auto newStart = startAtPress + delta;

        if (newPitch == pitch && newStart == start)
            return;

        pitch = newPitch;
        start = newStart;
        end = endAtPress + delta;
    }

    reposition();
}

void MidiNote::mouseUp (const juce::MouseEvent& e)
{
    if ((int) e.position.getDistanceFrom (e.mouseDownPosition) >= 1)
        updater->update();
}

void MidiNote::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (state == selected ? selectedColour : state == locked ? lockedColour
                                                                                  : normalColour));
    g.setColour (juce::Colours::white);
    g.drawText (word, getLocalBounds(), juce::Justification::centred, true);
}

juce::Rectangle<int> MidiNote::boundsFor (int startTick, int endTick, int notePitch) const
{
    const auto row = rowOfPitch (keyboard, notePitch);
    const auto left = xAtTick (startTick);
    return juce::Rectangle<double> (left, row.getStart(), xAtTick (endTick) - left, row.getLength()).getSmallestIntegerContainer();
}

void MidiNote::reposition() { setBounds (boundsFor (start, end, pitch)); }
