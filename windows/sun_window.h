#pragma once
// The Sun parameter window: a photograph of the Sun, fixed physical data and a report for the
// chart's moment and place (date, day number, the Sun's coordinates as the chart last placed
// it, its zodiacal constellation, the equation of time, sidereal time, distance, diameter,
// sunrise, sunset and culmination). Created hidden at start; the main window shows it
// non-modally and, after every redraw while it is visible, refreshes the snapshot and calls
// refresh().
#include <functional>

#include <QString>
#include <QStringList>

#include "chart/bodies.h"
#include "chart/state.h"
#include "windows/parameter_window.h"
#include "windows/snapshots.h"

namespace noctaris {

// The twelve lines of the fixed data block.
QStringList SunFixedData();

// The report for a snapshot of the chart's moment, the observer's place and the Sun as the chart
// last placed it: lines joined by CR LF, the last one without a line break. Raises
// ConversionError when the snapshot's date cannot be encoded.
QString BuildSunReport(const InfoSnapshot& snapshot, const ObserverState& observer,
                       const SunChartPosition& sun);

class SunWindow : public ParameterWindow {
    Q_OBJECT
public:
    // snapshot and observer belong to the main window and outlive this window; sunOnChart
    // returns the Sun's current chart position (e.g. the main window's SunOnChart()).
    SunWindow(const InfoSnapshot* snapshot, const ObserverState* observer,
              std::function<SunChartPosition()> sunOnChart, QWidget* parent = nullptr);
    // The same, reading a chart position that outlives this window.
    SunWindow(const InfoSnapshot* snapshot, const ObserverState* observer,
              const SunChartPosition* sunOnChart, QWidget* parent = nullptr);

protected:
    QString buildReport(const InfoSnapshot& snapshot, const ObserverState& observer) const override;

private:
    std::function<SunChartPosition()> sun_;
};

}  // namespace noctaris
