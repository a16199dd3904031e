#include "windows/sun_window.h"

#include <cmath>
#include <exception>

#include "astro/sun.h"
#include "astro/sunmoon_reports.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "windows/wincommon.h"

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

QString BuildSunReport(const InfoSnapshot& snapshot, const ObserverState& observer,
                       const SunChartPosition& sun) {
    const double z = snapshot.TimeZone;
    const int D = snapshot.Day, M = snapshot.Month, Y = snapshot.Year;
    const TDateTime day = EncodeDate(Y, M, D);
    const TDateTime T = day + snapshot.Hour / 24.0 + snapshot.Minute / 1440.0 +
                        snapshot.Second / 86400.0;
    const double jr = std::nearbyint(ReportMidnightJD(Y, M, D, z));
    const int N = DayNumber(D, M, Y);
    const double equation = EquationOfTime(N);
    const double ut = snapshot.Hour + snapshot.Minute / 60.0 + snapshot.Second / 3600.0 - z;
    const double S = ReportSiderealTime(jr, ut, observer.Longitude);

    double raHours = Finite(sun.RightAscension) * kRadToDegrees / 15;
    while (raHours > 24) raHours -= 24;  // the chart's longitude runs up to 3 pi
    const double raWhole = std::trunc(raHours);

    QStringList lines;
    lines << QStringLiteral("Date\t\t%1.%2.%3").arg(D).arg(M).arg(Y);
    lines << QStringLiteral("Day number\t") + QString::number(N);
    lines << QStringLiteral("Time\t\t") + TimeToStr(DayFraction(T));
    lines << Format(QStringLiteral("Declination\t%.2f\u00B0"), {sun.Declination * kRadToDegrees});
    lines << Format(QStringLiteral("Right ascension\t%dh%.0fmin"),
                    {static_cast<int>(raWhole), (raHours - raWhole) * 60});
    lines << QStringLiteral("Constellation\t") +
                 QString::fromUtf8(ZodiacConstellation(raHours).data(),
                                   static_cast<qsizetype>(ZodiacConstellation(raHours).size()));
    lines << Format(QStringLiteral("Hour angle\t%.2f\u00B0"), {(S - raHours) * 15});
    lines << Format(QStringLiteral("Azimuth\t\t%.2f\u00B0"), {sun.Azimuth});
    lines << Format(QStringLiteral("Height\t\t%.2f\u00B0"), {sun.Altitude * kRadToDegrees});
    lines << Format(QStringLiteral("Equation of time\t%.2f min"), {equation});
    const HourMinute sunTime = SiderealHourMinute(S);
    lines << QStringLiteral("Sun time\t\t%1 h %2 min").arg(sunTime.hours).arg(sunTime.minutes);
    lines << Format(QStringLiteral("Earth distance\t%.0f km"),
                    {static_cast<double>(SunDistanceAU(T)) * 149597870});
    const long long R = std::llround(std::nearbyint(static_cast<double>(SunDiameter(T))));
    lines << QStringLiteral("Diameter\t\t%1' %2\"").arg(R / 60).arg(R % 60);
    lines << QString();

    const bool summer = SummerTimeSince1980(D, M, Y);
    auto event = [&](double v, const QString& none) {
        if (summer) v += 1.0 / 24;
        if (v >= -1000000) return TimeToStr(DayFraction(v + z / 24)) + QStringLiteral("  ZT");
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
    : ParameterWindow(
          ParameterWindowLayout{QStringLiteral("SunWindow"), QStringLiteral("Sun parameter"),
                                QSize(446, 306), 13, QStringLiteral("pl10"), QRect(48, 12, 117, 117),
                                QStringLiteral("Sun"), QPoint(218, 24), QRect(216, 72, 225, 249),
                                QRect(8, 136, 201, 177), true, SunFixedData()},
          snapshot, observer, parent),
      sun_(std::move(sunOnChart)) {}

SunWindow::SunWindow(const InfoSnapshot* snapshot, const ObserverState* observer,
                     const SunChartPosition* sunOnChart, QWidget* parent)
    : SunWindow(snapshot, observer,
                [sunOnChart] { return sunOnChart ? *sunOnChart : SunChartPosition{}; }, parent) {}

QString SunWindow::buildReport(const InfoSnapshot& snapshot, const ObserverState& observer) const {
    return BuildSunReport(snapshot, observer, sun_ ? sun_() : SunChartPosition{});
}

}  // namespace noctaris
