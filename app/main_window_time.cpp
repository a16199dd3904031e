// MainWindow: time control. The animation timer steps the chart's moment, the clock timer
// follows the computer's clock in "Now" mode; the two exclude each other. The place, date and
// time-of-day controls set the moment by hand and end "Now" mode. While the chart moves the date
// and time boxes keep the user's last choice; when it stops they show the chart's moment again.
#include "app/main_window.h"

#include <QComboBox>
#include <QStatusBar>
#include <QDateEdit>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include "app/own_place_dialog.h"
#include "astro/core/errors.h"
#include "astro/time/local_time.h"
#include "catalog/place_input.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "windows/wincommon.h"

namespace noctaris {

void MainWindow::createTimers() {
    animationTimer_ = new QTimer(this);
    animationTimer_->setObjectName("animationTimer");
    animationTimer_->setTimerType(Qt::PreciseTimer);
    animationTimer_->setInterval(10);
    connect(animationTimer_, &QTimer::timeout, this, &MainWindow::onAnimationTick);
    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName("clockTimer");
    clockTimer_->setInterval(1000);
    connect(clockTimer_, &QTimer::timeout, this, &MainWindow::onClockTick);
}

// The clock gives an instant; the chart shows it on the place's clock.
void MainWindow::takeClockDateAndTime() {
    const QDateTime t = now();  // one reading: date and time of the same instant
    const Instant instant = Instant::FromUT(2440587.5L + static_cast<long double>(t.toMSecsSinceEpoch()) / 86400000.0L);
    const std::optional<CivilDateTime> local = LocalFromInstant(instant, ChartZone(observer_));
    if (!local) return;
    SetObserverDate(observer_, DayOfCivilDate(local->date));
    SetObserverClock(observer_, QTime(local->time.hour, local->time.minute, local->time.second));
    animation_.SubSecondMs = 0;
}

void MainWindow::showChartMoment() {
    const QDate date = ObserverCalendarDate(observer_);
    if (date.isValid() && date != dateEdit_->date()) {
        const QSignalBlocker block(dateEdit_);
        SetCivilDay(dateEdit_, date);
    }
    const int k = TimeOfDayIndex(observer_);
    if (k != timeOfDayCombo_->currentIndex() && k < timeOfDayCombo_->count()) {
        const QSignalBlocker block(timeOfDayCombo_);
        timeOfDayCombo_->setCurrentIndex(k);
    }
}

void MainWindow::stopAnimation() {
    animation_.AnimationRunning = false;
    animationTimer_->stop();
    syncChecks();
    showChartMoment();
}

void MainWindow::toggleAnimation() {
    if (nowButton_->isChecked()) nowButton_->setChecked(false);  // releases "Now" mode
    if (animation_.AnimationRunning) return stopAnimation();
    animation_.AnimationRunning = true;
    animationTimer_->start();
    syncChecks();
}

void MainWindow::reverseTimeline() {
    animation_.TimeDirection = -animation_.TimeDirection;
    syncChecks();
}

void MainWindow::onSpeedChanged(int speed) { animationTimer_->setInterval(IntervalForSpeed(speed)); }

// The menu's steps stop short of both ends of the speed box.
void MainWindow::slowDownSimulation() {
    const int speed = speedSpin_->value() - 1;
    if (speed > 1) speedSpin_->setValue(speed);
}

void MainWindow::speedUpSimulation() {
    const int speed = speedSpin_->value() + 1;
    if (speed < 100) speedSpin_->setValue(speed);
}

void MainWindow::setNowMode(bool on) {
    if (nowButton_->isChecked() != on) {
        nowButton_->setChecked(on);  // re-enters through the toggled signal
        return;
    }
    if (on) {
        clockTimer_->start();
        animationTimer_->stop();
        animation_.AnimationRunning = false;
        syncChecks();
    } else if (clockTimer_->isActive()) {
        clockTimer_->stop();
        showChartMoment();
    }
}

void MainWindow::setViewAzimuth(int degrees) { azimuthSpin_->setValue(degrees); }

const Place* MainWindow::placeAt(int index) const {
    const auto listed = static_cast<int>(catalogs_->places.size());
    if (index < 0) return nullptr;
    if (index < listed) return &catalogs_->places[static_cast<std::size_t>(index)];
    if (index - listed < static_cast<int>(ownPlaces_.size())) return &ownPlaces_[static_cast<std::size_t>(index - listed)];
    return nullptr;
}

void MainWindow::selectPlace(int index) {
    const Place* p = placeAt(index);
    if (removePlaceAction_) removePlaceAction_->setEnabled(index >= static_cast<int>(catalogs_->places.size()));
    if (!p) return;
    observer_.PlaceName = p->name;
    observer_.PlaceExportName = p->ExportName();
    observer_.Latitude = p->latitude;
    observer_.Longitude = p->longitude;
    observer_.TimeZone = p->zone;
    observer_.ZoneId = p->zoneId;
    if (nowMode()) takeClockDateAndTime();  // that place's now
    redraw();
}

void MainWindow::fillOwnPlaces() {
    const QSignalBlocker block(placeCombo_);
    const auto listed = static_cast<int>(catalogs_->places.size());
    while (placeCombo_->count() > listed) placeCombo_->removeItem(placeCombo_->count() - 1);
    for (const Place& p : ownPlaces_) placeCombo_->addItem(QString::fromStdString(p.name));
}

bool MainWindow::addOwnPlace(const Place& place) {
    if (placeCombo_->findText(QString::fromStdString(place.name), Qt::MatchFixedString) >= 0 ||
        catalogs_->FindPlace(place.name) >= 0)
        return false;
    ownPlaces_.push_back(place);
    fillOwnPlaces();
    placeCombo_->setCurrentIndex(placeCombo_->count() - 1);
    return true;
}

void MainWindow::removeOwnPlace() {
    const int own = placeCombo_->currentIndex() - static_cast<int>(catalogs_->places.size());
    if (own < 0 || own >= static_cast<int>(ownPlaces_.size())) return;
    ownPlaces_.erase(ownPlaces_.begin() + own);
    {
        const QSignalBlocker block(placeCombo_);
        placeCombo_->setCurrentIndex(-1);
    }
    fillOwnPlaces();
    placeCombo_->setCurrentIndex(catalogs_->FindPlace(kDefaultPlaceName));
}

void MainWindow::askOwnPlace() {
    if (!DialogsAllowed()) return;
    QStringList taken;
    for (int i = 0; i < placeCombo_->count(); ++i) taken << placeCombo_->itemText(i);
    OwnPlaceDialog dialog(*catalogs_, taken, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (const std::optional<Place> p = dialog.place()) addOwnPlace(*p);
}

// The user's choice goes into the moment first, so that ending "Now" mode shows it in the boxes
// together with the part of the moment the clock set.
void MainWindow::commitTypedPlace() {
    const QString typed = placeCombo_->currentText().trimmed();
    int k = typed.isEmpty() ? -1 : catalogs_->FindPlace(typed.toStdString());  // either name, accents or not
    if (k < 0) k = placeCombo_->findText(typed, Qt::MatchFixedString);
    if (k >= 0 && k != placeCombo_->currentIndex()) placeCombo_->setCurrentIndex(k);  // selects the place
    const int current = placeCombo_->currentIndex();
    const QString shown = current >= 0 ? placeCombo_->itemText(current) : QString();
    if (placeCombo_->currentText() == shown) return;
    if (k < 0 && !typed.isEmpty()) {
        QStringList own;
        for (const Place& p : ownPlaces_) own << QString::fromStdString(p.name);
        QStringList quoted;
        for (const QString& n : ClosestPlaceNames(typed, *catalogs_, own)) quoted << QStringLiteral("“%1”").arg(n);
        placeMessage_ = tr("“%1” is not in the list of places (closest: %2). File ▸ Add place… adds a place of your own.")
                            .arg(typed, quoted.join(QStringLiteral(", ")));
        statusBar()->showMessage(placeMessage_, 15000);
    }
    placeCombo_->setEditText(shown);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter, or leaving the place box (but not for its own list), ends the typing.
    if (placeCombo_ && watched == placeCombo_->lineEdit()) {
        if (event->type() == QEvent::FocusOut) {
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) commitTypedPlace();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) commitTypedPlace();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::selectTimeOfDay(int index) {
    if (index >= 0) SetTimeOfDay(observer_, index);
    setNowMode(false);
    redraw();
}

void MainWindow::setDate(const QDate& date) {
    try {
        SetObserverDate(observer_, date);
    } catch (const ConversionError& e) {
        setNowMode(false);
        showError(QString::fromUtf8(e.what()));
        return;
    }
    setNowMode(false);
    redraw();
}

void MainWindow::onAnimationTick() {
    if (!animation_.AnimationRunning) return;
    if (!AnimationStep(observer_, animation_, StepMilliseconds(stepCombo_->currentIndex()))) {
        // At an end of the calendar; a box would interrupt whatever the user is doing.
        const bool atStart = animation_.TimeDirection < 0;
        stopAnimation();
        statusBar()->showMessage(atStart ? tr("The animation stopped at the beginning of the calendar (4713 BC).")
                                         : tr("The animation stopped at the end of the calendar (31 December 9999)."));
        return;
    }
    redraw();
}

void MainWindow::onClockTick() {
    takeClockDateAndTime();
    redraw();
}

}  // namespace noctaris
