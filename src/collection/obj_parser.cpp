#include "collection/obj_parser.h"

#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace collection {
namespace {

// Three corners per face must still fit the int count of one draw call, and
// every count must fit the record's int fields.
constexpr std::size_t kMaxElements = INT_MAX / 3;

enum class LineKind { normal, texCoord, vertex, face, ignored };

LineKind classify(const char* line, const char* end) {
    if (line == end) {
        return LineKind::ignored;
    }
    if (line[0] == 'f') {
        return LineKind::face;
    }
    if (line[0] != 'v') {
        return LineKind::ignored;
    }
    if (end - line > 1 && line[1] == 'n') {
        return LineKind::normal;
    }
    if (end - line > 1 && line[1] == 't') {
        return LineKind::texCoord;
    }
    return LineKind::vertex;
}

// Calls visit(begin, end) for every line; the last line needs no line end.
template <typename Visit> void forEachLine(std::string_view text, Visit&& visit) {
    const char* pos = text.data();
    const char* const end = pos + text.size();
    while (pos < end) {
        const auto* lineEnd = static_cast<const char*>(std::memchr(pos, '\n', end - pos));
        if (lineEnd == nullptr) {
            visit(pos, end);
            return;
        }
        visit(pos, lineEnd);
        pos = lineEnd + 1;
    }
}

struct LineCounts {
    std::size_t normals = 0;
    std::size_t texCoords = 0;
    std::size_t vertices = 0;
    std::size_t faces = 0;

    bool fitsDrawing() const {
        return normals <= kMaxElements && texCoords <= kMaxElements && vertices <= kMaxElements &&
               faces <= kMaxElements;
    }
};

LineCounts countLines(std::string_view text) {
    LineCounts counts;
    forEachLine(text, [&counts](const char* line, const char* end) {
        switch (classify(line, end)) {
        case LineKind::normal:
            ++counts.normals;
            break;
        case LineKind::texCoord:
            ++counts.texCoords;
            break;
        case LineKind::vertex:
            ++counts.vertices;
            break;
        case LineKind::face:
            ++counts.faces;
            break;
        case LineKind::ignored:
            break;
        }
    });
    return counts;
}

bool isBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a line the way sscanf reads it with the file's patterns: conversions
// skip leading blanks, a blank in the pattern matches any run of blanks,
// every other pattern character must match exactly, and the first mismatch
// ends the line with the values read so far.
class LineScanner {
public:
    LineScanner(const char* begin, const char* end) : pos(begin), end(end) {}

    void skipBlanks() {
        while (pos < end && isBlank(*pos)) {
            ++pos;
        }
    }

    bool matchLiteral(char c) {
        if (pos == end || *pos != c) {
            return false;
        }
        ++pos;
        return true;
    }

    // Values beyond the int range saturate; as indices they are out of range
    // either way.
    bool readInt(int& value) {
        skipBlanks();
        const char* p = pos;
        bool negative = false;
        if (p < end && (*p == '+' || *p == '-')) {
            negative = *p == '-';
            ++p;
        }
        if (p == end || !isDigit(*p)) {
            return false;
        }
        long long magnitude = 0;
        for (; p < end && isDigit(*p); ++p) {
            if (magnitude <= INT_MAX) {
                magnitude = magnitude * 10 + (*p - '0');
            }
        }
        const int bounded = magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
        value = negative ? -bounded : bounded;
        pos = p;
        return true;
    }

    bool readFloat(float& value) {
        skipBlanks();
        const char* p = pos;
        if (p < end && *p == '+') {
            ++p;
            if (p < end && *p == '-') {
                return false;
            }
        }
        auto [next, error] = std::from_chars(p, end, value);
        if (error == std::errc::result_out_of_range) {
            // from_chars leaves the value alone here; scanf gives inf or 0.
            value = std::strtof(std::string(pos, next).c_str(), nullptr);
        } else if (error != std::errc()) {
            return false;
        }
        pos = next;
        return true;
    }

private:
    const char* pos;
    const char* const end;
};

void readFloats(const char* begin, const char* end, float* values, int count) {
    LineScanner scanner(begin, end);
    for (int i = 0; i < count; ++i) {
        if (!scanner.readFloat(values[i])) {
            return;
        }
    }
}

enum class Field { vertex, texCoord, normal };

// One face pattern: its scanf-style format (only blanks, literals and %d)
// and which index each %d of a corner fills.
struct FacePattern {
    const char* format;
    Field fields[3];
    int fieldsPerCorner;
};

constexpr FacePattern kVertexPattern{"f %d %d %d", {Field::vertex}, 1};
constexpr FacePattern kVertexSlashPattern{"f %d// %d// %d//", {Field::vertex}, 1};
constexpr FacePattern kTexCoordPattern{"f /%d/ /%d/ /%d/", {Field::texCoord}, 1};
constexpr FacePattern kNormalPattern{"f //%d //%d //%d", {Field::normal}, 1};
constexpr FacePattern kTexCoordNormalPattern{
    "f /%d/%d /%d/%d /%d/%d", {Field::texCoord, Field::normal}, 2};
constexpr FacePattern kVertexNormalPattern{
    "f %d//%d %d//%d %d//%d", {Field::vertex, Field::normal}, 2};
constexpr FacePattern kVertexTexCoordPattern{
    "f %d/%d/ %d/%d/ %d/%d/", {Field::vertex, Field::texCoord}, 2};
constexpr FacePattern kFullPattern{
    "f %d/%d/%d %d/%d/%d %d/%d/%d", {Field::vertex, Field::texCoord, Field::normal}, 3};

// The pattern is chosen once per file from which kinds of data it has. A file
// with vertices only still decides per line between "1 2 3" and "1// 2// 3//".
struct FaceRule {
    const FacePattern* pattern = nullptr; // null: faces stay zeroed
    bool vertexOnly = false;
};

FaceRule chooseFaceRule(const LineCounts& counts) {
    const bool v = counts.vertices != 0;
    const bool t = counts.texCoords != 0;
    const bool n = counts.normals != 0;
    if (v && t && n) {
        return {&kFullPattern};
    }
    if (v && t) {
        return {&kVertexTexCoordPattern};
    }
    if (v && n) {
        return {&kVertexNormalPattern};
    }
    if (v) {
        return {&kVertexPattern, true};
    }
    if (t && n) {
        return {&kTexCoordNormalPattern};
    }
    if (t) {
        return {&kTexCoordPattern};
    }
    if (n) {
        return {&kNormalPattern};
    }
    return {};
}

const FacePattern& patternForLine(const FaceRule& rule, const char* line, const char* end) {
    if (!rule.vertexOnly) {
        return *rule.pattern;
    }
    const std::size_t inspected = std::min<std::size_t>(10, end - line);
    const bool slashed = std::memchr(line, '/', inspected) != nullptr;
    return slashed ? kVertexSlashPattern : kVertexPattern;
}

int* fieldOf(Face& face, Field field, int corner) {
    switch (field) {
    case Field::vertex:
        return &face.vertexIndices[corner];
    case Field::texCoord:
        return &face.texCoordIndices[corner];
    case Field::normal:
        break;
    }
    return &face.normalIndices[corner];
}

// Only the first three corners are read: faces are triangles.
void scanFace(const char* line, const char* end, const FacePattern& pattern, Face& face) {
    int* targets[9];
    int count = 0;
    for (int corner = 0; corner < 3; ++corner) {
        for (int i = 0; i < pattern.fieldsPerCorner; ++i) {
            targets[count++] = fieldOf(face, pattern.fields[i], corner);
        }
    }
    LineScanner scanner(line, end);
    int next = 0;
    for (const char* f = pattern.format; *f != '\0'; ++f) {
        if (*f == ' ') {
            scanner.skipBlanks();
        } else if (*f == '%') {
            ++f; // the 'd'
            if (!scanner.readInt(*targets[next++])) {
                return;
            }
        } else if (!scanner.matchLiteral(*f)) {
            return;
        }
    }
}

// File indices are 1-based and 0 means "not given", so 0 stays 0. Relative
// (negative) indices and indices past the data would read outside the arrays;
// they become 0 and the caller reports the file. Returns false for those.
bool settleIndex(int& index, int count) {
    if (index != 0) {
        --index;
    }
    if (index == 0 || (index > 0 && index < count)) {
        return true;
    }
    index = 0;
    return false;
}

bool settleFace(Face& face, const ObjData& data) {
    bool valid = true;
    for (int corner = 0; corner < 3; ++corner) {
        valid &= settleIndex(face.normalIndices[corner], data.nrNormals);
        valid &= settleIndex(face.vertexIndices[corner], data.nrVertices);
        valid &= settleIndex(face.texCoordIndices[corner], data.nrTexCoords);
    }
    return valid;
}

void allocate(ObjData& data, const LineCounts& counts) {
    data.nrNormals = static_cast<int>(counts.normals);
    data.nrTexCoords = static_cast<int>(counts.texCoords);
    data.nrVertices = static_cast<int>(counts.vertices);
    data.nrFaces = static_cast<int>(counts.faces);
    data.normals.assign(counts.normals * 3, 0.0f);
    data.texCoords.assign(counts.texCoords * 2, 0.0f);
    data.vertices.assign(counts.vertices * 3, 0.0f);
    data.faces.assign(counts.faces, Face{});
}

} // namespace

ObjParseResult parseObj(std::string_view text, ObjData& data) {
    const LineCounts counts = countLines(text);
    if (!counts.fitsDrawing()) {
        allocate(data, LineCounts{});
        return ObjParseResult::tooLarge;
    }
    allocate(data, counts);
    const FaceRule rule = chooseFaceRule(counts);
    float* normal = data.normals.data();
    float* texCoord = data.texCoords.data();
    float* vertex = data.vertices.data();
    Face* face = data.faces.data();
    bool indicesValid = true;
    forEachLine(text, [&](const char* line, const char* end) {
        switch (classify(line, end)) {
        case LineKind::normal:
            readFloats(line + 2, end, normal, 3);
            normal += 3;
            break;
        case LineKind::texCoord:
            readFloats(line + 2, end, texCoord, 2);
            texCoord += 2;
            break;
        case LineKind::vertex:
            readFloats(line + 1, end, vertex, 3);
            vertex += 3;
            break;
        case LineKind::face:
            if (rule.pattern != nullptr) {
                scanFace(line, end, patternForLine(rule, line, end), *face);
            }
            indicesValid &= settleFace(*face, data);
            ++face;
            break;
        case LineKind::ignored:
            break;
        }
    });
    return indicesValid ? ObjParseResult::ok : ObjParseResult::badIndices;
}

} // namespace collection
