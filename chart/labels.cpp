#include "chart/labels.h"

#include <algorithm>

namespace noctaris {

void LabelGrid::Reset(int width, int height) {
    columns_ = std::max(1, (width + kCell - 1) / kCell);
    rows_ = std::max(1, (height + kCell - 1) / kCell);
    cells_.assign(static_cast<std::size_t>(columns_) * rows_, {});
    rects_.clear();
}

template <typename F>
void LabelGrid::ForCells(const QRect& r, F&& f) const {
    // Rectangles beyond the surface count in its edge cells, so they still meet each other.
    const int c0 = std::clamp(r.left() / kCell, 0, columns_ - 1);
    const int c1 = std::clamp(r.right() / kCell, 0, columns_ - 1);
    const int r0 = std::clamp(r.top() / kCell, 0, rows_ - 1);
    const int r1 = std::clamp(r.bottom() / kCell, 0, rows_ - 1);
    for (int row = r0; row <= r1; ++row)
        for (int c = c0; c <= c1; ++c) f(static_cast<std::size_t>(row) * columns_ + c);
}

bool LabelGrid::IsFree(const QRect& r) const {
    if (cells_.empty()) return true;
    bool free = true;
    ForCells(r, [&](std::size_t cell) {
        for (const int i : cells_[cell])
            if (free && rects_[static_cast<std::size_t>(i)].intersects(r)) free = false;
    });
    return free;
}

void LabelGrid::Take(const QRect& r) {
    if (cells_.empty() || r.isEmpty()) return;
    const int index = static_cast<int>(rects_.size());
    rects_.push_back(r);
    ForCells(r, [&](std::size_t cell) { cells_[cell].push_back(index); });
}

int LabelGrid::TakeFirstFree(const QRect* candidates, int count) {
    for (int i = 0; i < count; ++i)
        if (IsFree(candidates[i])) {
            Take(candidates[i]);
            return i;
        }
    return -1;
}

}  // namespace noctaris
