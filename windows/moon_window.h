#pragma once
// The Moon parameter window: a photograph of the Moon, fixed physical data and a report for the
// chart's moment and place (Julian day, times, the Moon's age, distance, illumination and
// diameter, the phases of the lunation, the next perigee and apogee, rising, culmination and
// setting). Created hidden at start; the main window shows it non-modally and, after every
// redraw while it is visible, refreshes the snapshot and calls refresh().
#include <functional>

#include <QString>
#include <QStringList>

#include "astro/timebase.h"
#include "chart/state.h"
#include "windows/parameter_window.h"
#include "windows/snapshots.h"

namespace noctaris {

// The ten lines of the fixed data block.
QStringList MoonFixedData();

// The report for a snapshot of the chart's moment and the observer's place: lines joined and
// each ended by CR LF. today is the computer's current date (shown beside the local time).
// Raises ConversionError when the snapshot's date cannot be encoded.
QString BuildMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer,
                        TDateTime today);

class MoonWindow : public ParameterWindow {
    Q_OBJECT
public:
    // snapshot and observer belong to the main window and outlive this window.
    MoonWindow(const InfoSnapshot* snapshot, const ObserverState* observer, QWidget* parent = nullptr);

    // Where "today" comes from (the system clock by default).
    void setTodayProvider(std::function<TDateTime()> today) { today_ = std::move(today); }

protected:
    QString buildReport(const InfoSnapshot& snapshot, const ObserverState& observer) const override;

private:
    std::function<TDateTime()> today_;
};

}  // namespace noctaris
