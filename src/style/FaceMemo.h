#pragma once

#include <juce_core/juce_core.h>

#include <optional>

// Where the last start found the default face, so later starts open it straight away:
// asking fontconfig costs its whole configuration read first (5–6 ms, the largest part
// of building the window). A check in the background keeps the note current.
class FaceMemo
{
public:
    struct Entry
    {
        juce::File file;
        int index = 0;
        juce::String family;

        bool operator== (const Entry& other) const { return file == other.file && index == other.index && family == other.family; }
        bool operator!= (const Entry& other) const { return ! operator== (other); }
    };

    // $XDG_CACHE_HOME, or ~/.cache, then "voxlet/default-face".
    static juce::File defaultLocation();

    // The entry in the note, or nothing when it is missing or not one.
    static std::optional<Entry> read (const juce::File& note);

    // Replaces the note in one step, so a concurrent start reads the old or the new one.
    static bool write (const juce::File& note, const Entry& entry);

private:
    FaceMemo() = delete;
};
