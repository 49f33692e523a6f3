#include "NotePanel.h"

#include "Keyboard.h"
#include "model/Diagnostics.h"

NotePanel::NotePanel (Keyboard& k, juce::ScrollBar& bar, juce::TextEditor& lyrics, vocalMetadata& s, ModeController& m, GridController& g)
    : BasePanel (s, k, bar)
    , noteBox (lyrics)
    , mode (m)
    , grid (g)
    , factory (noteBox, g, k, bar, s)
{
    noteBox.addChangeListener (this);

    pool = std::make_unique<NotePool> (factory, initialNotes, growthStep);
    pool->fill (initialNotes);
    pool->setCapacity (noteCapacity);

    selectedArea = std::make_unique<SelectedArea> (s, k, bar, g);
    selectedArea->onPress = [this] {
        if (mode.mode.load() == ModeController::selectMode)
            selectInsideArea();
    };
    selectedArea->onMove = [this] (int ticks, int pitches) { moveSelected (ticks, pitches, false); };
    selectedArea->onRelease = [this] (int ticks, int pitches) { moveSelected (ticks, pitches, true); };
    selectedArea->limitMove = [this] (int ticks, int pitches) { return limitMove (ticks, pitches); };
    addAndMakeVisible (*selectedArea);

    setWantsKeyboardFocus (true);
    addKeyListener (this);
}

NotePanel::~NotePanel()
{
    removeKeyListener (this);
    noteBox.removeChangeListener (this);

    // The notes are children; they go before the panel does.
    removeAllChildren();
}

std::vector<std::shared_ptr<MidiNote>> NotePanel::selectedNotes() const
{
    std::vector<std::shared_ptr<MidiNote>> chosen;

    for (const auto& note : noteBox.notes)
        if (note->state == MidiNote::selected)
            chosen.push_back (note);

    return chosen;
}

std::pair<int, int> NotePanel::limitMove (int tickOffset, int pitchOffset) const
{
    const auto chosen = selectedNotes();

    if (chosen.empty())
        return { tickOffset, pitchOffset };

    int earliest = std::numeric_limits<int>::max(), lowest = 127, highest = 0;

    for (const auto& note : chosen)
    {
        earliest = juce::jmin (earliest, note->start);
        lowest = juce::jmin (lowest, note->pitch);
        highest = juce::jmax (highest, note->pitch);
    }

    return { juce::jmax (tickOffset, -juce::jmax (0, earliest)), juce::jlimit (-lowest, 127 - highest, pitchOffset) };
}

void NotePanel::moveSelected (int tickOffset, int pitchOffset, bool apply)
{
    if (! apply)
        Diagnostics::write ("selectedArea => offsetTick:" + juce::String (tickOffset) + ", offsetPitch:" + juce::String (pitchOffset));

    for (auto& note : selectedNotes())
    {
        if (apply)
        {
            note->start += tickOffset;
            note->end += tickOffset;
            note->pitch += pitchOffset;
            note->reposition();
        }
        else
        {
            note->setBounds (note->boundsFor (note->start + tickOffset, note->end + tickOffset, note->pitch + pitchOffset));
        }
    }

    if (apply)
        noteBox.update();
}

void NotePanel::mouseDown (const juce::MouseEvent& e)
{
    if (mode.mode.load() != ModeController::selectMode)
        return;

    selectedArea->startTick = selectedArea->endTick = tickAtX (e.position.x);
    selectedArea->firstPitch = selectedArea->secondPitch = YtoPitch (keyboard, e.position.y - 2.4f);
    selectInsideArea();
}

void NotePanel::mouseDrag (const juce::MouseEvent& e)
{
    if (mode.mode.load() != ModeController::selectMode)
        return;

    const auto division = grid.division();
    const auto press = gridCell (tickAtX (e.mouseDownPosition.x), division);
    const auto current = gridCell (tickAtX (e.position.x), division);

    if (current.end < press.end)
    {
        selectedArea->startTick = current.start;
        selectedArea->endTick = press.end;
    }
    else
    {
        selectedArea->startTick = press.start;
        selectedArea->endTick = current.end;
    }

    selectedArea->secondPitch = YtoPitch (keyboard, e.position.y);
    selectInsideArea();
}

void NotePanel::mouseUp (const juce::MouseEvent& e)
{
    if (mode.mode.load() == ModeController::drawMode)
    {
        const auto pitch = YtoPitch (keyboard, e.position.y);
        const auto cell = gridCell (tickAtX (e.position.x), grid.division());
        createNote (cell.start, cell.end, pitch, {});
        noteBox.update();
        Diagnostics::write ("create note => pitch:" + juce::String (pitch) + ", startTick:" + juce::String (cell.start) + ", endTick:" + juce::String (cell.end));
    }
    else if ((int) e.position.getDistanceFrom (e.mouseDownPosition) == 0 && onClickAt)
    {
        onClickAt ((double) e.position.x);
    }

    Diagnostics::write ("mouse up");
}

bool NotePanel::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    Diagnostics::write ("key press: " + key.getTextDescription());

    const auto modifiers = key.getModifiers();

    if (key.getKeyCode() != juce::KeyPress::backspaceKey || modifiers.isShiftDown() || modifiers.isCtrlDown()
        || modifiers.isAltDown() || modifiers.isCommandDown())
        return false;

    const auto chosen = selectedNotes();

    if (chosen.empty())
        return true;

    for (const auto& note : chosen)
    {
        note->setVisible (false);
        pool->release (note);
    }

    noteBox.removeSelected();

    selectedArea->startTick = selectedArea->endTick = tickAtX (0);
    selectedArea->firstPitch = selectedArea->secondPitch = YtoPitch (keyboard, 0);
    selectInsideArea();
    return true;
}

void NotePanel::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    if (source == &keyboard)
    {
        updateLayout();
    }
    else if (source == &noteBox)
    {
        repaint();

        if (onNotesChanged)
            onNotesChanged();
    }
}

void NotePanel::resized()
{
    for (auto& note : noteBox.notes)
    {
        const auto row = rowOfPitch (keyboard, note->pitch);
        const auto left = xAtTick (note->start);
        note->setBounds (juce::roundToInt (left), juce::roundToInt (row.getStart()), juce::roundToInt (xAtTick (note->end) - left), juce::roundToInt (row.getLength()));
    }
}

void NotePanel::updateLayout()
{
    for (auto& note : noteBox.notes)
        note->reposition();

    selectedArea->placeFromRange();
}

void NotePanel::setNotes (const juce::Array<vocalNote>& records)
{
    for (auto& note : noteBox.notes)
    {
        note->setVisible (false);
        pool->release (note);
    }

    noteBox.notes.clear();

    for (const auto& record : records)
        createNote (record.start, record.end, record.pitch, record.word);

    noteBox.update();
}

void NotePanel::createNote (int start, int end, int pitch, const juce::String& word)
{
    auto note = pool->acquire();
    note->start = start;
    note->end = end;
    note->pitch = pitch;
    note->word = word;
    note->state = MidiNote::normal;
    note->pixelsPerTick = pixelsPerTick;
    noteBox.notes.push_back (note);
    note->reposition();
    addAndMakeVisible (*note);
}

void NotePanel::selectInsideArea()
{
    if (mode.mode.load() != ModeController::selectMode)
        return;

    selectedArea->placeFromRange();
    noteBox.selectInRange (juce::jmin (selectedArea->startTick, selectedArea->endTick),
                           juce::jmax (selectedArea->startTick, selectedArea->endTick),
                           juce::jmin (selectedArea->firstPitch, selectedArea->secondPitch),
                           juce::jmax (selectedArea->firstPitch, selectedArea->secondPitch));
}
