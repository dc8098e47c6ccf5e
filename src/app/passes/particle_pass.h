#pragma once

struct FrameValues;

// Particle pass 0: the background field, inside the opaque scene, so models
// in front of a star hide it.
void drawOpaqueParticles(const FrameValues& values);

// Particle pass 1: explosions and markers over the finished scene, added to
// it (no depth test), so they glow through whatever they overlap.
void drawGlowingParticles(const FrameValues& values);
