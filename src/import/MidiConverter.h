#pragma once

#include "model/createVocalRequest.h"
#include "service/MidiConverterApi.h"
#include "track/TempoEditor.h"
#include "track/TimeSignatureEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Turns a converted MIDI file, or the score restored from the score file, into the
// program's score: lyric words on the notes, tempo and meter at tick 0, the editors'
// maps refilled, and the complete request handed on with the score's end tick.
class MidiConverter : public juce::Component
    , public MidiConverterApi
{
public:
    MidiConverter (Settings& settings, TempoEditor& tempoEditor, TimeSignatureEditor& timeSignatureEditor);
    ~MidiConverter() override;

    // The end tick and the completed request.
    std::function<void (int, createVocalRequest)> onScoreReady;

    // The lyrics as they were when the file was dropped.
    juce::String lyricsAtDrop;

    void onConverted (midiConverterResult& result) override;

    // Completes the score and hands it on. A score whose numbers the tempo map cannot
    // divide by is not applied: returns false and reports nothing.
    bool applyConvertedScore (const midiConverterResult& result, const juce::String& lyrics);

    // Empty when the score can be used, otherwise what is wrong with it.
    static juce::String problemWith (const midiConverterResult& result);

    // Where the score ends: the last sixteenth before the end of its last bar.
    static int endTickOf (const midiConverterResult& result);

private:
    TempoEditor& tempoEditor;
    TimeSignatureEditor& timeSignatureEditor;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiConverter)
};
