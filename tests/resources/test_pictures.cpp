// The embedded pictures, decoded through the program's loader: sizes, formats, transparent
// colours and the layout contracts the chart and the windows rely on.
#include <gtest/gtest.h>

#include <QImageReader>
#include <algorithm>
#include <QPainter>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/pictures.h"
#include "resources/embedded.h"

namespace noctaris {
namespace {

int Brightness(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)); }

double MeanBrightness(const QImage& img, int x0, int y0, int w, int h) {
    double sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) sum += qGray(img.pixel(x, y));
    return sum / (w * h);
}

TEST(Pictures, DecodersForEveryEmbeddedFormatArePresent) {
    const auto formats = QImageReader::supportedImageFormats();
    for (const char* f : {"gif", "jpg", "bmp", "png"}) EXPECT_TRUE(formats.contains(f)) << f;
}

TEST(Pictures, EveryEmbeddedPictureDecodes) {
    // Each picture goes to the decoder its first bytes name; the catalogues (zlib) and the
    // fonts are the resources that are not pictures.
    int pictures = 0;
    for (const std::string& name : EmbeddedNames()) {
        const auto bytes = FindEmbedded(name);
        if (bytes.size() >= 4 && (bytes[0] == 0x78 || (bytes[0] == 0 && bytes[1] == 1))) continue;
        SCOPED_TRACE(name);
        EXPECT_FALSE(LoadPicture(name).isNull());
        ++pictures;
    }
    EXPECT_GE(pictures, 40);
}

TEST(Pictures, PhotographsAre117SquareOnBlack) {
    for (const char* name : {"pl1", "pl2", "pl4", "pl5", "pl6", "pl7", "pl9", "pl10"}) {
        SCOPED_TRACE(name);
        const QImage img = LoadPicture(name);
        ASSERT_EQ(img.size(), QSize(117, 117));
        for (auto [x, y] : {std::pair{0, 0}, {116, 0}, {0, 116}, {116, 116}}) {
            EXPECT_LT(Brightness(img, x, y), 12);  // JPEG: black up to coding noise
        }
        EXPECT_GT(Brightness(img, 58, 58), 60);  // the body fills the centre
    }
}

TEST(Pictures, MoonPhaseSheetLayout) {
    const QImage img = LoadPicture("s3");
    ASSERT_EQ(img.size(), QSize(602, 315));
    std::vector<double> mean(28);
    std::vector<bool> inside(602 * 315, false);
    for (int n = 0; n < 28; ++n) {
        const int left = (n % 7) * 86 + 18, top = (n / 7) * 79 + 14;
        mean[n] = MeanBrightness(img, left, top, 52, 52);
        for (int y = top; y < top + 52; ++y)
            for (int x = left; x < left + 52; ++x) inside[y * 602 + x] = true;
    }
    int strays = 0;  // everything around the 28 pictures is black
    for (int y = 0; y < 315; ++y)
        for (int x = 0; x < 602; ++x)
            if (!inside[y * 602 + x] && (img.pixel(x, y) & 0xFFFFFF) != 0) ++strays;
    EXPECT_EQ(strays, 0);
    // the lit part grows from new moon to full moon (picture 14) and shrinks again
    for (int n = 1; n <= 14; ++n) EXPECT_GT(mean[n], mean[n - 1]) << n;
    for (int n = 15; n < 28; ++n) EXPECT_LT(mean[n], mean[n - 1]) << n;
    EXPECT_GT(mean[0], 0.5);  // the new moon's disc is faintly visible (earthshine)
    // first quarter (picture 7) is lit on the right, last quarter (21) on the left
    const int l7 = 18 + 86 * 0, t7 = 14 + 79;
    EXPECT_GT(MeanBrightness(img, l7 + 30, t7 + 10, 18, 32), 4 * MeanBrightness(img, l7 + 4, t7 + 10, 18, 32));
    const int l21 = 18, t21 = 14 + 3 * 79;
    EXPECT_GT(MeanBrightness(img, l21 + 4, t21 + 10, 18, 32), 4 * MeanBrightness(img, l21 + 30, t21 + 10, 18, 32));
}

TEST(Pictures, HorizonFigureWorksWithOrThenAnd) {
    const QImage land = LoadPicture("s36s");
    const QImage mask = LoadPicture("s37s");
    ASSERT_EQ(land.size(), QSize(2000, 160));
    ASSERT_EQ(mask.size(), QSize(2000, 160));
    int lowestSkyline = 0, highestLandscape = 160;
    for (int x = 0; x < 2000; ++x) {
        int top = -1;
        for (int y = 0; y < 160; ++y) {
            const QRgb m = mask.pixel(x, y) & 0xFFFFFF;
            ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << x << "," << y;
            const bool landscape = m == 0xFFFFFF;
            const bool sky = (land.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
            ASSERT_NE(landscape, sky) << x << "," << y;  // the picture is white exactly where the mask is black
            if (landscape && top < 0) top = y;
            if (y >= 132) {
                ASSERT_TRUE(landscape) << x << "," << y;
            }
        }
        lowestSkyline = std::max(lowestSkyline, top);
        highestLandscape = std::min(highestLandscape, top);
    }
    EXPECT_EQ(lowestSkyline, 132);  // the ground line sits on the chart's horizon row H - 28
    EXPECT_LT(highestLandscape, 20);  // something rises almost to the top

    // The chart's procedure: mask with OR, then the landscape with AND.
    QImage chart(2000, 200, QImage::Format_RGB32);
    chart.fill(Qt::black);
    int skyX = -1, landX = -1;
    for (int x = 0; x < 2000 && (skyX < 0 || landX < 0); ++x) {
        if ((mask.pixel(x, 10) & 0xFFFFFF) == 0 && skyX < 0) skyX = x;
        if ((mask.pixel(x, 100) & 0xFFFFFF) != 0 && landX < 0) landX = x;
    }
    ASSERT_GE(skyX, 0);
    ASSERT_GE(landX, 0);
    const QRgb star = qRgb(255, 255, 128);
    chart.setPixel(skyX, 40 + 10, star);    // a star in the sky above the landscape
    chart.setPixel(landX, 40 + 100, star);  // a star hidden behind the landscape
    {
        QPainter p(&chart);
        p.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        p.drawImage(0, 40, mask);
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        p.drawImage(0, 40, land);
    }
    EXPECT_EQ(chart.pixel(skyX, 50) & 0xFFFFFF, star & 0xFFFFFF);
    EXPECT_EQ(chart.pixel(landX, 140) & 0xFFFFFF, land.pixel(landX, 100) & 0xFFFFFF);
    EXPECT_EQ(chart.pixel(5, 40 + 150) & 0xFFFFFF, land.pixel(5, 150) & 0xFFFFFF);
    EXPECT_GT(qGray(chart.pixel(50, 40 + 152)), 160);  // ground band light enough for the black caption
}

TEST(Pictures, SymbolsHaveBlackAsTransparentColour) {
    struct Sym { const char* name; int w, h; };
    const std::vector<Sym> symbols = {
        {"1160", 17, 17}, {"1171", 8, 8}, {"1172", 8, 8}, {"1173", 8, 8}, {"1174", 8, 8},
        {"1175", 8, 8}, {"1176", 18, 8}, {"1177", 8, 8}, {"1178", 8, 8}, {"orb_sun", 21, 20},
        {"term_sun", 21, 20}, {"1460", 15, 15}, {"1461", 15, 15}, {"1462", 15, 15},
        {"1463", 15, 15}, {"1464", 15, 15}, {"1465", 15, 15}, {"1466", 15, 15}, {"1467", 15, 15}};
    for (const auto& s : symbols) {
        SCOPED_TRACE(s.name);
        const QImage raw = LoadPicture(s.name);
        ASSERT_EQ(raw.size(), QSize(s.w, s.h));
        EXPECT_EQ(raw.pixel(0, 0) & 0xFFFFFF, 0u);
        const QImage img = LoadTransparentPicture(s.name);
        ASSERT_EQ(img.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(img.pixel(s.w - 1, s.h - 1)), 0);
        const QRgb centre = img.pixel(s.w / 2, s.h / 2);
        EXPECT_EQ(qAlpha(centre), 255);
        EXPECT_EQ(centre & 0xFFFFFF, raw.pixel(s.w / 2, s.h / 2) & 0xFFFFFF);
    }
}

TEST(Pictures, MoonPhaseBitmapsFollowTheElongation) {
    auto half = [](const QImage& img, bool right) {
        return MeanBrightness(img, right ? 9 : 1, 3, 5, 9);
    };
    std::vector<QImage> phase;
    for (int i = 0; i < 8; ++i) phase.push_back(LoadPicture(std::to_string(1460 + i)));
    EXPECT_GT(Brightness(phase[4], 7, 7), 3 * Brightness(phase[0], 7, 7));  // full vs new
    EXPECT_GT(Brightness(phase[0], 7, 7), 0);  // the new moon's disc is still drawn
    EXPECT_GT(half(phase[2], true), 3 * half(phase[2], false));  // waxing: lit on the right
    EXPECT_GT(half(phase[6], false), 3 * half(phase[6], true));  // waning: lit on the left
}

TEST(Pictures, GlyphsIconsAndEmblemCarryAlpha) {
    struct G { const char* name; int w, h; };
    const std::vector<G> glyphs = {{"S20", 20, 20}, {"S34", 20, 20}, {"S29", 20, 20}, {"S5", 20, 20},
                                   {"S8", 18, 18},  {"S18", 18, 18}, {"S9", 18, 18},  {"icon16", 16, 16},
                                   {"icon32", 32, 32}, {"icon48", 48, 48}, {"icon64", 64, 64},
                                   {"icon128", 128, 128}, {"icon256", 256, 256}, {"emblem", 138, 150}};
    for (const auto& g : glyphs) {
        SCOPED_TRACE(g.name);
        const QImage img = LoadPicture(g.name);
        ASSERT_EQ(img.size(), QSize(g.w, g.h));
        EXPECT_TRUE(img.hasAlphaChannel());
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
        EXPECT_GT(qAlpha(img.pixel(g.w / 2, g.h / 2)), 200);
    }
}

TEST(Pictures, MissingOrUndecodablePicturesAreReportedByName) {
    try {
        LoadPicture("pl3");
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("\"pl3\""), std::string::npos) << e.what();
    }
    // a font is embedded too, but it is no picture
    try {
        LoadPicture("DejaVuSans");
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("\"DejaVuSans\""), std::string::npos) << e.what();
    }
    EXPECT_THROW(LoadTransparentPicture(""), std::runtime_error);
}

TEST(Pictures, BlackToTransparentKeepsEveryOtherPixel) {
    QImage img(3, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(0, 0, 0));
    img.setPixel(1, 0, qRgb(1, 0, 0));
    img.setPixel(2, 0, qRgb(20, 40, 60));
    const QImage out = BlackToTransparent(img);
    EXPECT_EQ(out.pixel(0, 0), 0u);
    EXPECT_EQ(out.pixel(1, 0), qRgba(1, 0, 0, 255));
    EXPECT_EQ(out.pixel(2, 0), qRgba(20, 40, 60, 255));
}

}  // namespace
}  // namespace noctaris
