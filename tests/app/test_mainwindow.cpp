#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QMouseEvent>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <random>

#include "app/main_window.h"
#include "platform/inifile.h"
#include "windows/ephemeris_window.h"
#include "windows/moon_window.h"
#include "windows/sun_window.h"

using namespace noctaris;

namespace {

std::shared_ptr<const Catalogs> SharedCatalogs() {
    static auto catalogs = std::make_shared<const Catalogs>(Catalogs::LoadAll());
    return catalogs;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("NOCTARIS_NO_DIALOGS", "1");
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        path_ = dir_.filePath("noctaris.ini");
    }
    std::unique_ptr<MainWindow> Open() {
        MainWindow::Options o;
        o.settingsPath = path_;
        o.catalogs = SharedCatalogs();
        o.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(21, 32, 17)); };
        auto w = std::make_unique<MainWindow>(o);
        w->show();
        return w;
    }
    void WriteSettings(const QByteArray& bytes) {
        QFile f(path_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir_;
    QString path_;
};

void ExpectDefaults(MainWindow& w) {
    const ObserverState& o = w.Observer();
    EXPECT_EQ(o.PlaceName, "Chemnitz, D");
    EXPECT_DOUBLE_EQ(o.Latitude, 50.836667);
    EXPECT_DOUBLE_EQ(o.Longitude, 12.854444);
    EXPECT_DOUBLE_EQ(o.TimeZone, 1);
    EXPECT_EQ(w.ViewAzimuth(), 0);
    EXPECT_TRUE(w.H2->isChecked());
    EXPECT_FALSE(w.H1->isChecked() || w.H3->isChecked() || w.H4->isChecked());
    EXPECT_TRUE(w.Display() == DisplayOptions{}) << "every display switch off";
    EXPECT_FALSE(w.Observer().ConsiderSummerTime);
    for (QAction* a : {w.M29, w.M6, w.M12, w.M2, w.M11, w.M8, w.M13, w.M3, w.M19, w.M21, w.M26, w.M5,
                       w.M1, w.M4, w.M7, w.M14, w.M20})
        EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
    EXPECT_EQ(w.Speed(), 80);
    EXPECT_EQ(w.AnimationInterval(), 10);
    EXPECT_EQ(w.StepIndex(), 2);
    EXPECT_EQ(w.CB1->currentText(), "1 minute");
    EXPECT_FALSE(w.NowMode());
    EXPECT_FALSE(w.Animation().AnimationRunning);
}

}  // namespace

TEST_F(MainWindowTest, FirstStartWithoutSettings) {
    auto w = Open();
    EXPECT_EQ(w->windowTitle(), "Noctaris");
    ExpectDefaults(*w);
    const ObserverState& o = w->Observer();
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20261207);
    EXPECT_EQ(o.Hour * 10000 + o.Minute * 100 + o.Second, 213217);
    EXPECT_EQ(w->cb2->count(), 288);
    EXPECT_EQ(w->cb2->itemText(0), "00:00");
    EXPECT_EQ(w->cb2->itemText(287), "23:55");
    EXPECT_EQ(w->cb2->currentIndex(), 6 + 12 * 21);
    EXPECT_EQ(w->DE1->date(), QDate(2026, 12, 7));
    EXPECT_EQ(w->ComboBox1->count(), static_cast<int>(SharedCatalogs()->places.size()));
    EXPECT_EQ(w->PB1->Image().size(), w->PB1->size());
}

TEST_F(MainWindowTest, SettingsRoundTrip) {
    {
        auto w = Open();
        for (QAction* a : {w->M29, w->M6, w->M12, w->M2, w->M11, w->M8, w->M13, w->M3, w->M26, w->M5,
                           w->M1, w->M4, w->M7, w->M14, w->M20})
            a->trigger();
        w->M19->trigger();
        w->M19->trigger();  // star names: mode 2
        w->M21->trigger();  // constellation names: 0 -> 2
        w->M21->trigger();  // -> 3
        w->ComboBox1->setCurrentIndex(w->ComboBox1->findText(QString::fromUtf8("Zürich, CH")));
        w->H3->trigger();
        w->RxSpinEdit1->setValue(55);
        w->close();
    }
    QFile f(path_);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("[Noctaris]\r\nOrt=Z\xFCrich, CH\r\nSimulation=55\r\nAzimut=90\r\nLinks="));
    EXPECT_TRUE(bytes.contains("\r\n\xC4quator=1\r\n"));
    EXPECT_TRUE(bytes.contains("\r\nH\xF6hen=1\r\n"));
    EXPECT_TRUE(bytes.contains("Sterne=2\r\nSternbilder=3\r\nLinien=1\r\n"));
    EXPECT_TRUE(bytes.endsWith("Jupiter=1\r\nVenus=1\r\n\r\n"));
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
    const ObserverState& o = w->Observer();
    EXPECT_EQ(o.PlaceName, "Zürich, CH");
    EXPECT_TRUE(o.ConsiderSummerTime);
    EXPECT_EQ(w->ViewAzimuth(), 90);
    EXPECT_TRUE(w->H2->isChecked());  // the direction marks always start at south
    EXPECT_EQ(w->Speed(), 55);
    EXPECT_EQ(w->AnimationInterval(), 45);  // restored speed s gives 100 - s
    const DisplayOptions& d = w->Display();
    EXPECT_TRUE(d.ShowEcliptic && d.ShowEquator && d.ShowGrid && d.ShowMeridian && d.ShowAltitudeLines &&
                d.ShowMoon && d.ShowHorizonFigure && d.ShowConstellationLines && d.ShowConstellationBorders &&
                d.WhiteStars && d.ShowStarInfo && d.ShowZodiac && d.ShowJupiterMoons && d.ShowVenusPhase);
    EXPECT_EQ(d.StarNameMode, 2);
    EXPECT_EQ(d.ConstellationNameMode, 3);
    EXPECT_TRUE(w->M19->isChecked() && w->M21->isChecked() && w->M13->isChecked() && w->M26->isChecked());
}

TEST_F(MainWindowTest, StoredValuesOutOfRange) {
    WriteSettings("[Noctaris]\r\nSimulation=100\r\nAzimut=181\r\nSterne=7\r\nSternbilder=1\r\n");
    {
        auto w = Open();
        EXPECT_EQ(w->Speed(), 80);
        EXPECT_EQ(w->AnimationInterval(), 10);
        EXPECT_EQ(w->ViewAzimuth(), 0);
        EXPECT_EQ(w->Display().StarNameMode, 7);  // labels nothing; the next click gives 0
        EXPECT_TRUE(w->M19->isChecked());
        w->M19->trigger();
        EXPECT_EQ(w->Display().StarNameMode, 0);
        EXPECT_FALSE(w->M19->isChecked());
        EXPECT_EQ(w->Display().ConstellationNameMode, 1);
        w->M21->trigger();
        EXPECT_EQ(w->Display().ConstellationNameMode, 2);
        EXPECT_EQ(w->Observer().PlaceName, "Chemnitz, D");  // empty "Ort": the default place
    }
    WriteSettings("[Noctaris]\r\nSimulation=99\r\nAzimut=90\r\nOrt=Atlantis, XX\r\n");
    auto w = Open();
    EXPECT_EQ(w->Speed(), 99);
    EXPECT_EQ(w->AnimationInterval(), 1);
    EXPECT_EQ(w->ViewAzimuth(), 90);
    EXPECT_TRUE(w->H2->isChecked());
    // An unknown stored place selects nothing and leaves the place as it was created.
    EXPECT_EQ(w->ComboBox1->currentIndex(), -1);
    EXPECT_EQ(w->Observer().PlaceName, "Chemnitz");
    EXPECT_EQ(w->Observer().Latitude, 0);
    EXPECT_EQ(w->Observer().TimeZone, 0);
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
        EXPECT_FALSE(w->Display().ShowMoon);
        EXPECT_GE(w->Display().StarNameMode, 0);
        EXPECT_EQ(w->ViewAzimuth(), 0);
        // Wherever the stored position was, the window is on a screen.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_TRUE(screen.intersects(w->frameGeometry())) << w->pos().x() << "," << w->pos().y();
    }
}

TEST_F(MainWindowTest, AnimationAndNowExcludeEachOther) {
    auto w = Open();
    w->ToggleAnimation();
    EXPECT_TRUE(w->Animation().AnimationRunning);
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_TRUE(w->M9->isChecked());
    w->S34->click();  // "Now" down
    EXPECT_TRUE(w->NowMode());
    EXPECT_TRUE(w->Timer2->isActive());
    EXPECT_FALSE(w->Animation().AnimationRunning);
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_FALSE(w->M9->isChecked());
    w->M9->trigger();  // starting the animation releases "Now"
    EXPECT_FALSE(w->NowMode());
    EXPECT_FALSE(w->Timer2->isActive());
    EXPECT_TRUE(w->Animation().AnimationRunning);
    w->ToggleAnimation();
    EXPECT_FALSE(w->Timer1->isActive());

    // Speed: the interval follows 101 - speed; the menu stops short of both ends.
    w->RxSpinEdit1->setValue(98);
    EXPECT_EQ(w->AnimationInterval(), 3);
    w->SimulationFaster();
    EXPECT_EQ(w->Speed(), 99);
    w->SimulationFaster();
    EXPECT_EQ(w->Speed(), 99);
    w->RxSpinEdit1->setValue(3);
    w->SimulationSlower();
    w->SimulationSlower();
    EXPECT_EQ(w->Speed(), 2);

    // "Now" takes the clock; choosing a time of day ends it.
    w->S34->click();
    w->Timer2Timer();
    EXPECT_EQ(w->Observer().Hour * 100 + w->Observer().Minute, 2132);
    w->SelectTimeOfDay(3);
    EXPECT_FALSE(w->NowMode());
    EXPECT_EQ(w->Observer().Hour * 100 + w->Observer().Minute, 15);
    EXPECT_EQ(w->Observer().Second, 17);
}

TEST_F(MainWindowTest, AnimationSteps) {
    auto w = Open();
    w->cb2->setCurrentIndex(287);
    w->SelectTimeOfDay(287);  // 23:55:17
    w->CB1->setCurrentIndex(6);  // 10 minutes
    w->ToggleAnimation();
    w->Timer1Timer();
    const ObserverState& o = w->Observer();
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20261208);
    // 00:05:17 in days lands a hair below the whole second, which truncation drops.
    EXPECT_EQ(o.Hour * 10000 + o.Minute * 100 + o.Second, 516);
    w->ReverseTimeline();
    w->Timer1Timer();
    w->Timer1Timer();
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20261207);
    EXPECT_EQ(o.Hour, 23);
    // Neither the date edit nor the time list follow the animation.
    EXPECT_EQ(w->DE1->date(), QDate(2026, 12, 7));
    EXPECT_EQ(w->cb2->currentIndex(), 287);

    w->ReverseTimeline();
    w->CB1->setCurrentIndex(14);  // 23 h 56 min: one day less about four minutes
    w->Timer1Timer();
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20261208);
    EXPECT_EQ(o.Hour * 100 + o.Minute, 2341);
    w->CB1->setCurrentIndex(-1);  // nothing selected: 15 seconds
    const int before = o.Second;
    w->Timer1Timer();
    EXPECT_EQ((o.Second - before + 60) % 60, 15);
}

TEST_F(MainWindowTest, AnimationStopsAtTheStartOfTheTimeBase) {
    auto w = Open();
    w->CB1->setCurrentIndex(15);
    w->ReverseTimeline();
    w->ToggleAnimation();
    // Run the timer by hand far enough to pass JD 0 in big steps.
    ObserverState& o = const_cast<ObserverState&>(w->Observer());
    o.Year = -4712;
    o.Month = 1;
    o.Day = 3;
    for (int i = 0; i < 5 && w->Animation().AnimationRunning; ++i) w->Timer1Timer();
    EXPECT_FALSE(w->Animation().AnimationRunning);
    EXPECT_FALSE(w->Timer1->isActive());
    EXPECT_FALSE(w->M9->isChecked());
    EXPECT_EQ(o.Year, -4712);
    EXPECT_EQ(o.Month, 1);
}

TEST_F(MainWindowTest, PlaceAndDirectionControls) {
    auto w = Open();
    const int wien = w->ComboBox1->findText("Wien, A");
    ASSERT_GE(wien, 0);
    w->ComboBox1->setCurrentIndex(wien);
    EXPECT_EQ(w->Observer().PlaceName, "Wien, A");
    EXPECT_NEAR(w->Observer().Latitude, 48.2, 0.1);
    // Typing a name that is not in the list changes nothing.
    w->ComboBox1->setEditText("Nowhere at all");
    EXPECT_EQ(w->Observer().PlaceName, "Wien, A");

    w->H4->trigger();
    EXPECT_EQ(w->ViewAzimuth(), 180);
    EXPECT_TRUE(w->H4->isChecked());
    EXPECT_FALSE(w->H2->isChecked());
    w->H1->trigger();
    EXPECT_EQ(w->ViewAzimuth(), -90);
    EXPECT_EQ(int(w->H1->isChecked()) + w->H2->isChecked() + w->H3->isChecked() + w->H4->isChecked(), 1);
    w->SetDate(QDate(1582, 10, 15));
    EXPECT_EQ(w->Observer().Year * 10000 + w->Observer().Month * 100 + w->Observer().Day, 15821015);
    w->SetDate(QDate(1582, 10, 14));  // the same day in the Julian calendar
    EXPECT_EQ(w->Observer().Year * 10000 + w->Observer().Month * 100 + w->Observer().Day, 15821004);
}

TEST_F(MainWindowTest, ClicksNameStarsAndBodiesAndDragsTurnTheView) {
    auto w = Open();
    w->resize(1070, 751);
    w->M4->trigger();  // show star information: the redraw fills the star hit list
    ASSERT_GT(w->HitLists().stars.Size(), 100u);
    ASSERT_GT(w->HitLists().bodies.Size(), 0u);
    auto press = [&](QPoint p, QEvent::Type type) {
        QMouseEvent e(type, QPointF(p), w->PB1->mapToGlobal(QPointF(p)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
        if (type == QEvent::MouseButtonPress) w->PB1MouseDown(&e);
        else if (type == QEvent::MouseMove) w->PB1MouseMove(&e);
        else w->PB1MouseUp(&e);
    };
    const auto& star = w->HitLists().stars.At(0);
    press({star.x + 2, star.y - 1}, QEvent::MouseButtonPress);
    press({star.x + 2, star.y - 1}, QEvent::MouseButtonRelease);
    EXPECT_FALSE(w->LastStarInfo().isEmpty());
    EXPECT_EQ(w->ViewAzimuth(), 0);

    const auto& body = w->HitLists().bodies.At(0);
    const std::string bodyName(w->HitLists().bodies.NameAt(0));
    press({body.x, body.y}, QEvent::MouseButtonPress);
    press({body.x, body.y}, QEvent::MouseButtonRelease);
    EXPECT_EQ(w->LastBodyClicked().toStdString(), bodyName);

    // Dragging over empty sky: half the width turns the view by 90 degrees.
    w->M4->trigger();
    const int width = w->PB1->width();
    QPoint empty(5, 5);
    press(empty, QEvent::MouseButtonPress);
    press(empty + QPoint(width / 2, 0), QEvent::MouseMove);
    EXPECT_NEAR(w->ViewAzimuth(), -90, 1);
    press(empty + QPoint(width / 2, 0), QEvent::MouseButtonRelease);
    press(empty + QPoint(width, 0), QEvent::MouseMove);  // released: no more turning
    EXPECT_NEAR(w->ViewAzimuth(), -90, 1);
    EXPECT_TRUE(w->H2->isChecked());  // dragging leaves the direction marks alone
}

TEST_F(MainWindowTest, EphemerisTableFollowsTheChart) {
    auto w = Open();
    EXPECT_FALSE(w->ephemerisWindow()->isVisible());  // created hidden at start
    w->M15->trigger();
    ASSERT_TRUE(w->ephemerisWindow()->isVisible());
    EXPECT_EQ(w->ephemerisWindow()->snapshot().Minute, 32);
    w->CB1->setCurrentIndex(9);  // 1 hour
    w->ToggleAnimation();
    w->Timer1Timer();
    EXPECT_EQ(w->ephemerisWindow()->snapshot().Hour, 22);
    EXPECT_EQ(w->ephemerisWindow()->snapshot().Day, 7);
    w->M15->trigger();  // already open: brought to the front, still one window
    EXPECT_TRUE(w->ephemerisWindow()->isVisible());
    for (QAction* a : {w->Mond1, w->M16, w->M15, w->M17, w->M18, w->M22, w->M23, w->About1})
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
}

TEST_F(MainWindowTest, MoonAndSunWindowsShareTheirSnapshot) {
    auto w = Open();
    w->Mond1->trigger();
    w->M16->trigger();
    ASSERT_TRUE(w->moonWindow()->isVisible());
    ASSERT_TRUE(w->sunWindow()->isVisible());
    EXPECT_EQ(w->MoonSunSnapshot().Hour * 100 + w->MoonSunSnapshot().Minute, 2132);
    w->CB1->setCurrentIndex(15);  // 24 hours
    w->ToggleAnimation();
    w->Timer1Timer();
    EXPECT_EQ(w->MoonSunSnapshot().Day, 8);
    w->moonWindow()->hide();
    w->OpenBody("Moon");  // a click on the Moon opens its window again
    EXPECT_TRUE(w->moonWindow()->isVisible());
}

TEST_F(MainWindowTest, EveryModalWindowOpensAndCloses) {
    auto w = Open();
    qunsetenv("NOCTARIS_NO_DIALOGS");
    struct Restore {
        ~Restore() { qputenv("NOCTARIS_NO_DIALOGS", "1"); }
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
    EXPECT_EQ(titleOfModal([&] { w->M17->trigger(); }), "Moon phase calendar");
    EXPECT_EQ(titleOfModal([&] { w->M18->trigger(); }), "Orbits");
    EXPECT_EQ(titleOfModal([&] { w->M22->trigger(); }), "Astronomical calendar");
    EXPECT_EQ(titleOfModal([&] { w->M23->trigger(); }), "Terminator");
    EXPECT_EQ(titleOfModal([&] { w->About1->trigger(); }), "About ...");
    // A click on a planet opens its information window the same way.
    EXPECT_EQ(titleOfModal([&] { w->OpenBody("Saturn"); }), "Information about planets");
}

namespace {
QStringList gWarnings;
void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg) gWarnings << text;
}
}  // namespace

TEST_F(MainWindowTest, AFailingWindowReportsOnceWhileTheAnimationRuns) {
    auto w = Open();
    w->Mond1->trigger();
    w->M16->trigger();
    // Before year 1 the Moon and Sun reports cannot be built (no platform date there).
    ObserverState& o = const_cast<ObserverState&>(w->Observer());
    o.Year = 1, o.Month = 1, o.Day = 2;
    w->CB1->setCurrentIndex(15);
    w->ReverseTimeline();
    w->ToggleAnimation();
    gWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    for (int i = 0; i < 6; ++i) w->Timer1Timer();
    qInstallMessageHandler(previous);
    EXPECT_EQ(o.Year, 0);
    EXPECT_TRUE(w->Animation().AnimationRunning);  // the chart itself goes on
    EXPECT_EQ(gWarnings.filter("Moon parameter").size(), 1) << gWarnings.join('\n').toStdString();
    EXPECT_EQ(gWarnings.filter("Sun parameter").size(), 1) << gWarnings.join('\n').toStdString();
}
