#include "NoBorderLookAndFeel.h"

void NoBorderLookAndFeel::drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour&, bool, bool) {}
