#include "MidiFileReader.h"

#include <cstring>
#include <limits>

namespace
{
// A cursor over [p, end) that never reads past the end.
struct Bytes
{
    const std::uint8_t* p;
    const std::uint8_t* end;

    std::size_t left() const { return (std::size_t) (end - p); }

    bool byte (std::uint8_t& value)
    {
        if (p >= end)
            return false;

        value = *p++;
        return true;
    }

    bool fixed (int count, std::uint32_t& value)
    {
        if (left() < (std::size_t) count)
            return false;

        value = 0;

        for (int i = 0; i < count; ++i)
            value = (value << 8) | *p++;

        return true;
    }

    // `length` bytes of an event's data; a length past the end keeps what is there.
    void payload (std::uint32_t length, std::string& data)
    {
        const auto kept = std::min ((std::size_t) length, left());
        data.assign (reinterpret_cast<const char*> (p), kept);
        p += kept;
    }

    // A variable-length quantity of at most four bytes.
    bool vlq (std::uint32_t& value)
    {
        value = 0;

        for (int i = 0; i < 4; ++i)
        {
            std::uint8_t b = 0;

            if (! byte (b))
                return false;

            value = (value << 7) | (b & 0x7f);

            if ((b & 0x80) == 0)
                return true;
        }

        return false;
    }
};

void readTrack (Bytes track, MidiFileTrack& result)
{
    std::int64_t tick = 0;
    std::uint8_t running = 0;

    while (track.left() > 0)
    {
        std::uint32_t delta = 0;

        if (! track.vlq (delta))
            break;

        tick += delta;

        if (tick > std::numeric_limits<int>::max())
            break;

        std::uint8_t first = 0;

        if (! track.byte (first))
            break;

        MidiFileEvent event;
        event.tick = tick;

        if (first == 0xff)
        {
            std::uint8_t type = 0;
            std::uint32_t length = 0;

            if (! track.byte (type) || ! track.vlq (length))
                break;

            event.kind = MidiFileEvent::Kind::meta;
            event.status = type;
            track.payload (length, event.data);
            result.events.push_back (std::move (event));

            if (type == 0x2f)
                break;

            continue;
        }

        if (first == 0xf0 || first == 0xf7)
        {
            std::uint32_t length = 0;

            if (! track.vlq (length))
                break;

            event.kind = MidiFileEvent::Kind::sysex;
            event.status = first;
            track.payload (length, event.data);
            result.events.push_back (std::move (event));
            continue;
        }

        std::uint8_t status = first;

        if (first < 0x80)
        {
            // Running status: the byte read is the first data byte.
            if (running == 0)
                continue;

            status = running;
            --track.p;
        }
        else if (first >= 0xf1)
        {
            // System common and real-time messages have no place in a file; their data
            // bytes, if any, are skipped as running-status-less bytes.
            running = 0;
            continue;
        }

        running = status;
        const auto type = status & 0xf0;
        std::uint8_t d1 = 0, d2 = 0;

        if (! track.byte (d1))
            break;

        if (type != 0xc0 && type != 0xd0 && ! track.byte (d2))
            break;

        event.kind = MidiFileEvent::Kind::channel;
        event.status = status;
        event.data1 = d1 & 0x7f;
        event.data2 = d2 & 0x7f;
        result.events.push_back (std::move (event));
    }

    result.endTick = tick;
}
} // namespace

bool MidiFileReader::read (const void* data, std::size_t size, MidiFileData& result)
{
    Bytes file { static_cast<const std::uint8_t*> (data), static_cast<const std::uint8_t*> (data) + size };
    std::uint32_t headerLength = 0, format = 0, trackCount = 0, division = 0;

    if (size < 14 || std::memcmp (file.p, "MThd", 4) != 0)
        return false;

    file.p += 4;

    if (! file.fixed (4, headerLength) || headerLength < 6 || ! file.fixed (2, format) || ! file.fixed (2, trackCount)
        || ! file.fixed (2, division) || division == 0)
        return false;

    // A longer header's extra bytes are skipped.
    file.p += std::min ((std::size_t) headerLength - 6, file.left());

    result.format = (int) format;

    if ((division & 0x8000) != 0)
    {
        result.smpteFramesPerSecond = -(int) (std::int8_t) (division >> 8);
        result.smpteTicksPerFrame = (int) (division & 0xff);

        if (result.smpteFramesPerSecond <= 0 || result.smpteTicksPerFrame <= 0)
            return false;
    }
    else
        result.ticksPerQuarter = (int) division;

    while (file.left() >= 8)
    {
        const auto* id = file.p;
        file.p += 4;
        std::uint32_t length = 0;
        file.fixed (4, length);
        const auto available = std::min ((std::size_t) length, file.left());

        if (std::memcmp (id, "MTrk", 4) == 0)
        {
            result.tracks.emplace_back();
            readTrack ({ file.p, file.p + available }, result.tracks.back());

            // A type 2 file holds independent sequences: the first one is the song.
            if (result.format == 2)
                break;
        }

        file.p += available;
    }

    return true;
}
