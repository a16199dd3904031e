#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "platform/floodfill.h"

using namespace noctaris;

namespace {

const QRgb kBlack = qRgb(0, 0, 0), kYellow = qRgb(255, 255, 0), kRed = qRgb(255, 0, 0),
           kBlue = qRgb(0, 0, 255);

QImage Blank(int w, int h, QRgb c = kBlack) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

int Count(const QImage& img, QRgb c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += (img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
    return n;
}

void Frame(QImage& img, QRect r, QRgb c) {  // one-pixel rectangle outline
    for (int x = r.left(); x <= r.right(); ++x) img.setPixel(x, r.top(), c), img.setPixel(x, r.bottom(), c);
    for (int y = r.top(); y <= r.bottom(); ++y) img.setPixel(r.left(), y, c), img.setPixel(r.right(), y, c);
}

}  // namespace

TEST(FloodFill, StaysInsideTheBorder) {
    QImage img = Blank(40, 30);
    Frame(img, QRect(5, 5, 20, 10), kYellow);  // inside: 18 x 8 pixels
    img.setPixel(10, 10, kBlue);               // a stray pixel inside is filled over
    ASSERT_TRUE(FloodFillToBorder(img, QPoint(12, 9), kYellow, kRed));
    EXPECT_EQ(Count(img, kRed), 18 * 8);
    EXPECT_EQ(Count(img, kYellow), 2 * 20 + 2 * 8);
    EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFF, kBlack & 0xFFFFFF);
    EXPECT_EQ(img.pixel(26, 9) & 0xFFFFFF, kBlack & 0xFFFFFF);
}

TEST(FloodFill, ImageEdgesBoundTheArea) {
    QImage img = Blank(30, 20);
    ASSERT_TRUE(FloodFillToBorder(img, QPoint(0, 0), kYellow, kRed));
    EXPECT_EQ(Count(img, kRed), 30 * 20);

    // A border that runs into the image edge: the fill stops at both.
    img = Blank(30, 20);
    for (int y = 0; y < 20; ++y) img.setPixel(10, y, kYellow);
    ASSERT_TRUE(FloodFillToBorder(img, QPoint(29, 19), kYellow, kRed));
    EXPECT_EQ(Count(img, kRed), 19 * 20);
    EXPECT_EQ(img.pixel(9, 5) & 0xFFFFFF, kBlack & 0xFFFFFF);
}

TEST(FloodFill, DiagonalLineIsTight) {
    QImage img = Blank(20, 20);
    for (int i = 0; i < 20; ++i) img.setPixel(i, i, kYellow);
    ASSERT_TRUE(FloodFillToBorder(img, QPoint(15, 2), kYellow, kRed));
    EXPECT_EQ(Count(img, kRed), 190);  // the triangle above the diagonal only
    EXPECT_EQ(img.pixel(2, 15) & 0xFFFFFF, kBlack & 0xFFFFFF);
}

TEST(FloodFill, FillColourAlreadyInTheArea) {
    // The fill must pass pixels that already have the fill colour.
    QImage img = Blank(20, 5);
    for (int y = 0; y < 5; ++y) img.setPixel(8, y, kRed);
    ASSERT_TRUE(FloodFillToBorder(img, QPoint(0, 0), kYellow, kRed));
    EXPECT_EQ(Count(img, kRed), 100);
}

TEST(FloodFill, SeedOnTheBorderOrOutsideFillsNothing) {
    QImage img = Blank(10, 10);
    img.setPixel(4, 4, kYellow);
    const QImage before = img;
    EXPECT_FALSE(FloodFillToBorder(img, QPoint(4, 4), kYellow, kRed));
    EXPECT_FALSE(FloodFillToBorder(img, QPoint(-1, 3), kYellow, kRed));
    EXPECT_FALSE(FloodFillToBorder(img, QPoint(3, 10), kYellow, kRed));
    EXPECT_EQ(img, before);
    QImage null;
    EXPECT_FALSE(FloodFillToBorder(null, QPoint(0, 0), kYellow, kRed));
}

TEST(FloodFill, SurfaceFillTakesOnlyTheSeedColour) {
    QImage img = Blank(20, 10);
    {
        QPainter p(&img);
        p.fillRect(QRect(2, 2, 6, 6), QColor(kYellow));
        p.fillRect(QRect(12, 2, 6, 6), QColor(kYellow));  // a second, separate yellow patch
    }
    ASSERT_TRUE(FloodFillSurface(img, QPoint(4, 4), kYellow, kBlue));
    EXPECT_EQ(Count(img, kBlue), 36);
    EXPECT_EQ(Count(img, kYellow), 36);
    EXPECT_FALSE(FloodFillSurface(img, QPoint(0, 0), kYellow, kBlue));  // seed not yellow
    EXPECT_EQ(Count(img, kBlue), 36);
}

TEST(FloodFill, OtherFormatsAreFilledAndKept) {
    QImage img(12, 12, QImage::Format_RGB888);
    img.fill(Qt::black);
    Frame(img, QRect(2, 2, 8, 8), kYellow);
    ASSERT_TRUE(FloodFillToBorder(img, QPoint(5, 5), kYellow, kRed));
    EXPECT_EQ(img.format(), QImage::Format_RGB888);
    EXPECT_EQ(Count(img, kRed), 36);

    QImage argb(6, 6, QImage::Format_ARGB32_Premultiplied);
    argb.fill(Qt::transparent);
    ASSERT_TRUE(FloodFillSurface(argb, QPoint(1, 1), qRgba(0, 0, 0, 0), kRed));
    EXPECT_EQ(argb.pixel(5, 5), kRed);
}
