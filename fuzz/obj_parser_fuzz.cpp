// Feeds arbitrary text to the OBJ parser as if it were a model file and
// checks the record the vertex buffers are built from: counts that match the
// arrays, and every face index inside the data it points into.

#include "collection/obj_parser.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

bool inside(const int (&indices)[3], int count) {
    for (int index : indices) {
        // 0 is "not given" and reads as zeros when there is no data.
        if (index < 0 || (index > 0 && index >= count)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ObjData record;
    collection::parseObj(std::string_view(reinterpret_cast<const char*>(data), size), record);

    fuzzsupport::require(
        record.vertices.size() == 3 * static_cast<std::size_t>(record.nrVertices) &&
            record.normals.size() == 3 * static_cast<std::size_t>(record.nrNormals) &&
            record.texCoords.size() == 2 * static_cast<std::size_t>(record.nrTexCoords) &&
            record.faces.size() == static_cast<std::size_t>(record.nrFaces),
        "counts differ from the arrays");
    for (const Face& face : record.faces) {
        fuzzsupport::require(inside(face.vertexIndices, record.nrVertices) &&
                                 inside(face.normalIndices, record.nrNormals) &&
                                 inside(face.texCoordIndices, record.nrTexCoords),
                             "face index outside the data");
    }
    return 0;
}
