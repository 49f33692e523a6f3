#include "TimeLinePanel.h"

#include "MeterWalk.h"

TimeLinePanel::TimeLinePanel (vocalMetadata& s, Keyboard& k, juce::ScrollBar& bar, StateController& st)
    : BasePanel (s, k, bar)
    , state (st)
{
}

TimeLinePanel::~TimeLinePanel() = default;

void TimeLinePanel::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (backgroundColour));

    if (state.get() != StateController::loaded)
        return;

    if (audioEndTick > 0)
    {
        if (const auto x = xAtTick (audioEndTick); x > 0.0)
        {
            g.setColour (juce::Colour (audioColour));
            g.fillRect (0.0f, 0.0f, (float) x, (float) getHeight());
        }
    }

    g.setFont (10.0f);
    g.setColour (juce::Colour (numberColour));
    const auto visibleStart = scrollBar.getCurrentRangeStart();

    MeterWalk::forEachBar (*this, visibleStart + scrollBar.getCurrentRangeSize(), [&] (juce::int64 barStart, const timeSignatureChange&, juce::int64) {
        if ((double) barStart >= visibleStart)
            g.drawText (juce::String (barNumberAt ((int) barStart)),
                        juce::Rectangle<double> (xAtTick ((int) barStart) + 2.0, 3.0, 30.0, (double) getHeight()).toFloat(),
                        juce::Justification::topLeft,
                        true);
        return true;
    });
}

void TimeLinePanel::mouseUp (const juce::MouseEvent& e)
{
    if (onClick)
        onClick ((double) e.position.x);
}
