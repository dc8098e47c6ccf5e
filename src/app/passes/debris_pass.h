#pragma once

#include "game/debris.h"

struct FrameValues;
class ShaderProgram;

// Draws the level's debris with the hull model, piece by piece, and keeps the
// start of the window of pieces from frame to frame.
struct DebrisPass {
    const DebrisArrays* arrays = nullptr; // the level's pieces; none until a level sets them
    int startIndex = 0;                   // first piece still ahead of the camera; only grows
    DebrisChoice choice;                  // scratch of one draw, kept to avoid allocating

    void draw(const FrameValues& values, ShaderProgram* program);
};
