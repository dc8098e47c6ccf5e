#pragma once

struct FrameValues;

// "PRACTICE 0.75×" in the top left corner, over whatever is drawn: the
// player always sees that this play is a practice at that speed. The
// overlay is made on the first call.
void drawPracticeLabel(const FrameValues& values, double speed);

// Frees the label's GL objects; call while the context still exists.
void releasePracticeLabel();
