#include <gtest/gtest.h>

#include <cmath>

#include "catalog/catalog.h"
#include "chart/picking.h"

using namespace noctaris;

namespace {

const std::vector<Constellation>& Constellations() {
    static const std::vector<Constellation> c = BuildConstellations(LoadTextResource("STAR5"));
    return c;
}

const QString kDeg = QString(QChar(0x00B0));

QString Lines(std::initializer_list<QString> lines, const QString& sep) {
    QString out;
    for (const QString& l : lines) out += (out.isEmpty() ? QString() : sep) + l;
    return out;
}

StarDetails Details(const char* name, std::array<std::string, 8> values) {
    StarDetails d;
    d.name = name;
    d.values = std::move(values);
    return d;
}

const QPoint kScreenPoint(300, 200);
const QSize kScreen(1920, 1080);

}  // namespace

TEST(Picking, HitListFirstMatchWithinFourPixels) {
    ObjectList list;
    list.Add(100, 100, "Venus");
    list.Add(102, 101, "Sun");
    list.Add(300, 300, "Moon");
    EXPECT_EQ(FindHit(list, 101, 101), "Venus");   // both near: the one added first
    EXPECT_EQ(FindHit(list, 105, 101), "Sun");     // |105 - 100| = 5 is no hit for Venus
    EXPECT_EQ(FindHit(list, 96, 104), "Venus");    // 4 in both directions still hits
    EXPECT_EQ(FindHit(list, 300, 295), std::nullopt);
    EXPECT_EQ(FindHit(list, 304, 296), "Moon");
    EXPECT_EQ(FindHit(ObjectList(), 0, 0), std::nullopt);
    list.Clear();
    EXPECT_EQ(FindHit(list, 100, 100), std::nullopt);
}

TEST(Picking, PressOrder) {
    ChartObjectLists lists;
    lists.bodies.Add(200, 200, "Jupiter");
    lists.stars.Add(200, 200, "Leo Alpha,Regulus");
    lists.stars.Add(400, 100, "UMa Xi,Alula Australis");
    ChartPicker picker;
    int lookups = 0;
    picker.lookup = [&](std::string_view) {
        ++lookups;
        return std::optional<StarDetails>();
    };

    // A body wins over a star at the same place, also with star information on.
    PickAction a = picker.MouseDown(201, 199, lists, true, 10, kScreenPoint, kScreen, Constellations());
    EXPECT_EQ(a.kind, PickAction::Kind::OpenBody);
    EXPECT_EQ(a.body, Body::Jupiter);
    EXPECT_FALSE(picker.Dragging());

    // A star with star information on: the text, consumed.
    a = picker.MouseDown(401, 101, lists, true, 10, kScreenPoint, kScreen, Constellations());
    EXPECT_EQ(a.kind, PickAction::Kind::ShowStarInfo);
    EXPECT_EQ(a.message, QStringLiteral("UMa Xi,Alula Australis"));  // no details: the bare name
    EXPECT_EQ(a.messagePos, QPoint(320, 200));
    EXPECT_FALSE(picker.Dragging());
    EXPECT_EQ(lookups, 1);

    // The same star with star information off starts a drag.
    a = picker.MouseDown(401, 101, lists, false, 10.5, kScreenPoint, kScreen, Constellations());
    EXPECT_EQ(a.kind, PickAction::Kind::None);
    EXPECT_TRUE(picker.Dragging());
    EXPECT_EQ(lookups, 1);
    picker.MouseUp();
    EXPECT_FALSE(picker.Dragging());
    EXPECT_EQ(picker.MouseMove(500, 1029).kind, PickAction::Kind::None);  // no press, no turn
}

TEST(Picking, DragTurnsTheView) {
    ChartPicker picker;
    const ChartObjectLists empty;
    picker.MouseDown(600, 300, empty, true, 10.4, kScreenPoint, kScreen, Constellations());
    ASSERT_TRUE(picker.Dragging());
    // Half the width to the left turns the view 90° to the west (+90).
    PickAction a = picker.MouseMove(600 - 1029 / 2, 1028);
    EXPECT_EQ(a.kind, PickAction::Kind::SetAzimuth);
    EXPECT_EQ(a.azimuth, 10 + 90);
    // Moves are measured from the press, not from the last move.
    EXPECT_EQ(picker.MouseMove(600, 1028).azimuth, 10);
    EXPECT_EQ(picker.MouseMove(600 + 514, 1028).azimuth, 10 - 90);
    picker.MouseUp();
    EXPECT_EQ(picker.MouseMove(0, 1028).kind, PickAction::Kind::None);

    // Wrapping into -180..180 and rounding of the azimuth at the press.
    EXPECT_EQ(DragAzimuth(170, 500, 500 - 200, 1000), -154);  // 170 + 36 = 206
    EXPECT_EQ(DragAzimuth(-170, 500, 500 + 200, 1000), 154);
    EXPECT_EQ(DragAzimuth(180, 0, 0, 1000), 180);
    EXPECT_EQ(DragAzimuth(0, 0, 5, 360), -2);   // 2.5 rounds to even
    EXPECT_EQ(DragAzimuth(0, 0, 7, 360), -4);   // 3.5 rounds to even
    EXPECT_EQ(DragAzimuth(33, 0, 100, 0), 33);  // a surface without width turns nothing
    picker.MouseDown(0, 0, empty, false, -44.5, kScreenPoint, kScreen, Constellations());
    EXPECT_EQ(picker.MouseMove(0, 100).azimuth, -44);  // Round(-44.5) = -44
}

TEST(Picking, DegreesMinutesSeconds) {
    EXPECT_EQ(FormatDegMinSec(-0.5), QStringLiteral("-0") + kDeg + QStringLiteral("30'0\""));
    EXPECT_EQ(FormatDegMinSec(0), QStringLiteral("0") + kDeg + QStringLiteral("0'0\""));
    EXPECT_EQ(FormatDegMinSec(-60.8340), QStringLiteral("-60") + kDeg + QStringLiteral("50'2\""));
    EXPECT_EQ(FormatHourMinSec(14.66014), QStringLiteral("14h39'37\""));
    // Rounded to the second first, then split: 12°59'59.9" is 13°0'0", 10.99999° is 11°0'0".
    EXPECT_EQ(FormatDegMinSec(12 + 59 / 60.0 + 59.9 / 3600),
              QStringLiteral("13") + kDeg + QStringLiteral("0'0\""));
    EXPECT_EQ(FormatDegMinSec(10.99999), QStringLiteral("11") + kDeg + QStringLiteral("0'0\""));
    EXPECT_EQ(FormatDegMinSec(-10.99999), QStringLiteral("-11") + kDeg + QStringLiteral("0'0\""));
    EXPECT_EQ(FormatHourMinSec(23.99999), QStringLiteral("24h0'0\""));
    EXPECT_EQ(FormatDegMinSec(std::nan("")), QStringLiteral("-"));
    EXPECT_EQ(FormatHourMinSec(INFINITY), QStringLiteral("-"));
}

TEST(Picking, StarInformationText) {
    const QString sep = QStringLiteral("\n\r");
    const QString rigil = BuildStarInfoText("Cen Alpha1,Rigil Kentaurus", Constellations());
    EXPECT_EQ(rigil, Lines({"Cen Alpha1,Rigil Kentaurus", "Constellation: Centaurus", "M = 4.34 mag",
                            "m = -0.01 mag", "r = 4.4 ly", "Spectral class: G2", "alpha = 14h39'37\"",
                            "delta = -60" + kDeg + "50'2\""},
                           sep));
    // Absent absolute magnitude and distance: no M and no r line.
    const QString alula = BuildStarInfoText("UMa Xi,Alula Australis", Constellations());
    EXPECT_EQ(alula, Lines({"UMa Xi,Alula Australis", "Constellation: Ursa Major", "m = 3.79 mag",
                            "Spectral class: G0", "alpha = 11h18'11\"", "delta = 31" + kDeg + "31'51\""},
                           sep));
    // A name that is the start of an earlier record's name finds its own record.
    EXPECT_TRUE(BuildStarInfoText("Car I", Constellations()).contains(QStringLiteral("Spectral class: F2")));
    // Unknown star: the bare name (Windows-1252 decoded).
    EXPECT_EQ(BuildStarInfoText("Xyz N\xF6rdlich", Constellations()), QStringLiteral("Xyz N\u00F6rdlich"));

    // Values are shown as the catalog writes them; a position that is no number stays text.
    const QString odd = BuildStarInfoText(
        "Qqq Test", Details("Qqq Test", {"n/a", "-0.5", "x", "x", "-10000", "5", "12", "B9"}),
        Constellations());
    EXPECT_EQ(odd, Lines({"Qqq Test", "m = 5 mag", "r = 12 ly", "Spectral class: B9", "alpha = n/a",
                          "delta = -0" + kDeg + "30'0\""},
                         sep));

    // The message box shows LF CR as one line break.
    EXPECT_EQ(StarInfoDisplayText(QStringLiteral("a\n\rb\n\rc")), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(StarInfoDisplayText(rigil).count(QLatin1Char('\n')), 7);
    EXPECT_FALSE(StarInfoDisplayText(rigil).contains(QLatin1Char('\r')));
}

TEST(Picking, MessageBoxPlacement) {
    EXPECT_EQ(StarInfoBoxPosition({300, 200}, {1920, 1080}), QPoint(320, 200));
    // Near the right edge: 220 pixels to the left.
    EXPECT_EQ(StarInfoBoxPosition({1701, 200}, {1920, 1080}), QPoint(1501, 200));
    EXPECT_EQ(StarInfoBoxPosition({1700, 200}, {1920, 1080}), QPoint(1720, 200));
    // Near the bottom: 320 pixels above the bottom of the screen.
    EXPECT_EQ(StarInfoBoxPosition({300, 781}, {1920, 1080}), QPoint(320, 760));
    EXPECT_EQ(StarInfoBoxPosition({300, 780}, {1920, 1080}), QPoint(320, 780));
    EXPECT_EQ(StarInfoBoxPosition({1900, 1000}, {1920, 1080}), QPoint(1700, 760));
}
