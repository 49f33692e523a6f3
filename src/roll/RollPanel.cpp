#include "RollPanel.h"

#include "Keyboard.h"
#include "MeterWalk.h"
#include "style/StyleResources.h"

RollPanel::RollPanel (vocalMetadata& s, Keyboard& k, juce::ScrollBar& bar, StateController& st, GridController& g)
    : BasePanel (s, k, bar)
    , state (st)
    , grid (g)
{
}

RollPanel::~RollPanel() = default;

void RollPanel::resized() {}

void RollPanel::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &keyboard || source == &grid)
        repaint();
}

float RollPanel::bottom() const { return (float) (getHeight() - scrollBar.getHeight()); }

void RollPanel::paint (juce::Graphics& g)
{
    if (state.get() != StateController::loaded)
    {
        g.setColour (juce::Colour (hintColour));
        g.setFont (StyleResources::hintFont());
        g.drawFittedText (state.get() == StateController::converting ? "LOADING..." : "DRAG THE MIDI FILE",
                          getLocalBounds(),
                          juce::Justification::centred,
                          1);
        return;
    }

    paintRows (g);

    if (grid.division() != 0)
        paintGridLines (g);

    paintBeatAndBarLines (g);
}

void RollPanel::paintRows (juce::Graphics& g) const
{
    if (getWidth() < 1 || getHeight() < 1)
        return;

    const auto width = (float) getWidth();
    const auto panel = getLocalBounds().toFloat();

    for (int pitch = 0; pitch <= 127; ++pitch)
    {
        const auto key = keyboard.getRectangleForKey (pitch);

        if (key.isEmpty() || ! key.intersects (panel))
            continue;

        const auto row = rowOfPitch (keyboard, pitch);
        auto top = row.getStart();
        auto height = row.getLength();

        if (top > bottom() || top + height < 0.0f)
            continue;

        if (top + height > bottom())
            height = bottom() - top;

        if (top < 0.0f && height + top > 0.0f)
        {
            height += top;
            top = 0.0f;
        }

        g.setColour (juce::Colour (Keyboard::isBlackKey (pitch) ? blackRowColour : whiteRowColour));
        g.fillRect (0.0f, top, width, height);
        g.setColour (juce::Colour (rowLineColour));
        g.drawHorizontalLine (juce::roundToInt (top), 0.0f, width);
    }
}

void RollPanel::paintGridLines (juce::Graphics& g) const
{
    const auto division = grid.division();
    const auto visibleStart = scrollBar.getCurrentRangeStart();
    const auto visibleEnd = visibleStart + scrollBar.getCurrentRangeSize();
    g.setColour (juce::Colour (gridLineColour));

    MeterWalk::forEachBar (*this, visibleEnd, [&] (juce::int64 barStart, const timeSignatureChange& meter, juce::int64 barLength) {
        const auto step = barLength / meter.numerator * meter.denominator / division;

        // Bars wholly left of the view draw nothing that would show.
        if (step <= 0 || barStart + barLength < visibleStart)
            return step > 0;

        for (auto u = barStart; u < barStart + barLength; u += step)
            g.drawVerticalLine (juce::roundToInt (xAtTick ((int) u)), 0.0f, bottom());

        return true;
    });
}

void RollPanel::paintBeatAndBarLines (juce::Graphics& g) const
{
    const auto visibleStart = scrollBar.getCurrentRangeStart();
    const auto visibleEnd = visibleStart + scrollBar.getCurrentRangeSize();

    MeterWalk::forEachBeat (*this, visibleEnd, [&] (juce::int64 tick, bool onBarLine) {
        if ((double) tick >= visibleStart)
        {
            g.setColour (juce::Colour (onBarLine ? barLineColour : beatLineColour));
            g.drawVerticalLine (juce::roundToInt (xAtTick ((int) tick)), 0.0f, bottom());
        }
    });
}
