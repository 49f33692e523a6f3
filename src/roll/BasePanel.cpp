#include "BasePanel.h"

BasePanel::BasePanel (vocalMetadata& s, Keyboard& k, juce::ScrollBar& bar)
    : Bars (s, k, bar)
{
}

BasePanel::~BasePanel() = default;
