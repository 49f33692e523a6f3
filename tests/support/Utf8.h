#pragma once

#include <juce_core/juce_core.h>

// Source files are UTF-8; the framework's plain char constructor takes ASCII only.
inline juce::String utf8 (const char* text) { return juce::String (juce::CharPointer_UTF8 (text)); }
