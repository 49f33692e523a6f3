#pragma once

#include "BasePanel.h"
#include "GridController.h"
#include "model/vocalNote.h"
#include "NoteBoxUpdater.h"

#include <juce_gui_basics/juce_gui_basics.h>

// One note of the score, shown and edited as its own component on the note surface:
// pressed to select it, dragged to move it, stretched at either end.
class MidiNote : public BasePanel
{
public:
    static constexpr int normal = 0;
    static constexpr int selected = 1;
    static constexpr int locked = 2;

    static constexpr juce::uint32 normalColour = 0xffad4a00;
    static constexpr juce::uint32 selectedColour = 0xff0000ff;
    static constexpr juce::uint32 lockedColour = 0xff68635f;

    MidiNote (vocalMetadata& score, Keyboard& keyboard, juce::ScrollBar& scrollBar, NoteBoxUpdater& updater, GridController& grid);
    ~MidiNote() override;

    void mouseMove (const juce::MouseEvent& e) override;
    void mouseEnter (const juce::MouseEvent& e) override;
    void mouseExit (const juce::MouseEvent& e) override;
    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    void paint (juce::Graphics& g) override;

    // The smallest whole-pixel rectangle holding the note at these ticks and pitch.
    juce::Rectangle<int> boundsFor (int startTick, int endTick, int notePitch) const;

    // Places the note from its own ticks and pitch.
    void reposition();

    vocalNote toRecord() const { return { start, end, word, pitch }; }

    int start = 0;
    int end = 0;
    int pitch = 0;
    juce::String word;
    NoteBoxUpdater* updater;
    GridController& grid;
    int state = normal;
    float edgeWidth = 10.0f;
    int startAtPress = 0;
    int endAtPress = 0;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiNote)
};
