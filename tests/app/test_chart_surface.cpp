#include <gtest/gtest.h>

#include <stdexcept>

#include <QApplication>
#include <QBackingStore>
#include <QElapsedTimer>
#include <QKeyEvent>

#include "app/chart_surface.h"

using namespace noctaris;

TEST(ChartSurface, ArrowKeysTurnTheViewWithinHalfACircle) {
    EXPECT_EQ(TurnedAzimuth(0, 5), 5);
    EXPECT_EQ(TurnedAzimuth(180, 5), -175);
    EXPECT_EQ(TurnedAzimuth(-170, -45), 145);
    EXPECT_EQ(TurnedAzimuth(-180, 0), -180);
    EXPECT_EQ(TurnedAzimuth(135, 45), 180);

    ChartSurface surface;
    QList<int> turns;
    QObject::connect(&surface, &ChartSurface::turnRequested, [&](int degrees) { turns << degrees; });
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Right, Qt::NoModifier}, {Qt::Key_Left, Qt::ShiftModifier},
                                         {Qt::Key_Up, Qt::NoModifier}}) {
        QKeyEvent e(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&surface, &e);
    }
    EXPECT_EQ(turns, (QList<int>{5, -45}));
}

TEST(ChartSurface, RendersAtItsSizeAndWritesAFailureOnTheChart) {
    ChartSurface surface;
    surface.resize(320, 200);
    surface.setRenderer([](QImage& image, QSize size) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
    });
    ASSERT_TRUE(surface.render());
    EXPECT_EQ(surface.image().size(), QSize(320, 200));
    EXPECT_EQ(surface.image().pixel(10, 10), QColor(Qt::blue).rgb());

    // A fault while drawing leaves a black chart that says what went wrong, never a half image.
    surface.setRenderer([](QImage& image, QSize) {
        image.fill(Qt::red);
        throw std::runtime_error("Error!");
    });
    ASSERT_TRUE(surface.render());
    EXPECT_EQ(surface.image().size(), QSize(320, 200));
    EXPECT_EQ(surface.image().pixel(0, 0), QColor(Qt::black).rgb());
    bool text = false;  // white letters in the middle
    for (int x = 120; x < 200 && !text; ++x)
        for (int y = 90; y < 110 && !text; ++y) text = qGray(surface.image().pixel(x, y)) > 128;
    EXPECT_TRUE(text);
}

namespace {
// Shows `window` and returns once a paint has put the chart of `surface` on the screen.
bool ShowAndWaitForPaint(QWidget& window, ChartSurface& surface) {
    bool painted = false;
    const QMetaObject::Connection c = QObject::connect(&surface, &ChartSurface::painted, [&] { painted = true; });
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!painted && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QObject::disconnect(c);
    return painted;
}

// The image holds `colour` in its four corners.
bool Filled(const QImage& image, QColor colour) {
    if (image.size() != QSize(320, 200)) return false;
    for (const QPoint p : {QPoint(0, 0), QPoint(319, 0), QPoint(0, 199), QPoint(319, 199)})
        if (image.pixel(p) != colour.rgb()) return false;
    return true;
}
}  // namespace

TEST(ChartSurface, AChangeIsOnTheScreenWhenRenderReturnsAndFollowsWhileHidden) {
    QWidget window;  // the surface below a strip, as under the toolbar
    window.resize(320, 240);
    auto* surface = new ChartSurface(&window);
    surface->setGeometry(0, 40, 320, 200);
    int renders = 0;
    QColor colour = Qt::blue;
    surface->setRenderer([&](QImage& image, QSize size) {
        ++renders;
        if (image.size() != size) image = QImage(size, QImage::Format_RGB32);
        image.fill(colour);
    });
    ASSERT_TRUE(ShowAndWaitForPaint(window, *surface));
    EXPECT_TRUE(Filled(surface->image(), Qt::blue));

    // Rendered once, before render() returns, into the window's own pixels.
    const int before = renders;
    colour = Qt::green;
    ASSERT_TRUE(surface->render());
    EXPECT_EQ(renders, before + 1);
    EXPECT_TRUE(Filled(surface->image(), Qt::green));
    const auto* buffer = dynamic_cast<const QImage*>(window.backingStore()->paintDevice());
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->pixel(300, 230) | 0xff000000u, QColor(Qt::green).rgb());
    // A picture taken of the surface (a paint elsewhere) leaves the chart where it is.
    EXPECT_TRUE(Filled(surface->grab().toImage(), Qt::green));
    EXPECT_TRUE(Filled(surface->image(), Qt::green));

    // Hidden, the chart still follows its state (the information windows follow the chart), and
    // shows it when the window is back.
    window.hide();
    colour = Qt::red;
    ASSERT_TRUE(surface->render());
    EXPECT_EQ(renders, before + 3);
    EXPECT_TRUE(Filled(surface->image(), Qt::red));
    ASSERT_TRUE(ShowAndWaitForPaint(window, *surface));
    EXPECT_TRUE(Filled(surface->image(), Qt::red));
}
