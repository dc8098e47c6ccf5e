#include "library/song_identity.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(SongIdentity, IsTheSha256OfTheBytesWhateverTheFileIsCalled) {
    testsupport::ScratchDir scratch;
    std::string error;
    // The standard's own examples: a short message, and one that takes the
    // reader through its chunk loop.
    EXPECT_EQ(library::songIdentity(scratch.write("abc.mp3", "abc"), error),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    const std::string million(1000000, 'a');
    const std::string expected = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0";
    EXPECT_EQ(library::songIdentity(scratch.write("a.flac", million), error), expected);
    EXPECT_EQ(library::songIdentity(scratch.write("moved/renamed.ogg", million), error), expected);
    std::string edited = million;
    edited[999999] = 'b';
    EXPECT_NE(library::songIdentity(scratch.write("edited.flac", edited), error), expected);
    // Two chunks and a bit; the empty file has its own identity too.
    EXPECT_EQ(
        library::songIdentity(scratch.write("long", std::string(2500000, 'x')), error)->size(),
        library::kSongIdentityLength);
    EXPECT_EQ(library::songIdentity(scratch.write("empty", ""), error),
              "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST(SongIdentity, NothingForWhatCannotBeRead) {
    testsupport::ScratchDir scratch;
    std::string error;
    EXPECT_FALSE(library::songIdentity(scratch.path() / "missing.ogg", error));
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_FALSE(library::songIdentity(scratch.path(), error));
    EXPECT_EQ(error, "it is a folder");
}

} // namespace
