#pragma once
// Labels that do not collide: each placed label's rectangle is kept in a grid of cells, so that
// trying a new one looks only at the labels in the cells it covers (linear in the number of
// labels, not in their pairs).
#include <vector>

#include <QRect>

namespace noctaris {

class LabelGrid {
public:
    void Reset(int width, int height);
    // Whether r overlaps none of the rectangles taken so far.
    bool IsFree(const QRect& r) const;
    // Takes r (whether free or not: bodies and fixed texts are drawn in any case).
    void Take(const QRect& r);
    // The first of `candidates` that is free, taken; -1 (nothing taken) when none is.
    int TakeFirstFree(const QRect* candidates, int count);
    const std::vector<QRect>& Taken() const { return rects_; }

private:
    static constexpr int kCell = 32;
    template <typename F>
    void ForCells(const QRect& r, F&& f) const;
    int columns_ = 0, rows_ = 0;
    std::vector<std::vector<int>> cells_;
    std::vector<QRect> rects_;
};

}  // namespace noctaris
