#pragma once

#include "render/overlay_text.h"

#include <glm/glm.hpp>

class ShaderProgram;

// Makes the GL overlays, the message's and then the statistics', each loading
// the font sheet (a missing sheet is reported here, at start-up).
void createTextOverlays();

// The frame's text step: draws the loop's message text, then its statistics
// line, each only while visible, with an identity model-view and the given
// overlay projection; nothing before createTextOverlays. A text is laid out
// and uploaded again only when it, its line or its size changed, so the
// accuracy text set on every pass costs no upload.
void drawTextOverlays(const OverlayText& message, const OverlayText& fps,
                      const glm::mat4& overlayProjection, ShaderProgram* fontProgram);

// Frees the overlays' GL objects; call while the context still exists.
void releaseTextOverlays();
