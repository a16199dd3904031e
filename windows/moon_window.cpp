#include "windows/moon_window.h"

#include <array>
#include <cmath>
#include <exception>

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>

#include "astro/calendar_dates.h"
#include "astro/moon.h"
#include "astro/moonseries.h"
#include "astro/sunmoon_reports.h"
#include "platform/format.h"
#include "platform/pictures.h"
#include "windows/following_report.h"

namespace noctaris {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The date of a day count in the short date format; days are counted down to the earlier
// midnight also before 1899-12-30, where the count is negative.
QString DateText(TDateTime t) { return DateToStr(std::floor(t)); }

// "hh:nn" of the time of day of a day count (negative counts and fractions included).
QString HourMinuteText(double t) { return FormatDateTime(QStringLiteral("hh:nn"), FractionOfDay(t)); }

// A day count rounded to the whole minute, so that "hh:nn" shows the nearest minute.
TDateTime ToMinute(TDateTime t) { return std::nearbyint(t * 1440) / 1440; }

}  // namespace

QStringList MoonFixedData() {
    return {
        QStringLiteral("Distance 384401 km = 60,33 rE"),
        QStringLiteral("Radius 1738 km = 0,2725 rE"),
        QStringLiteral("Oblateness 1 / 1700"),
        QStringLiteral("Volume 2,2\u00B710^10 km\u00B3 = 0,02 VE"),
        QStringLiteral("Mass 7,347\u00B710^22 kg = 1/81 mE"),
        QStringLiteral("Density 3,341 g/cm\u00B3"),
        QStringLiteral("Acceleration 0,165 g"),
        QStringLiteral("Inclination of orbit 5\u00B08'43\""),
        QStringLiteral("Eccentricity of orbit 0,0549"),
        QStringLiteral("Velocity 1,02 km/s"),
    };
}

QString BuildMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer) {
    const double z = snapshot.TimeZone;
    const int D = snapshot.Day, M = snapshot.Month, Y = snapshot.Year;
    const TDateTime T = EncodeDate(Y, M, D) + snapshot.Hour / 24.0 + snapshot.Minute / 1440.0 +
                        snapshot.Second / 86400.0;
    const double dayFraction = FractionOfDay(T);  // Frac(T), also for dates before 1900
    const double j0 = ReportMidnightJD(Y, M, D, z);  // local midnight, universal time
    const double jdUT = j0 + dayFraction;
    const double lambda = observer.Longitude;
    // A universal-time Julian day as a local (or UT) day count.
    auto local = [&](double jd) { return JDToDateTime(jd + z / 24); };

    QStringList lines;
    lines << QStringLiteral("Date\t\t") + DateText(T);
    lines << Format(QStringLiteral("Julian Date\t%.5f JD"), {jdUT});
    lines << QStringLiteral("Universal time\t") + TimeToStr(FractionOfDay(T - z / 24));
    lines << QStringLiteral("Local time\t") + TimeToStr(dayFraction) + QStringLiteral(" ; ") +
                 DateText(T);
    // The sidereal time counts from 0 h UT of the day.
    lines << QStringLiteral("Sidereal time\t") +
                 TimeToStr(ReportSiderealTime(j0 + z / 24, dayFraction * 24 - z, lambda) / 24);

    const AgeParts age = SplitMoonAge(MoonAgeAt(jdUT));
    lines << QStringLiteral("Moon age\t\t") +
                 Format(QStringLiteral("%d d %d h %d min"), {age.days, age.hours, age.minutes});

    double ra, dec, k, apparentLongitude, perigee, node, distance;
    MoonPositionFull(DynamicalFromUniversal(jdUT), ra, dec, k, apparentLongitude, perigee, node,
                     distance);
    lines << QStringLiteral("Earth distance\t") + Format(QStringLiteral("%.1f km"), {distance});
    lines << QStringLiteral("\t\t") + Format(QStringLiteral("%.2f Earth radius"), {distance / 6378});
    lines << Format(QStringLiteral("Illuminating part\t%.2f %%"), {100 * k});
    const MoonDiameterParts diameter = MoonApparentDiameter(distance);
    lines << QStringLiteral("Moon diameter\t") +
                 Format(QStringLiteral("%.3f\u00B0 = %d'%.1f"),
                        {diameter.degrees, diameter.arcminutes, diameter.remainderSeconds}) +
                 QStringLiteral("\"");
    lines << QString();

    // The lunation the moment lies in: the new moon the age counts from to the next one, each
    // on its local date.
    const LunationPhases lunation = LunationAt(jdUT);
    lines << QStringLiteral("New moon\t") + DateText(local(lunation.newMoon));
    lines << QStringLiteral("Lunation\t\t") +
                 QString::number(LunationNumber(JDToDateTime(lunation.newMoon) + 1));
    lines << QStringLiteral("First quarter\t") + DateText(local(lunation.firstQuarter));
    lines << QStringLiteral("Full moon\t\t") + DateText(local(lunation.fullMoon));
    lines << QStringLiteral("Last quarter\t") + DateText(local(lunation.lastQuarter));
    lines << QStringLiteral("New moon\t") + DateText(local(lunation.nextNewMoon));

    auto passage = [](double jd) {
        const TDateTime t = ToMinute(JDToDateTime(jd));
        return QStringLiteral("UT ") + HourMinuteText(t) + QStringLiteral(" ") +
               FormatDateTime(QStringLiteral("d.mm.yyyy"), std::floor(t));
    };
    lines << QStringLiteral("Perigee\t\t") + passage(NextLunarApsis(0, jdUT));
    lines << QStringLiteral("Apogee\t\t") + passage(NextLunarApsis(1, jdUT));

    // Rising, culmination and setting on the local date of the report (local midnight to
    // midnight), each shown in universal and in local time.
    const MoonDayEvents events = MoonEventsOfDay(j0, observer.Latitude, lambda);
    auto event = [&](const QString& label, const std::optional<double>& jd) {
        if (!jd) {
            lines << label + QStringLiteral("none on this day");
            return;
        }
        lines << label + QStringLiteral("UT ") + HourMinuteText(ToMinute(JDToDateTime(*jd))) +
                     QStringLiteral(" hour");
        lines << QStringLiteral("\t\t") + HourMinuteText(ToMinute(local(*jd))) +
                     QStringLiteral(" hour, local time");
    };
    event(QStringLiteral("Rising time\t"), events.rise);
    event(QStringLiteral("Culmination\t"), events.transit);
    event(QStringLiteral("Moonset time\t"), events.set);

    QString report;
    for (const QString& line : lines) report += line + kCrLf;
    return report;
}

MoonWindow::MoonWindow(const InfoSnapshot* snapshot, const ObserverState* observer, QWidget* parent)
    : QDialog(parent), snapshot_(snapshot), observer_(observer) {
    setObjectName(QStringLiteral("umond"));
    setWindowTitle(QStringLiteral("Moon parameter"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    setFixedSize(519, 360);
    setFont(infowin::WindowFont(11));
    infowin::MakeWhite(this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(56, 24, 117, 117);

    Label1 = new QLabel(QStringLiteral("Moon"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(infowin::WindowFont(16, true));
    Label1->setStyleSheet(QStringLiteral("color: #000080"));
    Label1->move(88, 152);
    Label1->adjustSize();

    Memo1 = infowin::MakeMemo(this, "Memo1", 240, 16, 265, 329, true);
    Memo2 = infowin::MakeMemo(this, "Memo2", 12, 208, 209, 177, true);
    Memo2->setPlainText(MoonFixedData().join('\n'));

    FormCreate();
}

void MoonWindow::FormCreate() {
    // Memo1 is redrawn off-screen by the toolkit already (every widget is double-buffered).
    try {
        const QImage picture = LoadPicture("pl9");
        Image1->setPixmap(QPixmap::fromImage(picture));
        Image1->resize(picture.size());  // auto-sized to the picture
    } catch (const std::exception& e) {
        qWarning("Moon parameter: %s", e.what());
    }
}

void MoonWindow::pb2Paint() {
    if (snapshot_ == nullptr || observer_ == nullptr) return;
    report_.Rebuild(this, Memo1, [&] {
        return BuildMoonReport(*snapshot_, *observer_);
    });
}

void MoonWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) pb2Paint();
}

void MoonWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Also when the window system does not activate the shown window.
    pb2Paint();
}

}  // namespace noctaris
