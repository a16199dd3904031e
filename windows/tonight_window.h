#pragma once
// The Tonight window: for the night that begins on a date at the chart's place, the twilight,
// the Moon, the planets and the objects the user adds (a find field), and the altitude plot.
// It follows the chart's place and date (the main window calls refresh() after each redraw) and
// has its own date field; hovering the plot tells the time and altitude under the pointer, and a
// click there sets the chart to that time (goToTime). The plot exports as PNG or PDF and prints.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QImage>
#include <QString>

#include "astro/reports/tonight.h"
#include "chart/altitude_plot.h"
#include "chart/state.h"
#include "windows/exports_dialog.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace noctaris {

struct Catalogs;
class ObjectIndex;
class TonightPlotView;

class TonightWindow : public QDialog {
    Q_OBJECT
public:
    // `observer` belongs to the main window and outlives this one; `index` gives the object
    // index (built on first use); `precise` says whether the chart shows the precise places.
    TonightWindow(const ObserverState* observer, std::shared_ptr<const Catalogs> catalogs,
                  std::function<const ObjectIndex&()> index, std::function<bool()> precise,
                  SaveFilePrompt askFile = {}, QWidget* parent = nullptr);
    ~TonightWindow() override;

    // Follows the chart: its place, and its date whenever that changed since the last call.
    // Never throws; a failure is reported once.
    void refresh();
    // The night of another date (the window's own date field).
    void setNight(const QDate& date);
    // Adds the star or constellation a typed name denotes; false (and said in the window) for an
    // unknown name or a body the report has anyway.
    bool addObject(const QString& typed);
    void clearObjects();
    void setScheme(PlotScheme scheme);

    const TonightReport& report() const { return report_; }
    const QString& reportText() const { return text_; }
    // The plot as the window draws it, in `size` pixels.
    QImage renderPlot(QSize size) const;
    // "Export plot…": PNG or PDF where the user says; the path written, empty when none.
    QString exportPlot();
    // "Print plot…": the plot on one landscape page of the chosen printer.
    void printPlot();
    // What hovering at a point of the plot view tells ("21:30, 42°"), empty outside the plot.
    QString hoverText(QPointF at) const;

signals:
    // A click on the plot: the instant (UT Julian day) the chart should show.
    void goToTime(double jdUT);

private:
    friend class TonightPlotView;
    void recompute();
    AltitudePlotTexts plotTexts() const;
    ZoneDescription zone() const;

    const ObserverState* observer_;
    std::shared_ptr<const Catalogs> catalogs_;
    std::function<const ObjectIndex&()> index_;
    std::function<bool()> precise_;
    SaveFilePrompt askFile_;
    QDateEdit* dateEdit_ = nullptr;
    QLineEdit* findField_ = nullptr;
    QLabel* message_ = nullptr;
    QPlainTextEdit* text_box_ = nullptr;
    TonightPlotView* plot_ = nullptr;
    QLabel* hover_ = nullptr;

    std::vector<FixedObject> objects_;
    std::vector<FixedObject> brightStars_;
    std::vector<FixedObject> brightDeepSky_;
    TonightReport report_;
    QString text_;
    PlotScheme scheme_ = PlotScheme::Screen;
    QComboBox* schemeBox_ = nullptr;
    // The chart's place and date at the last refresh, to follow only their changes.
    struct ChartSetting {
        double latitude = 0, longitude = 0, zone = 0;
        std::string zoneId;
        bool legalClock = false, precise = false;
        bool operator==(const ChartSetting&) const = default;
    };
    std::optional<CivilDate> chartDate_;
    ChartSetting chartSetting_;
    bool failing_ = false;
};

}  // namespace noctaris
