#pragma once

#include <glm/glm.hpp>

#include <array>
#include <vector>

namespace model {
class OBJ;
}

// The wreckage the level scatters along its path: one hull model drawn once
// per piece. The level fills it; the frame passes only read it.
struct DebrisArrays {
    static constexpr int kPiecesPerPathPoint = 400;

    std::vector<glm::vec3> tubePoints;  // the path-tube point each piece belongs to
    std::vector<glm::vec3> tubeOffsets; // how far the piece drifts from its point
    std::vector<glm::vec3> tubeScales;  // the piece's size per axis
    int pathPointCount = 0;             // path points; each carries kPiecesPerPathPoint pieces
    model::OBJ* hull = nullptr;         // the model every piece is drawn with; not owned
};

// At most this many pieces are looked at per draw, so the cost does not grow
// with the length of the path.
constexpr int kDebrisPiecesPerCall = 1000;

// The pieces one draw puts on screen, in drawing order; filled without
// allocating.
struct DebrisChoice {
    std::array<int, kDebrisPiecesPerCall> pieces{}; // indices into the arrays
    int count = 0;                                  // entries of pieces in use
};

// Picks the pieces to draw from the window of kDebrisPiecesPerCall pieces that
// starts at startIndex. A piece behind the camera moves startIndex past it
// for good (the camera only flies forward). With a culling mode above 20 a
// piece too close to the eye plane is left out together with the next one;
// modes 22 and 24 also leave out pieces outside a cone around the view
// direction. Pieces the arrays do not hold are never chosen.
void chooseDebrisPieces(const DebrisArrays& debris, const glm::mat4& view, int cullingMode,
                        int& startIndex, DebrisChoice& choice);
