#pragma once
// The terminator window: a world map in a plain longitude/latitude projection (360° across,
// ±80° of latitude) with the day/night boundary for a typed day and clock time of the current
// year, the night side shaded and the Sun's overhead point marked. It follows the computer's
// clock ("Refresh", every 10 s) or runs a simulation (every 20 ms) that advances minutes or days.
// It uses its own simple solar formulas (astro/reports/terminator.h), not the chart's state.
//
// The drawing is a pair of free functions on QImages, so it renders without a window:
// BuildTerminatorMapCache (grid and coastlines, kept between paints) and DrawTerminatorMap.
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include <QDateTime>
#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QSize>

#include "astro/reports/terminator.h"
#include "catalog/catalog.h"
#include "windows/snapshots.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

namespace noctaris {

// What one drawing reads from the window.
struct TerminatorView {
    int Day = 1, Month = 1, Hour = 0, Minute = 0;  // the four edits
    int Year = 2000;                               // current calendar year
    bool ConsiderSummerTime = true;                // "Consider summer time": the zone's legal clock
    // The zone whose clock the edits read (an IANA id; standard time when the database lacks it).
    std::string ZoneId = "Europe/Berlin";
    double StandardOffset = 1;  // hours east of UT
    bool SunPlace = true;                          // "Sun place"
};

// Everything one drawing places, in the coordinates of the overlay (the map with a margin of
// 50 pixels on every side, (W + 101) × (H + 101)).
struct TerminatorGeometry {
    static constexpr int kMargin = 50;
    TerminatorSun Sun;            // h, minute, declination, equation of time
    std::int64_t DayOfYear = 0;   // N
    double S = 0;                 // the mean Sun stands overhead at east longitude −S
    std::vector<QPoint> Polygon;  // 365 boundary points (λ = −181..183), then the closing corners
    bool NightAbove = false;      // night north of the curve (southern declination)
    QPointF SubSolar;             // overhead point on the map (map pixels, not rounded)
    QPoint SunTopLeft;            // where the Sun symbol goes on the overlay
};

// Geometry for a map of `mapSize` pixels; `symbolSize` is the Sun symbol's, which is centred
// on the overhead point.
TerminatorGeometry ComputeTerminatorGeometry(QSize mapSize, const TerminatorView& view,
                                             QSize symbolSize = QSize(21, 20));

// The map without the terminator: white, the optional 30° grid with red labels, the coastlines
// in blue. Format RGB32.
QImage BuildTerminatorMapCache(QSize size, bool grid, const std::vector<OutlinePoint>& outline);

// One paint: the cache, combined by a bitwise AND with the overlay that carries the shaded
// night side (light grey, black boundary) and, when view.SunPlace, the Sun symbol (black is
// its transparent colour). Same size and format as the cache.
QImage DrawTerminatorMap(const QImage& cache, const TerminatorView& view, const QImage& sunSymbol);

class TerminatorSurface;

class TerminatorWindow : public QDialog {
    Q_OBJECT
public:
    // `size` is the main window's size, stored by the main window just before it opens this one.
    explicit TerminatorWindow(const MainWindowSize& size, QWidget* parent = nullptr);
    ~TerminatorWindow() override;

    // The clock the window reads ("Current time", "Refresh", the year); the computer's clock
    // unless replaced (tests).
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    // The zone whose clock the edits read and "Current time" shows (Europe/Berlin unless set).
    void setZone(const std::string& ianaId, double standardOffsetHours);

    // Draws the map anew ("Display", "Consider summer time", "Sun place").
    void refresh();
    // The clock's day and time into the edits, and the map for them ("Current time", and every
    // 10 s while "Refresh" is ticked).
    void showCurrentTime();
    // One simulation step: a minute or a day on, as the radio buttons say.
    void stepSimulation();

    // The drawing as the next paint shows it (builds the map cache when absent).
    QImage renderMap();
    // What the edits and check boxes say now.
    TerminatorView currentView() const;
    bool hasMapCache() const { return !mapCache_.isNull(); }
    const QImage& sunSymbol() const { return sunSymbol_; }

    void done(int r) override;  // timers off, map cache discarded

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    friend class TerminatorSurface;
    void toggleSimulation();      // "Simulation" / "Stop"
    void onGridToggled();         // "Grid": rebuild the map cache
    void onFollowClockToggled();  // "Refresh": the clock timer on or off
    void stopAndDiscard();        // closing: timers off, map cache discarded
    void setEditsFromClock();
    void paintMap(QPainter& p);
    void report(const QString& what, const std::exception& e);

    std::function<QDateTime()> clock_ = [] { return QDateTime::currentDateTime(); };
    QDateTime zoneNow() const;
    std::string zoneId_ = "Europe/Berlin";
    double standardOffset_ = 1;
    QWidget* map_ = nullptr;           // map drawing area
    QWidget* controlPanel_ = nullptr;  // control panel at the bottom
    QLineEdit* dayEdit_ = nullptr;
    QLineEdit* monthEdit_ = nullptr;
    QLineEdit* hourEdit_ = nullptr;
    QLineEdit* minuteEdit_ = nullptr;
    QRadioButton* changeMinutesRadio_ = nullptr;
    QRadioButton* changeDaysRadio_ = nullptr;
    QCheckBox* summerTimeCheck_ = nullptr;   // "Consider summer time"
    QCheckBox* sunPlaceCheck_ = nullptr;     // "Sun place"
    QCheckBox* followClockCheck_ = nullptr;  // "Refresh": follow the clock
    QCheckBox* gridCheck_ = nullptr;         // "Grid"
    QPushButton* displayButton_ = nullptr;
    QPushButton* simulationButton_ = nullptr;   // "Simulation" / "Stop"
    QPushButton* currentTimeButton_ = nullptr;
    QLabel* sunSymbolHolder_ = nullptr;  // hidden holder of the Sun symbol
    QTimer* simulationTimer_ = nullptr;  // 20 ms
    QTimer* clockTimer_ = nullptr;       // follow the clock, 10 s

    std::vector<OutlinePoint> outline_;
    QImage sunSymbol_;
    QImage mapCache_;
    bool paintFailed_ = false;
};

}  // namespace noctaris
