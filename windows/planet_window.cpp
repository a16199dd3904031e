#include "windows/planet_window.h"

#include <algorithm>

#include "astro/reports/ephemeris_table.h"

#include <cmath>
#include <exception>

#include <QBoxLayout>
#include <QColor>
#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QStringList>

#include "astro/coords/angles.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "platform/pictures.h"
#include "windows/wincommon.h"
#include "astro/time/calendar_dates.h"

namespace noctaris {
namespace {

QString Crlf() { return QStringLiteral("\r\n"); }

}  // namespace

std::string_view PlanetPictureName(Body planet) {
    switch (planet) {
        case Body::Mercury: return "pl1";
        case Body::Venus: return "pl2";
        case Body::Mars: return "pl4";
        case Body::Jupiter: return "pl5";
        case Body::Saturn: return "pl6";
        case Body::Uranus: return "pl7";
        default: return {};
    }
}

double PlanetMomentJD(const PlanetSnapshot& s) {
    return LocalMidnightJD(s.Year, s.Month, s.Day, s.TimeZone) + s.Hour / 24.0 + s.Minute / 1440.0 +
           s.Second / 86400.0;
}

PlanetInfo OnOwnClock(PlanetInfo info, const PlanetSnapshot& snapshot) {
    const double z = snapshot.TimeZone;
    info.RiseAndSet = RiseSetOnOwnClock(info.RiseAndSet, snapshot.ClockZone(),
                                        LocalMidnightJD(snapshot.Year, snapshot.Month, snapshot.Day, z), z);
    return info;
}

QString DeclinationDegreeText(double decDegrees, double decMinutes) {
    QString text = FormatFixed(decDegrees, 0);
    if (decMinutes < 0 && !text.startsWith('-') && !text.startsWith(QLocale().negativeSign()))
        text.prepend('-');
    return text;
}

QString PlanetComputedBlock(const PlanetInfo& info) {
    const PlanetEphemerisRecord& r = info.Record;
    const long long t = LightTimeSeconds(r.Distance);
    const QString deg = QStringLiteral("%.2f°");
    QStringList lines;
    if (info.Frame != kFrameJ2000)
        lines << QCoreApplication::translate("PlanetInfo", "Frame: ") + FrameShown(info.Frame);
    lines << QCoreApplication::translate("PlanetInfo",
                                         "Heliocentric longitude %1, latitude %2")
                 .arg(Format(deg, {r.HelioLongitude}), Format(deg, {r.HelioLatitude}));
    lines << Format(QCoreApplication::translate("PlanetInfo", "Radius vector %.2f AU"),
                    {r.RadiusVector});
    lines << Format(QCoreApplication::translate("PlanetInfo", "Distance %.2f AU"), {r.Distance});
    lines << Format(QCoreApplication::translate("PlanetInfo", "Light time %d min %d s"),
                    {t / 60, t % 60});
    lines << QCoreApplication::translate("PlanetInfo",
                                         "Geocentric longitude %1, latitude %2")
                 .arg(Format(deg, {r.GeoLongitude}), Format(deg, {r.GeoLatitude}));
    lines << QCoreApplication::translate("PlanetInfo",
                                         "Right ascension %1h %2m, declination %3° %4'")
                 .arg(Format("%.0f", {r.RAHours}), Format("%.1f", {r.RAMinutes}),
                      DeclinationDegreeText(r.DecDegrees, r.DecMinutes),
                      Format("%.1f", {std::fabs(r.DecMinutes)}));
    lines << QCoreApplication::translate("PlanetInfo", "Diameter %1\"")
                 .arg(Format("%.2f", {r.Diameter}));
    lines << Format(QCoreApplication::translate("PlanetInfo", "Magnitude %.2f"),
                    {r.Magnitude});
    lines << QCoreApplication::translate("PlanetInfo", "Rises %1, sets %2")
                 .arg(RiseSetShown(info.RiseAndSet.rise, info.RiseAndSet),
                      RiseSetShown(info.RiseAndSet.set, info.RiseAndSet));
    return lines.join(Crlf());
}

QString PlanetComputedBlock(const PlanetSnapshot& snapshot, const ObserverState& observer,
                            bool precise) {
    const auto compute = precise ? ComputePrecisePlanetInfo : ComputePlanetInfo;
    return PlanetComputedBlock(OnOwnClock(compute(snapshot.Planet, PlanetMomentJD(snapshot), observer.Latitude,
                                                  observer.Longitude, snapshot.TimeZone),
                                          snapshot));
}

QString PlanetDataBlock(Body planet, bool translated) {
    // Each line ends with CR LF; shown, in the user's language with the figures in the locale's
    // number format, for the exports in English with a decimal point.
    if (!translated) {
        const std::string block = PlanetDataSection(PlanetDataText(), BodyName(planet));
        return QString::fromUtf8(block.data(), static_cast<qsizetype>(block.size()));
    }
    const std::vector<PlanetDatum>& data = PlanetData();
    const std::string header = "[" + std::string(BodyName(planet));
    auto line = std::find_if(data.begin(), data.end(), [&](const PlanetDatum& d) { return d.text == header; });
    QString shown;
    if (line == data.end()) return shown;
    for (++line; line != data.end() && line->text[0] != '['; ++line) {
        const std::string pattern = QCoreApplication::translate("PlanetData", line->text).toStdString();
        shown += QString::fromStdString(FillFigures(pattern, line->figures, [](double value, int decimals) {
                     return FormatFixed(value, decimals).toStdString();
                 })) +
                 Crlf();
    }
    return shown;
}

// ---- Window ---------------------------------------------------------------------------------

namespace {
// The text boxes' designed sizes, which they never go below.
constexpr QSize kDataBox(281, 161), kComputedBox(413, 121);

// A text box exactly as large as its text needs, never below its designed size: the window is
// as large as its boxes and no larger.
void FitFixed(QPlainTextEdit* box, QSize designed) { box->setFixedSize(designed.expandedTo(TextBoxExtent(box))); }
}  // namespace

PlanetWindow::PlanetWindow(const PlanetSnapshot& snapshot, const ObserverState& observer,
                           QWidget* parent)
    : QDialog(parent), snapshot_(snapshot), observer_(observer) {
    setObjectName(QStringLiteral("PlanetWindow"));
    setWindowTitle(tr("Planet data"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(WindowFont(12));
    SetWhiteBackground(this);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setMinimumSize(117, 117);
    picture_->setAlignment(Qt::AlignCenter);

    nameLabel_ = new QLabel(this);
    nameLabel_->setObjectName(QStringLiteral("nameLabel"));
    nameLabel_->setFont(WindowFont(12, true));
    nameLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette lp = nameLabel_->palette();
    lp.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
    nameLabel_->setPalette(lp);

    // Boxes the user reads but never types into: no focus, no scroll bars; each grows with its
    // text, so longer translations and larger fonts fit.
    TextBoxStyle style;
    style.focus = Qt::NoFocus;
    style.margin = 1;
    dataText_ = MakeTextBox(this, "dataText", QRect(), style);
    dataText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    dataText_->setFixedSize(kDataBox);
    computedText_ = MakeTextBox(this, "computedText", QRect(), style);
    computedText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    computedText_->setFixedSize(kComputedBox);
    allDataText_ = MakeTextBox(this, "allDataText", QRect(224, 8, 500, 89), style);
    allDataText_->setPlainText(QString::fromStdString([] {
        std::string all;
        for (const std::string& line : PlanetDataText()) all += line + "\n";
        return all;
    }()));
    allDataText_->hide();

    // Picture and name at the top left, the planet's data beside them, the computed values below.
    auto* left = new QVBoxLayout;
    left->setSpacing(7);
    left->addWidget(picture_);
    left->addWidget(nameLabel_);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->setSpacing(7);
    top->addLayout(left);
    top->addWidget(dataText_, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 9, 9);
    column->setSpacing(0);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addLayout(top);
    column->addWidget(computedText_);
    column->activate();  // sized before it is first shown, for its placement
}

void PlanetWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!filled_) fill();
}

void PlanetWindow::fill() {
    filled_ = true;
    try {
        nameLabel_->setText(QCoreApplication::translate("Planet", BodyName(snapshot_.Planet)));

        const std::string_view picture = PlanetPictureName(snapshot_.Planet);
        if (!picture.empty()) {
            const QPixmap pixmap = QPixmap::fromImage(LoadPicture(picture));
            picture_->setPixmap(pixmap);
        }

        dataBlock_ = PlanetDataBlock(snapshot_.Planet);
        SetCrLfText(dataText_, dataBlock_);

        computedBlock_ = PlanetComputedBlock(snapshot_, observer_, snapshot_.Precise);
        SetCrLfText(computedText_, computedBlock_);
        FitFixed(dataText_, kDataBox);
        FitFixed(computedText_, kComputedBox);
    } catch (const std::exception& e) {
        ReportFailure(this, QStringLiteral("Noctaris"), QString::fromUtf8(e.what()));
    }
}

}  // namespace noctaris
