// The "Precise positions" switch in a running program: the chart, the ephemeris table, the Moon
// and Sun windows and a planet window change together, and turning it off again gives back
// exactly what was shown before.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QTableWidget>

#include "app/chart_surface.h"
#include "app/main_window.h"
#include "main_window_fixture.h"
#include "windows/ephemeris_window.h"
#include "windows/moon_window.h"
#include "windows/sun_window.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {

class PreciseSwitchTest : public MainWindowFixture {};

struct Shown {
    QImage chart;
    QString moon, sun, frameCell, raRow;
};

Shown WhatIsShown(const MainWindow& w) {
    const Ui ui(w);
    auto* table = w.ephemerisWindow()->findChild<QTableWidget*>("table");
    if (!table) return {};
    QString ra;
    for (int c = 0; c < table->columnCount(); ++c) ra += table->item(8, c)->text() + '|';
    return {ui.chartSurface->image(), w.moonWindow()->report(), w.sunWindow()->report(),
            table->item(0, 0)->text(), ra};
}

}  // namespace

TEST_F(PreciseSwitchTest, EveryViewSwitchesTogetherAndBackExactly) {
    auto w = Open();
    const Ui ui(*w);
    auto* precise = Child<QAction>(*w, "precisePositionsAction");
    ASSERT_TRUE(precise->isCheckable());
    EXPECT_TRUE(precise->isChecked());  // a first start: the precise places
    ui.moonWindowAction->trigger();
    ui.sunWindowAction->trigger();
    ui.ephemerisAction->trigger();
    const Shown now = WhatIsShown(*w);
    EXPECT_TRUE(now.moon.contains("Frame\t\tapparent of date\r\n")) << now.moon.toStdString();
    EXPECT_TRUE(now.sun.contains("Frame\t\tapparent of date\r\n")) << now.sun.toStdString();
    EXPECT_TRUE(now.frameCell.contains("apparent")) << now.frameCell.toStdString();

    precise->trigger();
    EXPECT_FALSE(precise->isChecked());
    EXPECT_FALSE(w->display().PrecisePositions);
    const Shown classic = WhatIsShown(*w);
    EXPECT_FALSE(classic.moon.contains("apparent of date"));
    EXPECT_FALSE(classic.sun.contains("apparent of date"));
    EXPECT_TRUE(classic.frameCell.isEmpty());
    EXPECT_NE(now.raRow, classic.raRow);  // places of date differ from J2000 by minutes
    EXPECT_NE(now.chart, classic.chart);  // the bodies and the stars turned to the date

    precise->trigger();
    EXPECT_TRUE(precise->isChecked());
    const Shown back = WhatIsShown(*w);
    EXPECT_EQ(back.moon, now.moon);
    EXPECT_EQ(back.sun, now.sun);
    EXPECT_EQ(back.frameCell, now.frameCell);
    EXPECT_EQ(back.raRow, now.raRow);
    EXPECT_TRUE(back.chart == now.chart);  // the catalogue restored exactly
}

TEST_F(PreciseSwitchTest, TheSwitchIsStoredAndComesBack) {
    {
        auto w = Open();
        Child<QAction>(*w, "precisePositionsAction")->trigger();  // off, from a first start's on
        w->close();
    }
    EXPECT_FALSE(StoredBytes().contains("Genau=1"));
    auto w = Open();
    EXPECT_FALSE(Child<QAction>(*w, "precisePositionsAction")->isChecked());
    EXPECT_FALSE(w->display().PrecisePositions);
}
