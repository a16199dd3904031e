#include "app/chart_surface.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <QKeyEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QWheelEvent>

namespace noctaris {
namespace {
constexpr double kZoomStep = 1.25;  // one wheel notch or key press
}  // namespace

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
    p.end();
    if (!image_.isNull()) emit painted();
    // bench/cold_start.sh: the moment the first chart is on the window, then the program ends.
    static const bool exitAfterFirstPaint = qEnvironmentVariableIsSet("NOCTARIS_FIRST_PAINT_EXIT");
    if (exitAfterFirstPaint && !image_.isNull()) {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
        std::fflush(stdout);
        std::_Exit(0);
    }
}

void ChartSurface::keyPressEvent(QKeyEvent* e) {
    // Arrow keys turn the view, as dragging does; Shift turns in bigger steps.
    const int step = e->modifiers() & Qt::ShiftModifier ? 45 : 5;
    const QPoint middle(width() / 2, height() / 2);
    if (e->key() == Qt::Key_Left) emit turnRequested(-step);
    else if (e->key() == Qt::Key_Right) emit turnRequested(step);
    else if (e->key() == Qt::Key_Up) emit raiseRequested(step == 5 ? 1 : 5);
    else if (e->key() == Qt::Key_Down) emit raiseRequested(step == 5 ? -1 : -5);
    else if (e->key() == Qt::Key_Plus || e->key() == Qt::Key_Equal) emit zoomRequested(kZoomStep, middle);
    else if (e->key() == Qt::Key_Minus) emit zoomRequested(1 / kZoomStep, middle);
    else if (e->key() == Qt::Key_Home) emit homeRequested();
    else QWidget::keyPressEvent(e);
}

void ChartSurface::wheelEvent(QWheelEvent* e) {
    // One notch (15 degrees of turn, 120 eighths) is one zoom step; a fine-grained wheel or a
    // touchpad adds up its small steps.
    wheelRemainder_ += e->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    if (notches != 0) {
        wheelRemainder_ -= notches * 120;
        emit zoomRequested(std::pow(kZoomStep, notches), e->position().toPoint());
    }
    e->accept();
}

bool ChartSurface::event(QEvent* e) {
    // A touchpad's pinch, where the platform reports it.
    if (e->type() == QEvent::NativeGesture) {
        auto* g = static_cast<QNativeGestureEvent*>(e);
        if (g->gestureType() == Qt::ZoomNativeGesture && std::isfinite(g->value()) && g->value() > -1) {
            emit zoomRequested(1 + g->value(), g->position().toPoint());
            return true;
        }
    }
    return QWidget::event(e);
}

}  // namespace noctaris
