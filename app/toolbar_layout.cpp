#include "app/toolbar_layout.h"

#include <QWidget>

#include <algorithm>

namespace noctaris {

WrappingRowLayout::WrappingRowLayout(QWidget* parent, int rowHeight) : QLayout(parent), rowHeight_(rowHeight) {}

WrappingRowLayout::~WrappingRowLayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void WrappingRowLayout::addItem(QLayoutItem* item) { items_.append(item); }

QLayoutItem* WrappingRowLayout::takeAt(int index) {
    if (index < 0 || index >= items_.size()) return nullptr;
    invalidate();
    return items_.takeAt(index);
}

int WrappingRowLayout::rowHeightOf(int first, int end) const {
    int h = rowHeight_;
    for (int i = first; i < end; ++i)
        if (!items_[i]->isEmpty()) h = std::max(h, items_[i]->sizeHint().height());
    return h;
}

int WrappingRowLayout::arrange(const QRect& rect, bool place) const {
    const QMargins m = contentsMargins();
    const QRect area = rect.marginsRemoved(m);
    const int gap = spacing();
    int y = area.top();
    int first = 0;
    while (first < items_.size()) {
        // The row: as many items as fit, at least one.
        int end = first, width = 0;
        while (end < items_.size()) {
            if (items_[end]->isEmpty()) {
                ++end;
                continue;
            }
            const int w = items_[end]->sizeHint().width();
            if (width > 0 && width + gap + w > area.width()) break;
            width += (width > 0 ? gap : 0) + w;
            ++end;
        }
        const int height = rowHeightOf(first, end);
        if (place) {
            int x = area.left();
            for (int i = first; i < end; ++i) {
                if (items_[i]->isEmpty()) continue;
                const int w = items_[i]->sizeHint().width();
                items_[i]->setGeometry(QRect(x, y, w, height));
                x += w + gap;
            }
        }
        y += height;
        first = end;
        if (first < items_.size()) y += gap;
    }
    return y - area.top() + m.top() + m.bottom();
}

int WrappingRowLayout::heightForWidth(int width) const { return arrange(QRect(0, 0, width, 0), false); }

QSize WrappingRowLayout::sizeHint() const {
    int width = 0;
    for (QLayoutItem* item : items_)
        if (!item->isEmpty()) width += (width > 0 ? spacing() : 0) + item->sizeHint().width();
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), rowHeightOf(0, static_cast<int>(items_.size())) + m.top() + m.bottom()};
}

QSize WrappingRowLayout::minimumSize() const {
    int width = 0;
    for (QLayoutItem* item : items_)
        if (!item->isEmpty()) width = std::max(width, item->sizeHint().width());
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), rowHeightOf(0, static_cast<int>(items_.size())) + m.top() + m.bottom()};
}

void WrappingRowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

}  // namespace noctaris
