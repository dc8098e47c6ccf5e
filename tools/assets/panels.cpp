#include "assets/panels.h"

#include "assets/random.h"

#include <algorithm>

namespace assetgen {

PanelLayout::PanelLayout(int size, int gridCells, uint64_t seed) {
    Random random(seed);
    int cell = size / gridCells;
    for (int gy = 0; gy < gridCells; ++gy) {
        for (int gx = 0; gx < gridCells; ++gx) {
            uint64_t state = random.next();
            split({gx * cell, gy * cell, (gx + 1) * cell, (gy + 1) * cell}, 0, state);
        }
    }
}

void PanelLayout::split(Rect r, int depth, uint64_t& state) {
    Random random(state++);
    int w = r.x1 - r.x0, h = r.y1 - r.y0;
    if (depth >= 2 || random.uniform() < 0.35f || std::min(w, h) < 24) {
        rects.push_back(r);
        return;
    }
    bool vertical = w > h || (w == h && random.uniform() < 0.5f);
    if (vertical) {
        int cut = r.x0 + w / 2;
        split({r.x0, r.y0, cut, r.y1}, depth + 1, state);
        split({cut, r.y0, r.x1, r.y1}, depth + 1, state);
    } else {
        int cut = r.y0 + h / 2;
        split({r.x0, r.y0, r.x1, cut}, depth + 1, state);
        split({r.x0, cut, r.x1, r.y1}, depth + 1, state);
    }
}

PanelLayout::Hit PanelLayout::at(int x, int y) const {
    for (size_t i = 0; i < rects.size(); ++i) {
        const Rect& r = rects[i];
        if (x >= r.x0 && x < r.x1 && y >= r.y0 && y < r.y1) {
            int edge = std::min({x - r.x0, r.x1 - 1 - x, y - r.y0, r.y1 - 1 - y});
            return {int(i), edge, x - r.x0, y - r.y0, r.x1 - r.x0, r.y1 - r.y0};
        }
    }
    return {-1, 0, 0, 0, 0, 0};
}

} // namespace assetgen
