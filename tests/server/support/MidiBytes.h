#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Hand-made standard MIDI files, byte by byte, so tests can build the malformed ones too.
struct MidiTrackBytes
{
    std::string bytes;

    static std::string vlq (std::uint32_t value)
    {
        std::string out (1, (char) (value & 0x7f));

        while ((value >>= 7) != 0)
            out.insert (out.begin(), (char) (0x80 | (value & 0x7f)));

        return out;
    }

    MidiTrackBytes& raw (std::uint32_t delta, const std::string& data)
    {
        bytes += vlq (delta) + data;
        return *this;
    }

    MidiTrackBytes& on (std::uint32_t delta, int channel, int pitch, int velocity = 100)
    {
        return raw (delta, std::string { (char) (0x90 | channel), (char) pitch, (char) velocity });
    }

    MidiTrackBytes& off (std::uint32_t delta, int channel, int pitch)
    {
        return raw (delta, std::string { (char) (0x80 | channel), (char) pitch, (char) 0 });
    }

    MidiTrackBytes& meta (std::uint32_t delta, int type, const std::string& data)
    {
        return raw (delta, std::string { (char) 0xff, (char) type } + vlq ((std::uint32_t) data.size()) + data);
    }

    MidiTrackBytes& lyric (std::uint32_t delta, const std::string& text) { return meta (delta, 0x05, text); }

    MidiTrackBytes& tempo (std::uint32_t delta, std::uint32_t microseconds)
    {
        return meta (delta, 0x51, std::string { (char) (microseconds >> 16), (char) (microseconds >> 8), (char) microseconds });
    }

    MidiTrackBytes& meter (std::uint32_t delta, int numerator, int denominatorPower)
    {
        return meta (delta, 0x58, std::string { (char) numerator, (char) denominatorPower, 24, 8 });
    }

    MidiTrackBytes& end (std::uint32_t delta = 0) { return meta (delta, 0x2f, ""); }

    std::string chunk() const { return "MTrk" + be32 ((std::uint32_t) bytes.size()) + bytes; }

    static std::string be32 (std::uint32_t v) { return { (char) (v >> 24), (char) (v >> 16), (char) (v >> 8), (char) v }; }
    static std::string be16 (std::uint32_t v) { return { (char) (v >> 8), (char) v }; }
};

inline std::string midiHeader (int format, int tracks, int division)
{
    return "MThd" + MidiTrackBytes::be32 (6) + MidiTrackBytes::be16 ((std::uint32_t) format) + MidiTrackBytes::be16 ((std::uint32_t) tracks)
           + MidiTrackBytes::be16 ((std::uint32_t) division);
}

inline std::string midiFile (int format, int division, const std::vector<MidiTrackBytes>& tracks)
{
    auto file = midiHeader (format, (int) tracks.size(), division);

    for (const auto& t : tracks)
        file += t.chunk();

    return file;
}
