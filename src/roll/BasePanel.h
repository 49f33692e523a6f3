#pragma once

#include "Bars.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <optional>

// A panel of the piano roll: a component that shares the roll's tick and pitch geometry.
class BasePanel : public juce::Component
    , public Bars
{
public:
    BasePanel (vocalMetadata& score, Keyboard& keyboard, juce::ScrollBar& scrollBar);
    ~BasePanel() override;

    // Where a drag of this child stands on its parent: the pointer, and the grid cells
    // under the press point and under the pointer. Nothing without a parent.
    struct DragPosition
    {
        juce::Point<float> pointer;
        int pressCellStart = 0;
        GridCell cell;
    };

    std::optional<DragPosition> dragPositionOnParent (const juce::MouseEvent& e, int division);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePanel)
};
