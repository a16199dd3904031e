#pragma once
// The chart's place in the main window: it shows the last rendered image of the sky and hands
// mouse, wheel, pinch and key input to its owner, which decides what they mean.
#include <functional>

#include <QImage>
#include <QWidget>

namespace noctaris {

// The view azimuth after turning by `degrees`, kept in -180..180 (as the azimuth box holds it).
int TurnedAzimuth(int azimuth, int degrees);

class ChartSurface : public QWidget {
    Q_OBJECT
public:
    explicit ChartSurface(QWidget* parent = nullptr);

    // The image last rendered.
    const QImage& image() const { return image_; }

    // Renders the chart into the off-screen image at the surface's size and shows it in one
    // step. A failure is written on the chart instead, so a drawing fault never takes the
    // program down. Returns false when the surface has no size yet (nothing was rendered).
    bool render(const std::function<void(QImage& image, QSize size)>& paint);

signals:
    // The image no longer fits the surface (first show or resize): the owner renders again.
    void renderNeeded();
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
    QImage image_;  // reused from frame to frame
    int wheelRemainder_ = 0;  // eighths of a degree of wheel turn not yet zoomed
};

}  // namespace noctaris
