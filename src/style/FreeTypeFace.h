#pragma once

#include <juce_graphics/juce_graphics.h>

#include <memory>

// A typeface read with FreeType straight from a font file or from memory.
//
// Written here rather than using the framework's own FreeType typeface because that one
// cannot pick a face out of a collection (.ttc, the only form Debian ships Noto Sans CJK
// in) and builds its list of every installed font, opening each file, before its first
// face: a cost that grows with the fonts a user has and that the window waited for.
// FreeType reads a file face lazily, so a 20 MB collection costs only the pages of the
// glyphs that are drawn.
class FreeTypeFace : public juce::CustomTypeface
{
public:
    // Face `faceIndex` of a font or collection file; nullptr when FreeType cannot open it.
    static juce::Typeface::Ptr fromFile (const juce::File& file, int faceIndex);

    // A face in memory that outlives the typeface (the embedded fonts); not copied.
    static juce::Typeface::Ptr fromMemory (const void* data, size_t size);

    // The number of faces in a font or collection file (0 when it is not a font).
    static int countFaces (const juce::File& file);

    // The family name of face `faceIndex` of a file, or empty.
    static juce::String familyName (const juce::File& file, int faceIndex);

    ~FreeTypeFace() override;

protected:
    bool loadGlyphIfPossible (juce::juce_wchar character) override;

private:
    struct Handle;
    struct OpenFace;
    explicit FreeTypeFace (std::unique_ptr<Handle>);

    static std::unique_ptr<OpenFace> openFile (const juce::File& file, long faceIndex);
    static juce::Typeface::Ptr fromHandle (std::unique_ptr<OpenFace> opened);

    std::unique_ptr<Handle> handle;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FreeTypeFace)
};
