#include "collection/obj_collection.h"
#include "collection/texure_collection.h"
#include "collection/vbo_collection.h"
#include "model/obj_anim.h"
#include "support/gl_context.h"
#include "support/scratch_dir.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>

using collection::VBOCollection;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

// A unit cube: vertex i has the coordinates of the bits of i (x = bit 0,
// y = bit 1, z = bit 2), scaled so that every position is distinct.
std::array<float, 3> cubeVertex(int i, float scale) {
    return {scale * (i & 1), scale * ((i >> 1) & 1) + 0.5f, scale * ((i >> 2) & 1) + 0.25f};
}

// Twelve triangles, two per side, as 0-based vertex indices.
constexpr int kCubeFaces[12][3] = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6},
                                   {0, 1, 4}, {1, 5, 4}, {2, 6, 3}, {3, 6, 7},
                                   {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};

std::string cubeObj(float scale, bool withNormals = true) {
    std::ostringstream text;
    text << "# cube\no cube\n";
    for (int i = 0; i < 8; ++i) {
        const auto v = cubeVertex(i, scale);
        text << "v " << v[0] << " " << v[1] << " " << v[2] << "\n";
    }
    text << "vt 0 0\nvt 1 0\nvt 1 1\n" << (withNormals ? "vn 0 0 1\nvn 0 1 0\n" : "");
    for (int f = 0; f < 12; ++f) {
        text << "f";
        for (int c = 0; c < 3; ++c) {
            text << ' ' << kCubeFaces[f][c] + 1 << '/' << c + 1;
            if (withNormals) {
                text << '/' << f % 2 + 1;
            }
        }
        text << "\n";
    }
    return text.str();
}

template <typename T> std::vector<T> bufferContent(GLenum target, GLuint buffer) {
    glBindBuffer(target, buffer);
    GLint size = 0;
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    std::vector<T> values(static_cast<std::size_t>(size) / sizeof(T));
    glGetBufferSubData(target, 0, size, values.data());
    glBindBuffer(target, 0);
    return values;
}

// A buffer's values per triangle corner, read through the model's indices.
std::vector<float> perCorner(GLuint buffer, GLuint indexBuffer, std::size_t width) {
    const auto values = bufferContent<float>(GL_ARRAY_BUFFER, buffer);
    std::vector<float> corners;
    for (GLuint index : bufferContent<GLuint>(GL_ELEMENT_ARRAY_BUFFER, indexBuffer)) {
        EXPECT_LE((index + 1) * width, values.size());
        for (std::size_t i = 0; i < width && (index + 1) * width <= values.size(); ++i) {
            corners.push_back(values[index * width + i]);
        }
    }
    return corners;
}

std::vector<float> expectedPositions(float scale) {
    std::vector<float> corners;
    for (const auto& face : kCubeFaces) {
        for (int vertex : face) {
            const auto v = cubeVertex(vertex, scale);
            corners.insert(corners.end(), v.begin(), v.end());
        }
    }
    return corners;
}

class VBOCollectionTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::requireGLContext();
        // Element buffers can only be read back with a vertex array bound.
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
    }
    void TearDown() override {
        VBOCollection::destroyInstance();
        collection::ObjCollection::destroyInstance();
        collection::TexureCollection::destroyInstance();
        glBindVertexArray(0);
        glDeleteVertexArrays(1, &vertexArray);
    }

    testsupport::ScratchDir dir;
    VBOCollection* models = VBOCollection::getInstance();
    GLuint vertexArray = 0;
};

} // namespace

TEST_F(VBOCollectionTest, TheCornersComeBackThroughTheIndicesAndRepeatedOnesAreShared) {
    const std::string objPath = dir.write("cube.obj", cubeObj(2.0f));
    model::OBJ* cube = models->createModel(objPath, dir.file("none.tga"));
    ASSERT_EQ(cube->nrFaces, 12);
    EXPECT_EQ(perCorner(cube->positionBuffer, cube->indexBuffer, 3), expectedPositions(2.0f));
    const auto normals = perCorner(cube->normalBuffer, cube->indexBuffer, 3);
    ASSERT_EQ(normals.size(), 36u * 3);
    EXPECT_EQ(normals[2], 1.0f);  // face 0 uses normal 1 (0, 0, 1)
    EXPECT_EQ(normals[10], 1.0f); // face 1 uses normal 2 (0, 1, 0)
    const auto texCoords = perCorner(cube->texCoordBuffer, cube->indexBuffer, 2);
    ASSERT_EQ(texCoords.size(), 36u * 2);
    EXPECT_EQ(texCoords[4], 1.0f); // third corner: (1, 1)
    EXPECT_EQ(texCoords[5], 1.0f);
    // Corners alike in position, normal and texture coordinate are one
    // vertex: fewer than the 36 corners are uploaded.
    EXPECT_LT(bufferContent<float>(GL_ARRAY_BUFFER, cube->positionBuffer).size(), 36u * 3);
    // The sphere around the vertices holds every corner.
    for (std::size_t i = 0; i < 36; ++i) {
        const auto& p = expectedPositions(2.0f);
        const glm::vec3 corner(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
        EXPECT_LE(glm::length(corner - cube->boundCentre), cube->boundRadius + 1e-5f);
    }
    EXPECT_EQ(cube->getObjpath(), objPath);
    EXPECT_EQ(cube->getTexturepath(), dir.file("none.tga"));
}

namespace {

// Tells when the model it hangs under is deleted (a node deletes its children).
class DeletionWitness : public scenegraph::Node {
public:
    explicit DeletionWitness(bool& deleted) : Node("witness", "Node"), deleted(deleted) {}
    ~DeletionWitness() override { deleted = true; }

private:
    bool& deleted;
};

} // namespace

TEST_F(VBOCollectionTest, ModelsReplacedUnderTheirKeyAreStillDeletedWithTheCollection) {
    const std::string objPath = dir.write("cube.obj", cubeObj(1.0f));
    bool firstDeleted = false;
    bool secondDeleted = false;
    models->createModel(objPath, "")->addChild(new DeletionWitness(firstDeleted));
    models->createModel(objPath, "")->addChild(new DeletionWitness(secondDeleted));
    VBOCollection::destroyInstance();
    EXPECT_TRUE(firstDeleted);
    EXPECT_TRUE(secondDeleted);
    models = VBOCollection::getInstance(); // TearDown destroys it again
}

TEST_F(VBOCollectionTest, MissingNormalsComeOutAsZeros) {
    const std::string objPath = dir.write("flat.obj", cubeObj(1.0f, false));
    model::OBJ* cube = models->createModel(objPath, "");
    const auto normals = perCorner(cube->normalBuffer, cube->indexBuffer, 3);
    ASSERT_EQ(normals.size(), 36u * 3);
    EXPECT_EQ(normals, std::vector<float>(36 * 3, 0.0f));
}

TEST_F(VBOCollectionTest, EveryCallMakesAFreshNodeSharingFileBuffersAndTexture) {
    const std::string objPath = dir.write("cube.obj", cubeObj(1.0f));
    const std::string texturePath =
        dir.write("skin.tga", testfiles::tgaImage(1, 1, 3, std::vector<std::uint8_t>{1, 2, 3}));
    CaptureStdout();
    model::OBJ* first = models->createModel(objPath, texturePath);
    model::OBJ* second = models->createModel(objPath, texturePath);
    EXPECT_EQ(GetCapturedStdout(), texturePath + " loaded.\n");
    EXPECT_NE(first, second);
    EXPECT_EQ(first->positionBuffer, second->positionBuffer);
    EXPECT_EQ(first->indexBuffer, second->indexBuffer);
    EXPECT_EQ(first->objData, second->objData);
    ASSERT_EQ(first->nrTexLevels, 1);
    EXPECT_EQ(first->texLevels[0].texture, second->texLevels[0].texture);
    // The node the map let go of is still whole for whoever holds it.
    EXPECT_EQ(first->nrFaces, 12);
}

TEST_F(VBOCollectionTest, TextureLevelsKeepTheirSuffixNumberAsUnit) {
    const std::string objPath = dir.write("cube.obj", cubeObj(1.0f));
    const std::vector<std::uint8_t> pixel{1, 2, 3};
    const std::string base = dir.write("hull.tga", testfiles::tgaImage(1, 1, 3, pixel));
    dir.write("hull.tga_s", testfiles::tgaImage(1, 1, 3, pixel));
    CaptureStderr();
    model::OBJ* hull = models->createModel(objPath, base);
    EXPECT_EQ(GetCapturedStderr(), ""); // "_a" and "_n" are missing silently
    ASSERT_EQ(hull->nrTexLevels, 2);
    EXPECT_EQ(hull->texLevels[0].unit, 0);
    EXPECT_EQ(hull->texLevels[1].unit, 2);
    EXPECT_NE(hull->texLevels[0].texture, hull->texLevels[1].texture);
}

TEST_F(VBOCollectionTest, AnimatedModelReadsTheNumberedShapes) {
    const std::string objPath = dir.write("Models/ani.obj", cubeObj(1.0f));
    dir.write("Models/ani_2.obj", cubeObj(3.0f));
    ObjAnim* morph = models->createAnimModel(objPath, "", 2);
    ASSERT_EQ(morph->framesLoaded, 2);
    EXPECT_EQ(morph->nrFaces, 12);
    EXPECT_EQ(perCorner(morph->positionBuffers[0], morph->indexBuffer, 3), expectedPositions(1.0f));
    EXPECT_EQ(perCorner(morph->positionBuffers[1], morph->indexBuffer, 3), expectedPositions(3.0f));
    EXPECT_NE(morph->normalBuffers[0], morph->normalBuffers[1]);
    EXPECT_EQ(bufferContent<GLuint>(GL_ELEMENT_ARRAY_BUFFER, morph->indexBuffer).size(), 36u);
    EXPECT_EQ(perCorner(morph->texCoordBuffer, morph->indexBuffer, 2).size(), 72u);
}

TEST_F(VBOCollectionTest, SingleFrameAnimationUsesOnlyItsOwnFile) {
    const std::string objPath = dir.write("one.obj", cubeObj(1.0f));
    CaptureStdout();
    ObjAnim* morph = models->createAnimModel(objPath, "", 1);
    EXPECT_EQ(GetCapturedStdout(), ""); // no "_2" file was looked for
    EXPECT_EQ(morph->positionBuffers.size(), 1u);
    EXPECT_EQ(morph->normalBuffers.size(), 1u);
    EXPECT_NE(morph->positionBuffers[0], 0u);
}

TEST_F(VBOCollectionTest, ShapesOfDifferentSizeDrawOnlyTheTrianglesAllHaveAndAreToldOnce) {
    const std::string objPath = dir.write("grow.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    const std::string secondPath = dir.write("grow_2.obj", cubeObj(1.0f));
    CaptureStderr();
    ObjAnim* morph = models->createAnimModel(objPath, "", 2);
    // The level makes every cue of one series: a fault is told for the first.
    ObjAnim* nextCue = models->createAnimModel(objPath, "", 2);
    const std::string told = GetCapturedStderr();
    // Either shape may be the broken file, so the report names both.
    const std::string report = "morph shape " + secondPath + " has 12 faces, the series from " +
                               objPath + " 1; drawing the fewer\n";
    EXPECT_EQ(told.substr(0, report.size()), report);
    EXPECT_EQ(told.find("morph shape", report.size()), std::string::npos) << told;
    EXPECT_EQ(morph->nrFaces, 1);
    EXPECT_EQ(nextCue->nrFaces, 1);
}
