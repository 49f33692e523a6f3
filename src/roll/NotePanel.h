#pragma once

#include "BasePanel.h"
#include "Blocker.h"
#include "GridController.h"
#include "MidiNoteFactory.h"
#include "ModeController.h"
#include "NoteBox.h"
#include "NotePool.h"
#include "SelectedArea.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The transparent surface the notes live on. In draw mode a click makes a note; in select
// mode a drag draws a rubber band and a plain click places the play head; Backspace deletes
// the selected notes. It reports every change of the notes upward.
class NotePanel : public BasePanel
    , public juce::ChangeListener
    , public juce::KeyListener
{
public:
    static constexpr int initialNotes = 260;
    static constexpr int noteCapacity = 1000;
    static constexpr int growthStep = 10;

    NotePanel (Keyboard& keyboard, juce::ScrollBar& scrollBar, juce::TextEditor& lyrics, vocalMetadata& score, ModeController& mode, GridController& grid);
    ~NotePanel() override;

    std::function<void()> onNotesChanged;
    std::function<void (double)> onClickAt;

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;
    bool keyPressed (const juce::KeyPress& key, juce::Component* origin) override;
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void resized() override;

    // Places every note and the selection again (after scrolling, zooming, keyboard moves).
    void updateLayout();

    // Replaces every note; the words come from the lyrics again.
    void setNotes (const juce::Array<vocalNote>& records);

    void createNote (int start, int end, int pitch, const juce::String& word);

    // Select mode only: selects exactly the notes inside the selection rectangle.
    void selectInsideArea();

    Blocker blocker;
    NoteBox noteBox;
    std::unique_ptr<SelectedArea> selectedArea;

    const NotePool& getPool() const { return *pool; }

private:
    std::vector<std::shared_ptr<MidiNote>> selectedNotes() const;

    // Move offsets narrowed so every selected note stays at pitches 0..127 and ticks of 0
    // or more, keeping their relative places.
    std::pair<int, int> limitMove (int tickOffset, int pitchOffset) const;

    void moveSelected (int tickOffset, int pitchOffset, bool apply);

    ModeController& mode;
    GridController& grid;
    MidiNoteFactory factory;
    std::unique_ptr<NotePool> pool;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NotePanel)
};
