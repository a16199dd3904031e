#pragma once
// The Moon parameter window: a photograph of the Moon, fixed physical data and a report for the
// chart's moment and place (Julian day, times, the Moon's age, distance, illumination and
// diameter, the phases of the lunation, the next perigee and apogee, rising, culmination and
// setting). Created hidden at start; the main window shows it non-modally and, after every
// redraw while it is visible, refreshes the snapshot and calls pb2Paint.
#include <QDialog>
#include <QString>
#include <QStringList>

#include "astro/timebase.h"
#include "chart/state.h"
#include "windows/snapshots.h"
#include "windows/following_report.h"

class QLabel;
class QPlainTextEdit;

namespace noctaris {

// The ten lines of the fixed data block.
QStringList MoonFixedData();

// The report for a snapshot of the chart's moment and the observer's place: lines joined and
// each ended by CR LF. Raises ConversionError when the snapshot's date cannot be encoded.
QString BuildMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer);
// The same for callers that still pass the computer's date: it is no longer shown (the local
// time stands beside the chart's own date).
inline QString BuildMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer,
                               TDateTime /*today*/) {
    return BuildMoonReport(snapshot, observer);
}

class MoonWindow : public QDialog {
    Q_OBJECT
public:
    // snapshot and observer belong to the main window and outlive this window.
    MoonWindow(const InfoSnapshot* snapshot, const ObserverState* observer, QWidget* parent = nullptr);

    // Rebuilds the report from the snapshot and shows it. Called on activation and by the main
    // window after each chart redraw while the window is visible. Never throws.
    void pb2Paint();

    // The text last assigned to Memo1, with its CR LF line ends.
    const QString& Report() const { return report_.Text(); }

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPlainTextEdit* Memo2 = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();

    const InfoSnapshot* snapshot_;
    const ObserverState* observer_;
    infowin::FollowingReport report_;
};

}  // namespace noctaris
