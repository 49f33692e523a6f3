#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>

// Small WAV files made in the test: a mono sine of the given length.
class TestWav
{
public:
    static juce::MemoryBlock sine (double seconds, double sampleRate = 44100.0, double frequency = 440.0)
    {
        juce::MemoryBlock bytes;
        {
            auto* stream = new juce::MemoryOutputStream (bytes, false);
            std::unique_ptr<juce::AudioFormatWriter> writer (juce::WavAudioFormat().createWriterFor (stream, sampleRate, 1, 16, {}, 0));
            const auto length = (int) (seconds * sampleRate);
            juce::AudioBuffer<float> buffer (1, length);

            for (int i = 0; i < length; ++i)
                buffer.setSample (0, i, 0.5f * (float) std::sin (2.0 * juce::MathConstants<double>::pi * frequency * i / sampleRate));

            writer->writeFromAudioSampleBuffer (buffer, 0, length);
        }
        return bytes;
    }

    // A reader of those bytes; the caller owns it.
    static juce::AudioFormatReader* reader (const juce::MemoryBlock& bytes)
    {
        return juce::WavAudioFormat().createReaderFor (new juce::MemoryInputStream (bytes, true), true);
    }
};
