#include "TrackMonitor.h"

TrackMonitor::TrackMonitor (vocalMetadata& s, TempoEditor& t, TimeSignatureEditor& m)
    : score (s)
    , tempoEditor (t)
    , timeSignatureEditor (m)
{
    barsController = std::make_unique<BarsController> (score, timeSignatureEditor);
    barsController->onPositionEntered = [this] (int tick) {
        if (onSeek)
            onSeek (tick);
    };
    addAndMakeVisible (*barsController);

    tempoController = std::make_unique<TempoController> (tempoEditor);
    tempoController->onTempoEntered = [this] (int, int bpm) { tempoEditor.setSingleTempo (bpm); };
    addAndMakeVisible (*tempoController);

    timeSignatureController = std::make_unique<TimeSignatureController> (timeSignatureEditor);
    timeSignatureController->onTimeSignatureEntered = [this] (int, int numerator, int denominator) {
        timeSignatureEditor.setSingleTimeSignature (numerator, denominator);
    };
    addAndMakeVisible (*timeSignatureController);

    setSize (160, 30);
}

TrackMonitor::~TrackMonitor() = default;

void TrackMonitor::resized()
{
    barsController->setBounds (0, 0, 80, 30);
    tempoController->setBounds (80, 0, 40, 30);
    timeSignatureController->setBounds (120, 0, 40, 30);
}

void TrackMonitor::showPosition (int tick, const BarsData& position)
{
    barsController->setPosition (position.bar, position.beat, position.sixteenth);

    tempoController->tick = tick;
    tempoController->setText (juce::String ((int) juce::jlimit (0.0, 1.0e9, tempoController->tempoEditor.tempoAt (tick))));

    timeSignatureController->tick = tick;
    const auto meter = timeSignatureController->timeSignatureEditor.meterAt (tick);
    timeSignatureController->setText (juce::String (meter.numerator) + "/" + juce::String (meter.denominator));
}
