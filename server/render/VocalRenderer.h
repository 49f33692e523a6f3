#pragma once

#include "model/createVocalRequest.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_core/juce_core.h>

#include <atomic>

// Sings a score: each note's word as a Mandarin syllable on the note's pitch, its vowel
// starting on the note's start time, mixed into one 44.1 kHz mono vocal.
class VocalRenderer
{
public:
    static constexpr double outputSampleRate = 44100.0;
    static constexpr double tailSeconds = 0.5;
    static constexpr double fadeSeconds = 0.005;
    static constexpr double peakDecibels = -1.0;

    // What render() returns when `cancelled` was set while it ran.
    static constexpr const char* cancelledMessage = "the render was cancelled";

    // Renders into `vocal` (one channel). Returns an empty string, or the reason the score
    // cannot be rendered. Setting `cancelled` ends the render after the note in hand.
    static juce::String render (const createVocalRequest& request, juce::AudioBuffer<float>& vocal, const std::atomic<bool>* cancelled = nullptr);

    // Renders and writes a 16-bit PCM WAV. Nothing is written when it fails, and an
    // earlier file at `target` stays as it was.
    static juce::String renderToFile (const createVocalRequest& request, const juce::File& target, const std::atomic<bool>* cancelled = nullptr);

    // The syllable a note's word is sung on.
    static juce::String syllableFor (const juce::String& word);

private:
    VocalRenderer() = delete;
};
