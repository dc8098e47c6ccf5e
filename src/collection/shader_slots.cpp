#include "collection/shader_slots.h"

namespace collection {

const std::array<const char*, kUniformSlotCount> kUniformNames = {
    "mvMat",
    "vMat",
    "projMat",
    "mode",
    "color",
    "interpolate",
    "dt",
    "updatetime",
    "nrLights",
    "energy",
    "ld",
    "ld2",
    "ld3",
    "ld4",
    "ld5",
    "tex0",
    "tex1",
    "tex2",
    "fontTexture",
    "lightDirection",
    "particleTexture",
    "transMat",
    "invTransMat",
    "m",
    "type",
    "fboTex0",
    "fboTex1",
    "fboTex2",
    "windowSize",
    "lightPos",
    "envMap",
    "tint",
    "lightTint",
    "glowTint",
};

const std::array<const char*, kAttribSlotCount> kAttribNames = {
    "in_Position", "in_Normal",          "in_TexCoord",      "in_Velocity",
    "in_Params",   "in_Position_Target", "in_Normal_Target", "in_Font",
};

} // namespace collection
