// Reads OBJ files that other tools wrote with our reader and with Debian's
// tinyobjloader, and prints one table row per file: the triangles each reader
// made, and whether they agree. Our reader keeps the first three corners of a
// face, so tinyobjloader's polygons are cut the same way before comparing.
// Where the two differ, the row names what in the file explains it.
//
//   obj_compare FILE.obj...     (exit status 1 when a file could not be read)

#include "collection/obj_parser.h"
#include "collection/text_file.h"

#include <tiny_obj_loader.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Triangle = std::array<std::array<float, 3>, 3>;

struct Reading {
    bool accepted = false;
    std::string note;                // why a reader refused or complained
    std::vector<Triangle> triangles; // the first three corners of every face
};

std::array<float, 3> position(const std::vector<float>& xyz, long index) {
    if (index < 0 || static_cast<std::size_t>(3 * index + 2) >= xyz.size()) {
        return {0.0f, 0.0f, 0.0f};
    }
    return {xyz[3 * index], xyz[3 * index + 1], xyz[3 * index + 2]};
}

Reading readOurs(const std::string& text) {
    ObjData data;
    Reading reading;
    switch (collection::parseObj(text, data)) {
    case collection::ObjParseResult::ok:
        reading.accepted = true;
        break;
    case collection::ObjParseResult::badIndices:
        reading.accepted = true;
        reading.note = "indices outside the data read as 0";
        break;
    case collection::ObjParseResult::tooLarge:
        reading.note = "too large";
        return reading;
    }
    for (const Face& face : data.faces) {
        Triangle triangle{};
        for (int corner = 0; corner < 3; ++corner) {
            triangle[corner] = position(data.vertices, face.vertexIndices[corner]);
        }
        reading.triangles.push_back(triangle);
    }
    return reading;
}

Reading readTiny(const std::string& text) {
    tinyobj::ObjReaderConfig config;
    config.triangulate = false;
    config.vertex_color = false;
    tinyobj::ObjReader reader;
    Reading reading;
    // Materials are not ours to compare: no .mtl is looked for.
    reading.accepted = reader.ParseFromString(text, "", config);
    reading.note = reader.Error();
    if (!reading.accepted) {
        return reading;
    }
    const std::vector<float>& xyz = reader.GetAttrib().vertices;
    for (const tinyobj::shape_t& shape : reader.GetShapes()) {
        std::size_t first = 0;
        for (unsigned char corners : shape.mesh.num_face_vertices) {
            Triangle triangle{};
            for (std::size_t corner = 0; corner < 3 && corner < corners; ++corner) {
                triangle[corner] = position(xyz, shape.mesh.indices[first + corner].vertex_index);
            }
            reading.triangles.push_back(triangle);
            first += corners;
        }
    }
    return reading;
}

bool samePlace(const Triangle& a, const Triangle& b) {
    for (int corner = 0; corner < 3; ++corner) {
        for (int axis = 0; axis < 3; ++axis) {
            const float x = a[corner][axis];
            const float y = b[corner][axis];
            if (std::fabs(x - y) > 1e-5f * std::max(1.0f, std::fabs(x))) {
                return false;
            }
        }
    }
    return true;
}

// A corner's form with its numbers named by place: "1/2" is "v/t".
std::string cornerForm(const std::string& corner) {
    static const char* const kPlaces[] = {"v", "t", "n"};
    std::string form;
    std::size_t place = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t slash = corner.find('/', start);
        const bool given = (slash == std::string::npos ? corner.size() : slash) > start;
        form += given && place < 3 ? kPlaces[place] : "";
        if (slash == std::string::npos) {
            return form;
        }
        form += '/';
        ++place;
        start = slash + 1;
    }
}

// The one corner form our reader reads in a file with these kinds of data.
std::string patternOf(bool v, bool t, bool n) {
    if (v) {
        return t ? (n ? "v/t/n" : "v/t/") : (n ? "v//n" : "v");
    }
    return t ? (n ? "/t/n" : "/t/") : (n ? "//n" : "none");
}

// What in the file makes the two readers part ways.
std::string traits(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    bool v = false, t = false, n = false;
    bool indented = false, parameterVertices = false, relative = false, polygons = false,
         shortFaces = false, continued = false, wide = false, huge = false;
    std::string forms;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        wide |= line.find('\0') != std::string::npos;
        continued |= !line.empty() && line.back() == '\\';
        indented |= (line.rfind(" v", 0) == 0 || line.rfind(" f", 0) == 0 ||
                     line.rfind("\tv", 0) == 0 || line.rfind("\tf", 0) == 0);
        parameterVertices |= line.rfind("vp", 0) == 0;
        v |= line.rfind("v ", 0) == 0;
        t |= line.rfind("vt", 0) == 0;
        n |= line.rfind("vn", 0) == 0;
        if (line != "f" && line.rfind("f ", 0) != 0) {
            continue;
        }
        std::istringstream corners(line.substr(1));
        std::string corner;
        int count = 0;
        while (corners >> corner) {
            ++count;
            relative |= corner.find('-') != std::string::npos;
            const std::string form = cornerForm(corner);
            if (forms.find("[" + form + "]") == std::string::npos) {
                forms += "[" + form + "]";
            }
        }
        polygons |= count > 3;
        shortFaces |= count < 3;
        huge |= count > 255;
    }
    std::string out;
    auto add = [&out](bool present, const std::string& what) {
        if (present) {
            out += (out.empty() ? "" : "; ") + what;
        }
    };
    const std::string pattern = "[" + patternOf(v || parameterVertices, t, n) + "]";
    add(!forms.empty() && forms != pattern && !(pattern == "[v]" && forms == "[v//]"),
        "corners " + forms + ", ours reads " + pattern + " in this file");
    add(wide, "not 8-bit text (UTF-16)");
    add(indented, "indented element lines (ours skips them)");
    add(parameterVertices, "vp lines (ours counts them as vertices)");
    add(relative, "relative (negative) indices (ours reads them as 0)");
    add(shortFaces, "faces of fewer than 3 corners");
    add(continued, "lines continued with a backslash");
    add(polygons, "polygons (both cut to their first triangle here)");
    add(huge, "a face of more than 255 corners (tinyobjloader counts corners in a byte)");
    return out;
}

} // namespace

int main(int argc, char** argv) {
    int unreadable = 0;
    std::printf("| file | ours | tinyobjloader | result | what the file holds |\n");
    std::printf("|---|---|---|---|---|\n");
    for (int i = 1; i < argc; ++i) {
        std::string text;
        if (collection::readWholeFile(argv[i], text) != 0) {
            std::printf("| %s | - | - | cannot be read | |\n", argv[i]);
            ++unreadable;
            continue;
        }
        const Reading ours = readOurs(text);
        const Reading tiny = readTiny(text);
        std::string result;
        if (!ours.accepted || !tiny.accepted) {
            result = std::string(ours.accepted ? "" : "ours refuses") +
                     (tiny.accepted ? "" : "tinyobjloader refuses: " + tiny.note);
        } else if (ours.triangles.size() != tiny.triangles.size()) {
            result = "triangle counts differ";
        } else {
            std::size_t differing = 0;
            for (std::size_t t = 0; t < ours.triangles.size(); ++t) {
                differing += samePlace(ours.triangles[t], tiny.triangles[t]) ? 0 : 1;
            }
            result = differing == 0 ? "same" : std::to_string(differing) + " triangles differ";
        }
        if (!ours.note.empty()) {
            result += " (ours: " + ours.note + ")";
        }
        for (char& c : result) {
            c = c == '\n' ? ' ' : c;
        }
        std::printf("| %s | %zu | %zu | %s | %s |\n", argv[i], ours.triangles.size(),
                    tiny.triangles.size(), result.c_str(), traits(text).c_str());
    }
    return unreadable == 0 ? 0 : 1;
}
