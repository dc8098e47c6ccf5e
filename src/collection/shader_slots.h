#pragma once

#include "platform/gl.h"

#include <array>
#include <cstddef>

namespace collection {

// Every uniform any pass sets, in lookup order; the value is the column of
// ShaderCollection's uniform table. The names are the GLSL names.
enum class UniformSlot {
    mvMat,
    vMat,
    projMat,
    mode,
    color,
    interpolate,
    dt,
    updatetime,
    nrLights,
    energy,
    ld,
    ld2,
    ld3,
    ld4,
    ld5,
    tex0,
    tex1,
    tex2,
    fontTexture,
    lightDirection,
    particleTexture,
    transMat,
    invTransMat,
    m,
    type,
    fboTex0,
    fboTex1,
    fboTex2,
    windowSize,
    lightPos,
    envMap,
    tint,
    lightTint,
    glowTint,
};
constexpr std::size_t kUniformSlotCount = 34;
static_assert(static_cast<std::size_t>(UniformSlot::glowTint) + 1 == kUniformSlotCount);

// Every vertex attribute any pass binds, in lookup order.
enum class AttribSlot {
    inPosition,
    inNormal,
    inTexCoord,
    inVelocity,
    inParams,
    inPositionTarget,
    inNormalTarget,
    inFont,
};
constexpr std::size_t kAttribSlotCount = 8;
static_assert(static_cast<std::size_t>(AttribSlot::inFont) + 1 == kAttribSlotCount);

// GLSL names by slot.
extern const std::array<const char*, kUniformSlotCount> kUniformNames;
extern const std::array<const char*, kAttribSlotCount> kAttribNames;

// One program's locations, indexed by slot; -1 where the program lacks the
// name (the GL ignores uniform calls on -1, the draws skip such attributes).
template <typename Slot, std::size_t Count> struct LocationRow {
    std::array<GLint, Count> locations;

    LocationRow() { locations.fill(-1); }
    GLint operator[](Slot slot) const { return locations[static_cast<std::size_t>(slot)]; }
};

using UniformRow = LocationRow<UniformSlot, kUniformSlotCount>;
using AttribRow = LocationRow<AttribSlot, kAttribSlotCount>;

} // namespace collection
