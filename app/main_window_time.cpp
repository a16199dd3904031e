// MainWindow: time control. The animation timer steps the chart's moment, the clock timer
// follows the computer's clock in "Now" mode; the two exclude each other. The place, date and
// time-of-day controls set the moment by hand and end "Now" mode.
#include "app/main_window.h"

#include <QComboBox>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include "astro/errors.h"

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

void MainWindow::takeClockDateAndTime() {
    const QDateTime t = now();
    SetObserverDate(observer_, t.date());
    SetObserverClock(observer_, t.time());
}

void MainWindow::toggleAnimation() {
    if (nowButton_->isChecked()) nowButton_->setChecked(false);  // releases "Now" mode
    animation_.AnimationRunning = !animation_.AnimationRunning;
    if (animation_.AnimationRunning) animationTimer_->start();
    else animationTimer_->stop();
    syncChecks();
}

void MainWindow::reverseTimeline() { animation_.TimeDirection = -animation_.TimeDirection; }

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
    } else {
        clockTimer_->stop();
    }
}

void MainWindow::setViewAzimuth(int degrees) { azimuthSpin_->setValue(degrees); }

void MainWindow::selectPlace(int index) {
    if (index < 0 || index >= static_cast<int>(catalogs_->places.size())) return;
    const Place& p = catalogs_->places[static_cast<size_t>(index)];
    observer_.PlaceName = p.name;
    observer_.Latitude = p.latitude;
    observer_.Longitude = p.longitude;
    observer_.TimeZone = p.zone;
    redraw();
}

void MainWindow::selectTimeOfDay(int index) {
    setNowMode(false);
    if (index >= 0) SetTimeOfDay(observer_, index);
    redraw();
}

void MainWindow::setDate(const QDate& date) {
    setNowMode(false);
    try {
        SetObserverDate(observer_, date);
    } catch (const ConversionError& e) {
        showError(QString::fromUtf8(e.what()));
        return;
    }
    redraw();
}

void MainWindow::onAnimationTick() {
    if (!animation_.AnimationRunning) return;
    try {
        AnimationStep(observer_, animation_.TimeDirection, StepDays(stepCombo_->currentIndex()));
    } catch (const ConversionError& e) {
        // Past the start of the time base: stop first, so the timer cannot raise it again.
        animation_.AnimationRunning = false;
        animationTimer_->stop();
        syncChecks();
        showError(QString::fromUtf8(e.what()));
        return;
    }
    redraw();
}

void MainWindow::onClockTick() {
    takeClockDateAndTime();
    redraw();
}

}  // namespace noctaris
