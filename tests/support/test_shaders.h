#pragma once

// Header only: GLSL sources for the GL tests of the collections and of model
// drawing, and a working folder laid out as the game reads it.

#include "support/scratch_dir.h"

#include <filesystem>
#include <initializer_list>
#include <string>

namespace testfiles {

// Declares and really uses every uniform and attribute of the location
// tables, so the linker keeps them all.
constexpr const char* kAllNamesVertex = R"(#version 150
uniform mat4 mvMat, vMat, projMat, transMat, invTransMat;
uniform int mode, interpolate, updatetime, nrLights, type;
uniform float dt, m;
uniform float energy[5];
uniform vec3 color, ld, ld2, ld3, ld4, ld5, lightDirection, lightPos;
uniform vec2 windowSize;
in vec3 in_Position, in_Normal, in_Velocity, in_Position_Target, in_Normal_Target;
in vec2 in_TexCoord;
in vec4 in_Params;
in float in_Font;
out vec4 carried;
void main() {
    vec3 p = mix(in_Position, in_Position_Target, dt) + in_Normal + in_Normal_Target
           + in_Velocity + color + ld + ld2 + ld3 + ld4 + ld5 + lightDirection + lightPos;
    float s = float(mode + interpolate + updatetime + nrLights + type) + m + energy[0]
            + energy[4] + in_Font + in_Params.x + windowSize.x + in_TexCoord.x;
    gl_Position = projMat * vMat * mvMat * transMat * invTransMat * vec4(p, s);
    carried = vec4(p, s);
}
)";

constexpr const char* kAllNamesFragment = R"(#version 150
uniform sampler2D tex0, tex1, tex2, fontTexture, particleTexture, fboTex0, fboTex1, fboTex2;
uniform samplerCube envMap;
uniform vec4 tint;
uniform vec3 lightTint, glowTint;
in vec4 carried;
out vec4 fragColor;
void main() {
    vec2 t = carried.xy;
    fragColor = texture(tex0, t) + texture(tex1, t) + texture(tex2, t)
              + texture(fontTexture, t) + texture(particleTexture, t) + texture(fboTex0, t)
              + texture(fboTex1, t) + texture(fboTex2, t) + texture(envMap, carried.xyz) + tint
              + vec4(lightTint + glowTint, 0.0);
}
)";

// Fills the triangles with the picking colour, placed by mvMat and projMat.
constexpr const char* kFlatVertex = R"(#version 150
uniform mat4 mvMat, projMat;
in vec3 in_Position;
void main() { gl_Position = projMat * mvMat * vec4(in_Position, 1.0); }
)";

constexpr const char* kFlatFragment = R"(#version 150
uniform vec3 color;
uniform sampler2D tex0;
out vec4 fragColor;
void main() { fragColor = vec4(color, texture(tex0, vec2(0.5)).a); }
)";

// Blends two shapes by dt, as the morphing models are drawn.
constexpr const char* kMorphVertex = R"(#version 150
uniform mat4 mvMat, projMat;
uniform float dt;
uniform int interpolate;
in vec3 in_Position, in_Position_Target;
void main() {
    vec3 p = interpolate == 1 ? mix(in_Position, in_Position_Target, dt) : in_Position;
    gl_Position = projMat * mvMat * vec4(p, 1.0);
}
)";

// A scratch folder made the working directory while it lives, so the
// collections find "Shaders/150/" and other relative paths in it.
class WorkingFolder {
public:
    WorkingFolder() : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(dir.path());
    }
    ~WorkingFolder() { std::filesystem::current_path(previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    // Writes name.vert and name.frag under "Shaders/150/".
    void writeProgram(const std::string& name, const char* vert, const char* frag) const {
        dir.write("Shaders/150/" + name + ".vert", vert);
        dir.write("Shaders/150/" + name + ".frag", frag);
    }

    // Copies the game's own shader files, by file name, under "Shaders/150/".
    void copyGameShaders(std::initializer_list<const char*> files) const {
        std::filesystem::create_directories(dir.path() / "Shaders/150");
        for (const char* file : files) {
            std::filesystem::copy_file(std::filesystem::path(CUEFLIGHT_SOURCE_DIR) /
                                           "data/Shaders/150" / file,
                                       dir.path() / "Shaders/150" / file);
        }
    }

    testsupport::ScratchDir dir;

private:
    std::filesystem::path previous;
};

} // namespace testfiles
