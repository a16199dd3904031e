#include "windows/planet_window.h"

#include <algorithm>

#include "astro/reports/ephemeris_table.h"

#include <cmath>
#include <exception>

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

PlanetWindow::PlanetWindow(const PlanetSnapshot& snapshot, const ObserverState& observer,
                           QWidget* parent)
    : QDialog(parent), snapshot_(snapshot), observer_(observer) {
    setObjectName(QStringLiteral("PlanetWindow"));
    setWindowTitle(tr("Planet data"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(426, 302);
    setFont(WindowFont(12));
    SetWhiteBackground(this);

    picture_ = new QLabel(this);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->move(12, 12);
    picture_->resize(0, 0);

    nameLabel_ = new QLabel(this);
    nameLabel_->setObjectName(QStringLiteral("nameLabel"));
    nameLabel_->move(42, 136);
    nameLabel_->setFont(WindowFont(12, true));
    QPalette lp = nameLabel_->palette();
    lp.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
    nameLabel_->setPalette(lp);

    // Boxes the user reads but never types into: no focus, a scroll bar if a text is too long.
    TextBoxStyle style;
    style.focus = Qt::NoFocus;
    style.scrollBars = true;
    style.margin = 1;
    dataText_ = MakeTextBox(this, "dataText", QRect(136, 12, 281, 161), style);
    computedText_ = MakeTextBox(this, "computedText", QRect(12, 172, 413, 121), style);
    allDataText_ = MakeTextBox(this, "allDataText", QRect(224, 8, 500, 89), style);
    allDataText_->setPlainText(QString::fromStdString([] {
        std::string all;
        for (const std::string& line : PlanetDataText()) all += line + "\n";
        return all;
    }()));
    allDataText_->hide();
}

void PlanetWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!filled_) fill();
}

void PlanetWindow::fill() {
    filled_ = true;
    try {
        nameLabel_->setText(QCoreApplication::translate("Planet", BodyName(snapshot_.Planet)));
        nameLabel_->adjustSize();

        const std::string_view picture = PlanetPictureName(snapshot_.Planet);
        if (!picture.empty()) {
            const QPixmap pixmap = QPixmap::fromImage(LoadPicture(picture));
            picture_->setPixmap(pixmap);
            picture_->resize(pixmap.size());
        }

        dataBlock_ = PlanetDataBlock(snapshot_.Planet);
        SetCrLfText(dataText_, dataBlock_);

        computedBlock_ = PlanetComputedBlock(snapshot_, observer_, snapshot_.Precise);
        SetCrLfText(computedText_, computedBlock_);
    } catch (const std::exception& e) {
        ReportFailure(this, QStringLiteral("Noctaris"), QString::fromUtf8(e.what()));
    }
}

}  // namespace noctaris
