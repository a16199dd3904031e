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
// Shows `surface` and returns once a paint has put the chart on the screen.
bool ShowAndWaitForPaint(ChartSurface& surface) {
    bool painted = false;
    const QMetaObject::Connection c = QObject::connect(&surface, &ChartSurface::painted, [&] { painted = true; });
    surface.show();
    QElapsedTimer waited;
    waited.start();
    while (!painted && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QObject::disconnect(c);
    return painted;
}
}  // namespace

TEST(ChartSurface, AChangeIsOnTheScreenWhenRenderReturnsAndFollowsWhileHidden) {
    ChartSurface surface;
    surface.resize(320, 200);
    int renders = 0;
    QColor colour = Qt::blue;
    surface.setRenderer([&](QImage& image, QSize size) {
        ++renders;
        if (image.size() != size) image = QImage(size, QImage::Format_RGB32);
        image.fill(colour);
    });
    ASSERT_TRUE(ShowAndWaitForPaint(surface));
    EXPECT_EQ(surface.image().pixel(10, 10), QColor(Qt::blue).rgb());

    // Rendered once, before render() returns, into the window's own pixels.
    const int before = renders;
    colour = Qt::green;
    ASSERT_TRUE(surface.render());
    EXPECT_EQ(renders, before + 1);
    EXPECT_EQ(surface.image().pixel(300, 190), QColor(Qt::green).rgb());
    const auto* buffer = dynamic_cast<const QImage*>(surface.backingStore()->paintDevice());
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->pixel(300, 190) | 0xff000000u, QColor(Qt::green).rgb());

    // Hidden, the chart still follows its state (the information windows follow the chart), and
    // shows it when the window is back.
    surface.hide();
    colour = Qt::red;
    ASSERT_TRUE(surface.render());
    EXPECT_EQ(renders, before + 2);
    EXPECT_EQ(surface.image().pixel(10, 10), QColor(Qt::red).rgb());
    ASSERT_TRUE(ShowAndWaitForPaint(surface));
    EXPECT_EQ(surface.image().pixel(10, 10), QColor(Qt::red).rgb());
    EXPECT_EQ(surface.image().size(), QSize(320, 200));
}
