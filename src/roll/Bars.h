#pragma once

#include "model/BarsData.h"
#include "model/vocalMetadata.h"

#include <juce_gui_basics/juce_gui_basics.h>

class Keyboard;

// The roll's time axis: ticks to x pixels and back under the region's scroll position
// and zoom, and the bar, beat and grid arithmetic under the score's meter list. The score
// is read on every call, so an edit of its meter takes effect at the next one.
class Bars
{
public:
    Bars (vocalMetadata& score, Keyboard& keyboard, juce::ScrollBar& scrollBar);

    struct GridCell
    {
        int start = 0;
        int end = 0;
    };

    // Truncates toward zero.
    int tickAtX (double x) const;
    double xAtTick (int tick) const;

    // The last change at or before the tick, or nullptr.
    const timeSignatureChange* timeSignatureInForce (int tick) const;

    // One beat, one bar and one grid step of a meter, in ticks; 0 when the meter or the
    // score has no length to divide.
    int beatTicks (const timeSignatureChange& change) const;
    int barTicks (const timeSignatureChange& change) const;
    int gridStep (const timeSignatureChange& change, int division) const;

    // The grid cell holding the tick; cells restart at every bar line and never cross one.
    // Division 0 (grid off) gives an empty cell at the tick.
    GridCell gridCell (int tick, int division) const;

    // 1-based; a meter change off a bar line drops the partial bar before it.
    int barNumberAt (int tick) const;

    BarsData positionAt (int tick) const;

    vocalMetadata& score;
    Keyboard& keyboard;
    juce::ScrollBar& scrollBar;
    double pixelsPerTick = 0.2;
};
