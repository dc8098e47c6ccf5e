#include "collection/obj_collection.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

using collection::ObjCollection;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

class ObjCollectionTest : public testing::Test {
protected:
    void TearDown() override { ObjCollection::destroyInstance(); }

    testsupport::ScratchDir dir;
};

constexpr const char* kTriangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";

} // namespace

TEST_F(ObjCollectionTest, ParsesEachPathAsWrittenOnceAndKeepsThePath) {
    const std::string path = dir.write("Models/tri.obj", kTriangle);
    ObjData* first = ObjCollection::getInstance()->getObj(path);
    ASSERT_EQ(first->nrFaces, 1);
    EXPECT_EQ(first->path, path);
    // Changing the file shows that the second request does not read it again.
    dir.write("Models/tri.obj", "v 0 0 0\n");
    EXPECT_EQ(ObjCollection::getInstance()->getObj(path), first);
    EXPECT_EQ(first->nrFaces, 1);

    // A differently written path is a different key, read anew.
    dir.write("Models/tri.obj", kTriangle);
    const std::string doubled = dir.file("Models//tri.obj");
    ObjData* other = ObjCollection::getInstance()->getObj(doubled);
    EXPECT_NE(first, other);
    EXPECT_EQ(other->nrFaces, 1);
    EXPECT_EQ(other->path, doubled);
}

TEST_F(ObjCollectionTest, MissingFileGivesAnEmptyRecordThatStays) {
    const std::string path = dir.file("Models/none.obj");
    CaptureStdout();
    CaptureStderr();
    ObjData* missing = ObjCollection::getInstance()->getObj(path);
    EXPECT_EQ(GetCapturedStdout(),
              "could not find file: " + path + "  - error code: " + std::to_string(ENOENT) + " \n");
    EXPECT_EQ(GetCapturedStderr(),
              "obj file " + path + " cannot be read: " + std::strerror(ENOENT) + "\n");
    EXPECT_EQ(missing->nrVertices + missing->nrNormals + missing->nrTexCoords + missing->nrFaces,
              0);
    // Appearing later changes nothing: the empty record is what the run keeps.
    dir.write("Models/none.obj", kTriangle);
    CaptureStdout();
    EXPECT_EQ(ObjCollection::getInstance()->getObj(path), missing);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(missing->nrFaces, 0);
}

TEST_F(ObjCollectionTest, ReportsBadIndicesOncePerFile) {
    const std::string path = dir.write("bad.obj", "v 0 0 0\nv 1 0 0\nf 1 2 3\nf 7 1 2\nf -1 1 2\n");
    CaptureStderr();
    ObjData* data = ObjCollection::getInstance()->getObj(path);
    EXPECT_EQ(GetCapturedStderr(),
              "obj file " + path + " has face indices outside its data; they were read as 0\n");
    EXPECT_EQ(data->nrFaces, 3);
}

TEST_F(ObjCollectionTest, SaysGoodbyeToEveryRecordWhenDestroyed) {
    const std::string a = dir.write("a.obj", kTriangle);
    const std::string b = dir.file("b.obj");
    CaptureStdout();
    ObjCollection::getInstance()->getObj(b);
    ObjCollection::getInstance()->getObj(a);
    ObjCollection::destroyInstance();
    const std::string out = GetCapturedStdout();
    EXPECT_NE(out.find("delete object... " + a + "\n"), std::string::npos);
    EXPECT_NE(out.find("delete object... " + b + "\n"), std::string::npos);
}
