#pragma once

#include "Bars.h"

#include <juce_gui_basics/juce_gui_basics.h>

// A panel of the piano roll: a component that shares the roll's tick and pitch geometry.
class BasePanel : public juce::Component
    , public Bars
{
public:
    BasePanel (vocalMetadata& score, Keyboard& keyboard, juce::ScrollBar& scrollBar);
    ~BasePanel() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePanel)
};
