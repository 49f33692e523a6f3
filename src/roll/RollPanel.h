#pragma once

#include "BasePanel.h"
#include "GridController.h"
#include "model/StateController.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The roll's background: a shaded row per pitch, grid lines, beat and bar lines; or the
// hint text while no score is loaded. Repaints when the keyboard scrolls or the grid changes.
class RollPanel : public BasePanel
    , public juce::ChangeListener
{
public:
    static constexpr juce::uint32 hintColour = 0xffffffe0;
    static constexpr juce::uint32 whiteRowColour = 0x33ffffff;
    static constexpr juce::uint32 blackRowColour = 0x33000000;
    static constexpr juce::uint32 rowLineColour = 0xff808080;
    static constexpr juce::uint32 gridLineColour = 0xff4f4f4f;
    static constexpr juce::uint32 beatLineColour = 0xff8e8e8e;
    static constexpr juce::uint32 barLineColour = 0xffffffff;

    RollPanel (vocalMetadata& score, Keyboard& keyboard, juce::ScrollBar& scrollBar, StateController& state, GridController& grid);
    ~RollPanel() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    // Where rows and lines end: above the region's scroll bar.
    float bottom() const;

    void paintRows (juce::Graphics& g) const;
    void paintGridLines (juce::Graphics& g) const;
    void paintBeatAndBarLines (juce::Graphics& g) const;

    StateController& state;
    GridController& grid;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RollPanel)
};
