#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "catalog/object_index.h"
#include "export_tests.h"
#include "support.h"
#include "window_tests.h"
#include "windows/tonight_window.h"
#include "windows/wincommon.h"

using namespace noctaris;

namespace {

class Tonight : public ::testing::Test {
protected:
    void SetUp() override { SetDialogsAllowed(false); }
    std::unique_ptr<TonightWindow> Make(test::FakePrompt* prompt = nullptr) {
        catalogs_ = std::make_shared<Catalogs>(test::SharedCatalogs());
        return std::make_unique<TonightWindow>(
            &observer_, catalogs_,
            [this]() -> const ObjectIndex& {
                if (!index_) index_ = std::make_unique<ObjectIndex>(ObjectIndex::Build(*catalogs_));
                return *index_;
            },
            [] { return false; }, prompt ? prompt->prompt() : SaveFilePrompt{});
    }
    ObserverState observer_ = test::Chemnitz(2026, 12, 20, 21, 0);
    std::shared_ptr<const Catalogs> catalogs_;
    std::unique_ptr<ObjectIndex> index_;
    test::PinnedLocale locale_{QLocale(QLocale::English, QLocale::UnitedKingdom)};
};

}  // namespace

// The window follows the chart's date and place, keeps a date of its own until the chart's
// changes, and adds stars, constellations and deep-sky objects but not the bodies it has anyway.
TEST_F(Tonight, FollowsTheChartAndAddsObjects) {
    auto w = Make();
    w->resize(900, 780);
    w->show();
    w->refresh();
    EXPECT_EQ(w->report().date, (CivilDate{2026, 12, 20}));
    EXPECT_TRUE(w->reportText().contains(QStringLiteral("Sunset\t16:04")));
    EXPECT_TRUE(w->reportText().contains(QStringLiteral("End of astronomical twilight\t18:07")));

    auto* date = test::Child<QDateEdit>(*w, "tonightDateEdit");
    date->setDate(QDate(2026, 6, 20));
    EXPECT_EQ(w->report().sun.kind, NightKind::NoAstronomicalNight);
    observer_.Hour = 22;  // a redraw at another time of the same day leaves the window's date
    w->refresh();
    EXPECT_EQ(w->report().date, (CivilDate{2026, 6, 20}));
    observer_.Day = 21;
    w->refresh();
    EXPECT_EQ(w->report().date, (CivilDate{2026, 12, 21}));
    EXPECT_EQ(date->date(), QDate(2026, 12, 21));

    auto* find = test::Child<QLineEdit>(*w, "tonightFindField");
    find->setText(QStringLiteral("Sirius"));
    emit find->returnPressed();
    EXPECT_TRUE(find->text().isEmpty());
    EXPECT_TRUE(w->addObject(QStringLiteral("Orion")));
    EXPECT_FALSE(w->addObject(QStringLiteral("Jupiter")));
    EXPECT_FALSE(w->addObject(QStringLiteral("No such star")));
    EXPECT_TRUE(w->addObject(QStringLiteral("Orionnebel")));
    ASSERT_EQ(w->report().objects.size(), 3u);
    // The Orion Nebula at its published declination (-5° 23′) culminates 90° - 50.84° - 5.38°
    // high at Chemnitz; the Pleiades culminate 64° high in December's dark hours.
    EXPECT_NEAR(w->report().objects[2].culminationAltitude, 33.8, 0.15);
    EXPECT_TRUE(w->reportText().contains(QStringLiteral("M 45 Pleiades")));
    EXPECT_TRUE(w->reportText().contains(QStringLiteral("Sirius")));
    test::SaveGrab(*w, QStringLiteral("tonight"));
    test::Child<QPushButton>(*w, "tonightClearButton")->click();
    EXPECT_TRUE(w->report().objects.empty());
}

// Hovering over Jupiter's curve names it with the time; a click sets the chart to the time
// under the pointer; the plot exports as a PDF file.
TEST_F(Tonight, PlotTellsAndSetsTimesAndExports) {
    QTemporaryDir dir;
    test::FakePrompt prompt{dir.filePath(QStringLiteral("night.pdf")), QStringLiteral("PDF (*.pdf)")};
    auto w = Make(&prompt);
    w->resize(900, 780);
    w->show();
    w->refresh();
    QWidget* plot = test::Child<QWidget>(*w, "tonightPlot");
    const TonightReport& r = w->report();
    const NightTrack& jupiter = r.planets[3];
    ASSERT_TRUE(jupiter.best.has_value());
    const AltitudePlotGeometry g = PlotGeometry(QRectF(plot->rect()), r);
    const QPointF at(g.XOf(*jupiter.best), g.YOf(jupiter.bestAltitude));
    EXPECT_TRUE(w->hoverText(at).contains(QStringLiteral("Jupiter"))) << w->hoverText(at).toStdString();
    EXPECT_TRUE(w->hoverText(at).startsWith(QStringLiteral("04:0"))) << w->hoverText(at).toStdString();

    std::vector<double> asked;
    QObject::connect(w.get(), &TonightWindow::goToTime, [&](double jd) { asked.push_back(jd); });
    QMouseEvent press(QEvent::MouseButtonPress, at, plot->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(plot, &press);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NEAR(asked[0], *jupiter.best, 2.0 / 1440);

    ASSERT_FALSE(w->exportPlot().isEmpty());
    QFile f(prompt.path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));
}
