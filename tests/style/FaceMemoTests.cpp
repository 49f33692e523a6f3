#include "style/DefaultFaceCheck.h"
#include "style/DefaultTypeface.h"
#include "style/FaceMemo.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

namespace
{
const juce::File collection ("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc");

class FaceNote : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE (collection.existsAsFile()) << "scripts/setup installs fonts-noto-cjk"; }

    TemporaryFolder folder;
    juce::File note = folder.get().getChildFile ("cache/voxlet/default-face");
};
} // namespace

TEST_F (FaceNote, ReadsBackWhatItWroteAndRejectsWhatIsNotANote)
{
    const FaceMemo::Entry entry { collection, 3, "Noto Sans CJK TC" };
    ASSERT_TRUE (FaceMemo::write (note, entry));
    EXPECT_EQ (FaceMemo::read (note), entry);

    const char* const notNotes[] = { "", "relative/path.ttc\n3\nNoto Sans CJK TC\n", "/usr/share/fonts/a.ttc\n3\n", "/usr/share/fonts/a.ttc\nthree\nNoto\n", "/usr/share/fonts/a.ttc\n-1\nNoto\n", "/usr/share/fonts/a.ttc\n99999999999\nNoto\n" };

    for (const auto* text : notNotes)
    {
        ASSERT_TRUE (note.replaceWithText (text));
        EXPECT_FALSE (FaceMemo::read (note).has_value()) << text;
    }

    EXPECT_FALSE (FaceMemo::read (folder.get().getChildFile ("missing")).has_value());
    EXPECT_FALSE (FaceMemo::write (note, { collection, 0, "Two\nLines" }));
}

TEST_F (FaceNote, TheFirstStartSearchesAndNotesAndTheNextOpensTheNotedFace)
{
    bool remembered = true;
    const auto searched = DefaultTypeface::choose (note, remembered);
    ASSERT_NE (searched, nullptr);
    EXPECT_FALSE (remembered);

    const auto entry = FaceMemo::read (note);
    ASSERT_TRUE (entry.has_value());
    EXPECT_EQ (entry->family, searched->getName());
    EXPECT_TRUE (entry->file.existsAsFile());

    const auto again = DefaultTypeface::choose (note, remembered);
    ASSERT_NE (again, nullptr);
    EXPECT_TRUE (remembered);
    EXPECT_EQ (again->getName(), searched->getName());

    // Nothing installed or removed in between: the check leaves the note alone.
    EXPECT_FALSE (DefaultTypeface::refresh (note));
    EXPECT_EQ (FaceMemo::read (note), entry);
}

TEST_F (FaceNote, ANoteThatNoLongerMatchesItsFileIsSearchedAgain)
{
    bool remembered = false;
    const auto expected = DefaultTypeface::choose (note, remembered);
    ASSERT_NE (expected, nullptr);
    const auto good = *FaceMemo::read (note);

    // A font removed, a collection rebuilt with other faces at the index.
    const FaceMemo::Entry stale[] = { { folder.get().getChildFile ("gone.ttc"), 0, good.family }, { good.file, good.index, "Another Family" } };

    for (const auto& entry : stale)
    {
        ASSERT_TRUE (FaceMemo::write (note, entry));
        const auto face = DefaultTypeface::choose (note, remembered);
        ASSERT_NE (face, nullptr);
        EXPECT_FALSE (remembered) << entry.file.getFullPathName() << " " << entry.family;
        EXPECT_EQ (face->getName(), expected->getName());
        EXPECT_EQ (FaceMemo::read (note), good);
    }
}

TEST_F (FaceNote, TheBackgroundCheckNotesAPreferredFaceForTheNextStart)
{
    // The note names a face that is installed but not the preferred one, as when the
    // preferred face was installed after the note was written.
    const auto japanese = DefaultTypeface::indexInCollection (collection, "Noto Sans CJK JP");
    ASSERT_GE (japanese, 0);
    ASSERT_TRUE (FaceMemo::write (note, { collection, japanese, "Noto Sans CJK JP" }));

    bool remembered = false;
    const auto thisStart = DefaultTypeface::choose (note, remembered);
    ASSERT_NE (thisStart, nullptr);
    EXPECT_TRUE (remembered);
    EXPECT_EQ (thisStart->getName(), "Noto Sans CJK JP");

    DefaultFaceCheck check (note);
    check.start();
    ASSERT_TRUE (check.waitUntilDone (20000));
    EXPECT_TRUE (check.changedNote());

    bool searched = true;
    const auto preferred = DefaultTypeface::choose (folder.get().getChildFile ("fresh-note"), searched);
    ASSERT_NE (preferred, nullptr);
    ASSERT_FALSE (searched);
    ASSERT_NE (preferred->getName(), "Noto Sans CJK JP");

    const auto nextStart = DefaultTypeface::choose (note, remembered);
    ASSERT_NE (nextStart, nullptr);
    EXPECT_TRUE (remembered);
    EXPECT_EQ (nextStart->getName(), preferred->getName());
}
