#include <gtest/gtest.h>

#include "app/window_placement.h"

using namespace noctaris;

namespace {

// The three information windows' frames (Moon, Sun, ephemeris table) with a title bar.
const QSize kMoon(521, 390), kSun(448, 336), kEphemeris(784, 447);

// A main window of 1074x780 with frame, menu and toolbar 80 px above its chart.
struct Desk {
    QRect screen, main;
    QRect chart() const { return main.adjusted(1, 80, -1, -1); }
    QRect controls() const { return QRect(main.left(), main.top(), main.width(), 80); }
    QRect centre() const { return QRect(chart().center() - QPoint(10, 10), QSize(21, 21)); }
};

QList<QRect> Layout(const Desk& d, const QList<InfoWindowSlot>& windows) {
    const QList<QPoint> at = InfoWindowLayout(windows, d.main, d.chart(), d.screen);
    EXPECT_EQ(at.size(), windows.size());
    QList<QRect> out;
    for (qsizetype i = 0; i < windows.size() && i < at.size(); ++i) out << QRect(at[i], windows[i].frameSize);
    return out;
}

QList<QRect> LayoutAll(const Desk& d) { return Layout(d, {{kMoon, {}}, {kSun, {}}, {kEphemeris, {}}}); }

// On the screen, apart, clear of the chart's centre and of the menu and toolbar.
::testing::AssertionResult WellPlaced(const Desk& d, const QList<QRect>& frames) {
    for (qsizetype i = 0; i < frames.size(); ++i) {
        if (!d.screen.contains(frames[i])) return ::testing::AssertionFailure() << i << " off the screen";
        if (frames[i].intersects(d.centre())) return ::testing::AssertionFailure() << i << " on the centre";
        if (frames[i].intersects(d.controls())) return ::testing::AssertionFailure() << i << " on the toolbar";
        for (qsizetype j = i + 1; j < frames.size(); ++j)
            if (frames[i].intersects(frames[j])) return ::testing::AssertionFailure() << i << " on " << j;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(WindowPlacement, AStoredPositionIsKeptOnlyOnAScreen) {
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QRect primary = screens[0];
    const QSize frame(1074, 780);
    const QPoint centred(960 - 537, 540 - 390);
    EXPECT_EQ(CentredPosition(frame, primary), centred);
    EXPECT_EQ(VisiblePosition({300, 200}, frame, screens, primary), QPoint(300, 200));
    EXPECT_EQ(VisiblePosition({2100, 100}, frame, screens, primary), QPoint(2100, 100));  // the second screen
    EXPECT_EQ(VisiblePosition({2500, 100}, frame, screens, primary), QPoint(3200 - 1074, 100));
    // A bit over an edge, or kept from a larger screen: moved wholly onto the screen holding most of it.
    EXPECT_EQ(VisiblePosition({-8, -31}, frame, screens, primary), QPoint(0, 0));
    EXPECT_EQ(VisiblePosition({1900, 400}, frame, screens, primary), QPoint(1920, 244));
    const QList<QRect> netbook = {QRect(0, 0, 1024, 600)};
    const QSize moon = kMoon;
    EXPECT_EQ(VisiblePosition({900, 400}, moon, netbook, netbook[0]), QPoint(1024 - 521, 600 - 390));
    EXPECT_EQ(VisiblePosition({300, 200}, frame, netbook, netbook[0]), QPoint(0, 0));  // too large: top left on it
    // On a screen that is gone, or with only a sliver left on one: centred on the primary screen.
    EXPECT_EQ(VisiblePosition({4000, 100}, frame, screens, primary), centred);
    EXPECT_EQ(VisiblePosition({3200 - 30, 100}, frame, screens, primary), centred);
    EXPECT_EQ(VisiblePosition({100, -100000}, frame, screens, primary), centred);
    EXPECT_EQ(VisiblePosition({4000, 100}, frame, screens, QRect()), QPoint(4000, 100));  // nowhere to centre
}

TEST(WindowPlacement, InformationWindowsOpenApartAndLeaveTheChartsCentreAndToolbarFree) {
    // Centred on a 1600x1000 and a 1920x1080 desktop: too little room beside the main window, so
    // the windows share its edges around the centre.
    const Desk small{QRect(0, 0, 1600, 1000), QRect(263, 110, 1074, 780)};
    EXPECT_TRUE(WellPlaced(small, LayoutAll(small)));
    const Desk common{QRect(0, 0, 1920, 1040), QRect(423, 130, 1074, 780)};
    EXPECT_TRUE(WellPlaced(common, LayoutAll(common)));
    // Maximised.
    const Desk full{QRect(0, 0, 1920, 1040), QRect(0, 0, 1920, 1040)};
    EXPECT_TRUE(WellPlaced(full, LayoutAll(full)));

    // A wide screen with a panel above the work area: beside the main window, covering none of it
    // (the ephemeris table, wider than the room on either side, no more than that difference).
    const Desk wide{QRect(0, 32, 2560, 1408), QRect(743, 330, 1074, 780)};
    const QList<QRect> l = LayoutAll(wide);
    EXPECT_TRUE(WellPlaced(wide, l));
    EXPECT_FALSE(l[0].intersects(wide.main));
    EXPECT_FALSE(l[1].intersects(wide.main));
    EXPECT_LE((l[2] & wide.main).width(), kEphemeris.width() - 743);
    EXPECT_GE(l[0].left(), wide.main.right());  // the right side first

    // A window the user has put somewhere stays there; the others keep clear of it.
    const QRect moved(QPoint(700, 500), kMoon);
    const QList<QRect> around = Layout(common, {{kMoon, moved}, {kSun, {}}, {kEphemeris, {}}});
    EXPECT_EQ(around[0], moved);
    EXPECT_FALSE(around[1].intersects(moved) || around[2].intersects(moved) || around[1].intersects(around[2]));

    // A window larger than the screen keeps its top left corner (and title bar) on it.
    const Desk tiny{QRect(0, 0, 640, 400), QRect(0, 0, 640, 400)};
    const QList<QRect> big = Layout(tiny, {{kEphemeris, {}}});
    EXPECT_EQ(big[0].topLeft(), QPoint(0, 0));
}

TEST(WindowPlacement, AModalWindowOpensOnTheScreenAndDoesNotHideItsParentExactly) {
    const QRect screen(0, 0, 1024, 600);
    const QRect main(-20, 40, 1074, 780);  // remembered on a larger screen, not yet moved
    for (const QSize frame : {QSize(1074, 780), QSize(800, 500), kMoon, QSize(300, 200)}) {
        SCOPED_TRACE(frame.width());
        const QRect r(ModalPosition(frame, main, screen), frame);
        EXPECT_EQ(r.topLeft(), (r & screen).topLeft());
        if (frame.width() <= screen.width() && frame.height() <= screen.height()) {
            EXPECT_TRUE(screen.contains(r));
        }
    }
    // A window of the main window's size on a large screen lies beside it, not exactly over it.
    const QRect big(0, 0, 1920, 1080), centred(423, 150, 1074, 780);
    const QRect over(ModalPosition(centred.size(), centred, big), centred.size());
    EXPECT_NE(over, centred);
    EXPECT_TRUE(big.contains(over));
}
