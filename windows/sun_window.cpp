#include "windows/sun_window.h"

#include <cmath>
#include <exception>

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>

#include "astro/sun.h"
#include "astro/sunmoon_reports.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "platform/pictures.h"
#include "windows/following_report.h"

namespace noctaris {
namespace {

constexpr double kRadToDegrees = 180.0 / 3.14159265358979323846;

// Value for the display: non-finite chart values (a chart that has not drawn) count as 0.
double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

QStringList SunFixedData() {
    return {
        QStringLiteral("Average distance  149597893 km"),
        QStringLiteral("Radius 695800 km = 109 RE"),
        QStringLiteral("Volume 1,410\u00B710^18 km\u00B3 "),
        QStringLiteral("Mass 1,985\u00B710^30 kg"),
        QStringLiteral("Density 1,41 g/cm\u00B3"),
        QStringLiteral("Acceleration 27,9 g"),
        QStringLiteral("Average brightness -26,8 mag"),
        QStringLiteral("Temperature 5700 K"),
        QStringLiteral("Absolute brightness 4,83 mag"),
        QStringLiteral("Spectral class G2 "),
        QStringLiteral("Lumonicity class V"),
        QStringLiteral("Age 4,5 Billion years"),
    };
}

bool SunWindowSummerTime(int day, int month, int year) {
    return year >= 1980 && IsSummerTime(day, month, year);
}

QString BuildSunReport(const InfoSnapshot& snapshot, const ObserverState& observer,
                       const SunChartPosition& sun) {
    const double z = snapshot.TimeZone;
    const int D = snapshot.Day, M = snapshot.Month, Y = snapshot.Year;
    const TDateTime day = EncodeDate(Y, M, D);
    const TDateTime T = day + snapshot.Hour / 24.0 + snapshot.Minute / 1440.0 +
                        snapshot.Second / 86400.0;
    const double j0h = ReportMidnightJD(Y, M, D, z) + z / 24;  // 0 h UT of the date
    const int N = DayNumber(D, M, Y);
    const double equation = EquationOfTime(N);
    const double ut = snapshot.Hour + snapshot.Minute / 60.0 + snapshot.Second / 3600.0 - z;
    const double S = ReportSiderealTime(j0h, ut, observer.Longitude);

    double raHours = Finite(sun.RightAscension) * kRadToDegrees / 15;
    while (raHours > 24) raHours -= 24;
    const HourMinute ra = SplitHourMinute(raHours);  // rounded to the minute, then split

    QStringList lines;
    lines << QStringLiteral("Date\t\t%1.%2.%3").arg(D).arg(M).arg(Y);
    lines << QStringLiteral("Day number\t") + QString::number(N);
    lines << QStringLiteral("Time\t\t") + TimeToStr(FractionOfDay(T));
    lines << Format(QStringLiteral("Declination\t%.2f\u00B0"), {sun.Declination * kRadToDegrees});
    lines << Format(QStringLiteral("Right ascension\t%dh%dmin"), {ra.hours, ra.minutes});
    lines << QStringLiteral("Constellation\t") +
                 QString::fromUtf8(ZodiacConstellation(raHours).data(),
                                   static_cast<qsizetype>(ZodiacConstellation(raHours).size()));
    lines << Format(QStringLiteral("Hour angle\t%.2f\u00B0"), {(S - raHours) * 15});
    lines << Format(QStringLiteral("Azimuth\t\t%.2f\u00B0"), {sun.Azimuth});
    lines << Format(QStringLiteral("Height\t\t%.2f\u00B0"), {sun.Altitude * kRadToDegrees});
    lines << Format(QStringLiteral("Equation of time\t%.2f min"), {equation});
    const HourMinute sunTime = SplitHourMinute(S);
    lines << QStringLiteral("Sun time\t\t%1 h %2 min").arg(sunTime.hours).arg(sunTime.minutes);
    lines << Format(QStringLiteral("Earth distance\t%.0f km"),
                    {static_cast<double>(SunDistanceAU(T)) * 149597870});
    const long long R = std::llround(std::nearbyint(static_cast<double>(SunDiameter(T))));
    lines << QStringLiteral("Diameter\t\t%1' %2\"").arg(R / 60).arg(R % 60);
    lines << QString();

    const bool summer = SunWindowSummerTime(D, M, Y);
    auto event = [&](double v, const QString& none) {
        if (summer) v += 1.0 / 24;
        if (v >= -1000000) return TimeToStr(FractionOfDay(v + z / 24)) + QStringLiteral("  ZT");
        return none;
    };
    const double west = -observer.Longitude, phi = observer.Latitude;
    const SunDayPositions positions = SunPositionsOfDay(day);
    lines << QStringLiteral("Sunrise\t\t") + event(SunRiseTime(west, phi, positions), QStringLiteral("No rise"));
    lines << QStringLiteral("Sunset\t\t") + event(SunSetTime(west, phi, positions), QStringLiteral("No set"));
    lines << QStringLiteral("Culmination\t") +
                 event(SunTransitTime(west, phi, positions), QStringLiteral("No culmination"));
    return lines.join(QStringLiteral("\r\n"));
}

SunWindow::SunWindow(const InfoSnapshot* snapshot, const ObserverState* observer,
                 std::function<SunChartPosition()> sunOnChart, QWidget* parent)
    : QDialog(parent), snapshot_(snapshot), observer_(observer), sun_(std::move(sunOnChart)) {
    setObjectName(QStringLiteral("usonne"));
    setWindowTitle(QStringLiteral("Sun parameter"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setModal(false);
    setFixedSize(446, 306);
    setFont(infowin::WindowFont(13));
    infowin::MakeWhite(this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(48, 12, 117, 117);

    Label1 = new QLabel(QStringLiteral("Sun"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(infowin::WindowFont(16, true));
    Label1->setStyleSheet(QStringLiteral("color: #000080"));
    Label1->move(218, 24);
    Label1->adjustSize();

    Memo1 = infowin::MakeMemo(this, "Memo1", 216, 72, 225, 249, true);
    Memo2 = infowin::MakeMemo(this, "Memo2", 8, 136, 201, 177, false);  // editable
    Memo2->setPlainText(SunFixedData().join('\n'));

    FormCreate();
}

SunWindow::SunWindow(const InfoSnapshot* snapshot, const ObserverState* observer,
                 const SunChartPosition* sunOnChart, QWidget* parent)
    : SunWindow(snapshot, observer,
              [sunOnChart] { return sunOnChart ? *sunOnChart : SunChartPosition{}; }, parent) {}

void SunWindow::FormCreate() {
    // Memo1 is redrawn off-screen by the toolkit already (every widget is double-buffered).
    try {
        const QImage picture = LoadPicture("pl10");
        Image1->setPixmap(QPixmap::fromImage(picture));
        Image1->resize(picture.size());  // auto-sized to the picture
    } catch (const std::exception& e) {
        qWarning("Sun parameter: %s", e.what());
    }
}

void SunWindow::FormActivate() {
    if (snapshot_ == nullptr || observer_ == nullptr) return;
    report_.Rebuild(this, Memo1, [&] {
        return BuildSunReport(*snapshot_, *observer_, sun_ ? sun_() : SunChartPosition{});
    });
}

void SunWindow::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void SunWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Also when the window system does not activate the shown window.
    FormActivate();
}

}  // namespace noctaris
