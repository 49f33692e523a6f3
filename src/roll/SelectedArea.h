#pragma once

#include "BasePanel.h"
#include "GridController.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The rubber-band rectangle on the note surface: a tick range and a range of pitch rows.
// Dragging it moves the selected notes; they are only shown displaced until the release.
class SelectedArea : public BasePanel
{
public:
    static constexpr juce::uint32 outlineColour = 0xff555555;
    static constexpr juce::uint32 fillColour = 0x4cffffff;

    SelectedArea (vocalMetadata& score, Keyboard& keyboard, juce::ScrollBar& scrollBar, GridController& grid);
    ~SelectedArea() override;

    // Sets the bounds from the ranges: both pitch rows whole and everything between.
    void placeFromRange();

    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

    int startTick = 0, endTick = 0;
    int firstPitch = 0, secondPitch = 0;

    std::function<void (int, int)> onMove;
    std::function<void()> onPress;
    std::function<void (int, int)> onRelease;

    // Narrows a move so that the notes it carries stay within the score's ticks and pitches.
    std::function<std::pair<int, int> (int, int)> limitMove;

private:
    GridController& grid;
    int pitchAtPress = 0;
    int startTickAtPress = 0, endTickAtPress = 0;
    int firstPitchAtPress = 0, secondPitchAtPress = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SelectedArea)
};
