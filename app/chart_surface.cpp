#include "app/chart_surface.h"

#include <QKeyEvent>
#include <QPainter>

namespace noctaris {

int TurnedAzimuth(int azimuth, int degrees) {
    int a = azimuth + degrees;
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
    return a;
}

ChartSurface::ChartSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);  // the arrow keys turn the view: reachable by Tab as well as by a click
    setMouseTracking(true);
    setMinimumSize(200, 120);
}

bool ChartSurface::render(const std::function<void(QImage&, QSize)>& paint) {
    const QSize area = size();
    if (area.isEmpty()) return false;
    try {
        paint(image_, area);
    } catch (const std::exception& e) {
        image_ = QImage(area, QImage::Format_RGB32);
        image_.fill(Qt::black);
        QPainter painter(&image_);
        painter.setPen(Qt::white);
        painter.drawText(QRect(QPoint(0, 0), area), Qt::AlignCenter, QString::fromUtf8(e.what()));
    }
    update();
    return true;
}

void ChartSurface::paintEvent(QPaintEvent*) {
    if (image_.size() != size()) emit renderNeeded();  // first show or resize: render at the new size
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void ChartSurface::keyPressEvent(QKeyEvent* e) {
    // Arrow keys turn the view, as dragging does; Shift turns in bigger steps.
    const int step = e->modifiers() & Qt::ShiftModifier ? 45 : 5;
    if (e->key() == Qt::Key_Left) emit turnRequested(-step);
    else if (e->key() == Qt::Key_Right) emit turnRequested(step);
    else QWidget::keyPressEvent(e);
}

}  // namespace noctaris
