#include "DefaultFaceCheck.h"

#include "DefaultTypeface.h"

DefaultFaceCheck::DefaultFaceCheck (const juce::File& noteFile)
    : juce::Thread ("Default face check")
    , note (noteFile)
{
}

DefaultFaceCheck::~DefaultFaceCheck() { stopThread (-1); }

void DefaultFaceCheck::start() { startThread (juce::Thread::Priority::low); }

void DefaultFaceCheck::run() { changed = DefaultTypeface::refresh (note); }
