#include <gtest/gtest.h>

#include <stdexcept>

#include <QApplication>
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
    ASSERT_TRUE(surface.render([](QImage& image, QSize size) {
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
    }));
    EXPECT_EQ(surface.image().size(), QSize(320, 200));
    EXPECT_EQ(surface.image().pixel(10, 10), QColor(Qt::blue).rgb());

    // A fault while drawing leaves a black chart that says what went wrong, never a half image.
    ASSERT_TRUE(surface.render([](QImage& image, QSize) {
        image.fill(Qt::red);
        throw std::runtime_error("Error!");
    }));
    EXPECT_EQ(surface.image().size(), QSize(320, 200));
    EXPECT_EQ(surface.image().pixel(0, 0), QColor(Qt::black).rgb());
    bool text = false;  // white letters in the middle
    for (int x = 120; x < 200 && !text; ++x)
        for (int y = 90; y < 110 && !text; ++y) text = qGray(surface.image().pixel(x, y)) > 128;
    EXPECT_TRUE(text);
}
