#include "AtomicTextFile.h"

bool AtomicTextFile::replace (const juce::File& file, const juce::String& text)
{
    // The framework's replaceWithText returns before its stream is flushed, so a full disk
    // would still rename a short file over the old one; this checks what was written first.
    juce::TemporaryFile temporary (file, juce::TemporaryFile::useHiddenFile);

    {
        juce::FileOutputStream out (temporary.getFile());

        if (out.failedToOpen())
            return false;

        if (! out.write (text.toRawUTF8(), text.getNumBytesAsUTF8()))
            return false;

        out.flush();

        if (out.getStatus().failed())
            return false;
    }

    // A short write (a full disk, a size limit) reports no error of its own.
    if (temporary.getFile().getSize() != (juce::int64) text.getNumBytesAsUTF8())
        return false;

    return temporary.overwriteTargetFileWithTemporary();
}
