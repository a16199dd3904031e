#include "app/chart_surface.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <QBackingStore>
#include <QKeyEvent>
#include <QNativeGestureEvent>
#include <QPaintEngine>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTimer>
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

bool ChartSurface::render() {
    if (size().isEmpty()) return false;
    pending_ = true;
    if (drawing_) {  // asked from within a drawing (a hook): one more paint follows
        update();
        return true;
    }
    if (isVisible()) repaint();  // where the window is on the screen, its paint renders now
    if (!pending_) return true;
    if (isVisible() && !shown_) {
        // The window is about to appear: its first paint renders. Should the window system never
        // show it, the chart still follows, a little later.
        if (!firstPaintAwaited_) {
            firstPaintAwaited_ = true;
            QTimer::singleShot(1000, this, [this] {
                if (pending_ && !shown_) draw(image_);
            });
        }
        return true;
    }
    draw(image_);  // hidden or minimized: off-screen, shown when the window is back
    update();
    return true;
}

namespace {
// The pixels of `area` (device pixels) in a window's buffer as an RGB32 image over the same
// memory, with the buffer's device pixel ratio; null where that cannot be. An opaque window's
// premultiplied ARGB buffer holds the same bytes as RGB32 (alpha 255 is what RGB32 stores too),
// so the chart can paint either.
QImage PixelsIn(const QImage* buffer, QRect area, const QWidget& surface) {
    if (!buffer || area.isEmpty() || !buffer->rect().contains(area)) return {};
    const bool opaque = !surface.window()->testAttribute(Qt::WA_TranslucentBackground);
    if (buffer->format() != QImage::Format_RGB32 && !(opaque && buffer->format() == QImage::Format_ARGB32_Premultiplied))
        return {};
    // constBits: the buffer is the window's, never to be detached into a copy.
    const qsizetype stride = buffer->bytesPerLine();
    uchar* first = const_cast<uchar*>(buffer->constBits()) + area.y() * stride + area.x() * qsizetype(4);
    QImage pixels(first, area.width(), area.height(), stride, QImage::Format_RGB32);
    pixels.setDevicePixelRatio(buffer->devicePixelRatio());
    return pixels;
}

bool IsWhole(double v) { return v == std::floor(v); }
}  // namespace

QImage ChartSurface::image() const {
    if (!image_.isNull() || !shown_) return image_;
    QBackingStore* store = backingStore();
    const auto* buffer = store ? dynamic_cast<const QImage*>(store->paintDevice()) : nullptr;
    if (!buffer || buffer->devicePixelRatio() != windowScale_) return {};
    return PixelsIn(buffer, windowArea_, *this).copy();  // the copy keeps the pixel ratio
}

QImage ChartSurface::pixelsOf(QPainter& painter, QRect* area) const {
    QPaintEngine* engine = painter.paintEngine();
    const auto* buffer = engine ? dynamic_cast<const QImage*>(engine->paintDevice()) : nullptr;
    if (!buffer) return {};
    // The buffer holds the window at its device pixel ratio (a scaled screen): the surface is
    // there at that scale, at a whole pixel, and so many pixels wide and high.
    const qreal scale = buffer->devicePixelRatio();
    const QTransform t = painter.deviceTransform();
    const double w = width() * scale, h = height() * scale;
    if (t.type() > QTransform::TxScale || t.m11() != scale || t.m22() != scale || !IsWhole(t.dx()) ||
        !IsWhole(t.dy()) || !IsWhole(w) || !IsWhole(h))
        return {};
    *area = QRect(static_cast<int>(t.dx()), static_cast<int>(t.dy()), static_cast<int>(w), static_cast<int>(h));
    return PixelsIn(buffer, *area, *this);
}

bool ChartSurface::ownImageFits() const {
    return image_.deviceIndependentSize().toSize() == size() && image_.devicePixelRatio() == devicePixelRatioF();
}

void ChartSurface::draw(QImage& target) {
    pending_ = false;
    const QScopedValueRollback drawing(drawing_, true);
    const QSize area = size();
    if (&target == &image_ && !ownImageFits()) {
        // At the screen's resolution, so that a scaled screen shows the chart sharp.
        image_ = QImage(area * devicePixelRatioF(), QImage::Format_RGB32);
        image_.setDevicePixelRatio(devicePixelRatioF());
    }
    try {
        if (!renderer_) throw std::logic_error("");
        renderer_(target, area);
    } catch (const std::exception& e) {
        if (target.deviceIndependentSize().toSize() != area) target = QImage(area, QImage::Format_RGB32);
        target.fill(Qt::black);
        QPainter painter(&target);
        painter.setPen(Qt::white);
        painter.drawText(QRect(QPoint(0, 0), area), Qt::AlignCenter, QString::fromUtf8(e.what()));
    }
}

void ChartSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The window's own buffer, or a picture being taken of the surface (grab, render).
    QBackingStore* store = backingStore();
    const bool onScreen = store && painter.paintEngine() && painter.paintEngine()->paintDevice() == store->paintDevice();
    QRect area;
    if (QImage pixels = pixelsOf(painter, &area); !pixels.isNull()) {
        // Straight into the pixels: no second copy of the chart.
        painter.end();
        const uchar* const memory = pixels.constBits();
        draw(pixels);
        if (pixels.constBits() != memory) QPainter(this).drawImage(0, 0, pixels);  // the renderer made its own
        if (onScreen) {
            image_ = QImage();
            windowArea_ = area;
            windowScale_ = pixels.devicePixelRatio();
        }
    } else {
        if (pending_ || !ownImageFits()) draw(image_);
        painter.drawImage(0, 0, image_);
        painter.end();
    }
    if (!onScreen) return;
    shown_ = true;
    emit painted();
    // bench/cold_start.sh: the moment the first chart is on the window, then the program ends.
    static const bool exitAfterFirstPaint = qEnvironmentVariableIsSet("NOCTARIS_FIRST_PAINT_EXIT");
    if (exitAfterFirstPaint) {
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
