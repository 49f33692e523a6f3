#include "FaceMemo.h"

#include "model/XdgFolder.h"

juce::File FaceMemo::defaultLocation()
{
    return XdgFolder::of ("XDG_CACHE_HOME", ".cache").getChildFile ("voxlet/default-face");
}

std::optional<FaceMemo::Entry> FaceMemo::read (const juce::File& note)
{
    // A note is a few hundred bytes; anything larger is not one.
    if (! note.existsAsFile() || note.getSize() > 4096)
        return std::nullopt;

    juce::StringArray lines;
    lines.addLines (note.loadFileAsString());

    if (lines.size() < 3 || ! juce::File::isAbsolutePath (lines[0]) || lines[1].isEmpty() || ! lines[1].containsOnly ("0123456789")
        || lines[1].length() > 6 || lines[2].isEmpty())
        return std::nullopt;

    return Entry { juce::File (lines[0]), lines[1].getIntValue(), lines[2] };
}

bool FaceMemo::write (const juce::File& note, const Entry& entry)
{
    if (! note.getParentDirectory().createDirectory())
        return false;

    // A path or family with a line break cannot be read back.
    const auto text = entry.file.getFullPathName() + "\n" + juce::String (entry.index) + "\n" + entry.family + "\n";

    if (juce::StringArray::fromLines (text.trimEnd()).size() != 3)
        return false;

    return note.replaceWithText (text);
}
