#pragma once

// Where the select screen puts things, in overlay space (-0.5..0.5 both
// ways, y up) so the same layout reads from 640x480 to full screen: one
// monospace line holds kLineCharacters characters at kRowTextSize, and the
// rows fill the middle of the window.
namespace selectlayout {

constexpr float kTitleSize = 0.55f;
constexpr float kTextSize = 0.24f;
constexpr float kRowTextSize = 0.24f;
constexpr int kLineCharacters = 78; // at kRowTextSize, within the margins
constexpr float kLeft = -0.48f;
constexpr float kRight = 0.48f;
constexpr float kTitleY = 0.445f;
constexpr float kFilterY = 0.37f;
constexpr float kHeaderY = 0.325f;
constexpr float kFirstRowY = 0.285f; // the centre of the top row
constexpr float kRowPitch = 0.04f;
constexpr int kRows = 16;
constexpr float kDetailY = -0.385f;
constexpr float kHelpY = -0.445f;

inline float rowCentreY(int row) {
    return kFirstRowY - static_cast<float>(row) * kRowPitch;
}

// The row on screen (0 at the top) under an overlay height; -1 off the rows.
inline int rowAt(float overlayY) {
    const float fromTop = kFirstRowY + 0.5f * kRowPitch - overlayY;
    if (fromTop < 0.0f) {
        return -1;
    }
    const int row = static_cast<int>(fromTop / kRowPitch);
    return row < kRows ? row : -1;
}

} // namespace selectlayout
