// MainWindow: the information windows (Moon, Sun, ephemeris table, tonight, made at their first
// need) and the modal ones (planet, calendars, orbits, terminator).
#include "app/main_window.h"

#include <QLayout>
#include <QScreen>

#include "app/chart_surface.h"
#include "app/window_placement.h"
#include "windows/ephemeris_window.h"
#include "windows/event_calendar_window.h"
#include "windows/moon_phase_calendar_window.h"
#include "windows/moon_window.h"
#include "windows/orbits_window.h"
#include "windows/planet_window.h"
#include "windows/sun_window.h"
#include "windows/terminator_window.h"
#include "windows/tonight_window.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

// Puts a modal window not yet shown over `parent`, wholly on the parent's screen. It has no
// frame yet: it gets one like the parent's.
void PlaceModal(QWidget* window, const QWidget* parent) {
    if (window->layout()) window->layout()->activate();  // grown to what its texts need
    const QSize extra = parent->frameGeometry().size() - parent->geometry().size();
    const QRect available = parent->screen() ? parent->screen()->availableGeometry() : QRect();
    window->move(ModalPosition(window->size() + extra, parent->frameGeometry(), available));
}

// Runs a modal window over `parent`; none opens when dialogs are off (tests).
template <class Window, class... Args>
void RunModal(QWidget* parent, Args&&... args) {
    if (!DialogsAllowed()) return;
    Window window(std::forward<Args>(args)..., parent);
    PlaceModal(&window, parent);
    window.exec();
}

}  // namespace

void MainWindow::makeInfoWindows() {
    if (moonWindow_) return;
    ephemerisWindow_ = new EphemerisWindow(observer_, exportPrompt(), this);
    moonWindow_ = new MoonWindow(&infoSnapshot_, &observer_, this);
    sunWindow_ = new SunWindow(&infoSnapshot_, &observer_, [this] { return sunOnChart(); }, this);
    placeStoredInfoWindows();
}

// Made at the first call, as at the first opening: the windows belong to the main window and
// come hidden, so making them changes nothing a caller sees.
EphemerisWindow* MainWindow::ephemerisWindow() const {
    const_cast<MainWindow*>(this)->makeInfoWindows();
    return ephemerisWindow_;
}
MoonWindow* MainWindow::moonWindow() const {
    const_cast<MainWindow*>(this)->makeInfoWindows();
    return moonWindow_;
}
SunWindow* MainWindow::sunWindow() const {
    const_cast<MainWindow*>(this)->makeInfoWindows();
    return sunWindow_;
}

void MainWindow::openBody(Body body) {
    if (body == Body::Moon) return showInfoWindow(moonWindow());
    if (body == Body::Sun) return showInfoWindow(sunWindow());
    if (body == Body::Earth) return;  // never on the chart
    PlanetSnapshot snapshot;
    static_cast<MomentSnapshot&>(snapshot) = MomentSnapshot::Of(observer_, display_.PrecisePositions);
    snapshot.Planet = body;
    RunModal<PlanetWindow>(this, snapshot, observer_);
}

// The ephemeris table, the Moon and the Sun windows are not modal: opening one that is open
// brings it to the front; otherwise it shows the chart's moment.
void MainWindow::showInfoWindow(QWidget* window) {
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
        return;
    }
    takeSnapshotFor(window);
    if (!placedInfoWindows_.contains(window)) placeInfoWindow(window);
    window->show();
}

void MainWindow::placeInfoWindow(QWidget* window) {
    // Not yet shown, a window has no frame: it gets one like the main window's.
    const QRect frame = frameGeometry();
    const QSize frameExtra = frame.size() - geometry().size();
    const QList<QWidget*> windows = {moonWindow_, sunWindow_, ephemerisWindow_};
    // The Moon and Sun windows grow with their report: placed at their final size.
    if (window == moonWindow_) moonWindow_->refresh();
    if (window == sunWindow_) sunWindow_->refresh();
    if (window->layout()) window->layout()->activate();
    QList<InfoWindowSlot> wanted;
    for (QWidget* w : windows) {
        InfoWindowSlot slot{w->size() + frameExtra, std::nullopt};
        if (w->isVisible()) slot.placed = w->frameGeometry();
        else if (placedInfoWindows_.contains(w)) slot.placed = QRect(w->pos(), slot.frameSize);
        wanted << slot;
    }
    const QRect chartArea(chartSurface_->mapToGlobal(QPoint(0, 0)), chartSurface_->size());
    const QRect available = screen() ? screen()->availableGeometry() : QRect();
    window->move(InfoWindowLayout(wanted, frame, chartArea, available)[windows.indexOf(window)]);
    placedInfoWindows_ << window;
}

void MainWindow::takeSnapshotFor(QWidget* window) {
    const MomentSnapshot moment = MomentSnapshot::Of(observer_, display_.PrecisePositions);
    if (window == ephemerisWindow_) ephemerisWindow_->snapshot() = EphemerisSnapshot{moment};
    else infoSnapshot_ = InfoSnapshot{moment};  // the Moon and Sun windows share it
}

void MainWindow::openTonight() {
    if (!tonightWindow_) {
        tonightWindow_ = new TonightWindow(
            &observer_, catalogs_, [this]() -> const ObjectIndex& { return objectIndex(); },
            [this] { return display_.PrecisePositions; }, exportPrompt(), this);
        connect(tonightWindow_, &TonightWindow::goToTime, this, &MainWindow::goToInstant);
        if (display_.Scheme == ChartScheme::Night) tonightWindow_->setScheme(PlotScheme::NightVision);
    }
    tonightWindow_->refresh();
    tonightWindow_->show();
    tonightWindow_->raise();
}

void MainWindow::refreshInfoWindows() {
    if (tonightWindow_ && tonightWindow_->isVisible()) tonightWindow_->refresh();
    if (ephemerisWindow_ && ephemerisWindow_->isVisible()) {
        takeSnapshotFor(ephemerisWindow_);
        ephemerisWindow_->refresh();
    }
    const bool moon = moonWindow_ && moonWindow_->isVisible(), sun = sunWindow_ && sunWindow_->isVisible();
    if (moon || sun) takeSnapshotFor(moonWindow_);  // one snapshot serves both
    if (moon) moonWindow_->refresh();
    if (sun) sunWindow_->refresh();
}

void MainWindow::openOrbits() { RunModal<OrbitsWindow>(this, MainWindowSize{width(), height()}); }
void MainWindow::openTerminator() {
    if (!DialogsAllowed()) return;
    TerminatorWindow window(MainWindowSize{width(), height()}, this);
    window.setZone(observer_.ZoneId, observer_.TimeZone);  // the chart's place
    PlaceModal(&window, this);
    window.exec();
}
void MainWindow::openMoonPhaseCalendar() { RunModal<MoonPhaseCalendarWindow>(this, observer_); }
void MainWindow::openEventCalendar() { RunModal<EventCalendarWindow>(this, observer_, placeCombo_, exportPrompt()); }

}  // namespace noctaris
