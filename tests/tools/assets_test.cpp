#include "assets/catalogue.h"
#include "assets/font_sheet.h"
#include "assets/image.h"
#include "assets/mesh.h"
#include "assets/panels.h"
#include "support/scratch_dir.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

// stb_image as private functions of this file, so it cannot clash with the
// game's own image reader in the core library.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace {

using Files = std::map<std::string, std::string>;

Files generate() {
    auto files = assetgen::generateAssets(assetgen::defaultFontFile);
    Files byPath;
    if (files) {
        for (auto& f : *files) {
            byPath[f.path] = std::move(f.bytes);
        }
    }
    return byPath;
}

// One generation shared by the content tests: it takes a moment.
const Files& assets() {
    static const Files files = generate();
    return files;
}

const std::string& file(const std::string& path) {
    static const std::string none;
    auto it = assets().find(path);
    return it == assets().end() ? none : it->second;
}

struct Decoded {
    int width = 0, height = 0, channels = 0;
    std::vector<uint8_t> pixels; // RGBA, as stb_image hands rows to the game: first row first
    const uint8_t* at(int x, int y) const {
        return &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
    }
};

Decoded decode(const std::string& bytes) {
    Decoded d;
    stbi_uc* data = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                          int(bytes.size()), &d.width, &d.height, &d.channels, 4);
    if (data != nullptr) {
        d.pixels.assign(data, data + size_t(d.width) * size_t(d.height) * 4);
        stbi_image_free(data);
    }
    return d;
}

struct ObjFile {
    std::vector<glm::vec3> v, vn;
    std::vector<glm::vec2> vt;
    std::vector<std::array<int, 9>> faces; // v/t/n of three corners, as written (1-based)
    std::vector<std::string> faceLines;
    int malformedFaces = 0;
};

ObjFile parseObj(const std::string& text) {
    ObjFile obj;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        glm::vec3 p{};
        std::array<int, 9> f{};
        char rest[2];
        if (std::sscanf(line.c_str(), "vn %f %f %f", &p[0], &p[1], &p[2]) == 3) {
            obj.vn.push_back(p);
        } else if (std::sscanf(line.c_str(), "vt %f %f", &p[0], &p[1]) == 2) {
            obj.vt.push_back({p[0], p[1]});
        } else if (std::sscanf(line.c_str(), "v %f %f %f", &p[0], &p[1], &p[2]) == 3) {
            obj.v.push_back(p);
        } else if (line.rfind("f ", 0) == 0) {
            int n = std::sscanf(line.c_str(), "f %d/%d/%d %d/%d/%d %d/%d/%d %1s", &f[0], &f[1],
                                &f[2], &f[3], &f[4], &f[5], &f[6], &f[7], &f[8], rest);
            obj.malformedFaces += n == 9 ? 0 : 1;
            obj.faces.push_back(f);
            obj.faceLines.push_back(line);
        }
    }
    return obj;
}

std::vector<std::string> modelPaths() {
    std::vector<std::string> paths;
    for (const auto& [path, bytes] : assets()) {
        if (path.rfind("Models/", 0) == 0) {
            paths.push_back(path);
        }
    }
    return paths;
}

TEST(AssetGenerator, TwoGenerationsAreByteIdentical) {
    ASSERT_FALSE(assets().empty()) << "font missing: " << assetgen::defaultFontFile;
    Files again = generate();
    ASSERT_EQ(again.size(), assets().size());
    for (const auto& [path, bytes] : assets()) {
        EXPECT_TRUE(again[path] == bytes) << path << " differs between two runs";
    }
}

TEST(AssetGenerator, WritesEveryFileUnderTheRunFolder) {
    std::string dir = ::testing::TempDir() + "assetgen_write_test";
    std::vector<assetgen::AssetFile> files{{"Models/a.obj", "v 1 2 3\n"},
                                           {"Sprites/b.tga_s", "xy"}};
    ASSERT_TRUE(assetgen::writeAssets(files, dir));
    for (const auto& f : files) {
        EXPECT_EQ(testsupport::readFile(dir + "/" + f.path), f.bytes) << f.path;
    }
    EXPECT_FALSE(assetgen::writeAssets(files, "/proc/no/such/place"));
}

// The build only copies what tools/assets/CMakeLists.txt names as outputs: a
// file missing there would be missing in the run folder.
TEST(AssetGenerator, BuildListsExactlyTheGeneratedFiles) {
    std::ifstream in(std::string(CUEFLIGHT_SOURCE_DIR) + "/tools/assets/CMakeLists.txt");
    std::string word;
    std::set<std::string> listed;
    while (in >> word) {
        if (word.rfind("Models/", 0) == 0 || word.rfind("Sprites/", 0) == 0) {
            listed.insert(word.substr(0, word.find(')')));
        }
    }
    std::set<std::string> generated;
    for (const auto& entry : assets()) {
        generated.insert(entry.first);
    }
    EXPECT_EQ(listed, generated);
}

// Counter-clockwise seen from the front: the winding's normal must agree with
// the normals the file gives its corners.
TEST(ObjModels, IndicesInRangeUnitNormalsAndWindingAgreeingWithThem) {
    ASSERT_GE(modelPaths().size(), 13u);
    for (const std::string& path : modelPaths()) {
        ObjFile obj = parseObj(file(path));
        SCOPED_TRACE(path);
        ASSERT_FALSE(obj.v.empty() || obj.vt.empty() || obj.vn.empty() || obj.faces.empty());
        ASSERT_EQ(obj.malformedFaces, 0);
        const int limits[3] = {int(obj.v.size()), int(obj.vt.size()), int(obj.vn.size())};
        int outOfRange = 0, notUnit = 0, disagreeing = 0;
        for (const auto& f : obj.faces) {
            for (int k = 0; k < 9; ++k) {
                outOfRange += f[size_t(k)] < 1 || f[size_t(k)] > limits[k % 3] ? 1 : 0;
            }
        }
        ASSERT_EQ(outOfRange, 0);
        for (const auto& n : obj.vn) {
            notUnit += std::fabs(glm::length(n) - 1.0f) > 2e-3f ? 1 : 0;
        }
        for (const auto& f : obj.faces) {
            auto p = [&](int c) { return obj.v[size_t(f[3 * c] - 1)]; };
            auto n = [&](int c) { return obj.vn[size_t(f[3 * c + 2] - 1)]; };
            const glm::vec3 winding = glm::cross(p(1) - p(0), p(2) - p(0));
            disagreeing += glm::dot(winding, n(0) + n(1) + n(2)) < 0.0f;
        }
        EXPECT_EQ(notUnit, 0);
        EXPECT_EQ(disagreeing, 0);
    }
}

TEST(ObjModels, PulsedCueHasTheSameFacesAsTheSphere) {
    ObjFile sphere = parseObj(file("Models/ani_sphere.obj"));
    ObjFile pulse = parseObj(file("Models/ani_sphere_2.obj"));
    ASSERT_FALSE(sphere.faces.empty());
    EXPECT_EQ(sphere.v.size(), pulse.v.size());
    EXPECT_EQ(sphere.vt.size(), pulse.vt.size());
    EXPECT_EQ(sphere.vn.size(), pulse.vn.size());
    EXPECT_EQ(sphere.faceLines, pulse.faceLines);
    float largestSwell = 0.0f;
    for (size_t i = 0; i < sphere.v.size(); ++i) {
        EXPECT_NEAR(glm::length(sphere.v[i]), 1.0f, 1e-4f);
        largestSwell = std::max(largestSwell, glm::length(pulse.v[i]) - 1.0f);
    }
    EXPECT_GT(largestSwell, 0.2f) << "the pulse must visibly change the shape";
}

TEST(ObjModels, CubePlaneCrosshairAndRingHaveTheirShapes) {
    ObjFile cube = parseObj(file("Models/cube.obj"));
    EXPECT_EQ(cube.faces.size(), 12u);
    for (const auto& p : cube.v) {
        EXPECT_TRUE(std::fabs(p[0]) == 0.5f && std::fabs(p[1]) == 0.5f && std::fabs(p[2]) == 0.5f);
    }
    ObjFile plane = parseObj(file("Models/plane.obj"));
    EXPECT_EQ(plane.faces.size(), 2u);
    for (const auto& p : plane.v) {
        EXPECT_TRUE(std::fabs(p[0]) == 1.0f && std::fabs(p[1]) == 1.0f && p[2] == 0.0f);
    }
    ObjFile crosshair = parseObj(file("Models/crosshair.obj"));
    for (const auto& n : crosshair.vn) {
        EXPECT_EQ(n[2], 1.0f);
    }
    for (const auto& p : crosshair.v) {
        EXPECT_EQ(p[2], 0.0f);
        EXPECT_LE(std::hypot(p[0], p[1]), 1.0001f);
    }
    ObjFile ring = parseObj(file("Models/ring.obj"));
    int up = 0, down = 0;
    for (const auto& f : ring.faces) {
        float ny = ring.vn[size_t(f[2] - 1)][1];
        (ny > 0.0f ? up : down) += 1;
    }
    EXPECT_GT(up, 0);
    EXPECT_EQ(up, down);
}

TEST(ObjModels, SpaceshipPointsItsNoseTowardsMinusZ) {
    ObjFile ship = parseObj(file("Models/spaceship.obj"));
    ASSERT_FALSE(ship.v.empty());
    auto nose = *std::min_element(ship.v.begin(), ship.v.end(),
                                  [](auto& a, auto& b) { return a[2] < b[2]; });
    float back = 0.0f;
    for (const auto& p : ship.v) {
        back = std::max(back, p[2]);
    }
    EXPECT_LT(nose[2], -0.9f);
    EXPECT_NEAR(nose[0], 0.0f, 1e-4f);
    EXPECT_GT(back, 0.8f);
}

TEST(ObjWriter, WritesSixDecimalsAndOneBasedCornerTriples) {
    assetgen::Mesh mesh;
    mesh.positions.push_back(glm::vec3(0.0f));
    mesh.positions.push_back(glm::vec3(1.0f, -0.0000001f, 0.0f));
    mesh.positions.push_back(glm::vec3(0.0f, 1.0f, 0.5f));
    mesh.uvs.push_back(glm::vec2(0.0f));
    mesh.uvs.push_back(glm::vec2(1.0f, 0.25f));
    mesh.normals.push_back(glm::vec3(0.0f, 0.0f, 1.0f));
    mesh.triangles = {
        {assetgen::Corner{0, 0, 0}, assetgen::Corner{1, 1, 0}, assetgen::Corner{2, 1, 0}}};
    assetgen::Mesh twice = mesh;
    twice.append(mesh);
    EXPECT_EQ(assetgen::encodeObj(mesh, "one"), "# one\n# 3 vertices, 1 triangles\n"
                                                "v 0.000000 0.000000 0.000000\n"
                                                "v 1.000000 0.000000 0.000000\n"
                                                "v 0.000000 1.000000 0.500000\n"
                                                "vt 0.000000 0.000000\n"
                                                "vt 1.000000 0.250000\n"
                                                "vn 0.000000 0.000000 1.000000\n"
                                                "f 1/1/1 2/2/1 3/2/1\n");
    ObjFile both = parseObj(assetgen::encodeObj(twice, "two"));
    ASSERT_EQ(both.faces.size(), 2u);
    EXPECT_EQ(both.faces[1], (std::array<int, 9>{4, 3, 2, 5, 4, 2, 6, 4, 2}));
}

TEST(PanelLayout, PlatesCoverTheTileAndMeetAtItsEdges) {
    const int size = 128;
    assetgen::PanelLayout layout(size, 4, 7u);
    int uncovered = 0, edgesOffSeam = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            assetgen::PanelLayout::Hit hit = layout.at(x, y);
            uncovered += hit.panel < 0 ? 1 : 0;
            bool onTileEdge = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            edgesOffSeam += onTileEdge && hit.edgeDistance != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(uncovered, 0);
    EXPECT_EQ(edgesOffSeam, 0) << "a seam on every tile edge keeps the repeat invisible";
}

// Textures repeat (GL_REPEAT) and wrap around spheres: the step from the last
// column back to the first must be no larger than steps between neighbours
// inside the image. (Plate textures wrap on a plate seam, see PanelLayout.)
TEST(Sprites, RepeatingTexturesHaveNoSeamWhereTheyWrap) {
    auto meanStep = [](const Decoded& d, int xa, int xb) {
        double sum = 0.0;
        for (int y = 0; y < d.height; ++y) {
            for (int c = 0; c < 3; ++c) {
                sum += std::abs(int(d.at(xa, y)[c]) - int(d.at(xb, y)[c]));
            }
        }
        return sum / (3.0 * d.height);
    };
    for (const char* path :
         {"Sprites/sphere_rusty.tga", "Sprites/metal18.tga", "Sprites/asteroid_rock.tga",
          "Sprites/planet_gas.tga", "Sprites/planet_terra.tga", "Sprites/moon.tga"}) {
        Decoded d = decode(file(path));
        ASSERT_GT(d.width, 4) << path;
        double largestInside = 0.0;
        for (int x = 0; x + 1 < d.width; ++x) {
            largestInside = std::max(largestInside, meanStep(d, x, x + 1));
        }
        EXPECT_LE(meanStep(d, d.width - 1, 0), 1.1 * largestInside) << path;
    }
}

TEST(Sprites, EveryTextureDecodesWithPowerOfTwoSides) {
    const std::map<std::string, int> rgba{{"Sprites/marker.tga", 4},
                                          {"Sprites/splosion_part_sheet4.tga", 4},
                                          {"Sprites/fonts.tga", 4},
                                          {"Sprites/ring_bands.tga", 4}};
    int textures = 0;
    for (const auto& [path, bytes] : assets()) {
        if (path.rfind("Sprites/", 0) != 0) {
            continue;
        }
        ++textures;
        Decoded d = decode(bytes);
        SCOPED_TRACE(path);
        ASSERT_GT(d.width, 0);
        EXPECT_EQ(d.width & (d.width - 1), 0);
        EXPECT_EQ(d.height & (d.height - 1), 0);
        EXPECT_EQ(d.channels, rgba.count(path) ? 4 : 3);
    }
    EXPECT_EQ(textures, 20);
}

int maxAlphaInCell(const Decoded& sheet, int code, int x0 = 0, int x1 = 64) {
    int best = 0;
    int cx = (code % 16) * 64, cy = (code / 16) * 64;
    for (int y = 0; y < 64; ++y) {
        for (int x = x0; x < x1; ++x) {
            best = std::max(best, int(sheet.at(cx + x, cy + y)[3]));
        }
    }
    return best;
}

TEST(FontSheet, GlyphsSitInTheirCellsByCharacterCodeInsideTheirHalfWidthBox) {
    Decoded sheet = decode(file("Sprites/fonts.tga"));
    ASSERT_EQ(sheet.width, 1024);
    ASSERT_EQ(sheet.height, 1024);
    EXPECT_EQ(maxAlphaInCell(sheet, 'A'), 255);
    EXPECT_EQ(maxAlphaInCell(sheet, '~'), 255);
    EXPECT_EQ(maxAlphaInCell(sheet, assetgen::FontSheetLayout::timesCode), 255); // "0.75×"
    for (int empty : {int(' '), 1, 200}) {
        EXPECT_EQ(maxAlphaInCell(sheet, empty), 0) << empty;
    }
    // How drawn glyphs look (white, outlined, upright, the block filled) is the
    // text overlay's test on a few of them; here every glyph keeps to the
    // middle half of its cell's width, all the overlay shows.
    for (int c = assetgen::FontSheetLayout::timesCode; c <= 127; ++c) {
        EXPECT_EQ(maxAlphaInCell(sheet, c, 0, 16), 0) << char(c);
        EXPECT_EQ(maxAlphaInCell(sheet, c, 48, 64), 0) << char(c);
    }
}

TEST(CubeMap, NeighbouringFacesMatchAlongTheirSharedEdges) {
    Decoded right = decode(file("Sprites/cubemap_space3_right.tga"));
    Decoded back = decode(file("Sprites/cubemap_space3_back.tga"));
    Decoded top = decode(file("Sprites/cubemap_space3_top.tga"));
    Decoded front = decode(file("Sprites/cubemap_space3_front.tga"));
    const int n = right.width;
    ASSERT_EQ(n, 512);
    int seamMismatch = 0, unrelatedMismatch = 0;
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < 3; ++c) {
            // +X's right column is -Z's left column; +Y's bottom row is +Z's top row.
            seamMismatch += std::abs(right.at(n - 1, i)[c] - back.at(0, i)[c]) > 2 ? 1 : 0;
            seamMismatch += std::abs(top.at(i, n - 1)[c] - front.at(i, 0)[c]) > 2 ? 1 : 0;
            unrelatedMismatch += std::abs(right.at(0, i)[c] - back.at(0, i)[c]) > 2 ? 1 : 0;
        }
    }
    EXPECT_EQ(seamMismatch, 0);
    EXPECT_GT(unrelatedMismatch, 50) << "edges that are not shared should differ";
}

TEST(ExplosionSheet, FourSpritesThatFadeOutBeforeTheirCellBorders) {
    Decoded sheet = decode(file("Sprites/splosion_part_sheet4.tga"));
    ASSERT_EQ(sheet.width, 512);
    for (int cell = 0; cell < 4; ++cell) {
        int x0 = (cell % 2) * 256, y0 = (cell / 2) * 256;
        EXPECT_GT(sheet.at(x0 + 128, y0 + 128)[3], 100) << "sprite " << cell << " has a body";
        int borderAlpha = 0;
        for (int i = 0; i < 256; ++i) {
            borderAlpha =
                std::max({borderAlpha, int(sheet.at(x0 + i, y0)[3]), int(sheet.at(x0, y0 + i)[3]),
                          int(sheet.at(x0 + i, y0 + 255)[3]), int(sheet.at(x0 + 255, y0 + i)[3])});
        }
        EXPECT_EQ(borderAlpha, 0) << "sprite " << cell;
    }
}

TEST(HullTextures, NormalMapHoldsUnitNormalsFacingOut) {
    Decoded normals = decode(file("Sprites/hull17.tga_n"));
    ASSERT_GT(normals.width, 0);
    int tilted = 0, bad = 0;
    for (int y = 0; y < normals.height; ++y) {
        for (int x = 0; x < normals.width; ++x) {
            const uint8_t* p = normals.at(x, y);
            const glm::vec3 n = glm::vec3(p[0], p[1], p[2]) / 127.5f - 1.0f;
            bad += std::fabs(glm::length(n) - 1.0f) > 0.02f || n.z <= 0.0f ? 1 : 0;
            tilted += n.z < 0.95f ? 1 : 0;
        }
    }
    EXPECT_EQ(bad, 0);
    EXPECT_GT(tilted, 1000) << "seams and rivets should bend the normals";
}

} // namespace
