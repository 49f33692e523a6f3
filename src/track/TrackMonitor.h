#pragma once

#include "BarsController.h"
#include "model/BarsData.h"
#include "TempoController.h"
#include "TimeSignatureController.h"

// Where the play head stands, with the tempo and meter in force there; each can be typed in.
class TrackMonitor : public juce::Component
{
public:
    TrackMonitor (vocalMetadata& score, TempoEditor& tempoEditor, TimeSignatureEditor& timeSignatureEditor);
    ~TrackMonitor() override;

    void resized() override;

    // The display update for a play-head position.
    void showPosition (int tick, const BarsData& position);

    std::function<void (int)> onSeek;
    vocalMetadata& score;
    TempoEditor& tempoEditor;
    TimeSignatureEditor& timeSignatureEditor;
    std::unique_ptr<BarsController> barsController;
    std::unique_ptr<TempoController> tempoController;
    std::unique_ptr<TimeSignatureController> timeSignatureController;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TrackMonitor)
};
