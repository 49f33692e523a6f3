#include "Blocker.h"

#include "model/Diagnostics.h"

Blocker::Blocker()
{
    setWantsKeyboardFocus (true);
    setInterceptsMouseClicks (true, true);
    addKeyListener (this);
}

Blocker::~Blocker() { removeKeyListener (this); }

bool Blocker::keyPressed (const juce::KeyPress& key, juce::Component*)
{
    Diagnostics::write ("blocker key press: " + key.getTextDescription());
    return true;
}
