#pragma once

#include "roll/Keyboard.h"
#include "roll/NotePanel.h"
#include "roll/RollPanel.h"
#include "support/MouseEvents.h"
#include "support/ScoreComparisons.h"

#include <gtest/gtest.h>

// A note surface as the roll region sets it up: 480 ticks per beat in 4/4, 0.2 pixels per
// tick from tick 0, grid "1/4", a 1600 x 440 surface beside a 450-pixel keyboard.
struct RollFixture : public testing::Test
{
    RollFixture()
    {
        score.ticksPerBeat = 480;
        score.numberOfBars = 16;
        score.tempoChanges = listOf<tempoChange> ({ { 0, 120.0 } });
        score.timeSignatureChanges = listOf<timeSignatureChange> ({ { 0, 4, 4 } });
        keyboard.setSize (70, 450);
        scrollBar.setRangeLimits (0, 30720);
        scrollBar.setCurrentRange (0, 8000);
        grid.comboBox.setSelectedId (4, juce::dontSendNotification);
        panel.setSize (1600, 440);
    }

    // The x of a tick and the y of the middle of a pitch's row, on the surface.
    float xOf (int tick) const { return (float) panel.xAtTick (tick); }
    float yOf (int pitch) const { return rowOfPitch (keyboard, pitch).getStart() + rowOfPitch (keyboard, pitch).getLength() / 2; }

    MidiNote& noteAt (size_t index) { return *panel.noteBox.notes.at (index); }

    // A press, drags to each point and a release, delivered to `target` in its own coordinates.
    static void drag (juce::Component& target, juce::Point<float> from, std::initializer_list<juce::Point<float>> through)
    {
        target.mouseDown (mouseEventOn (target, from));
        auto last = from;
        for (const auto& point : through)
        {
            target.mouseDrag (mouseEventOn (target, point, from, {}, true));
            last = point;
        }
        target.mouseUp (mouseEventOn (target, last, from, {}, last != from));
    }

    static void click (juce::Component& target, juce::Point<float> at) { drag (target, at, {}); }

    void useMode (int newMode) { modes.mode.store (newMode); }

    vocalMetadata score;
    Keyboard keyboard;
    juce::ScrollBar scrollBar { false };
    juce::TextEditor lyrics;
    ModeController modes;
    GridController grid;
    NotePanel panel { keyboard, scrollBar, lyrics, score, modes, grid };
};
