#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The window's whole content: the composition root that owns and places every panel.
class MainView : public juce::Component
{
public:
    static constexpr int initialWidth = 1000;
    static constexpr int initialHeight = 780;

    MainView();
    ~MainView() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainView)
};
