#pragma once

#include "BasePanel.h"
#include "model/StateController.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The bar ruler along the roll's top: bar numbers, how far the rendered audio reaches,
// and a click that moves the play head.
class TimeLinePanel : public BasePanel
{
public:
    static constexpr juce::uint32 backgroundColour = 0xff000000;
    static constexpr juce::uint32 audioColour = 0xffdaa520;
    static constexpr juce::uint32 numberColour = 0xfffffdf6;

    TimeLinePanel (vocalMetadata& score, Keyboard& keyboard, juce::ScrollBar& scrollBar, StateController& state);
    ~TimeLinePanel() override;

    // Places the play head at the x of the click.
    std::function<void (double)> onClick;

    // Where the rendered audio ends; 0 when there is none.
    int audioEndTick = 0;

    void paint (juce::Graphics& g) override;
    void mouseUp (const juce::MouseEvent& e) override;

private:
    StateController& state;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TimeLinePanel)
};
