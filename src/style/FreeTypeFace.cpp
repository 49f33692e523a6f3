#include "FreeTypeFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <functional>
#include <mutex>

namespace
{
// One FreeType library for the process, kept alive by every face made from it. Creating
// and freeing faces of one library must not run at the same time.
struct Library
{
    Library()
    {
        if (FT_Init_FreeType (&library) != 0)
            library = nullptr;
    }

    ~Library()
    {
        if (library != nullptr)
            FT_Done_FreeType (library);
    }

    static std::shared_ptr<Library> get()
    {
        static std::mutex creation;
        static std::weak_ptr<Library> current;
        const std::lock_guard<std::mutex> lock (creation);

        auto shared = current.lock();

        if (shared == nullptr)
        {
            shared = std::make_shared<Library>();
            current = shared;
        }

        return shared->library != nullptr ? shared : nullptr;
    }

    FT_Library library = nullptr;
    std::mutex faces;
};
} // namespace

// A face and the library it needs, closed together.
struct FreeTypeFace::OpenFace
{
    std::shared_ptr<Library> library;
    FT_Face face = nullptr;

    OpenFace() = default;
    OpenFace (const OpenFace&) = delete;
    OpenFace& operator= (const OpenFace&) = delete;

    static std::unique_ptr<OpenFace> open (const std::function<FT_Error (FT_Library, FT_Face*)>& opener)
    {
        auto opened = std::make_unique<OpenFace>();
        opened->library = Library::get();

        if (opened->library == nullptr)
            return nullptr;

        const std::lock_guard<std::mutex> lock (opened->library->faces);

        if (opener (opened->library->library, &opened->face) != 0)
        {
            opened->face = nullptr;
            return nullptr;
        }

        return opened;
    }

    ~OpenFace()
    {
        if (face != nullptr)
        {
            const std::lock_guard<std::mutex> lock (library->faces);
            FT_Done_Face (face);
        }
    }
};

std::unique_ptr<FreeTypeFace::OpenFace> FreeTypeFace::openFile (const juce::File& file, long faceIndex)
{
    const auto path = file.getFullPathName().toStdString();
    return OpenFace::open ([&path, faceIndex] (FT_Library library, FT_Face* face) { return FT_New_Face (library, path.c_str(), faceIndex, face); });
}

namespace
{
// The outline as a path in units of the face's height, y pointing down, as the
// framework's typefaces give their glyphs.
struct OutlineToPath
{
    juce::Path path;
    float scale;

    juce::Point<float> point (const FT_Vector* v) const { return { scale * (float) v->x, -scale * (float) v->y }; }

    static OutlineToPath& of (void* user) { return *static_cast<OutlineToPath*> (user); }

    static int moveTo (const FT_Vector* to, void* user)
    {
        auto& self = of (user);

        if (! self.path.isEmpty())
            self.path.closeSubPath();

        self.path.startNewSubPath (self.point (to));
        return 0;
    }

    static int lineTo (const FT_Vector* to, void* user)
    {
        auto& self = of (user);
        self.path.lineTo (self.point (to));
        return 0;
    }

    static int conicTo (const FT_Vector* control, const FT_Vector* to, void* user)
    {
        auto& self = of (user);
        self.path.quadraticTo (self.point (control), self.point (to));
        return 0;
    }

    static int cubicTo (const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user)
    {
        auto& self = of (user);
        self.path.cubicTo (self.point (control1), self.point (control2), self.point (to));
        return 0;
    }
};
} // namespace

struct FreeTypeFace::Handle
{
    std::unique_ptr<OpenFace> opened;
    float height = 1.0f;
};

FreeTypeFace::FreeTypeFace (std::unique_ptr<Handle> h)
    : handle (std::move (h))
{
    const auto face = handle->opened->face;
    handle->height = (float) (face->ascender - face->descender);
    setCharacteristics (juce::String::fromUTF8 (face->family_name != nullptr ? face->family_name : ""),
                        juce::String::fromUTF8 (face->style_name != nullptr ? face->style_name : ""),
                        handle->height > 0.0f ? (float) face->ascender / handle->height : 0.8f,
                        L' ');
}

FreeTypeFace::~FreeTypeFace() = default;

juce::Typeface::Ptr FreeTypeFace::fromHandle (std::unique_ptr<OpenFace> opened)
{
    // Only scalable faces: the glyphs are drawn as outlines at any size.
    if (opened == nullptr || ! FT_IS_SCALABLE (opened->face))
        return nullptr;

    auto h = std::make_unique<Handle>();
    h->opened = std::move (opened);
    return juce::Typeface::Ptr (new FreeTypeFace (std::move (h)));
}

juce::Typeface::Ptr FreeTypeFace::fromFile (const juce::File& file, int faceIndex)
{
    return faceIndex >= 0 ? fromHandle (openFile (file, faceIndex)) : nullptr;
}

juce::Typeface::Ptr FreeTypeFace::fromMemory (const void* data, size_t size)
{
    return fromHandle (OpenFace::open ([data, size] (FT_Library library, FT_Face* face) {
        return FT_New_Memory_Face (library, static_cast<const FT_Byte*> (data), (FT_Long) size, 0, face);
    }));
}

int FreeTypeFace::countFaces (const juce::File& file)
{
    // Face index -1 asks FreeType only how many faces the file holds.
    const auto opened = openFile (file, -1);
    return opened != nullptr ? (int) opened->face->num_faces : 0;
}

juce::String FreeTypeFace::familyName (const juce::File& file, int faceIndex)
{
    const auto opened = faceIndex >= 0 ? openFile (file, faceIndex) : nullptr;
    return opened != nullptr && opened->face->family_name != nullptr ? juce::String::fromUTF8 (opened->face->family_name) : juce::String();
}

bool FreeTypeFace::loadGlyphIfPossible (juce::juce_wchar character)
{
    const auto face = handle->opened->face;

    if (handle->height <= 0.0f)
        return false;

    // A character the face lacks gets glyph 0, the face's own missing-glyph shape.
    const auto glyph = FT_Get_Char_Index (face, (FT_ULong) character);

    if (FT_Load_Glyph (face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_IGNORE_TRANSFORM | FT_LOAD_NO_HINTING) != 0
        || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return false;

    OutlineToPath outline { {}, 1.0f / handle->height };
    const FT_Outline_Funcs funcs { OutlineToPath::moveTo, OutlineToPath::lineTo, OutlineToPath::conicTo, OutlineToPath::cubicTo, 0, 0 };

    if (FT_Outline_Decompose (&face->glyph->outline, &funcs, &outline) != 0)
        return false;

    if (! outline.path.isEmpty())
        outline.path.closeSubPath();

    addGlyph (character, outline.path, (float) face->glyph->metrics.horiAdvance / handle->height);

    // Pairs from the face's kern table, with this character on the left.
    if (FT_HAS_KERNING (face))
    {
        FT_UInt right = 0;

        for (auto code = FT_Get_First_Char (face, &right); right != 0; code = FT_Get_Next_Char (face, code, &right))
        {
            FT_Vector kerning;

            if (FT_Get_Kerning (face, glyph, right, FT_KERNING_UNSCALED, &kerning) == 0 && kerning.x != 0)
                addKerningPair (character, (juce::juce_wchar) code, (float) kerning.x / handle->height);
        }
    }

    return true;
}
