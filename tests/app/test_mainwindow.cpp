#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QComboBox>
#include <QCalendar>
#include <QDateEdit>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <random>

#include "app/find_info_box.h"
#include "app/main_window.h"
#include "main_window_fixture.h"
#include "platform/inifile.h"
#include "windows/ephemeris_window.h"
#include "windows/tonight_window.h"
#include "windows/moon_window.h"
#include "windows/sun_window.h"
#include "windows/wincommon.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {

class MainWindowTest : public MainWindowFixture {};

void ExpectDefaults(MainWindow& w) {
    const Ui ui(w);
    const ObserverState& o = w.observer();
    EXPECT_EQ(o.PlaceName, "Chemnitz, D");
    EXPECT_DOUBLE_EQ(o.Latitude, 50.836667);
    EXPECT_DOUBLE_EQ(o.Longitude, 12.854444);
    EXPECT_DOUBLE_EQ(o.TimeZone, 1);
    EXPECT_EQ(w.viewAzimuth(), 0);
    EXPECT_TRUE(ui.southInCenterAction->isChecked());
    EXPECT_FALSE(ui.eastInCenterAction->isChecked() || ui.westInCenterAction->isChecked() ||
                 ui.northInCenterAction->isChecked());
    DisplayOptions fresh;
    fresh.PrecisePositions = fresh.SmoothDrawing = fresh.SkyColour = true;
    EXPECT_TRUE(w.display() == fresh) << "every display switch off but precise places, smooth drawing, sky colour";
    EXPECT_TRUE(w.observer().ConsiderSummerTime);  // the clock on the wall
    EXPECT_TRUE(ui.summerTimeAction->isChecked());
    for (QAction* a : {ui.showEclipticAction, ui.showEquatorAction, ui.showGridAction, ui.showMeridianAction,
                       ui.showAltitudeLinesAction, ui.showMoonAction, ui.showHorizonFigureAction,
                       ui.starNamesAction, ui.constellationNamesAction, ui.showConstellationLinesAction,
                       ui.showConstellationBordersAction, ui.whiteStarsAction, ui.showStarInfoAction,
                       ui.showZodiacAction, ui.showJupiterMoonsAction, ui.showVenusPhaseAction})
        EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
    EXPECT_EQ(w.speed(), 80);
    EXPECT_EQ(w.animationInterval(), 10);
    EXPECT_EQ(w.stepIndex(), 2);
    EXPECT_EQ(ui.stepCombo->currentText(), "1 minute");
    EXPECT_FALSE(w.nowMode());
    EXPECT_FALSE(w.animation().AnimationRunning);
}

}  // namespace

TEST_F(MainWindowTest, FirstStartWithoutSettings) {
    auto w = Open();
    const Ui ui(*w);
    EXPECT_EQ(w->windowTitle(), "Noctaris");
    ExpectDefaults(*w);
    const ObserverState& o = w->observer();
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20261207);
    EXPECT_EQ(o.Hour * 10000 + o.Minute * 100 + o.Second, 213217);
    EXPECT_EQ(ui.timeOfDayCombo->count(), 288);
    EXPECT_EQ(ui.timeOfDayCombo->itemText(0), "00:00");
    EXPECT_EQ(ui.timeOfDayCombo->itemText(287), "23:55");
    EXPECT_EQ(ui.timeOfDayCombo->currentIndex(), 6 + 12 * 21);
    EXPECT_EQ(ui.dateEdit->date(), QDate(2026, 12, 7));
    EXPECT_EQ(ui.placeCombo->count(), static_cast<int>(SharedCatalogPointer()->places.size()));
    EXPECT_EQ(ui.chartSurface->image().size(), ui.chartSurface->size());
    // The landscape's pictures are decoded when the landscape is first shown.
    EXPECT_FALSE(w->chart().HasHorizonPictures());
    ui.showHorizonFigureAction->trigger();
    EXPECT_TRUE(w->chart().HasHorizonPictures());
}

TEST_F(MainWindowTest, SettingsRoundTrip) {
    {
        auto w = Open();
        const Ui ui(*w);
        for (QAction* a : {ui.showEclipticAction, ui.showEquatorAction, ui.showGridAction, ui.showMeridianAction,
                           ui.showAltitudeLinesAction, ui.showMoonAction,  // summer time is on already
                           ui.showHorizonFigureAction, ui.showConstellationLinesAction,
                           ui.showConstellationBordersAction, ui.whiteStarsAction, ui.showStarInfoAction,
                           ui.showZodiacAction, ui.showJupiterMoonsAction, ui.showVenusPhaseAction})
            a->trigger();
        ui.starNamesAction->trigger();
        ui.starNamesAction->trigger();  // star names: mode 2
        ui.constellationNamesAction->trigger();  // constellation names: 0 -> 2
        ui.constellationNamesAction->trigger();  // -> 3
        ui.placeCombo->setCurrentIndex(ui.placeCombo->findText(QString::fromUtf8("Zürich, CH")));
        ui.westInCenterAction->trigger();
        ui.speedSpin->setValue(55);
        w->close();
    }
    QFile f(path_);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("[Noctaris]\r\nOrt=Z\xFCrich, CH\r\nSimulation=55\r\nAzimut=90\r\nLinks="));
    EXPECT_TRUE(bytes.contains("\r\n\xC4quator=1\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nH\xF6hen=1\r\n"));
    EXPECT_TRUE(bytes.contains("Sterne=2\r\nSternbilder=3\r\nLinien=1\r\n"));
    EXPECT_TRUE(bytes.endsWith("Jupiter=1\r\nVenus=1\r\nGenau=1\r\nGlatt=1\r\nHimmelsfarbe=1\r\n\r\n"));
    const QStringList keys = {"Ort", "Simulation", "Azimut", "Links", "Oben", "Ekliptik",
                              QString::fromUtf8("Äquator"), "Ksystem", "Meridian", QString::fromUtf8("Höhen"),
                              "Mond", "Sommerzeit", "Horizont", "Sterne", "Sternbilder", "Linien", "SGrenzen",
                              "WSterne", "Anzeige", "Tierkreis", "Jupiter", "Venus"};
    const QString text = QString::fromLatin1(bytes);
    qsizetype at = 0;
    for (const QString& k : keys) {
        const qsizetype next = text.indexOf("\r\n" + k + "=", at);
        EXPECT_GT(next, at - 1) << k.toStdString();
        at = next;
    }

    auto w = Open();

    const Ui ui(*w);
    const ObserverState& o = w->observer();
    EXPECT_EQ(o.PlaceName, "Zürich, CH");
    EXPECT_TRUE(o.ConsiderSummerTime);
    EXPECT_EQ(w->viewAzimuth(), 90);
    EXPECT_TRUE(ui.southInCenterAction->isChecked());  // the direction marks always start at south
    EXPECT_EQ(w->speed(), 55);
    EXPECT_EQ(w->animationInterval(), 45);  // restored speed s gives 100 - s
    const DisplayOptions& d = w->display();
    EXPECT_TRUE(d.ShowEcliptic && d.ShowEquator && d.ShowGrid && d.ShowMeridian && d.ShowAltitudeLines &&
                d.ShowMoon && d.ShowHorizonFigure && d.ShowConstellationLines && d.ShowConstellationBorders &&
                d.WhiteStars && d.ShowStarInfo && d.ShowZodiac && d.ShowJupiterMoons && d.ShowVenusPhase);
    EXPECT_EQ(d.StarNameMode, 2);
    EXPECT_EQ(d.ConstellationNameMode, 3);
    EXPECT_TRUE(ui.starNamesAction->isChecked() && ui.constellationNamesAction->isChecked() &&
                ui.summerTimeAction->isChecked() && ui.showConstellationLinesAction->isChecked());
}

TEST_F(MainWindowTest, StoredValuesOutOfRange) {
    WriteSettings("[Noctaris]\r\nSimulation=100\r\nAzimut=181\r\nSterne=7\r\nSternbilder=1\r\n");
    {
        auto w = Open();
        const Ui ui(*w);
        EXPECT_EQ(w->speed(), 80);
        EXPECT_EQ(w->animationInterval(), 10);
        EXPECT_EQ(w->viewAzimuth(), 0);
        EXPECT_EQ(w->display().StarNameMode, 7);  // labels nothing; the next click gives 0
        EXPECT_TRUE(ui.starNamesAction->isChecked());
        ui.starNamesAction->trigger();
        EXPECT_EQ(w->display().StarNameMode, 0);
        EXPECT_FALSE(ui.starNamesAction->isChecked());
        EXPECT_EQ(w->display().ConstellationNameMode, 1);
        ui.constellationNamesAction->trigger();
        EXPECT_EQ(w->display().ConstellationNameMode, 2);
        EXPECT_EQ(w->observer().PlaceName, "Chemnitz, D");  // empty "Ort": the default place
    }
    WriteSettings("[Noctaris]\r\nSimulation=99\r\nAzimut=90\r\nOrt=Atlantis, XX\r\n");
    auto w = Open();
    const Ui ui(*w);
    EXPECT_EQ(w->speed(), 99);
    EXPECT_EQ(w->animationInterval(), 1);
    EXPECT_EQ(w->viewAzimuth(), 90);
    EXPECT_TRUE(ui.southInCenterAction->isChecked());
    // A stored place that is not in the list gives the default place, its name and its sky.
    EXPECT_EQ(ui.placeCombo->currentText(), "Chemnitz, D");
    EXPECT_EQ(w->observer().PlaceName, "Chemnitz, D");
    EXPECT_NEAR(w->observer().Latitude, 50.84, 0.01);
    EXPECT_NEAR(w->observer().Longitude, 12.85, 0.01);
    EXPECT_EQ(w->observer().TimeZone, 1);
    w->close();
    EXPECT_TRUE(StoredBytes().contains("\r\nOrt=Chemnitz, D\r\n"));
}

TEST_F(MainWindowTest, GarbageSettingsStartCleanly) {
    std::mt19937 rng(42);
    QByteArray binary(4096, '\0');
    for (auto& c : binary) c = static_cast<char>(rng());
    for (const QByteArray& bytes :
         {binary, QByteArray("[Noctaris]\r\nSimulation=5"), QByteArray("[Noctaris]\r\nOrt"),
          QByteArray("[Noctaris]\r\nSimulation=99999999999999\r\nAzimut=-2147483649\r\nLinks=2147483647\r\n"
                     "Sterne=-1\r\nMond=abc\r\n")}) {
        WriteSettings(bytes);
        auto w = Open();
        EXPECT_FALSE(w->display().ShowMoon);
        EXPECT_GE(w->display().StarNameMode, 0);
        EXPECT_EQ(w->viewAzimuth(), 0);
        // Wherever the stored position was, the window is on a screen.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.intersects(w->frameGeometry())) << w->pos().x() << "," << w->pos().y();
    }
}

TEST_F(MainWindowTest, AnimationAndNowExcludeEachOther) {
    auto w = Open();
    const Ui ui(*w);
    w->toggleAnimation();
    EXPECT_TRUE(w->animation().AnimationRunning);
    EXPECT_TRUE(ui.animationTimer->isActive());
    EXPECT_TRUE(ui.animationAction->isChecked());
    ui.nowButton->click();  // "Now" down
    EXPECT_TRUE(w->nowMode());
    EXPECT_TRUE(ui.clockTimer->isActive());
    EXPECT_FALSE(w->animation().AnimationRunning);
    EXPECT_FALSE(ui.animationTimer->isActive());
    EXPECT_FALSE(ui.animationAction->isChecked());
    ui.animationAction->trigger();  // starting the animation releases "Now"
    EXPECT_FALSE(w->nowMode());
    EXPECT_FALSE(ui.clockTimer->isActive());
    EXPECT_TRUE(w->animation().AnimationRunning);
    w->toggleAnimation();
    EXPECT_FALSE(ui.animationTimer->isActive());

    // Speed: the interval follows 101 - speed; the menu stops short of both ends.
    ui.speedSpin->setValue(98);
    EXPECT_EQ(w->animationInterval(), 3);
    w->speedUpSimulation();
    EXPECT_EQ(w->speed(), 99);
    w->speedUpSimulation();
    EXPECT_EQ(w->speed(), 99);
    ui.speedSpin->setValue(3);
    w->slowDownSimulation();
    w->slowDownSimulation();
    EXPECT_EQ(w->speed(), 2);

    // "Now" takes the clock; choosing a time of day ends it.
    ui.nowButton->click();
    w->onClockTick();
    EXPECT_EQ(w->observer().Hour * 100 + w->observer().Minute, 2132);
    w->selectTimeOfDay(3);
    EXPECT_FALSE(w->nowMode());
    EXPECT_EQ(w->observer().Hour * 100 + w->observer().Minute, 15);
    EXPECT_EQ(w->observer().Second, 17);
}

TEST_F(MainWindowTest, AnimationSteps) {
    auto w = Open();
    const Ui ui(*w);
    ui.timeOfDayCombo->setCurrentIndex(287);
    w->selectTimeOfDay(287);  // 23:55:17
    ui.stepCombo->setCurrentIndex(6);  // 10 minutes
    w->toggleAnimation();
    w->onAnimationTick();
    const ObserverState& o = w->observer();
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20261208);
    EXPECT_EQ(o.Hour * 10000 + o.Minute * 100 + o.Second, 517);
    w->reverseTimeline();
    w->onAnimationTick();
    w->onAnimationTick();
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20261207);
    EXPECT_EQ(o.Hour, 23);
    // While the chart moves, neither the date edit nor the time list follow it.
    EXPECT_EQ(ui.dateEdit->date(), QDate(2026, 12, 7));
    EXPECT_EQ(ui.timeOfDayCombo->currentIndex(), 287);

    w->reverseTimeline();
    ui.stepCombo->setCurrentIndex(14);  // 23 h 56 min: one day less about four minutes
    w->onAnimationTick();
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20261208);
    EXPECT_EQ(o.Hour * 100 + o.Minute, 2341);
    ui.stepCombo->setCurrentIndex(-1);  // nothing selected: 15 seconds
    const int before = o.Second;
    w->onAnimationTick();
    EXPECT_EQ((o.Second - before + 60) % 60, 15);
    EXPECT_EQ(o.Hour * 10000 + o.Minute * 100 + o.Second, 234135);  // 23:45:17 + 23 h 56 min 3.454 s + 15 s
}

namespace {
QStringList gWarnings;
void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg) gWarnings << text;
}
}  // namespace

// At either end of the calendar the animation stops with a word in the status bar; no box
// (with boxes forbidden here, a warning) interrupts the user, and the windows stay with the chart.
TEST_F(MainWindowTest, AnimationStopsQuietlyAtTheEndsOfTheCalendar) {
    auto w = Open();
    const Ui ui(*w);
    ui.moonWindowAction->trigger();
    ui.sunWindowAction->trigger();
    ui.stepCombo->setCurrentIndex(15);  // 24 hours
    ObserverState& o = const_cast<ObserverState&>(w->observer());
    o.Year = 9999, o.Month = 12, o.Day = 30;
    gWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    w->toggleAnimation();
    for (int i = 0; i < 5 && w->animation().AnimationRunning; ++i) w->onAnimationTick();
    EXPECT_FALSE(w->animation().AnimationRunning);
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 99991231);
    EXPECT_EQ(ui.dateEdit->date(), QDate(9999, 12, 31));
    EXPECT_TRUE(w->statusBar()->currentMessage().contains("9999")) << w->statusBar()->currentMessage().toStdString();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(gWarnings.isEmpty()) << gWarnings.join('\n').toStdString();

    // Run the timer by hand far enough to pass JD 0 in big steps.
    w->reverseTimeline();
    w->toggleAnimation();
    o.Year = -4712, o.Month = 1, o.Day = 3;
    for (int i = 0; i < 5 && w->animation().AnimationRunning; ++i) w->onAnimationTick();
    EXPECT_FALSE(w->animation().AnimationRunning);
    EXPECT_FALSE(ui.animationTimer->isActive());
    EXPECT_FALSE(ui.animationAction->isChecked());
    EXPECT_EQ(o.Year, -4712);
    EXPECT_EQ(o.Month, 1);
    EXPECT_TRUE(w->statusBar()->currentMessage().contains("4713")) << w->statusBar()->currentMessage().toStdString();
}

TEST_F(MainWindowTest, PlaceAndDirectionControls) {
    auto w = Open();
    const Ui ui(*w);
    const int wien = ui.placeCombo->findText("Vienna, A");
    ASSERT_GE(wien, 0);
    ui.placeCombo->setCurrentIndex(wien);
    EXPECT_EQ(w->observer().PlaceName, "Vienna, A");
    EXPECT_NEAR(w->observer().Latitude, 48.2, 0.1);
    // Typing a name that is not in the list changes nothing.
    ui.placeCombo->setEditText("Nowhere at all");
    EXPECT_EQ(w->observer().PlaceName, "Vienna, A");

    ui.northInCenterAction->trigger();
    EXPECT_EQ(w->viewAzimuth(), 180);
    EXPECT_TRUE(ui.northInCenterAction->isChecked());
    EXPECT_FALSE(ui.southInCenterAction->isChecked());
    ui.eastInCenterAction->trigger();
    EXPECT_EQ(w->viewAzimuth(), -90);
    EXPECT_EQ(int(ui.eastInCenterAction->isChecked()) + ui.southInCenterAction->isChecked() +
                  ui.westInCenterAction->isChecked() + ui.northInCenterAction->isChecked(),
              1);
    w->setDate(QDate(1582, 10, 15));
    EXPECT_EQ(w->observer().Year * 10000 + w->observer().Month * 100 + w->observer().Day, 15821015);
    w->setDate(QDate(1582, 10, 14));  // the same day in the Julian calendar
    EXPECT_EQ(w->observer().Year * 10000 + w->observer().Month * 100 + w->observer().Day, 15821004);
    // The date field names its days as the chart does: Julian before the reform.
    ui.dateEdit->setDate(QDate(1500, 3, 10));
    const QCalendar shown = ui.dateEdit->calendar();
    EXPECT_EQ(ui.dateEdit->date().day(shown) * 100 + ui.dateEdit->date().month(shown), 2902);
    EXPECT_EQ(w->observer().Year * 10000 + w->observer().Month * 100 + w->observer().Day, 15000229);
}

TEST_F(MainWindowTest, ToolbarWrapsSoThatEveryControlStaysInANarrowWindow) {
    auto w = Open();
    const Ui ui(*w);
    auto* toolbar = w->findChild<QWidget*>("toolbar");
    ASSERT_NE(toolbar, nullptr);
    const auto settle = [&](int width) {
        w->resize(width, 700);
        QApplication::sendPostedEvents();
        w->layout()->activate();
        toolbar->layout()->activate();
    };
    QList<QWidget*> controls;
    for (QWidget* c : toolbar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (c->isVisibleTo(toolbar)) controls << c;
    ASSERT_GE(controls.size(), 12);
    // Wide enough: one row of the toolbar's usual height. Narrow: more rows, and every control
    // inside the window, none over another, the chart below them all.
    for (const int width : {toolbar->sizeHint().width(), 420}) {
        settle(width);
        SCOPED_TRACE(width);
        EXPECT_EQ(w->width(), width);  // the toolbar does not hold the window wider
        if (width > 420) {
            EXPECT_EQ(toolbar->height(), 28);
        } else {
            EXPECT_GE(toolbar->height(), 3 * 26);
        }
        for (QWidget* c : controls) {
            const QRect r(c->mapTo(w.get(), QPoint(0, 0)), c->size());
            EXPECT_TRUE(w->rect().contains(r)) << c->metaObject()->className();
            EXPECT_LE(r.bottom(), ui.chartSurface->mapTo(w.get(), QPoint(0, 0)).y());
            for (QWidget* other : controls) {
                if (other != c) {
                    EXPECT_FALSE(c->geometry().intersects(other->geometry())) << c->metaObject()->className();
                }
            }
        }
    }
    // Night vision frames the controls, a little wider: on a screen with room the window widens
    // and keeps one row, then returns to its width by day.
    settle(toolbar->sizeHint().width());
    const int byDay = w->width();
    QAction* night = w->findChild<QAction*>("nightVisionAction");
    night->trigger();
    settle(w->width());
    EXPECT_GT(w->width(), byDay);
    EXPECT_EQ(toolbar->height(), 28);
    night->trigger();
    settle(w->width());
    EXPECT_EQ(w->width(), byDay);
}

TEST_F(MainWindowTest, ClicksNameStarsAndBodiesAndDragsTurnTheView) {
    auto w = Open();
    const Ui ui(*w);
    w->resize(1070, 751);
    ui.showStarInfoAction->trigger();  // show star information: the redraw fills the star hit list
    ASSERT_GT(w->hitLists().stars.Size(), 100u);
    ASSERT_GT(w->hitLists().bodies.Size(), 0u);
    auto press = [&](QPoint p, QEvent::Type type) {
        QMouseEvent e(type, QPointF(p), ui.chartSurface->mapToGlobal(QPointF(p)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        if (type == QEvent::MouseButtonPress) w->onChartPress(&e);
        else if (type == QEvent::MouseMove) w->onChartMove(&e);
        else w->onChartRelease(&e);
    };
    const auto& star = w->hitLists().stars.At(0);
    press({star.x + 2, star.y - 1}, QEvent::MouseButtonPress);
    press({star.x + 2, star.y - 1}, QEvent::MouseButtonRelease);
    EXPECT_FALSE(w->lastStarInfo().isEmpty());
    EXPECT_EQ(w->viewAzimuth(), 0);

    const auto& body = w->hitLists().bodies.At(0);
    const std::string bodyName(w->hitLists().bodies.NameAt(0));
    press({body.x, body.y}, QEvent::MouseButtonPress);
    press({body.x, body.y}, QEvent::MouseButtonRelease);
    EXPECT_EQ(w->lastBodyClicked().toStdString(), bodyName);

    // Dragging over empty sky: half the width turns the view by 90 degrees.
    ui.showStarInfoAction->trigger();
    const int width = ui.chartSurface->width();
    QPoint empty(5, 5);
    press(empty, QEvent::MouseButtonPress);
    press(empty + QPoint(width / 2, 0), QEvent::MouseMove);
    EXPECT_NEAR(w->viewAzimuth(), -90, 1);
    press(empty + QPoint(width / 2, 0), QEvent::MouseButtonRelease);
    press(empty + QPoint(width, 0), QEvent::MouseMove);  // released: no more turning
    EXPECT_NEAR(w->viewAzimuth(), -90, 1);
    EXPECT_TRUE(ui.southInCenterAction->isChecked());  // dragging leaves the direction marks alone
}

TEST_F(MainWindowTest, EphemerisTableFollowsTheChart) {
    auto w = Open();
    const Ui ui(*w);
    EXPECT_FALSE(w->ephemerisWindow()->isVisible());  // created hidden at start
    ui.ephemerisAction->trigger();
    ASSERT_TRUE(w->ephemerisWindow()->isVisible());
    EXPECT_EQ(w->ephemerisWindow()->snapshot().Minute, 32);
    ui.stepCombo->setCurrentIndex(9);  // 1 hour
    w->toggleAnimation();
    w->onAnimationTick();
    EXPECT_EQ(w->ephemerisWindow()->snapshot().Hour, 22);
    EXPECT_EQ(w->ephemerisWindow()->snapshot().Day, 7);
    ui.ephemerisAction->trigger();  // already open: brought to the front, still one window
    EXPECT_TRUE(w->ephemerisWindow()->isVisible());
    for (QAction* a : {ui.moonWindowAction, ui.sunWindowAction, ui.ephemerisAction, ui.moonPhaseCalendarAction,
                       ui.orbitsAction, ui.eventCalendarAction, ui.terminatorAction, ui.aboutAction})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
}

// Tonight opens from the menu on the chart's night, sets the chart to a time clicked on its
// plot, follows the chart to another date and its night vision.
TEST_F(MainWindowTest, TonightFollowsTheChartAndSetsItsTime) {
    auto w = Open();
    w->findChild<QAction*>("tonightAction")->trigger();
    auto* tonight = w->findChild<TonightWindow*>();
    ASSERT_TRUE(tonight && tonight->isVisible());
    EXPECT_EQ(tonight->report().date, (CivilDate{2026, 12, 7}));
    const std::optional<double> dusk = tonight->report().sun.astronomicalDusk;
    ASSERT_TRUE(dusk.has_value());
    emit tonight->goToTime(*dusk);  // 18:04 CET (python3-ephem: 17:04:09 UT)
    EXPECT_EQ(w->observer().Day, 7);
    EXPECT_EQ(w->observer().Hour, 18);
    EXPECT_EQ(w->observer().Minute, 4);
    w->setDate(QDate(2026, 12, 8));
    EXPECT_EQ(tonight->report().date, (CivilDate{2026, 12, 8}));
    // Night vision turns the plot red with the rest and back.
    auto* scheme = tonight->findChild<QComboBox*>("tonightSchemeBox");
    w->findChild<QAction*>("nightVisionAction")->trigger();
    EXPECT_EQ(scheme->currentIndex(), static_cast<int>(PlotScheme::NightVision));
    w->findChild<QAction*>("nightVisionAction")->trigger();
    EXPECT_EQ(scheme->currentIndex(), static_cast<int>(PlotScheme::Screen));
}

TEST_F(MainWindowTest, MoonAndSunWindowsShareTheirSnapshot) {
    auto w = Open();
    const Ui ui(*w);
    ui.moonWindowAction->trigger();
    ui.sunWindowAction->trigger();
    ASSERT_TRUE(w->moonWindow()->isVisible());
    ASSERT_TRUE(w->sunWindow()->isVisible());
    EXPECT_EQ(w->moonSunSnapshot().Hour * 100 + w->moonSunSnapshot().Minute, 2132);
    ui.stepCombo->setCurrentIndex(15);  // 24 hours
    w->toggleAnimation();
    w->onAnimationTick();
    EXPECT_EQ(w->moonSunSnapshot().Day, 8);
    w->moonWindow()->hide();
    w->openBody(Body::Moon);  // a click on the Moon opens its window again
    EXPECT_TRUE(w->moonWindow()->isVisible());
}

TEST_F(MainWindowTest, EveryModalWindowOpensAndCloses) {
    auto w = Open();
    const Ui ui(*w);
    SetDialogsAllowed(true);
    qputenv("NOCTARIS_NO_DIALOGS", "1");  // the old test switch: the program reads no variable of its own
    struct Restore {
        ~Restore() {
            SetDialogsAllowed(false);
            qunsetenv("NOCTARIS_NO_DIALOGS");
        }
    } restore;
    // Runs `open` and closes the modal window it shows from inside that window's event loop;
    // returns the window's title, or "" when no window opened.
    auto titleOfModal = [](const std::function<void()>& open) {
        auto seen = std::make_shared<QString>();
        QTimer::singleShot(200, [seen] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                *seen = modal->windowTitle();
                modal->close();
            }
        });
        open();
        QEventLoop loop;  // if nothing opened, let the timer run out here
        QTimer::singleShot(250, &loop, &QEventLoop::quit);
        if (seen->isEmpty()) loop.exec();
        return *seen;
    };
    EXPECT_EQ(titleOfModal([&] { ui.moonPhaseCalendarAction->trigger(); }), "Moon phase calendar");
    EXPECT_EQ(titleOfModal([&] { ui.orbitsAction->trigger(); }), "Orbits");
    EXPECT_EQ(titleOfModal([&] { ui.eventCalendarAction->trigger(); }), "Astronomical calendar");
    EXPECT_EQ(titleOfModal([&] { ui.terminatorAction->trigger(); }), "Terminator");
    EXPECT_EQ(titleOfModal([&] { ui.aboutAction->trigger(); }), "About Noctaris");
    // A click on a planet opens its information window the same way.
    EXPECT_EQ(titleOfModal([&] { w->openBody(Body::Saturn); }), "Planet data");
}

TEST_F(MainWindowTest, AFailingWindowReportsOnceWhileTheAnimationRuns) {
    auto w = Open();
    const Ui ui(*w);
    ui.moonWindowAction->trigger();
    ui.sunWindowAction->trigger();
    // Before year 1 the Moon and Sun reports cannot be built (no platform date there).
    ObserverState& o = const_cast<ObserverState&>(w->observer());
    o.Year = 1, o.Month = 1, o.Day = 2;
    ui.stepCombo->setCurrentIndex(15);
    w->reverseTimeline();
    w->toggleAnimation();
    gWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    for (int i = 0; i < 6; ++i) w->onAnimationTick();
    qInstallMessageHandler(previous);
    EXPECT_EQ(o.Year, 0);
    EXPECT_TRUE(w->animation().AnimationRunning);  // the chart itself goes on
    EXPECT_EQ(gWarnings.filter("Moon data").size(), 1) << gWarnings.join('\n').toStdString();
    EXPECT_EQ(gWarnings.filter("Sun data").size(), 1) << gWarnings.join('\n').toStdString();
}

TEST_F(MainWindowTest, ArrowKeysOnTheChartTurnTheView) {
    auto w = Open();
    const Ui ui(*w);
    auto key = [&](Qt::Key k, Qt::KeyboardModifiers modifiers) {
        QKeyEvent e(QEvent::KeyPress, k, modifiers);
        QApplication::sendEvent(ui.chartSurface, &e);
    };
    key(Qt::Key_Right, Qt::NoModifier);
    EXPECT_EQ(w->viewAzimuth(), 5);
    w->setViewAzimuth(-170);
    key(Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(w->viewAzimuth(), 145);
}

TEST_F(MainWindowTest, WheelKeysAndDragZoomAndRaiseTheViewPickingFollowsAndHomeReturns) {
    auto w = Open();
    const Ui ui(*w);
    w->resize(1070, 751);
    ui.showStarInfoAction->trigger();
    auto key = [&](Qt::Key k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(ui.chartSurface, &e);
    };
    auto mouse = [&](QPoint p, QEvent::Type type) {
        QMouseEvent e(type, QPointF(p), ui.chartSurface->mapToGlobal(QPointF(p)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        if (type == QEvent::MouseButtonPress) w->onChartPress(&e);
        else if (type == QEvent::MouseMove) w->onChartMove(&e);
        else w->onChartRelease(&e);
    };
    // Two wheel notches towards the user's screen zoom in about the mouse.
    QWheelEvent wheel(QPointF(300, 200), ui.chartSurface->mapToGlobal(QPointF(300, 200)), QPoint(), QPoint(0, 240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(ui.chartSurface, &wheel);
    EXPECT_NEAR(w->view().HorizontalSpan, 180 / 1.5625, 1e-9);
    ASSERT_TRUE(w->view().CentreAltitude);
    const double altitude = *w->view().CentreAltitude;
    key(Qt::Key_Up);
    EXPECT_GT(*w->view().CentreAltitude, altitude);
    key(Qt::Key_Down);
    EXPECT_NEAR(*w->view().CentreAltitude, altitude, 1e-9);

    // A star of the zoomed chart is picked where it was drawn.
    ASSERT_GT(w->hitLists().stars.Size(), 0u);
    const auto& star = w->hitLists().stars.At(0);
    mouse({star.x, star.y}, QEvent::MouseButtonPress);
    mouse({star.x, star.y}, QEvent::MouseButtonRelease);
    EXPECT_TRUE(w->lastStarInfo().startsWith(QString::fromLatin1(w->hitLists().stars.NameAt(0).data(), 3)));

    // Dragging the sky down raises the view; the azimuth box follows a turn.
    ui.showStarInfoAction->trigger();
    mouse({5, 5}, QEvent::MouseButtonPress);
    mouse({105, 105}, QEvent::MouseMove);
    mouse({105, 105}, QEvent::MouseButtonRelease);
    EXPECT_GT(*w->view().CentreAltitude, altitude);
    EXPECT_EQ(w->viewAzimuth(), static_cast<int>(std::nearbyint(w->view().CentreAzimuth)));
    EXPECT_LT(w->view().CentreAzimuth, 0);

    key(Qt::Key_Home);
    EXPECT_EQ(w->view().HorizontalSpan, 180);
    EXPECT_FALSE(w->view().CentreAltitude);

    // Full screen: the chart alone; Escape leaves it.
    w->setFullScreen(true);
    EXPECT_TRUE(w->isFullScreen());
    EXPECT_FALSE(w->menuBar()->isVisible());
    Child<QAction>(*w, "leaveFullScreenAction")->trigger();
    EXPECT_FALSE(w->isFullScreen());
    EXPECT_TRUE(w->menuBar()->isVisible());
    EXPECT_FALSE(Child<QAction>(*w, "fullScreenAction")->isChecked());
}

TEST_F(MainWindowTest, FindFacesMarksAndTellsAboutAnObject) {
    auto w = Open();  // 2026-12-07 21:32:17 CET in Chemnitz
    auto* box = w->findInfoBox();
    ASSERT_NE(box, nullptr);
    auto* go = box->findChild<QPushButton*>("findGoButton");
    ASSERT_NE(go, nullptr);

    // Betelgeuse stands in the east-south-east: the view turns to it and the reticle marks it.
    w->findObject("alf Ori");
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->text().startsWith("Betelgeuse (α Ori)\nStar in Orion")) << box->text().toStdString();
    EXPECT_FALSE(go->isVisible());
    ASSERT_TRUE(w->chart().foundMarker.object.has_value());
    const FoundPlace star = PlaceFoundObject(w->catalogs(), *w->chart().foundMarker.object, w->chart().Frame(), w->observer());
    EXPECT_GT(star.altitude, 10);
    EXPECT_NEAR(w->viewAzimuth(), std::remainder(star.azimuth - 180, 360), 0.5);
    int x = 0, y = 0;
    ASSERT_TRUE(ProjectToScreen(w->chart().Frame(), star.ra, star.dec, x, y));
    EXPECT_NEAR(x, w->chart().Frame().CenterX, 0.5 * w->chart().Frame().PixelsPerDegree + 1);  // faced to the degree

    // Capella stands high: the view is raised to it.
    w->findObject("Capella");
    ASSERT_TRUE(w->chart().foundMarker.object.has_value());
    const FoundPlace capella =
        PlaceFoundObject(w->catalogs(), *w->chart().foundMarker.object, w->chart().Frame(), w->observer());
    ASSERT_GT(capella.altitude, 60);
    ASSERT_TRUE(w->view().CentreAltitude);
    ASSERT_TRUE(ProjectToScreen(w->chart().Frame(), capella.ra, capella.dec, x, y));
    EXPECT_GT(y, 0);  // on the chart, the zenith at most at its top edge
    EXPECT_LT(y, w->chart().Frame().Height);
    w->resetView();

    // The Sun is below the horizon: the box offers its next rising and goes there.
    w->findObject("Sonne");
    EXPECT_TRUE(go->isVisible());
    go->click();
    EXPECT_EQ(w->observer().Day, 8);
    EXPECT_EQ(w->observer().Hour, 7);  // sunrise in Chemnitz on 8 December 2026: 07:55 CET
    EXPECT_NEAR(w->observer().Minute, 55, 2);
    EXPECT_FALSE(go->isVisible());  // it is up now

    // A name nobody knows: the marker goes, three close names are offered and one finds.
    w->findObject("Betelgeze");
    EXPECT_FALSE(w->chart().foundMarker.object.has_value());
    auto* first = box->findChild<QPushButton*>("findSuggestion0");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), "Betelgeuse");
    first->click();
    EXPECT_TRUE(w->chart().foundMarker.object.has_value());

    // A deep-sky object by its number; shown on the chart, a press on one tells the same.
    w->findObject("m31");
    EXPECT_TRUE(box->text().startsWith("Andromeda Galaxy (M 31)\nSpiral galaxy in Andromeda")) << box->text().toStdString();
    Child<QAction>(*w, "showDeepSkyAction")->trigger();
    ASSERT_GT(w->hitLists().deepSky.Size(), 0u);
    const auto& hit = w->hitLists().deepSky.At(0);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(hit.x, hit.y), QPointF(hit.x, hit.y), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    w->onChartPress(&press);
    EXPECT_TRUE(w->lastStarInfo().contains("Designations: ")) << w->lastStarInfo().toStdString();
}

namespace noctaris::test {
namespace {

// The largest green or blue value of any pixel, and how many pixels are lit red.
std::pair<int, int> GreenBlueAndRed(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int worst = 0, red = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            worst = std::max({worst, qGreen(p), qBlue(p)});
            red += qRed(p) > 60;
        }
    return {worst, red};
}

}  // namespace

TEST_F(MainWindowTest, NightVisionTurnsEveryWindowRedIsRememberedAndGoesBackExactly) {
    // What switching back must restore: the chart and the Moon window exactly, the controls where
    // they stood (a box first measured empty kept that width until restyled), and the menu
    // bar and the colours every visible widget paints with (a style laid anew may settle a grey and its smoothed text a step or two apart).
    struct Look {
        QImage chart, moon, menu;
        std::map<QString, std::vector<QColor>> colours;  // by class, name and parent's name
        std::map<std::string, std::string> places;       // of the main window's controls
    };
    const auto look = [](MainWindow& w) {
        QApplication::processEvents();
        Look l{w.findChild<QWidget*>("chartSurface")->grab().toImage(), w.moonWindow()->grab().toImage(),
               w.menuBar()->grab().toImage().convertToFormat(QImage::Format_RGB32), {}, {}};
        QList<QWidget*> widgets = w.findChildren<QWidget*>() + w.moonWindow()->findChildren<QWidget*>();
        for (const QWidget* c : widgets) {
            if (!c->isVisible()) continue;
            const QString key = QString::fromLatin1(c->metaObject()->className()) + '/' + c->objectName() + '/' +
                                (c->parentWidget() ? c->parentWidget()->objectName() : QString());
            if (c->window() == &w && !c->objectName().isEmpty()) {
                const QRect r = c->geometry();
                l.places[key.toStdString()] = QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()).toStdString();
            }
            // (The window colour of a widget that does not fill its background is not seen.)
            for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Base, QPalette::Text,
                                                   QPalette::Button, QPalette::ButtonText})
                l.colours[key].push_back(c->palette().color(role));
        }
        return l;
    };
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2 &&
               std::abs(qBlue(a) - qBlue(b)) <= 2;
    };
    const auto same = [&](const Look& a, const Look& b) {
        bool ok = a.chart == b.chart && a.moon == b.moon && a.menu.size() == b.menu.size();
        EXPECT_EQ(a.places, b.places);
        ok = ok && a.places.size() > 10;

        for (int y = 0; ok && y < a.menu.height(); ++y)
            for (int x = 0; ok && x < a.menu.width(); ++x) ok = near(a.menu.pixel(x, y), b.menu.pixel(x, y));
        int compared = 0;
        for (const auto& [key, colours] : a.colours) {  // widgets made meanwhile (pop-ups) aside
            const auto other = b.colours.find(key);
            if (other == b.colours.end() || other->second.size() != colours.size()) continue;
            for (std::size_t i = 0; ok && i < colours.size(); ++i) ok = near(colours[i].rgb(), other->second[i].rgb());
            ++compared;
        }
        return ok && compared > 20;
    };
    Look before;
    {
        auto w = Open();
        QAction* night = w->findChild<QAction*>("nightVisionAction");
        ASSERT_NE(night, nullptr);
        EXPECT_EQ(night->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
        w->findChild<QAction*>("moonWindowAction")->trigger();  // the Moon's photograph
        ASSERT_TRUE(w->moonWindow()->isVisible());
        before = look(*w);

        night->trigger();
        EXPECT_TRUE(night->isChecked());
        for (QWidget* window : {static_cast<QWidget*>(w.get()), static_cast<QWidget*>(w->moonWindow())}) {
            const auto [greenBlue, red] = GreenBlueAndRed(window->grab().toImage());
            EXPECT_LE(greenBlue, 8) << window->objectName().toStdString();
            EXPECT_GT(red, 500) << window->objectName().toStdString();  // its text and pictures are there
        }
        night->trigger();
        EXPECT_TRUE(same(look(*w), before));
        night->trigger();
        w->close();
    }
    EXPECT_TRUE(StoredBytes().contains("\r\nNachtsicht=1\r\n"));

    auto w = Open();
    QAction* night = w->findChild<QAction*>("nightVisionAction");
    ASSERT_TRUE(night->isChecked());
    w->findChild<QAction*>("moonWindowAction")->trigger();
    EXPECT_LE(GreenBlueAndRed(w->moonWindow()->grab().toImage()).first, 8);
    night->trigger();
    EXPECT_FALSE(night->isChecked());
    EXPECT_TRUE(same(look(*w), before));
}

}  // namespace noctaris::test
