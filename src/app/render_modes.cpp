#include "app/render_modes.h"

ModeChange nextTextureFilterMode(int mode) {
    if (mode == 1) {
        return {2, "Bilinear texture filtering"};
    }
    return {1, "Nearest Neighbor texture filtering"};
}

ModeChange nextMipmapMode(int mode) {
    switch (mode) {
    case 10:
        return {11, "Nearest Neighbor MipMapping"};
    case 11:
        return {12, "Linear interpolation MipMapping"};
    default:
        return {10, "MipMapping off"};
    }
}

ModeChange nextCullingMode(int mode) {
    switch (mode) {
    case 20:
        return {21, "Cull level on Z"};
    case 21:
        return {22, "Cull level on view frustrum"};
    case 22:
        return {23, "Cull level and scenegraph on Z"};
    case 23:
        return {24, "Cull level and scenegraph on view frustrum"};
    default:
        return {20, "No view culling"};
    }
}

std::optional<std::string> nextCameraName(const std::string& current) {
    if (current == "racing cam") {
        return "main cam";
    }
    if (current == "main cam") {
        return "spaceship cam";
    }
    if (current == "spaceship cam") {
        return "racing cam";
    }
    return std::nullopt;
}
