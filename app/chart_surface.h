#pragma once
// The chart's place in the main window: it renders the sky straight into the window's own pixels
// and hands mouse, wheel, pinch and key input to its owner, which decides what they mean.
#include <functional>

#include <QImage>
#include <QPainter>
#include <QWidget>

namespace noctaris {

// The view azimuth after turning by `degrees`, kept in -180..180 (as the azimuth box holds it).
int TurnedAzimuth(int azimuth, int degrees);

class ChartSurface : public QWidget {
    Q_OBJECT
public:
    explicit ChartSurface(QWidget* parent = nullptr);

    // How the chart is drawn: into `image` at `size`. The image passed is an RGB32 image of that
    // size where possible (the window's own pixels); the function may also replace it.
    using Renderer = std::function<void(QImage& image, QSize size)>;
    void setRenderer(Renderer paint) { renderer_ = std::move(paint); }

    // The chart last rendered, as the window shows it (a copy; null before the first render).
    QImage image() const;

    // The chart's state changed: renders it now, before returning, so that what the renderer
    // leaves behind (hit lists, information windows) follows at once. Before the window first
    // appears, the first paint renders instead. A failure is written on the chart, so a drawing
    // fault never takes the program down. Returns false when the surface has no size yet.
    bool render();

signals:
    // A rendered chart reached the window (after every paint that shows one).
    void painted();
    void pressed(QMouseEvent* event);
    void moved(QMouseEvent* event);
    void released(QMouseEvent* event);
    // Left and right arrow keys: turn the view by this many degrees (5, with Shift 45).
    void turnRequested(int degrees);
    // Up and down arrow keys: raise (positive) or lower the view by this many steps (Shift: 5).
    void raiseRequested(int steps);
    // Wheel, pinch, + and -: zoom by `factor` (above 1: closer) about the pixel `at`.
    void zoomRequested(double factor, QPoint at);
    // Home: back to the default view.
    void homeRequested();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override { emit pressed(e); }
    void mouseMoveEvent(QMouseEvent* e) override { emit moved(e); }
    void mouseReleaseEvent(QMouseEvent* e) override { emit released(e); }
    void keyPressEvent(QKeyEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    bool event(QEvent* e) override;

private:
    void draw(QImage& target);
    bool ownImageFits() const;  // image_ has the surface's size and the screen's pixel ratio
    // The surface's pixels in the device `painter` paints this surface on (the window's buffer,
    // or a picture taken of it), as an RGB32 image over the same memory, and where they lie there
    // (`area`, device pixels); null where the device is not an RGB32 image holding the surface at
    // whole pixels (other pixel formats, some fractional scales): the chart then goes through
    // image_.
    QImage pixelsOf(QPainter& painter, QRect* area) const;

    Renderer renderer_;
    // The chart where it cannot go straight into the window (see pixelsOf) or while the
    // window is hidden, at the screen's pixel ratio; released when a paint puts the chart into
    // the window's buffer.
    QImage image_;
    bool pending_ = false;  // the state changed since the chart was last rendered
    bool shown_ = false;    // a paint put the chart on the screen
    bool drawing_ = false;
    bool firstPaintAwaited_ = false;
    QRect windowArea_;        // the surface's pixels in the window's buffer at the last paint
    qreal windowScale_ = 1;   // and the buffer's device pixel ratio then
    int wheelRemainder_ = 0;  // eighths of a degree of wheel turn not yet zoomed
};

}  // namespace noctaris
