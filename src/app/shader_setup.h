#pragma once

// The nine shader programs by id, in the order initShaders registers them.
enum ProgramId {
    LightshaftProgram,
    MinimalProgram,
    LightProgram,
    ParticleProgram,
    BloomProgram,
    PickerProgram,
    LensflareProgram,
    FontProgram,
    MblurProgram,
};

// Keys of the variants built beside the nine.
enum BloomVariant {
    GlowAndSceneVariant, // the composite of glow and scene alone
};

class ShaderProgram;

// Builds the nine programs from Shaders/150/ and locates their variables.
// The "light" program's samplers then start on units of their own, so its
// cube map never shares a unit with a 2D level, even before the first frame
// binds the environment map.
void initShaders();

// A registered program; null only before initShaders.
ShaderProgram* programById(ProgramId id);
