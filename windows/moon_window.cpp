#include "windows/moon_window.h"

#include <array>
#include <cmath>
#include <exception>
#include <limits>

#include "astro/calendar_dates.h"
#include "astro/moon.h"
#include "astro/moonseries.h"
#include "astro/precise_reports.h"
#include "astro/sunmoon_reports.h"
#include "platform/format.h"

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

MoonReport ComputeMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer) {
    MoonReport r;
    const double z = snapshot.TimeZone;
    const int D = snapshot.Day, M = snapshot.Month, Y = snapshot.Year;
    r.Zone = z;
    r.Moment = EncodeDate(Y, M, D) + snapshot.Hour / 24.0 + snapshot.Minute / 1440.0 +
               snapshot.Second / 86400.0;
    const double dayFraction = FractionOfDay(r.Moment);  // Frac(T), also for dates before 1900
    const double j0 = ReportMidnightJD(Y, M, D, z);      // local midnight, universal time
    r.JulianDayUT = j0 + dayFraction;
    const double lambda = observer.Longitude;
    // The sidereal time counts from 0 h UT of the day.
    r.SiderealHours = ReportSiderealTime(j0 + z / 24, dayFraction * 24 - z, lambda);
    r.AgeDays = MoonAgeAt(r.JulianDayUT);

    double ra, dec, apparentLongitude, perigee, node;
    MoonPositionFull(DynamicalFromUniversal(r.JulianDayUT), ra, dec, r.IlluminatedFraction,
                     apparentLongitude, perigee, node, r.DistanceKm);
    r.DiameterDegrees = MoonApparentDiameter(r.DistanceKm).degrees;
    // The lunation the moment lies in: the new moon the age counts from to the next one.
    const LunationPhases lunation = LunationAt(r.JulianDayUT);
    r.Phases = {lunation.newMoon, lunation.firstQuarter, lunation.fullMoon, lunation.lastQuarter,
                lunation.nextNewMoon};
    r.Lunation = LunationNumber(JDToDateTime(lunation.newMoon) + 1);
    r.Perigee = NextLunarApsis(0, r.JulianDayUT);
    r.Apogee = NextLunarApsis(1, r.JulianDayUT);
    // Rising, culmination and setting on the local date of the report (local midnight to
    // midnight).
    const MoonDayEvents events = MoonEventsOfDay(j0, observer.Latitude, lambda);
    r.Rise = events.rise;
    r.Transit = events.transit;
    r.Set = events.set;
    return r;
}

MoonReport ComputePreciseMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer) {
    MoonReport r = ComputeMoonReport(snapshot, observer);
    const double j0 = ReportMidnightJD(snapshot.Year, snapshot.Month, snapshot.Day, r.Zone);
    const PreciseBodyReport p =
        ComputePreciseBodyReport(Body::Moon, r.JulianDayUT, j0, observer.Latitude, observer.Longitude);
    r.SiderealHours = p.localSiderealHours;
    r.DistanceKm = p.geocentric.distance * kKmPerAU;
    r.IlluminatedFraction = p.geocentric.phase;
    r.DiameterDegrees = p.geocentric.diameter / 3600;
    r.RightAscensionDegrees = p.geocentric.ra;
    r.DeclinationDegrees = p.geocentric.dec;
    r.AzimuthDegrees = std::fmod(p.horizontal.azimuth + 180, 360.0);
    r.AltitudeDegrees = p.horizontal.altitude;
    // The events of the local day (hours after local midnight; negative codes and NaN: none).
    const auto event = [&](double hours) -> std::optional<double> {
        if (hours >= 0) return j0 + hours / 24;
        return std::nullopt;
    };
    r.Rise = event(p.rise);
    r.Transit = event(p.transit);
    r.Set = event(p.set);
    r.Frame = FrameLabel(true);
    return r;
}

QString FormatMoonReport(const MoonReport& r) {
    const double z = r.Zone;
    const TDateTime T = r.Moment;
    const double dayFraction = FractionOfDay(T);
    // A universal-time Julian day as a local day count.
    auto local = [&](double jd) { return JDToDateTime(jd + z / 24); };
    QStringList lines;
    lines << QStringLiteral("Date\t\t") + DateText(T);
    lines << Format(QStringLiteral("Julian Date\t%.5f JD"), {r.JulianDayUT});
    lines << QStringLiteral("Universal time\t") + TimeToStr(FractionOfDay(T - z / 24));
    lines << QStringLiteral("Local time\t") + TimeToStr(dayFraction) + QStringLiteral(" ; ") +
                 DateText(T);
    if (!r.Frame.empty())
        lines << QStringLiteral("Frame\t\t") + QString::fromLatin1(r.Frame.data(), r.Frame.size());
    lines << QStringLiteral("Sidereal time\t") + TimeToStr(r.SiderealHours / 24);

    const AgeParts age = SplitMoonAge(r.AgeDays);
    lines << QStringLiteral("Moon age\t\t") +
                 Format(QStringLiteral("%d d %d h %d min"), {age.days, age.hours, age.minutes});

    const double distance = r.DistanceKm;
    lines << QStringLiteral("Earth distance\t") + Format(QStringLiteral("%.1f km"), {distance});
    lines << QStringLiteral("\t\t") + Format(QStringLiteral("%.2f Earth radius"), {distance / 6378});
    lines << Format(QStringLiteral("Illuminating part\t%.2f %%"), {100 * r.IlluminatedFraction});
    const MoonDiameterParts diameter = MoonApparentDiameter(distance);
    lines << QStringLiteral("Moon diameter\t") +
                 Format(QStringLiteral("%.3f\u00B0 = %d'%.1f"),
                        {diameter.degrees, diameter.arcminutes, diameter.remainderSeconds}) +
                 QStringLiteral("\"");
    lines << QString();

    // Each phase on its local date.
    const std::array<double, 5>& phase = r.Phases;
    lines << QStringLiteral("New moon\t") + DateText(local(phase[0]));
    lines << QStringLiteral("Lunation\t\t") + QString::number(r.Lunation);
    lines << QStringLiteral("First quarter\t") + DateText(local(phase[1]));
    lines << QStringLiteral("Full moon\t\t") + DateText(local(phase[2]));
    lines << QStringLiteral("Last quarter\t") + DateText(local(phase[3]));
    lines << QStringLiteral("New moon\t") + DateText(local(phase[4]));

    auto passage = [](double jd) {
        const TDateTime t = ToMinute(JDToDateTime(jd));
        return QStringLiteral("UT ") + HourMinuteText(t) + QStringLiteral(" ") +
               FormatDateTime(QStringLiteral("d.mm.yyyy"), std::floor(t));
    };
    lines << QStringLiteral("Perigee\t\t") + passage(r.Perigee);
    lines << QStringLiteral("Apogee\t\t") + passage(r.Apogee);

    // Each event in universal and in local time, or "none on this day".
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
    event(QStringLiteral("Rising time\t"), r.Rise);
    event(QStringLiteral("Culmination\t"), r.Transit);
    event(QStringLiteral("Moonset time\t"), r.Set);

    QString report;
    for (const QString& line : lines) report += line + kCrLf;
    return report;
}

QString BuildMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer) {
    return FormatMoonReport(snapshot.Precise ? ComputePreciseMoonReport(snapshot, observer)
                                             : ComputeMoonReport(snapshot, observer));
}

MoonWindow::MoonWindow(const InfoSnapshot* snapshot, const ObserverState* observer, QWidget* parent)
    : ParameterWindow(
          ParameterWindowLayout{QStringLiteral("MoonWindow"), QStringLiteral("Moon parameter"),
                                QSize(519, 360), 11, QStringLiteral("pl9"), QRect(56, 24, 117, 117),
                                QStringLiteral("Moon"), QPoint(88, 152), QRect(240, 16, 265, 329),
                                QRect(12, 208, 209, 177), false, MoonFixedData()},
          snapshot, observer, parent) {}

QString MoonWindow::buildReport(const InfoSnapshot& snapshot, const ObserverState& observer) const {
    return BuildMoonReport(snapshot, observer);
}

}  // namespace noctaris
