#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Covers the note surface while a vocal is generated and swallows every mouse event and
// key press, so nothing is edited under a running job.
class Blocker : public juce::Component
    , public juce::KeyListener
{
public:
    Blocker();
    ~Blocker() override;

    void mouseMove (const juce::MouseEvent&) override {}
    void mouseEnter (const juce::MouseEvent&) override {}
    void mouseExit (const juce::MouseEvent&) override {}
    void mouseDown (const juce::MouseEvent&) override {}
    void mouseDrag (const juce::MouseEvent&) override {}
    void mouseUp (const juce::MouseEvent&) override {}
    void mouseDoubleClick (const juce::MouseEvent&) override {}

    bool keyPressed (const juce::KeyPress& key, juce::Component* origin) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Blocker)
};
