#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The grid selector: how many cells a whole note has, for every snap of the roll.
// A change of choice is broadcast (asynchronously) so the roll can repaint its grid.
class GridController : public juce::Component
    , public juce::ChangeBroadcaster
{
public:
    static constexpr int offId = 100000;

    GridController();
    ~GridController() override;

    // Cells per whole note, or 0 when the grid is off.
    int division() const;

    void resized() override;

    juce::ComboBox comboBox;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (GridController)
};
