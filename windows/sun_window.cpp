#include "windows/sun_window.h"

#include <cmath>
#include <exception>

#include <QCoreApplication>

#include "astro/core/constants.h"
#include "astro/precise/precise_reports.h"
#include "astro/events/sun_rise_set.h"
#include "astro/theories/sun.h"
#include "astro/reports/sunmoon_reports.h"
#include "astro/time/local_time.h"
#include "astro/time/sidereal.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "windows/wincommon.h"
#include "astro/time/calendar_dates.h"

namespace noctaris {
namespace {


// Value for the display: non-finite chart values (a chart that has not drawn) count as 0.
double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

}  // namespace

QStringList SunFixedData() {
    // The figures follow the user's locale like every other number the windows show.
    return {
        Format(QCoreApplication::translate("SunData", "Mean distance %.0f km"), {149597893.0}),
        Format(QCoreApplication::translate("SunData", "Radius %.0f km = %.0f R⊕"), {695800.0, 109.0}),
        Format(QCoreApplication::translate("SunData", "Volume %.3f·10¹⁸ km³"), {1.410}),
        Format(QCoreApplication::translate("SunData", "Mass %.3f·10³⁰ kg"), {1.985}),
        Format(QCoreApplication::translate("SunData", "Density %.2f g/cm³"), {1.41}),
        Format(QCoreApplication::translate("SunData", "Surface gravity %.1f g"), {27.9}),
        Format(QCoreApplication::translate("SunData", "Apparent magnitude %.1f"), {-26.8}),
        QCoreApplication::translate("SunData", "Temperature 5700 K"),
        Format(QCoreApplication::translate("SunData", "Absolute magnitude %.2f"), {4.83}),
        QCoreApplication::translate("SunData", "Spectral class G2"),
        QCoreApplication::translate("SunData", "Luminosity class V"),
        Format(QCoreApplication::translate("SunData", "Age %.1f billion years"), {4.5}),
    };
}

SunReport ComputeSunReport(const InfoSnapshot& snapshot, const ObserverState& observer,
                           const SunChartPosition& sun) {
    SunReport r;
    const double z = snapshot.TimeZone;  // the place's clock on that day
    r.Day = snapshot.Day;
    r.Month = snapshot.Month;
    r.Year = snapshot.Year;
    const int D = r.Day, M = r.Month, Y = r.Year;
    r.Date = EncodeDate(Y, M, D);
    r.Moment = r.Date + snapshot.Hour / 24.0 + snapshot.Minute / 1440.0 + snapshot.Second / 86400.0;
    const double j0h = LocalMidnightJD(Y, M, D, z) + z / 24;  // 0 h UT of the date
    r.DayNumber = static_cast<int>(DayOfYear(Y, M, D));
    r.EquationOfTimeMinutes =
        std::nearbyint(EquationOfTimeMinutes(static_cast<double>(SeasonalDayOfYear(Y, M, D))) * 100) / 100;
    const double ut = snapshot.Hour + snapshot.Minute / 60.0 + snapshot.Second / 3600.0 - z;
    r.SiderealHours = LocalMeanSiderealHours(Instant::FromUT(j0h + ut / 24), observer.Longitude);

    r.RightAscensionHours = Finite(sun.RightAscension) * kRadian / 15;
    while (r.RightAscensionHours > 24) r.RightAscensionHours -= 24;  // the chart's longitude runs up to 3 pi
    const std::string_view zodiac = ZodiacConstellation(r.RightAscensionHours);
    r.Constellation = QString::fromUtf8(zodiac.data(), static_cast<qsizetype>(zodiac.size()));
    r.DeclinationDegrees = sun.Declination * kRadian;
    r.HourAngleDegrees = (r.SiderealHours - r.RightAscensionHours) * 15;
    r.AzimuthDegrees = sun.Azimuth;
    r.AltitudeDegrees = sun.Altitude * kRadian;
    const Instant moment = Instant::FromUT(DateTimeToJD(r.Moment) - z / 24);  // z h ahead of UT
    r.DistanceKm = static_cast<double>(SunDistanceAU(moment)) * kKmPerAU;
    r.DiameterArcseconds = static_cast<double>(SunDiameter(moment));

    r.Clock = snapshot.ClockZone();
    r.ZoneLabel = QString::fromStdString(ZoneLabelAt(*r.Clock, moment));
    const double west = -observer.Longitude, phi = observer.Latitude;
    // The local day from its own midnight, which on a change day is not on the moment's clock.
    // It lasts until the next day's midnight: 25 hours when the clock goes back, 23 when it goes on.
    const LocalDay day = LocalDayOf(*r.Clock, {Y, M, D});
    const SunDayPositions positions =
        SunPositionsOfDay(r.Date - day.startOffsetHours / 24, day.hours / 24);
    r.Sunrise = SunRiseTransitSet(HorizonEvent::Rise, west, phi, positions);
    r.Sunset = SunRiseTransitSet(HorizonEvent::Set, west, phi, positions);
    r.Culmination = SunRiseTransitSet(HorizonEvent::Transit, west, phi, positions);
    r.Zone = z;
    return r;
}

SunReport ComputePreciseSunReport(const InfoSnapshot& snapshot, const ObserverState& observer) {
    SunReport r = ComputeSunReport(snapshot, observer, SunChartPosition{});
    const double jd = LocalMidnightJD(r.Year, r.Month, r.Day, r.Zone) +
                      (snapshot.Hour + snapshot.Minute / 60.0 + snapshot.Second / 3600.0) / 24;
    const LocalDay day = LocalDayOf(snapshot.ClockZone(), {r.Year, r.Month, r.Day});
    const double j0 = day.startUT;  // 0 h local time
    const PreciseBodyReport p =
        ComputePreciseBodyReport(Body::Sun, jd, j0, observer.Latitude, observer.Longitude, day.hours / 24);
    r.SiderealHours = p.localSiderealHours;
    r.RightAscensionHours = p.geocentric.ra / 15;
    r.DeclinationDegrees = p.geocentric.dec;
    const std::string_view zodiac = ZodiacConstellation(r.RightAscensionHours);
    r.Constellation = QString::fromUtf8(zodiac.data(), static_cast<qsizetype>(zodiac.size()));
    r.HourAngleDegrees = (r.SiderealHours - r.RightAscensionHours) * 15;
    r.AzimuthDegrees = p.horizontal.azimuth - 180;  // from the south through the west, as the chart
    r.AltitudeDegrees = p.horizontal.altitude;
    r.DistanceKm = p.geocentric.distance * kKmPerAU;
    r.DiameterArcseconds = p.geocentric.diameter;
    const auto event = [&](const std::optional<double>& hours) -> std::optional<TDateTime> {
        if (!hours) return std::nullopt;
        return JDToDateTime(j0 + *hours / 24);
    };
    r.Sunrise = event(p.riseSet.rise);
    r.Sunset = event(p.riseSet.set);
    r.Culmination = event(p.transit);
    r.Frame = FrameLabel(true);
    return r;
}

QString FormatSunReport(const SunReport& r) {
    const HourMinute ra = SplitHourMinute(r.RightAscensionHours);  // rounded to the minute, then split
    QStringList lines;
    lines << QCoreApplication::translate("SunReport", "Date\t\t%1.%2.%3")
                 .arg(r.Day)
                 .arg(r.Month)
                 .arg(r.Year);
    lines << QCoreApplication::translate("SunReport", "Day of year\t") +
                 QString::number(r.DayNumber);
    lines << QCoreApplication::translate("SunReport", "Time\t\t") +
                 TimeToStr(FractionOfDay(r.Moment));
    if (!r.Frame.empty())
        lines << QCoreApplication::translate("SunReport", "Frame\t\t") + FrameShown(r.Frame);
    lines << Format(QCoreApplication::translate("SunReport", "Declination\t%.2f°"),
                    {r.DeclinationDegrees});
    lines << Format(QCoreApplication::translate("SunReport", "Right ascension\t%dh%dmin"),
                    {ra.hours, ra.minutes});
    lines << QCoreApplication::translate("SunReport", "Constellation\t") + r.Constellation;
    lines << Format(QCoreApplication::translate("SunReport", "Hour angle\t%.2f°"),
                    {r.HourAngleDegrees});
    lines << Format(QCoreApplication::translate("SunReport", "Azimuth\t\t%.2f°"),
                    {r.AzimuthDegrees});
    lines << Format(QCoreApplication::translate("SunReport", "Altitude\t\t%.2f°"),
                    {r.AltitudeDegrees});
    lines << Format(QCoreApplication::translate("SunReport", "Equation of time\t%.2f min"),
                    {r.EquationOfTimeMinutes});
    const HourMinute sidereal = SplitHourMinute(r.SiderealHours);
    lines << QCoreApplication::translate("SunReport", "Sidereal time\t%1 h %2 min")
                 .arg(sidereal.hours)
                 .arg(sidereal.minutes);
    lines << Format(QCoreApplication::translate("SunReport", "Distance\t\t%.0f km"),
                    {r.DistanceKm});
    const long long R = std::llround(std::nearbyint(r.DiameterArcseconds));
    lines
        << QCoreApplication::translate("SunReport", "Diameter\t\t%1' %2\"").arg(R / 60).arg(R % 60);
    lines << QString();

    auto event = [&](std::optional<double> t, const QString& none) {
        if (!t) return none;
        const double v = *t;
        if (!r.Clock) return TimeToStr(FractionOfDay(v + r.Zone / 24)) + QLatin1Char(' ') + r.ZoneLabel;
        const Instant at = Instant::FromUT(DateTimeToJD(v));
        return TimeToStr(FractionOfDay(v + OffsetHoursAt(*r.Clock, at) / 24)) + QLatin1Char(' ') +
               QString::fromStdString(ZoneLabelAt(*r.Clock, at));
    };
    lines << QCoreApplication::translate("SunReport", "Sunrise\t\t") +
                 event(r.Sunrise, QCoreApplication::translate("SunReport", "No rise"));
    lines << QCoreApplication::translate("SunReport", "Sunset\t\t") +
                 event(r.Sunset, QCoreApplication::translate("SunReport", "No set"));
    lines << QCoreApplication::translate("SunReport", "Culmination\t") +
                 event(r.Culmination, QCoreApplication::translate("SunReport", "No culmination"));
    return lines.join(QStringLiteral("\r\n"));
}

QString BuildSunReport(const InfoSnapshot& snapshot, const ObserverState& observer,
                       const SunChartPosition& sun) {
    return FormatSunReport(snapshot.Precise ? ComputePreciseSunReport(snapshot, observer)
                                            : ComputeSunReport(snapshot, observer, sun));
}

SunWindow::SunWindow(const InfoSnapshot* snapshot, const ObserverState* observer,
                     std::function<SunChartPosition()> sunOnChart, QWidget* parent)
    : ParameterWindow(
          ParameterWindowLayout{QStringLiteral("SunWindow"), tr("Sun data"), QSize(470, 306),
                                13, QStringLiteral("pl10"), QRect(48, 12, 117, 117),
                                QCoreApplication::translate("Planet", BodyName(Body::Sun)),
                                QRect(216, 72, 249, 249), QRect(8, 136, 201, 177), true,
                                SunFixedData()},
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
