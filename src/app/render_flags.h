#pragma once

#include <array>

// The render switches that keys 0 to 8 toggle and the frame passes read.
enum RenderFlag {
    Picker,
    FullRender,
    Lightshafts,
    Bloom,
    EnvironmentMapping,
    Lensflare,
    Crosshair,
    ParticleSystems,
    MotionBlur,
    ReservedFlag, // no key reaches it; kept on
    RenderFlagCount
};

using RenderFlags = std::array<bool, RenderFlagCount>;

constexpr RenderFlags initialRenderFlags{true, true, true, true,  true,
                                         true, true, true, false, true};

// The names the toggle messages use, indexed like the keys 0 to 8.
constexpr std::array<const char*, ReservedFlag> renderFlagNames{
    "PICKER",    "FULL RENDER", "LIGHTSHAFTS",     "BLOOM",      "ENVIRONMENT MAPPING",
    "LENSFLARE", "CROSSHAIR",   "PARTICLESYSTEMS", "MOTION BLUR"};
