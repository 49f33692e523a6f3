#pragma once

#include <juce_core/juce_core.h>

// Replaces a file's whole content so that it holds either the old text or the new one,
// never a part: the text goes to a hidden file beside it, which is renamed over it only
// once every byte is written.
class AtomicTextFile
{
public:
    // UTF-8, line endings as they are in the text. False when anything failed; the file
    // then keeps its previous content.
    static bool replace (const juce::File& file, const juce::String& text);

private:
    AtomicTextFile() = delete;
};
