#pragma once

// Draws one frame and presents it; presenting also lets the window system
// deliver input for the next pass.
void renderFrame(double elapsed);
