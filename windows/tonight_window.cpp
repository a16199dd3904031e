#include "windows/tonight_window.h"

#include <cmath>
#include <exception>

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

#include "catalog/catalog.h"
#include "catalog/object_index.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "windows/following_report.h"
#include "windows/tonight_window_report.h"
#include "windows/wincommon.h"

namespace noctaris {

// The plot on the screen: painted from the window's report, telling the time and altitude
// under the pointer and passing on clicks as times.
class TonightPlotView : public QWidget {
public:
    explicit TonightPlotView(TonightWindow* window) : QWidget(window), window_(window) {
        setObjectName(QStringLiteral("tonightPlot"));
        setMouseTracking(true);
        setMinimumSize(560, 300);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        try {
            PaintAltitudePlot(p, QRectF(rect()), window_->report_, window_->zone(), window_->plotTexts(),
                              window_->scheme_);
        } catch (const std::exception& e) {
            p.fillRect(rect(), Qt::white);
            p.drawText(rect(), Qt::AlignCenter, QString::fromUtf8(e.what()));
        }
    }
    void mouseMoveEvent(QMouseEvent* e) override { window_->hover_->setText(window_->hoverText(e->position())); }
    void leaveEvent(QEvent*) override { window_->hover_->clear(); }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton || window_->report_.sampleCount < 2) return;
        const AltitudePlotGeometry g = PlotGeometry(QRectF(rect()), window_->report_);
        if (!g.plot.contains(e->position())) return;
        emit window_->goToTime(g.TimeAt(e->position().x()));
    }

private:
    TonightWindow* window_;
};

TonightWindow::TonightWindow(const ObserverState* observer, std::shared_ptr<const Catalogs> catalogs,
                             std::function<const ObjectIndex&()> index, std::function<bool()> precise,
                             SaveFilePrompt askFile, QWidget* parent)
    : QDialog(parent), observer_(observer), catalogs_(std::move(catalogs)), index_(std::move(index)),
      precise_(std::move(precise)), askFile_(std::move(askFile)) {
    setObjectName(QStringLiteral("TonightWindow"));
    setWindowTitle(tr("Tonight"));
    setModal(false);
    if (catalogs_) brightStars_ = BrightStars(*catalogs_);
    try {
        brightDeepSky_ = BrightDeepSky();
    } catch (const std::exception&) {
        // Without the deep-sky catalogue the report still lists the stars.
    }

    auto* top = new QHBoxLayout;
    dateEdit_ = MakeDateEdit(this, "tonightDateEdit", QRect());
    top->addWidget(new QLabel(tr("Night of"), this));
    top->addWidget(dateEdit_);
    top->addSpacing(12);
    findField_ = new QLineEdit(this);
    findField_->setObjectName(QStringLiteral("tonightFindField"));
    findField_->setPlaceholderText(tr("Add a star, constellation or deep-sky object"));
    findField_->setClearButtonEnabled(true);
    top->addWidget(findField_, 1);
    auto* clear = new QPushButton(tr("Remove added"), this);
    clear->setObjectName(QStringLiteral("tonightClearButton"));
    top->addWidget(clear);

    text_box_ = MakeTextBox(this, "tonightReport", QRect(), TextBoxStyle{true, Qt::ClickFocus, true, 2});
    text_box_->setMinimumSize(420, 200);
    plot_ = new TonightPlotView(this);

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(plot_);
    split->addWidget(text_box_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    hover_ = new QLabel(this);
    hover_->setObjectName(QStringLiteral("tonightHover"));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("tonightMessage"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hover_, 1);
    bottom->addWidget(message_, 1);
    auto* scheme = schemeBox_ = new QComboBox(this);
    scheme->setObjectName(QStringLiteral("tonightSchemeBox"));
    scheme->addItems({tr("Screen colours"), tr("Night vision"), tr("Print colours")});
    bottom->addWidget(scheme);
    auto* exportButton = new QPushButton(tr("Export plot…"), this);
    exportButton->setObjectName(QStringLiteral("tonightExportButton"));
    bottom->addWidget(exportButton);
    auto* printButton = new QPushButton(tr("Print plot…"), this);
    printButton->setObjectName(QStringLiteral("tonightPrintButton"));
    bottom->addWidget(printButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);
    resize(900, 780);

    connect(dateEdit_, &QDateEdit::dateChanged, this, [this](const QDate& d) { setNight(d); });
    connect(findField_, &QLineEdit::returnPressed, this, [this] {
        if (addObject(findField_->text())) findField_->clear();
    });
    connect(clear, &QPushButton::clicked, this, &TonightWindow::clearObjects);
    connect(scheme, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int i) { setScheme(static_cast<PlotScheme>(i)); });
    connect(exportButton, &QPushButton::clicked, this, &TonightWindow::exportPlot);
    connect(printButton, &QPushButton::clicked, this, &TonightWindow::printPlot);
}

TonightWindow::~TonightWindow() = default;

ZoneDescription TonightWindow::zone() const { return ChartZone(*observer_); }

AltitudePlotTexts TonightWindow::plotTexts() const {
    return TonightPlotTexts(report_, QString::fromStdString(observer_->PlaceName));
}

void TonightWindow::refresh() {
    const CivilDate chart{observer_->Year, observer_->Month, observer_->Day};
    // The place, its clock and the places' kind: a change of any of them is a new report.
    const ChartSetting setting{observer_->Latitude, observer_->Longitude, observer_->TimeZone, observer_->ZoneId,
                               observer_->ConsiderSummerTime, precise_ && precise_()};
    if (chartDate_ && *chartDate_ == chart && setting == chartSetting_) return;
    chartSetting_ = setting;
    if (!chartDate_ || !(*chartDate_ == chart)) {
        chartDate_ = chart;
        try {
            const QSignalBlocker block(dateEdit_);
            SetCivilDay(dateEdit_, DayOfCivilDate(chart));
        } catch (const std::exception&) {
            // a date the field cannot show: the report below says why
        }
    }
    recompute();
}

void TonightWindow::setNight(const QDate&) { recompute(); }

void TonightWindow::recompute() {
    try {
        const CivilDate date = CivilDateOfDay(dateEdit_->date());
        const bool precise = precise_ && precise_();
        report_ = ComputeTonightOf(*observer_, date, precise, objects_);
        std::vector<QString> culminating;
        const TonightSite site{observer_->Latitude, observer_->Longitude, 0};
        for (std::size_t i : CulminatingInDark(report_, site, brightStars_, 5))
            culminating.push_back(QString::fromStdString(brightStars_[i].name));
        std::vector<QString> deepSky;
        for (std::size_t i : CulminatingInDark(report_, site, brightDeepSky_, 5))
            deepSky.push_back(QString::fromStdString(brightDeepSky_[i].shown));
        text_ = FormatTonightReport(report_, zone(), QString::fromStdString(observer_->PlaceName), culminating,
                                    deepSky);
        infowin::ShowReport(text_box_, text_);
        failing_ = false;
    } catch (const std::exception& e) {
        if (!failing_) ReportFailure(this, QString::fromUtf8(e.what()));
        failing_ = true;
    }
    plot_->update();
}

bool TonightWindow::addObject(const QString& typed) {
    message_->clear();
    if (typed.trimmed().isEmpty() || !catalogs_ || !index_) return false;
    try {
        const ObjectIndex& index = index_();
        const std::optional<SkyObjectRef> ref = index.Find(typed.trimmed().toStdString());
        if (!ref) {
            message_->setText(tr("Not found: %1").arg(typed.trimmed()));
            return false;
        }
        std::optional<FixedObject> o = FixedObjectOf(index, *catalogs_, *ref);
        if (!o) {
            message_->setText(tr("The Sun, the Moon and the planets are always in the report."));
            return false;
        }
        for (const FixedObject& have : objects_)
            if (have.name == o->name) return true;
        objects_.push_back(std::move(*o));
        recompute();
        return true;
    } catch (const std::exception& e) {
        ReportFailure(this, QString::fromUtf8(e.what()));
        return false;
    }
}

void TonightWindow::clearObjects() {
    objects_.clear();
    recompute();
}

void TonightWindow::setScheme(PlotScheme scheme) {
    scheme_ = scheme;
    if (schemeBox_->currentIndex() != static_cast<int>(scheme)) schemeBox_->setCurrentIndex(static_cast<int>(scheme));
    plot_->update();
}

QImage TonightWindow::renderPlot(QSize size) const {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    PaintAltitudePlot(p, QRectF(QPointF(0, 0), QSizeF(size)), report_, zone(), plotTexts(), scheme_);
    return image;
}

QString TonightWindow::hoverText(QPointF at) const {
    if (report_.sampleCount < 2) return {};
    const AltitudePlotGeometry g = PlotGeometry(QRectF(plot_->rect()), report_);
    if (!g.plot.contains(at)) return {};
    const double t = g.TimeAt(at.x()), altitude = g.AltitudeAt(at.y());
    QString text = tr("%1, altitude %2°").arg(TonightClockText(t, zone())).arg(std::lround(altitude));
    // The curve nearest the pointer, when one passes within a few degrees.
    const AltitudePlotTexts texts = plotTexts();
    std::vector<const NightTrack*> tracks = {&report_.moon};
    for (const NightTrack& n : report_.planets) tracks.push_back(&n);
    for (const NightTrack& n : report_.objects) tracks.push_back(&n);
    double nearest = 3;
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        const std::optional<double> h = TrackAltitudeAt(report_, *tracks[k], t);
        if (h && std::fabs(*h - altitude) < nearest && k < texts.names.size()) {
            nearest = std::fabs(*h - altitude);
            text = tr("%1, altitude %2°: %3 at %4°")
                       .arg(TonightClockText(t, zone()))
                       .arg(std::lround(altitude))
                       .arg(texts.names[k])
                       .arg(std::lround(*h));
        }
    }
    return text;
}

QString TonightWindow::exportPlot() {
    SaveFileRequest request;
    request.caption = tr("Export plot");
    request.fileName = QStringLiteral("tonight.png");
    request.formats = {{QStringLiteral("PNG"), QStringLiteral("png")}, {QStringLiteral("PDF"), QStringLiteral("pdf")}};
    return ExportToFile(this, askFile_, request, [this](const QString& suffix) {
        return TonightPlotFile(suffix, report_, zone(), plotTexts(), scheme_);
    });
}

void TonightWindow::printPlot() {
    try {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        if (!DialogsAllowed()) return;
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted) return;
        QPainter p(&printer);
        PaintAltitudePlot(p, QRectF(printer.pageLayout().paintRectPixels(printer.resolution()).translated(
                                 -printer.pageLayout().paintRectPixels(printer.resolution()).topLeft())),
                          report_, zone(), plotTexts(), scheme_);
    } catch (const std::exception& e) {
        ReportFailure(this, QString::fromUtf8(e.what()));
    }
}

}  // namespace noctaris
