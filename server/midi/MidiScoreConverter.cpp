#include "MidiScoreConverter.h"

#include "LyricText.h"
#include "MidiFileReader.h"
#include "model/SaturatingInt.h"
#include "model/TempoMap.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace
{
constexpr int drumChannel = 9;
constexpr int smpteTicksPerBeat = 480;
constexpr double maxTempo = 1000.0;

struct RawNote
{
    std::int64_t start, end;
    int pitch;
};

// A candidate melody: one track (format 1) or one channel of the only track (format 0).
struct Part
{
    std::vector<RawNote> notes;
    std::vector<controlChange> controls;
    int lyricHits = 0;
};

// Pairs note-ons with note-offs per channel and pitch, first in first out. A note-on
// without its note-off ends at the next note-on of that pitch or at the track's end.
struct Scaling
{
    bool smpte = false;
    double scoreTicksPerFileTick = 1.0;
};

std::int64_t scale (std::int64_t tick, const Scaling& s)
{
    return s.smpte ? (std::int64_t) std::llround ((double) tick * s.scoreTicksPerFileTick) : tick;
}

void collectNotes (const MidiFileTrack& track, int onlyChannel, Part& part, const Scaling& scaling)
{
    std::map<int, std::vector<std::int64_t>> open; // channel * 128 + pitch -> starts

    auto close = [&] (int key, std::int64_t at, bool all) {
        auto& starts = open[key];

        while (! starts.empty())
        {
            part.notes.push_back ({ scale (starts.front(), scaling), scale (at, scaling), key % 128 });
            starts.erase (starts.begin());

            if (! all)
                break;
        }
    };

    for (const auto& e : track.events)
    {
        if (e.kind != MidiFileEvent::Kind::channel || e.channel() == drumChannel || (onlyChannel >= 0 && e.channel() != onlyChannel))
            continue;

        const auto key = e.channel() * 128 + e.data1;

        if (e.type() == 0x90 && e.data2 > 0)
        {
            close (key, e.tick, true);
            open[key].push_back (e.tick);
        }
        else if (e.type() == 0x80 || (e.type() == 0x90 && e.data2 == 0))
            close (key, e.tick, false);
        else if (e.type() == 0xb0)
            part.controls.push_back ({ SaturatingInt::fromInt64 (scale (e.tick, scaling)), e.data1, e.data2 });
    }

    for (auto& [key, starts] : open)
        if (! starts.empty())
            close (key, track.endTick, true);
}

// Highest pitch of a chord, and an earlier note ends where a later one begins.
std::vector<RawNote> monophonic (std::vector<RawNote> notes)
{
    std::stable_sort (notes.begin(), notes.end(), [] (const RawNote& a, const RawNote& b) {
        return a.start != b.start ? a.start < b.start : a.pitch > b.pitch;
    });

    std::vector<RawNote> melody;

    for (const auto& note : notes)
    {
        if (! melody.empty() && melody.back().start == note.start)
            continue;

        if (! melody.empty() && melody.back().end > note.start)
            melody.back().end = note.start;

        melody.push_back (note);
    }

    melody.erase (std::remove_if (melody.begin(), melody.end(), [] (const RawNote& n) { return n.end <= n.start; }), melody.end());
    return melody;
}

struct Lyric
{
    std::int64_t tick;
    std::string bytes;
};

// Lyric events of every track; in a karaoke file without them, the text events of the
// track whose text begins with "@" header lines. Events at one tick of one track are
// joined before decoding, as a character may be split over two of them.
std::map<std::int64_t, juce::String> collectWords (const MidiFileData& file, const Scaling& scaling)
{
    auto gather = [&] (int metaType, bool karaoke) {
        std::vector<Lyric> lyrics;

        for (const auto& track : file.tracks)
        {
            if (karaoke && std::none_of (track.events.begin(), track.events.end(), [] (const MidiFileEvent& e) {
                    return e.kind == MidiFileEvent::Kind::meta && e.status == 0x01 && ! e.data.empty() && e.data[0] == '@';
                }))
                continue;

            const auto firstOfTrack = lyrics.size();

            for (const auto& e : track.events)
            {
                if (e.kind != MidiFileEvent::Kind::meta || e.status != metaType || (karaoke && ! e.data.empty() && e.data[0] == '@'))
                    continue;

                const auto tick = scale (e.tick, scaling);

                if (lyrics.size() > firstOfTrack && lyrics.back().tick == tick)
                    lyrics.back().bytes += e.data;
                else
                    lyrics.push_back ({ tick, e.data });
            }
        }

        return lyrics;
    };

    auto lyrics = gather (0x05, false);

    if (lyrics.empty())
        lyrics = gather (0x01, true);

    std::vector<std::string> texts;

    for (const auto& lyric : lyrics)
        texts.push_back (lyric.bytes);

    const auto* encoding = LyricText::encodingOf (texts);
    std::map<std::int64_t, juce::String> words;

    for (const auto& lyric : lyrics)
        if (auto& word = words[lyric.tick]; word.isEmpty())
            word = LyricText::wordOf (LyricText::decode (lyric.bytes, encoding));

    return words;
}

void readMaps (const MidiFileData& file, const Scaling& scaling, vocalMetadata& metadata)
{
    std::vector<std::pair<std::int64_t, tempoChange>> tempos;
    std::vector<std::pair<std::int64_t, timeSignatureChange>> meters;

    for (const auto& track : file.tracks)
        for (const auto& e : track.events)
        {
            if (e.kind != MidiFileEvent::Kind::meta)
                continue;

            const auto* d = reinterpret_cast<const std::uint8_t*> (e.data.data());
            const auto at = SaturatingInt::fromInt64 (scale (e.tick, scaling));

            // A tempo needs 3 bytes and a meter 4; other lengths are not trusted. SMPTE
            // time is absolute, so its tempo events do not apply.
            if (e.status == 0x51 && e.data.size() == 3 && ! scaling.smpte)
            {
                const auto microseconds = (d[0] << 16) | (d[1] << 8) | d[2];

                if (const auto bpm = microseconds > 0 ? 60000000.0 / microseconds : 0.0; bpm > 0.0 && bpm <= maxTempo)
                    tempos.push_back ({ e.tick, { at, bpm } });
            }
            else if (e.status == 0x58 && e.data.size() == 4 && d[0] > 0 && d[1] <= 6)
                meters.push_back ({ e.tick, { at, d[0], 1 << d[1] } });
        }

    std::stable_sort (tempos.begin(), tempos.end(), [] (const auto& a, const auto& b) { return a.first < b.first; });
    std::stable_sort (meters.begin(), meters.end(), [] (const auto& a, const auto& b) { return a.first < b.first; });

    if (scaling.smpte)
        metadata.tempoChanges.add ({ 0, TempoMap::defaultTempo });

    for (const auto& [tick, change] : tempos)
        metadata.tempoChanges.add (change);

    for (const auto& [tick, change] : meters)
        metadata.timeSignatureChanges.add (change);
}

int barsCovering (int ticksPerBeat, const juce::Array<timeSignatureChange>& meters, std::int64_t end)
{
    const auto table = buildBarTable (ticksPerBeat, meters);
    const auto* row = &table.getReference (0);

    for (const auto& r : table)
        if (r.tick <= end)
            row = &r;

    const auto ticksPerBar = juce::jmax ((std::int64_t) 1, (std::int64_t) ticksPerBeat * 4 / juce::jmax (1, row->denominator) * row->numerator);
    const auto bars = row->barIndex + (end - row->tick + ticksPerBar - 1) / ticksPerBar;
    return juce::jmax (1, SaturatingInt::fromInt64 (bars));
}
} // namespace

MidiScoreConverter::Outcome MidiScoreConverter::convert (const void* bytes, std::size_t size, midiConverterResult& score)
{
    MidiFileData file;

    if (! MidiFileReader::read (bytes, size, file))
        return Outcome::notMidi;

    Scaling scaling;
    auto& metadata = score.metadata;

    if (file.ticksPerQuarter > 0)
        metadata.ticksPerBeat = file.ticksPerQuarter;
    else
    {
        // SMPTE time: 480 ticks per beat at 120 bpm, two beats a second.
        const auto framesPerSecond = file.smpteFramesPerSecond == 29 ? 29.97 : (double) file.smpteFramesPerSecond;
        scaling.smpte = true;
        scaling.scoreTicksPerFileTick = smpteTicksPerBeat * 2.0 / (framesPerSecond * file.smpteTicksPerFrame);
        metadata.ticksPerBeat = smpteTicksPerBeat;
    }

    readMaps (file, scaling, metadata);

    // The candidate parts: tracks, or the channels of a format 0 file.
    std::vector<Part> parts;

    if (file.format == 0 && ! file.tracks.empty())
        for (int channel = 0; channel < 16; ++channel)
        {
            parts.emplace_back();
            collectNotes (file.tracks[0], channel, parts.back(), scaling);
        }
    else
        for (const auto& track : file.tracks)
        {
            parts.emplace_back();
            collectNotes (track, -1, parts.back(), scaling);
        }

    const auto wordAt = collectWords (file, scaling);

    // The part whose notes start where the most lyrics are; in a format 0 file, where
    // lyrics have no channel, the part whose notes most often carry one; without lyrics,
    // the busiest.
    for (auto& part : parts)
        for (const auto& note : part.notes)
            part.lyricHits += (int) wordAt.count (note.start);

    const auto chosen = std::max_element (parts.begin(), parts.end(), [] (const Part& a, const Part& b) {
        if (a.lyricHits != b.lyricHits)
            return a.lyricHits < b.lyricHits;

        if (a.lyricHits > 0 && (std::int64_t) a.lyricHits * (std::int64_t) b.notes.size() != (std::int64_t) b.lyricHits * (std::int64_t) a.notes.size())
            return (std::int64_t) a.lyricHits * (std::int64_t) b.notes.size() < (std::int64_t) b.lyricHits * (std::int64_t) a.notes.size();

        return a.notes.size() < b.notes.size();
    });

    if (chosen == parts.end() || chosen->notes.empty())
        return Outcome::noNotes;

    vocalInstrument melody;
    std::int64_t lastEnd = 0;

    for (const auto& note : monophonic (chosen->notes))
    {
        // SMPTE scaling can carry late notes past the int range, where they would collapse.
        const auto start = SaturatingInt::fromInt64 (note.start), end = SaturatingInt::fromInt64 (note.end);

        if (start >= end)
            continue;

        const auto found = wordAt.find (note.start);
        melody.notes.add ({ start, end, found != wordAt.end() ? found->second : juce::String(), note.pitch });
        lastEnd = std::max (lastEnd, (std::int64_t) end);
    }

    if (melody.notes.isEmpty())
        return Outcome::noNotes;

    for (const auto& control : chosen->controls)
        melody.controlChanges.add (control);

    metadata.numberOfBars = barsCovering (metadata.ticksPerBeat, metadata.timeSignatureChanges, lastEnd);
    score.instruments.add (melody);
    return Outcome::converted;
}
