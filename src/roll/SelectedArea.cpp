#include "SelectedArea.h"

#include "Keyboard.h"
#include "model/Diagnostics.h"

SelectedArea::SelectedArea (vocalMetadata& s, Keyboard& k, juce::ScrollBar& bar, GridController& g)
    : BasePanel (s, k, bar)
    , grid (g)
{
}

SelectedArea::~SelectedArea() = default;

void SelectedArea::placeFromRange()
{
    const auto x0 = xAtTick (startTick), x1 = xAtTick (endTick);
    const auto rowA = rowOfPitch (keyboard, firstPitch);
    const auto rowB = rowOfPitch (keyboard, secondPitch);

    float y, height;

    if (rowA.getStart() > rowB.getStart())
    {
        y = rowB.getStart();
        height = rowA.getLength() + (rowA.getStart() - rowB.getStart());
    }
    else
    {
        y = rowA.getStart();
        height = rowB.getLength() + (rowB.getStart() - rowA.getStart());
    }

    setBounds ((int) juce::jmin (x0, x1), (int) y, (int) std::abs (x1 - x0), (int) height);
}

void SelectedArea::mouseEnter (const juce::MouseEvent&) { setMouseCursor (juce::MouseCursor::UpDownLeftRightResizeCursor); }

void SelectedArea::mouseExit (const juce::MouseEvent&)
{
    setMouseCursor (getParentComponent() != nullptr ? getParentComponent()->getMouseCursor() : juce::MouseCursor());
}

void SelectedArea::mouseDown (const juce::MouseEvent& e)
{
    auto* parent = getParentComponent();
    const auto y = parent != nullptr ? e.getEventRelativeTo (parent).position.y : e.position.y;

    pitchAtPress = YtoPitch (keyboard, y);
    startTickAtPress = startTick;
    endTickAtPress = endTick;
    firstPitchAtPress = firstPitch;
    secondPitchAtPress = secondPitch;

    if (onPress)
        onPress();
}

void SelectedArea::mouseDrag (const juce::MouseEvent& e)
{
    const auto drag = dragPositionOnParent (e, grid.division());

    if (! drag)
        return;

    auto tickOffset = drag->cell.start - drag->pressCellStart;
    auto pitchOffset = YtoPitch (keyboard, drag->pointer.y) - pitchAtPress;

    if (limitMove)
        std::tie (tickOffset, pitchOffset) = limitMove (tickOffset, pitchOffset);

    Diagnostics::write ("try to move selected area => offsetTick:" + juce::String (tickOffset) + " ,offsetPitch:" + juce::String (pitchOffset) + ")");

    firstPitch = firstPitchAtPress + pitchOffset;
    secondPitch = secondPitchAtPress + pitchOffset;
    startTick = startTickAtPress + tickOffset;
    endTick = endTickAtPress + tickOffset;

    placeFromRange();

    if (onMove)
        onMove (tickOffset, pitchOffset);
}

void SelectedArea::mouseUp (const juce::MouseEvent&)
{
    const auto tickOffset = startTick - startTickAtPress;
    const auto pitchOffset = firstPitch - firstPitchAtPress;

    if ((tickOffset != 0 || pitchOffset != 0) && onRelease)
        onRelease (tickOffset, pitchOffset);
}

void SelectedArea::paint (juce::Graphics& g)
{
    g.setColour (juce::Colour (outlineColour));
    g.drawRect (getLocalBounds(), 1);
    g.setColour (juce::Colour (fillColour));
    g.fillRect (getLocalBounds());
}
