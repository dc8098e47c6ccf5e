#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

// A tileable layout of rectangular hull plates on a square texture: a regular
// grid whose cells are split at random once or twice, so plates vary in size
// but every seam lines up with its neighbours across the texture edge.
class PanelLayout {
public:
    PanelLayout(int size, int gridCells, uint64_t seed);

    struct Hit {
        int panel;        // index of the plate, stable for a seed
        int edgeDistance; // pixels to the plate's nearest edge (0 on the seam)
        int x, y;         // position inside the plate
        int width, height;
    };
    Hit at(int x, int y) const;

private:
    struct Rect {
        int x0, y0, x1, y1; // half-open pixel bounds
    };
    void split(Rect r, int depth, uint64_t& state);

    std::vector<Rect> rects; // all plates, each pixel in exactly one
};

} // namespace assetgen
