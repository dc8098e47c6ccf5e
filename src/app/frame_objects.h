#pragma once

#include "app/pass_timings.h"
#include "app/passes/debris_pass.h"
#include "app/passes/effect_objects.h"
#include "app/passes/end_screen_pass.h"
#include "app/passes/feedback_pass.h"
#include "app/passes/pass_target.h"
#include "app/special_nodes.h"
#include "collection/environment_map.h"

#include <memory>

// What the frame passes need beyond the scene: made at start-up by main,
// kept until shutdown, and read or updated by every frame.
struct FrameObjects {
    SpecialNodes nodes;                                         // crosshair, moon, plane
    std::unique_ptr<collection::EnvironmentMap> environmentMap; // the reflected space
    // Where colour picking draws: the picking frame buffer, a quarter of the
    // window in each direction. Should that buffer be incomplete, the window's
    // back buffer, whose corner the full render clears before anything is shown.
    PassTarget pickingTarget;
    DebrisPass debris;        // the level's wreckage, once the level hands it over
    int rememberedButton = 0; // left button as the last picking pass saw it
    EffectObjects effects;    // frame buffers, lens flare, what the effects keep between frames
    FeedbackPass feedback;    // the timing feedback's texts
    EndScreenPass endScreen;  // the end screen's texts
    PassTimings* timings = nullptr; // a benchmark's pass clock; the game times nothing
    bool warmedUp = false;          // the hidden frame towards the light has been drawn
};

// The picking pass reads one pixel at the mouse position divided by this.
constexpr int kPickingFactor = 4;

// Makes the objects the passes need for a window of the given size: the
// environment map, handed to the light for reflection, the five frame
// buffers and the lens flare, the picking target, and the two text overlays.
void createFrameObjects(FrameObjects& objects, int width, int height);

// Makes the frame buffers again for a window that changed its size, so the
// effects cover the whole picture and picking reads where the mouse is.
void resizeFrameObjects(FrameObjects& objects, int width, int height);
