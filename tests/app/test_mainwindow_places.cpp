// The main window's places and boxes: where it and its information windows open, what the place
// box keeps, what the date and time boxes show, and the keyboard.
#include <gtest/gtest.h>

#include <QAction>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSet>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>

#include "app/chart_surface.h"
#include "app/own_place_dialog.h"
#include "catalog/place_input.h"
#include "main_window_fixture.h"
#include "windows/ephemeris_window.h"
#include "windows/moon_window.h"
#include "windows/sun_window.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {

class MainWindowPlaces : public MainWindowFixture {};

// Records where a window is when its native window is made: the window system puts it there.
struct CreationProbe : QObject {
    bool seen = false;
    QPoint pos;
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::WinIdChange && !seen) {
            seen = true;
            pos = static_cast<QWidget*>(watched)->pos();
        }
        return false;
    }
};

void Key(QWidget* target, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

}  // namespace

TEST_F(MainWindowPlaces, ReopensExactlyWhereItWasClosed) {
    WriteSettings("[Noctaris]\r\nLinks=300\r\nOben=200\r\n");
    for (int start = 0; start < 3; ++start) {
        auto w = Create();
        CreationProbe probe;
        w->installEventFilter(&probe);
        w->show();
        // Placed before the window system knows the window: under X11 the frame goes there.
        ASSERT_TRUE(probe.seen);
        EXPECT_EQ(probe.pos, QPoint(300, 200)) << "start " << start;
        EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(300, 200)) << "start " << start;
        w->close();
        EXPECT_TRUE(StoredBytes().contains("\r\nLinks=300\r\nOben=200\r\n")) << StoredBytes().toStdString();
    }
    {
        auto w = Open();
        w->move(123, 45);  // moved by the user
        w->close();
    }
    {
        auto w = Open();
        EXPECT_EQ(w->frameGeometry().topLeft(), QPoint(123, 45));
        // Closed maximised, it keeps the place it goes back to.
        w->showMaximized();
        w->close();
    }
    EXPECT_TRUE(StoredBytes().contains("\r\nLinks=123\r\nOben=45\r\n")) << StoredBytes().toStdString();
}

TEST_F(MainWindowPlaces, ThePlaceBoxKeepsOnlyPlacesOfItsList) {
    auto w = Open();
    auto* box = Child<QComboBox>(*w, "placeCombo");
    QLineEdit* edit = box->lineEdit();
    box->setCurrentIndex(box->findText("Vienna, A"));
    ASSERT_EQ(w->observer().PlaceName, "Vienna, A");

    // The completer offers the list's names by their beginning, in any case.
    QCompleter* completer = box->completer();
    ASSERT_TRUE(completer);
    completer->setCompletionPrefix("sydn");
    EXPECT_EQ(completer->completionCount(), 1);
    EXPECT_EQ(completer->currentCompletion(), "Sydney, AUS");
    completer->setCompletionPrefix("vienna, a");
    EXPECT_EQ(completer->currentCompletion(), "Vienna, A");

    // Typed text that names no place goes back on Enter and on leaving the box; the status
    // line says so and names the closest places.
    edit->setText("Sydn");
    Key(edit, Qt::Key_Return);
    EXPECT_EQ(box->currentText(), "Vienna, A");
    EXPECT_TRUE(w->placeMessage().contains("“Sydn”")) << w->placeMessage().toStdString();
    EXPECT_TRUE(w->placeMessage().contains("“Sydney, AUS”")) << w->placeMessage().toStdString();
    EXPECT_EQ(w->statusBar()->currentMessage(), w->placeMessage());
    edit->setText("Moskau");  // the closest by its German name, offered by its English one
    Key(edit, Qt::Key_Return);
    EXPECT_TRUE(w->placeMessage().contains("“Moscow, RUS”")) << w->placeMessage().toStdString();
    edit->setText("Nowhere at all");
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
    EXPECT_EQ(box->currentText(), "Vienna, A");
    EXPECT_EQ(w->observer().PlaceName, "Vienna, A");

    // A place typed in full (in any case, by either name, without its accents) is chosen and
    // shown by its English name.
    edit->setText(QString::fromUtf8("zürich, ch"));
    QApplication::sendEvent(edit, &out);
    EXPECT_EQ(box->currentText(), QString::fromUtf8("Zürich, CH"));
    EXPECT_EQ(w->observer().PlaceName, "Zürich, CH");
    EXPECT_NEAR(w->observer().Latitude, 47.4, 0.1);
    edit->setText("reykjavik, is");
    QApplication::sendEvent(edit, &out);
    EXPECT_EQ(w->observer().PlaceName, "Reykjavík, IS");
    edit->setText("Wien, A");
    QApplication::sendEvent(edit, &out);
    EXPECT_EQ(box->currentText(), "Vienna, A");
    EXPECT_EQ(w->observer().PlaceName, "Vienna, A");
    edit->setText(QString::fromUtf8("zürich, ch"));
    QApplication::sendEvent(edit, &out);

    // Closed in the middle of typing: the chosen place is stored, never the typed text.
    edit->setText("Sydn");
    w->close();
    EXPECT_TRUE(StoredBytes().contains("\r\nOrt=Z\xFCrich, CH\r\n")) << StoredBytes().toStdString();
    auto again = Open();
    EXPECT_EQ(again->observer().PlaceName, "Zürich, CH");
}

TEST_F(MainWindowPlaces, AStoredPlaceKeepsItsGermanNameInEnglish) {
    // The Moon window, never opened here, keeps its place in the file too.
    WriteSettings("[Noctaris]\r\nOrt=Wien, A\r\nMondLinks=100\r\nMondOben=120\r\n");
    {
        auto w = Open();
        EXPECT_EQ(w->observer().PlaceName, "Vienna, A");
        EXPECT_EQ(Child<QComboBox>(*w, "placeCombo")->currentText(), "Vienna, A");
        w->close();
    }
    const QByteArray first = StoredBytes();
    EXPECT_TRUE(first.contains("\r\nOrt=Wien, A\r\n")) << first.toStdString();
    EXPECT_TRUE(first.contains("\r\nMondLinks=100\r\nMondOben=120\r\n")) << first.toStdString();
    {
        auto w = Open();
        EXPECT_EQ(w->observer().PlaceName, "Vienna, A");
        w->close();
    }
    EXPECT_EQ(StoredBytes(), first);
}

TEST_F(MainWindowPlaces, OwnPlacesAreOfferedKeptAndRemovable) {
    const Place roof = *MakeOwnPlace("Roof in Hobart", -42.88, 147.33, "Australia/Hobart");
    {
        auto w = Open();
        auto* box = Child<QComboBox>(*w, "placeCombo");
        auto* remove = w->findChild<QAction*>("removePlaceAction");
        ASSERT_TRUE(remove);
        EXPECT_FALSE(remove->isEnabled());
        ASSERT_TRUE(w->addOwnPlace(roof));
        EXPECT_EQ(box->currentText(), "Roof in Hobart");
        EXPECT_EQ(w->observer().PlaceName, "Roof in Hobart");
        EXPECT_EQ(w->observer().ZoneId, "Australia/Hobart");
        EXPECT_DOUBLE_EQ(w->observer().Latitude, -42.88);
        EXPECT_TRUE(remove->isEnabled());
        EXPECT_FALSE(w->addOwnPlace(roof));  // one place of a name
        Place listed = roof;
        listed.name = "wien, a";  // a listed place's German name, though it shows in English
        EXPECT_FALSE(w->addOwnPlace(listed));
        w->close();
    }
    {
        // Back after a restart, chosen as it was, and typed by name like any other.
        auto w = Open();
        auto* box = Child<QComboBox>(*w, "placeCombo");
        EXPECT_EQ(w->observer().PlaceName, "Roof in Hobart");
        box->completer()->setCompletionPrefix("ROOF");
        EXPECT_EQ(box->completer()->currentCompletion(), "Roof in Hobart");
        box->setCurrentIndex(box->findText("Vienna, A"));
        box->lineEdit()->setText("roof in hobart");
        Key(box->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(w->observer().PlaceName, "Roof in Hobart");
        w->removeOwnPlace();
        EXPECT_EQ(box->findText("Roof in Hobart"), -1);
        EXPECT_EQ(w->observer().PlaceName, "Chemnitz, D");
        EXPECT_FALSE(w->findChild<QAction*>("removePlaceAction")->isEnabled());
        w->removeOwnPlace();  // a listed place is not removed
        EXPECT_EQ(w->observer().PlaceName, "Chemnitz, D");
        w->close();
    }
    auto w = Open();
    EXPECT_EQ(Child<QComboBox>(*w, "placeCombo")->count(), static_cast<int>(w->catalogs().places.size()));
    EXPECT_FALSE(StoredBytes().contains("Hobart")) << StoredBytes().toStdString();
}

TEST_F(MainWindowPlaces, TheOwnPlaceDialogTakesOnlyGoodInput) {
    OwnPlaceDialog d(*SharedCatalogPointer(), {"Wien, A"});
    auto* name = d.findChild<QLineEdit*>("ownPlaceName");
    auto* lat = d.findChild<QLineEdit*>("ownPlaceLatitude");
    auto* lon = d.findChild<QLineEdit*>("ownPlaceLongitude");
    auto* zone = d.findChild<QComboBox*>("ownPlaceZone");
    auto* message = d.findChild<QLabel*>("ownPlaceMessage");
    ASSERT_TRUE(name && lat && lon && zone && message);
    EXPECT_FALSE(d.place());
    d.accept();  // nothing typed: stays open and says why
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_FALSE(message->isHidden());
    name->setText("WIEN, a");
    EXPECT_TRUE(d.problem().contains("exists")) << d.problem().toStdString();
    name->setText("Vienna, A");  // the same place by its other name
    EXPECT_TRUE(d.problem().contains("Vienna, A")) << d.problem().toStdString();
    name->setText("Farm");
    lat->setText("33 52 E");
    EXPECT_FALSE(d.problem().isEmpty());
    lat->setText("33° 52′ S");
    lon->setText("151 12 61 E");
    EXPECT_FALSE(d.problem().isEmpty());
    // Coordinates near Sydney choose Sydney's zone until the user picks one.
    lon->setText("151° 12′ E");
    EXPECT_EQ(zone->currentText(), "Australia/Sydney");
    ASSERT_TRUE(d.place());
    EXPECT_NEAR(d.place()->latitude, -(33 + 52 / 60.0), 1e-12);
    EXPECT_EQ(d.place()->zone, 10.0);
    d.accept();
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST_F(MainWindowPlaces, TheBoxesShowTheChartsMomentWhenItStops) {
    int reads = 0;
    // Each reading of the clock is half a second later; the eighth is New Year's midnight.
    auto w = Open([&reads] {
        ++reads;
        return QDateTime(QDate(2026, 12, 31), QTime(22, 59, 56), Qt::UTC).addMSecs(500 * reads);
    });
    auto* dateEdit = Child<QDateEdit>(*w, "dateEdit");
    auto* timeBox = Child<QComboBox>(*w, "timeOfDayCombo");
    auto* stepCombo = Child<QComboBox>(*w, "stepCombo");
    auto* nowButton = Child<QToolButton>(*w, "nowButton");
    const ObserverState& o = w->observer();
    // At start the chart and the boxes show one reading of the clock.
    EXPECT_EQ(dateEdit->date(), QDate(2026, 12, 31));
    EXPECT_EQ(timeBox->currentText(), "23:55");

    stepCombo->setCurrentIndex(9);  // 1 hour
    w->toggleAnimation();
    for (int i = 0; i < 3; ++i) w->onAnimationTick();
    EXPECT_EQ(dateEdit->date(), QDate(2026, 12, 31));  // not while the chart moves
    w->toggleAnimation();
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20270101);
    EXPECT_EQ(dateEdit->date(), QDate(2027, 1, 1));
    EXPECT_EQ(timeBox->currentText(), "02:55");
    // Picking a time of day now stays on the day shown.
    timeBox->setCurrentIndex(120);
    w->selectTimeOfDay(120);
    EXPECT_EQ(o.Year * 10000 + o.Month * 100 + o.Day, 20270101);
    EXPECT_EQ(o.Hour * 100 + o.Minute, 1000);

    // "Now": one reading per tick, so date and time belong together even at midnight.
    nowButton->click();
    for (int tick = 0; tick < 8; ++tick) {
        const int before = reads;
        w->onClockTick();
        ASSERT_EQ(reads, before + 1);
        const QDateTime read = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 56)).addMSecs(500 * reads);
        EXPECT_EQ(QDate(o.Year, o.Month, o.Day), read.date());
        EXPECT_EQ(QTime(o.Hour, o.Minute, o.Second).toString(), read.time().toString());  // whole seconds
    }
    nowButton->click();  // released: the boxes show the last tick's moment
    EXPECT_EQ(dateEdit->date(), QDate(o.Year, o.Month, o.Day));
    EXPECT_EQ(timeBox->currentIndex(), o.Hour * 12 + o.Minute / 5);
}

// The fixed clock reads 2026-12-07 20:32:17 UT: Chemnitz 21:32:17 CET, Sydney 07:32:17 AEDT the
// next morning (summer there), Singapore 04:32:17, New York 15:32:17 EST.
TEST_F(MainWindowPlaces, NowIsNowAtThePlace) {
    auto w = Open();
    auto* placeBox = Child<QComboBox>(*w, "placeCombo");
    const ObserverState& o = w->observer();
    const auto shown = [&o] { return QDate(o.Year, o.Month, o.Day).toString(Qt::ISODate) + QTime(o.Hour, o.Minute, o.Second).toString(" HH:mm:ss"); };
    EXPECT_TRUE(o.ConsiderSummerTime);  // a new settings file keeps the clock on the wall
    EXPECT_EQ(shown(), "2026-12-07 21:32:17");
    Child<QToolButton>(*w, "nowButton")->click();
    placeBox->setCurrentIndex(placeBox->findText("Sydney, AUS"));
    EXPECT_EQ(shown(), "2026-12-08 07:32:17");
    Child<QAction>(*w, "summerTimeAction")->trigger();  // standard time
    EXPECT_EQ(shown(), "2026-12-08 06:32:17");
    Child<QAction>(*w, "summerTimeAction")->trigger();
    placeBox->setCurrentIndex(placeBox->findText("Singapore, SGP"));
    EXPECT_EQ(shown(), "2026-12-08 04:32:17");
    placeBox->setCurrentIndex(placeBox->findText("New York, USA"));
    EXPECT_EQ(shown(), "2026-12-07 15:32:17");
    EXPECT_TRUE(w->nowMode());
    // Without "Now" a new place keeps the moment shown.
    Child<QToolButton>(*w, "nowButton")->click();
    placeBox->setCurrentIndex(placeBox->findText("Sydney, AUS"));
    EXPECT_EQ(shown(), "2026-12-07 15:32:17");
}

TEST_F(MainWindowPlaces, InformationWindowsOpenApartAndKeepTheirPlaces) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    if (screen.width() < 1600 || screen.height() < 1000)
        GTEST_SKIP() << "needs the 1600x1000 screen of tests/app/screen.json (as CTest runs it)";
    QPoint moonAt, sunAt, ephemerisAt;
    {
        auto w = Open();
        Child<QAction>(*w, "moonWindowAction")->trigger();
        Child<QAction>(*w, "sunWindowAction")->trigger();
        Child<QAction>(*w, "ephemerisAction")->trigger();
        const auto* surface = Child<ChartSurface>(*w, "chartSurface");
        const QPoint centre = surface->mapToGlobal(surface->rect().center());
        const QRect frames[] = {w->moonWindow()->frameGeometry(), w->sunWindow()->frameGeometry(),
                                w->ephemerisWindow()->frameGeometry()};
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(screen.contains(frames[i])) << i;
            EXPECT_FALSE(frames[i].contains(centre)) << i;
            for (int j = i + 1; j < 3; ++j) EXPECT_FALSE(frames[i].intersects(frames[j])) << i << " " << j;
        }
        w->moonWindow()->move(50, 60);  // moved by the user
        moonAt = w->moonWindow()->pos();
        sunAt = w->sunWindow()->pos();
        ephemerisAt = w->ephemerisWindow()->pos();
        w->close();
    }
    const QByteArray bytes = StoredBytes();
    EXPECT_TRUE(bytes.contains("\r\nVenus=0\r\nGenau=1\r\nGlatt=1\r\nHimmelsfarbe=1\r\nMondLinks=50\r\nMondOben=60\r\nSonneLinks=")) << bytes.toStdString();
    auto w = Open();
    Child<QAction>(*w, "ephemerisAction")->trigger();
    Child<QAction>(*w, "sunWindowAction")->trigger();
    Child<QAction>(*w, "moonWindowAction")->trigger();
    EXPECT_EQ(w->moonWindow()->pos(), QPoint(50, 60));
    EXPECT_EQ(w->sunWindow()->pos(), sunAt);
    EXPECT_EQ(w->ephemerisWindow()->pos(), ephemerisAt);
}

TEST_F(MainWindowPlaces, MenusKeysAndTimeControls) {
    auto w = Open();
    // Every menu and every item has its own Alt+letter within its menu; the texts stay.
    QStringList titles;
    QSet<QKeySequence> barKeys;
    for (QAction* m : w->menuBar()->actions()) {
        titles << QString(m->text()).remove('&');
        const QKeySequence key = QKeySequence::mnemonic(m->text());
        EXPECT_FALSE(key.isEmpty()) << m->text().toStdString();
        EXPECT_FALSE(barKeys.contains(key)) << m->text().toStdString();
        barKeys << key;
        QSet<QKeySequence> itemKeys;
        for (QAction* a : m->menu()->actions()) {
            if (a->isSeparator()) continue;
            const QKeySequence k = QKeySequence::mnemonic(a->text());
            EXPECT_FALSE(k.isEmpty()) << a->text().toStdString();
            EXPECT_FALSE(itemKeys.contains(k)) << a->text().toStdString();
            itemKeys << k;
        }
    }
    EXPECT_EQ(titles, (QStringList{"File", "Simulation", "Display", "Direction", "View", "Information", "Help"}));
    EXPECT_EQ(QString(Child<QAction>(*w, "reverseAction")->text()).remove('&'), "Reverse timeline");

    // The first focus is on the chart: a stray key turns the view, never the speed.
    w->activateWindow();
    QApplication::processEvents();
    auto* surface = Child<ChartSurface>(*w, "chartSurface");
    EXPECT_EQ(w->focusWidget(), surface);
    const int speed = w->speed();
    Key(w->focusWidget(), Qt::Key_Up);
    Key(w->focusWidget(), Qt::Key_Right);
    EXPECT_EQ(w->speed(), speed);
    EXPECT_EQ(w->viewAzimuth(), 5);

    // The time-of-day list opens no taller than the place list does.
    auto* timeBox = Child<QComboBox>(*w, "timeOfDayCombo");
    timeBox->showPopup();
    const int rows = timeBox->view()->height() / timeBox->view()->sizeHintForRow(0);
    EXPECT_LE(rows, Child<QComboBox>(*w, "placeCombo")->maxVisibleItems());
    EXPECT_LT(timeBox->view()->window()->height(), 500);
    timeBox->hidePopup();

    // "Reverse timeline" shows its state in the menu and on the button.
    auto* reverseAction = Child<QAction>(*w, "reverseAction");
    auto* reverseButton = Child<QToolButton>(*w, "reverseButton");
    EXPECT_FALSE(reverseAction->isChecked() || reverseButton->isChecked());
    reverseAction->trigger();
    EXPECT_EQ(w->animation().TimeDirection, -1);
    EXPECT_TRUE(reverseAction->isCheckable() && reverseAction->isChecked());
    EXPECT_TRUE(reverseButton->isCheckable() && reverseButton->isChecked());
    reverseButton->click();
    EXPECT_EQ(w->animation().TimeDirection, 1);
    EXPECT_FALSE(reverseAction->isChecked() || reverseButton->isChecked());
}
