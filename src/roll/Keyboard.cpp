#include "Keyboard.h"

#include "model/Diagnostics.h"

Keyboard::Keyboard()
    : juce::KeyboardComponentBase (verticalKeyboardFacingRight)
{
    setAvailableRange (0, 127);
    setBlackNoteWidthProportion (blackKeyWidthProportion);
    setBlackNoteLengthProportion (blackKeyLengthProportion);
    setKeyWidth (keyWidth);
}

Keyboard::~Keyboard() = default;

bool Keyboard::isBlackKey (int pitch)
{
    switch (((pitch % 12) + 12) % 12)
    {
        case 1:
        case 3:
        case 6:
        case 8:
        case 10:
            return true;
        default:
            return false;
    }
}

juce::String Keyboard::labelOf (int pitch) { return "C" + juce::String (pitch / 12 - 1); }

void Keyboard::drawKeyboardBackground (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour (juce::Colours::lightgrey);
    g.fillRect (area);
}

void Keyboard::drawWhiteKey (int midiNoteNumber, juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour (juce::Colours::white);
    g.fillRect (area);
    g.setColour (juce::Colours::darkgrey);
    g.drawRect (area, 0.5f);

    if (midiNoteNumber % 12 == 0)
    {
        // Only the part of the key that the black keys leave free.
        auto labelArea = area;
        labelArea.setLeft (juce::jmin (area.getRight(), area.getX() + (float) getWidth() * blackKeyLengthProportion));
        g.setFont (getKeyWidth() - 15.0f);
        g.drawText (labelOf (midiNoteNumber), labelArea, juce::Justification::centred, true);
    }
}

void Keyboard::drawBlackKey (int, juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour (juce::Colours::black);
    g.fillRect (area);
    g.setColour (juce::Colours::darkgrey);
    g.drawRect (area, 0.5f);
}

juce::Range<float> rowOfPitch (const juce::KeyboardComponentBase& keyboard, int pitch)
{
    const auto top = [&] (int p) { return keyboard.getRectangleForKey (p).getY(); };
    const auto bottom = [&] (int p) { return keyboard.getRectangleForKey (p).getBottom(); };

    if (pitch >= 127)
        return juce::Range<float>::between (top (127), top (126));

    if (pitch <= 0)
        return juce::Range<float>::between (bottom (1), bottom (0));

    if (Keyboard::isBlackKey (pitch))
        return { top (pitch), bottom (pitch) };

    return juce::Range<float>::between (bottom (pitch + 1), top (pitch - 1));
}

int YtoPitch (const juce::KeyboardComponentBase& keyboard, float y)
{
    auto pitch = keyboard.getLowestVisibleKey();

    if (pitch > 127 || y >= rowOfPitch (keyboard, pitch).getStart())
        return juce::jlimit (0, 127, pitch);

    for (;;)
    {
        const auto row = rowOfPitch (keyboard, pitch);
        Diagnostics::write ("[YtoPitch] pitch:" + juce::String (pitch) + ", position.y:" + juce::String (row.getStart())
                            + ", position.height:" + juce::String (row.getLength()) + ", y:" + juce::String (y));

        if (row.contains (y))
            return pitch;

        if (y < row.getStart() && pitch < 127)
            ++pitch;
        else
            return juce::jlimit (0, 127, pitch + 1);
    }
}
