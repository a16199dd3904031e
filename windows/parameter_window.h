#pragma once
// What the Moon and the Sun parameter windows share: a photograph, the body's name, a box of
// fixed data and a report for the chart's moment and place. Created hidden at start; the main
// window shows them non-modally and, after every redraw while one is visible, refreshes the
// snapshot and calls refresh().
#include <QDialog>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include "chart/state.h"
#include "windows/following_report.h"
#include "windows/snapshots.h"

class QEvent;
class QLabel;
class QPlainTextEdit;
class QShowEvent;

namespace noctaris {

// What a parameter window shows, and the sizes its parts are designed for (a text box grows
// beyond its size when its text needs more room).
struct ParameterWindowLayout {
    QString objectName;
    QString title;
    QSize size;
    int fontPixels = 11;  // the window's font
    QString picture;      // resource name of the photograph
    QRect photo;
    QString name;  // the body's name, bold navy
    QRect reportBox;
    QRect fixedDataBox;
    bool fixedDataEditable = false;
    QStringList fixedData;
};

class ParameterWindow : public QDialog {
    Q_OBJECT
public:
    // Rebuilds the report from the snapshot and shows it. Called on activation and by the main
    // window after each chart redraw while the window is visible. Never throws.
    void refresh();

    // The report last shown, with its CR LF line ends.
    const QString& report() const { return report_.Text(); }

protected:
    // snapshot and observer belong to the main window and outlive this window.
    ParameterWindow(const ParameterWindowLayout& layout, const InfoSnapshot* snapshot,
                    const ObserverState* observer, QWidget* parent);

    // The report for a moment and a place; may throw.
    virtual QString buildReport(const InfoSnapshot& snapshot, const ObserverState& observer) const = 0;
    // Called after each rebuild of the report: a window whose photograph changes with the moment
    // shows it again here.
    virtual void refreshPhoto() {}
    // The photograph as loaded (null when it could not be), and the one to show instead.
    const QImage& photo() const { return picture_; }
    void showPhoto(const QImage& image);

    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    const InfoSnapshot* snapshot_;
    const ObserverState* observer_;
    QLabel* photo_ = nullptr;
    QImage picture_;
    QLabel* nameLabel_ = nullptr;
    QPlainTextEdit* reportText_ = nullptr;
    QPlainTextEdit* fixedDataText_ = nullptr;
    QSize reportSize_;  // the report box's designed size, its least
    infowin::FollowingReport report_;
};

}  // namespace noctaris
