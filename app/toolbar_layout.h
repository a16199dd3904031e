#pragma once
// The toolbar's layout: its controls in a row, continued on a further row where the window is
// narrower than the row (a small screen, a large scale factor or font), so every control stays
// on the screen.
#include <QLayout>
#include <QList>

namespace noctaris {

class WrappingRowLayout : public QLayout {
public:
    // Rows are at least `rowHeight` pixels high (more where a control needs it).
    WrappingRowLayout(QWidget* parent, int rowHeight);
    ~WrappingRowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override { return static_cast<int>(items_.size()); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;      // everything in one row
    QSize minimumSize() const override;   // the widest control, one row high
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in `rect` (only measures when `place` is false); returns the height used.
    int arrange(const QRect& rect, bool place) const;
    int rowHeightOf(int first, int end) const;

    QList<QLayoutItem*> items_;
    int rowHeight_;
};

}  // namespace noctaris
