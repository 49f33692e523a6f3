#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One event of a track at its absolute tick.
struct MidiFileEvent
{
    enum class Kind
    {
        channel,
        meta,
        sysex
    };

    Kind kind = Kind::channel;
    std::int64_t tick = 0;
    std::uint8_t status = 0; // channel messages: status byte; meta: the meta type
    std::uint8_t data1 = 0, data2 = 0;
    std::string data; // meta and sysex payload

    int channel() const { return status & 0x0f; }
    int type() const { return status & 0xf0; }
};

struct MidiFileTrack
{
    std::vector<MidiFileEvent> events;
    std::int64_t endTick = 0;
};

struct MidiFileData
{
    int format = 0;
    // Positive: ticks per quarter note; otherwise the SMPTE frames per second and ticks
    // per frame.
    int ticksPerQuarter = 0;
    int smpteFramesPerSecond = 0, smpteTicksPerFrame = 0;
    std::vector<MidiFileTrack> tracks;
};

// Reads the chunks of a standard MIDI file itself, because the framework's reader rejects
// files real programs write (long headers, truncated tracks, trailing bytes), reads others
// into garbage and slows to seconds on large tempo maps. Tolerates what such files hold:
// a header longer than 6 bytes, unknown chunks, trailing bytes, a truncated last track
// (what was read is kept), running status and events whose length runs past their track.
class MidiFileReader
{
public:
    // False when the bytes do not start with a MIDI header or its time division is 0.
    static bool read (const void* bytes, std::size_t size, MidiFileData& result);

private:
    MidiFileReader() = delete;
};
