#include "BasePanel.h"

BasePanel::BasePanel (vocalMetadata& s, Keyboard& k, juce::ScrollBar& bar)
    : Bars (s, k, bar)
{
}

BasePanel::~BasePanel() = default;

std::optional<BasePanel::DragPosition> BasePanel::dragPositionOnParent (const juce::MouseEvent& e, int division)
{
    auto* parent = getParentComponent();

    if (parent == nullptr)
        return std::nullopt;

    const auto pointer = e.getEventRelativeTo (parent).position;
    const auto pressX = pointer.x - (e.position.x - e.mouseDownPosition.x);
    return DragPosition { pointer, gridCell (tickAtX (pressX), division).start, gridCell (tickAtX (pointer.x), division) };
}
