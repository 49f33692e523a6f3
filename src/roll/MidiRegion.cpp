#include "MidiRegion.h"

#include "Keyboard.h"
#include "model/Diagnostics.h"
#include "model/LyricRules.h"

MidiRegion::MidiRegion (StateController& st, Keyboard& k, WavPlayer& p, vocalMetadata& s, MidiConverter& c, juce::Slider& z, Settings& se, juce::TextEditor& l, ModeController& mode, GridController& g, TempoEditor& t)
    : BasePanel (s, k, horizontalBar)
    , state (st)
    , grid (g)
    , settings (se)
    , player (p)
    , converter (c)
    , tempoEditor (t)
    , zoom (z)
    , lyrics (l)
{
    rollPanel = std::make_unique<RollPanel> (s, k, horizontalBar, st, g);
    k.addChangeListener (rollPanel.get());
    g.addChangeListener (rollPanel.get());
    addAndMakeVisible (*rollPanel);

    notePanel = std::make_unique<NotePanel> (k, horizontalBar, l, s, mode, g);
    notePanel->onNotesChanged = [this] {
        if (onNotesChanged)
            onNotesChanged();
    };
    notePanel->onClickAt = [this] (double x) { setPlayPositionAtX (x); };
    k.addChangeListener (notePanel.get());
    addAndMakeVisible (*notePanel);

    timeLine = std::make_unique<TimeLinePanel> (s, k, horizontalBar, st);
    timeLine->onClick = [this] (double x) { setPlayPositionAtX (x); };
    addAndMakeVisible (*timeLine);

    addAndMakeVisible (horizontalBar);
    horizontalBar.setRangeLimits (0.0, 60.0);
    horizontalBar.setAutoHide (true);
    horizontalBar.addListener (this);

    playhead.setFill (juce::Colour (playheadColour));
    playhead.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (playhead);
}

MidiRegion::~MidiRegion()
{
    stopTimer();
    horizontalBar.removeListener (this);
    keyboard.removeChangeListener (rollPanel.get());
    keyboard.removeChangeListener (notePanel.get());
    grid.removeChangeListener (rollPanel.get());
}

void MidiRegion::resized()
{
    const auto barHeight = juce::jmin (getHeight(), 14);
    horizontalBar.setBounds (0, getHeight() - barHeight, getWidth(), barHeight);
    showScore (totalTicks, notePanel->noteBox.allNotes());
    rollPanel->setBounds (0, 0, getWidth(), getHeight());
    notePanel->setBounds (0, 0, getWidth(), getHeight() - horizontalBar.getHeight());
    timeLine->setBounds (0, 0, getWidth(), 15);
}

int MidiRegion::displayTick() const
{
    if (player.transportSource.isPlaying() || player.pausedPosition != 0.0)
        return tempoEditor.tickAtSeconds (player.transportSource.getCurrentPosition(), score.ticksPerBeat);

    return playheadTick;
}

void MidiRegion::showPlayhead (int tick)
{
    const auto x = (float) ((tick - horizontalBar.getCurrentRangeStart()) * pixelsPerTick);
    const auto height = (float) (getHeight() - horizontalBar.getHeight());

    playhead.setVisible (true);
    playhead.setRectangle (juce::Parallelogram<float> ({ x, 0.0f }, { x + 1.5f, 0.0f }, { x, height }));

    if (onPlayPosition)
        onPlayPosition (tick, positionAt (tick));
}

void MidiRegion::setVisibleRange (double start, double end)
{
    visibleStart = start;
    visibleEnd = end;
    horizontalBar.setCurrentRange (visibleStart, visibleEnd - visibleStart);
}

void MidiRegion::afterScroll()
{
    showPlayhead (displayTick());
    notePanel->updateLayout();
    repaint();
}

void MidiRegion::showScore (int total, const juce::Array<vocalNote>& notes)
{
    applyZoom();
    totalTicks = total;

    if (! notes.isEmpty())
        notePanel->setNotes (notes);

    horizontalBar.setRangeLimits (0.0, juce::jmax (total, 0));
    setVisibleRange (0.0, juce::jmax (getWidth() / zoom.getValue(), 0.0));
    afterScroll();
    notePanel->setVisible (true);

    // Keeps the position field's bar table in step with the score.
    if (onScoreChanged)
        onScoreChanged (score);

    sendChangeMessage();
    startTimer (33);
}

void MidiRegion::applyZoom()
{
    const auto z = zoom.getValue();

    for (auto* panel : std::initializer_list<Bars*> { this, rollPanel.get(), notePanel.get(), timeLine.get(), notePanel->selectedArea.get() })
        panel->pixelsPerTick = z;

    for (auto& note : notePanel->noteBox.notes)
        note->pixelsPerTick = z;

    if (totalTicks >= 1)
    {
        const auto middle = (horizontalBar.getCurrentRangeStart() + horizontalBar.getCurrentRange().getEnd()) / 2.0;
        const auto half = getWidth() / z / 2.0;
        setVisibleRange (middle - half, juce::jmax (middle + half, middle - half));
    }

    afterScroll();
    rollPanel->repaint();
    timeLine->repaint();
}

void MidiRegion::mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails& wheel)
{
    const auto lowest = keyboard.getLowestVisibleKey();
    const auto moved = juce::jlimit (0, 127, lowest - (int) (keyboard.getKeyWidth() * wheel.deltaY * -4.0f));

    if (moved != lowest)
        keyboard.setLowestVisibleKey (moved);

    if (! player.transportSource.isPlaying())
    {
        const auto length = visibleEnd - visibleStart;
        const auto start = juce::jlimit (0.0, juce::jmax (totalTicks - length, 0.0), visibleStart - wheel.deltaX * length / 5.0);
        setVisibleRange (start, start + length);
        afterScroll();
        sendChangeMessage();
    }

    notePanel->updateLayout();
}

void MidiRegion::scrollBarMoved (juce::ScrollBar* bar, double newRangeStart)
{
    if (bar != &horizontalBar || player.transportSource.isPlaying())
        return;

    // Ours too: the bar reports the ranges we set.
    if (newRangeStart == visibleStart)
        return;

    const auto length = visibleEnd - visibleStart;
    setVisibleRange (newRangeStart, newRangeStart + length);
    afterScroll();
}

void MidiRegion::centreOn (int tick)
{
    const auto length = visibleEnd - visibleStart;
    auto start = tick - length / 2.0;

    if (start < 0.0)
        start = 0.0;
    else if (totalTicks - length < start)
        start = totalTicks - length;

    setVisibleRange (start, start + length);
    afterScroll();
}

void MidiRegion::timerCallback()
{
    if (player.transportSource.isPlaying())
        centreOn (displayTick());
}

void MidiRegion::centreOnPlayhead() { centreOn (playheadTick); }

void MidiRegion::setPlayPosition (int tick)
{
    player.moveTo (tempoEditor.secondsAtTick (tick, score.ticksPerBeat));
    playheadTick = tick;
    showPlayhead (displayTick());
    repaint();
}

void MidiRegion::setPlayPositionAtX (double x) { setPlayPosition (gridCell (tickAtX (x), grid.division()).start); }

bool MidiRegion::canGenerate()
{
    return ! notePanel->noteBox.notesWithWords().isEmpty() && ! notePanel->noteBox.busy
           && ! containsInvalidLyricsChar (lyrics.getText());
}

bool MidiRegion::isInterestedInFileDrag (const juce::StringArray&) { return true; }

void MidiRegion::filesDropped (const juce::StringArray& files, int, int)
{
    if (state.get() == StateController::converting)
    {
        Diagnostics::write ("midi is loading, stop");
        return;
    }

    state.set (StateController::converting);
    notePanel->setVisible (false);

    const auto path = files.isEmpty() ? juce::String() : files[0];
    converter.lyricsAtDrop = lyrics.getText();
    converter.midiData.reset();

    const auto file = Settings::resolve (path);

    if (path.isEmpty() || ! file.exists())
    {
        Diagnostics::write ("midi file not found");
    }
    else if (file.isDirectory() || ! file.loadFileAsData (converter.midiData) || (juce::int64) converter.midiData.getSize() < file.getSize())
    {
        converter.midiData.reset();
        Diagnostics::write ("failed to load midi file");
    }
    else
    {
        converter.midiFile = file;
    }

    converter.startThread();
    repaint();
}

void MidiRegion::restoreFromSettings()
{
    converter.midiFile = Settings::resolve (settings.midiFile);

    if (settings.score.instruments.isEmpty())
        return;

    if (converter.applyConvertedScore (settings.score, lyrics.getText()))
        notePanel->setNotes (settings.score.instruments.getReference (0).notes);
}
