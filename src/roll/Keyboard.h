#pragma once

#include <juce_audio_utils/juce_audio_utils.h>

// The vertical piano keyboard at the roll's left edge. Its key layout is the roll's
// vertical geometry: each pitch row is the strip its key leaves visible here.
class Keyboard : public juce::KeyboardComponentBase
{
public:
    Keyboard();
    ~Keyboard() override;

    void drawKeyboardBackground (juce::Graphics& g, juce::Rectangle<float> area) override;
    void drawWhiteKey (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area) override;
    void drawBlackKey (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area) override;

    static bool isBlackKey (int pitch);

    // "C" and the octave number, C-1 for pitch 0.
    static juce::String labelOf (int pitch);

    const float keyWidth = 25.0f;
    const float blackKeyWidthProportion = 0.58f;
    static constexpr float blackKeyLengthProportion = 0.6f;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Keyboard)
};

// The roll row of a pitch, in the keyboard's y (top and height). Rows of neighbouring
// pitches touch without gap or overlap; they are not all of one height.
juce::Range<float> rowOfPitch (const juce::KeyboardComponentBase& keyboard, int pitch);

// The pitch whose row holds y: 0..127, the lowest visible key for a y below it and 127
// above the top row.
int YtoPitch (const juce::KeyboardComponentBase& keyboard, float y);
