#pragma once

#include "collection/obj_data.h"

#include <string_view>

namespace collection {

// What the caller has to report about a parse; the record is usable in every
// case.
enum class ObjParseResult {
    ok,
    // Some face indices pointed outside the file's data (or were negative);
    // they were read as 0.
    badIndices,
    // More elements than the drawing code can count; the record stays empty.
    tooLarge,
};

// Fills the counts, arrays and faces of data from the text of an OBJ file.
// Lines are told apart by their first characters only; faces are read as
// triangles with the one corner pattern that the file's counts call for.
ObjParseResult parseObj(std::string_view text, ObjData& data);

} // namespace collection
