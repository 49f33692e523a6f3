#pragma once

#include "audio/WavPlayer.h"
#include "BasePanel.h"
#include "GridController.h"
#include "import/MidiConverter.h"
#include "ModeController.h"
#include "model/Settings.h"
#include "model/StateController.h"
#include "NotePanel.h"
#include "RollPanel.h"
#include "TimeLinePanel.h"
#include "track/TempoEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The piano-roll area: background, note surface, ruler, scroll bar and play head, with
// the view state (visible ticks, zoom, score length, play head). Scrolls, follows
// playback, places the play head, takes dropped MIDI files and restores the last score.
class MidiRegion : public BasePanel
    , public juce::ChangeBroadcaster
    , public juce::FileDragAndDropTarget
    , public juce::ScrollBar::Listener
    , public juce::Timer
{
public:
    static constexpr juce::uint32 playheadColour = 0xd9ffffff;

    MidiRegion (StateController& state, Keyboard& keyboard, WavPlayer& player, vocalMetadata& score, MidiConverter& converter, juce::Slider& zoom, Settings& settings, juce::TextEditor& lyrics, ModeController& mode, GridController& grid, TempoEditor& tempoEditor);
    ~MidiRegion() override;

    std::function<void()> onNotesChanged;
    std::function<void (int, const BarsData&)> onPlayPosition;
    std::function<void (vocalMetadata)> onScoreChanged;

    // A new score length and, when notes are given, a new note set; the view goes back to tick 0.
    void showScore (int total, const juce::Array<vocalNote>& notes);
    void restoreFromSettings();
    void applyZoom();
    void setPlayPosition (int tick);
    void setPlayPositionAtX (double x);
    void centreOnPlayhead();
    bool canGenerate();

    bool isInterestedInFileDrag (const juce::StringArray& files) override;
    void filesDropped (const juce::StringArray& files, int x, int y) override;
    void mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel) override;
    void scrollBarMoved (juce::ScrollBar* bar, double newRangeStart) override;
    void timerCallback() override;
    void paint (juce::Graphics&) override {}
    void resized() override;

    // The tick the play head shows: the playing (or paused) position, else where it was put.
    int displayTick() const;

    double visibleStart = 0.0;
    double visibleEnd = 60.0;
    int totalTicks = 0;
    int playheadTick = 0;

    juce::ScrollBar horizontalBar { false };
    juce::DrawableRectangle playhead;
    std::unique_ptr<NotePanel> notePanel;
    std::unique_ptr<TimeLinePanel> timeLine;
    std::unique_ptr<RollPanel> rollPanel;

private:
    void setVisibleRange (double start, double end);
    void showPlayhead (int tick);
    void afterScroll();
    void centreOn (int tick);

    StateController& state;
    GridController& grid;
    Settings& settings;
    WavPlayer& player;
    MidiConverter& converter;
    TempoEditor& tempoEditor;
    juce::Slider& zoom;
    juce::TextEditor& lyrics;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiRegion)
};
