#include "app/passes/overlay_pass.h"

#include "app/frame_values.h"
#include "app/passes/crosshair_pass.h"
#include "app/passes/end_screen_pass.h"
#include "app/passes/feedback_pass.h"
#include "app/passes/practice_label.h"
#include "app/shader_setup.h"
#include "render/text_pass.h"

void drawOverlays(const FrameValues& values, SpecialNodes& nodes, const FrameOverlays& overlays) {
    if (overlays.crosshair) {
        drawCrosshair(values, nodes, overlays.mouseX, overlays.mouseY);
    }
    if (overlays.feedback != nullptr && overlays.feedbackPass != nullptr) {
        overlays.feedbackPass->draw(values, *overlays.feedback);
    }
    if (overlays.endOfSong != nullptr && overlays.endScreenPass != nullptr) {
        overlays.endScreenPass->draw(values, *overlays.endOfSong, overlays.endTiming);
    }
    if (overlays.practiceSpeed > 0.0) {
        drawPracticeLabel(values, overlays.practiceSpeed);
    }
    if (overlays.message != nullptr && overlays.fps != nullptr) {
        drawTextOverlays(*overlays.message, *overlays.fps, values.overlayProjection,
                         programById(FontProgram));
    }
}
