#include "windows/moon_window.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <limits>

#include <QCoreApplication>

#include "astro/time/calendar_dates.h"
#include "astro/events/apsides.h"
#include "astro/events/moon_phases.h"
#include "astro/theories/lunar_terms.h"
#include "astro/theories/moon.h"
#include "astro/theories/moonseries.h"
#include "astro/precise/precise_reports.h"
#include "astro/reports/sunmoon_reports.h"
#include "astro/time/instant.h"
#include "astro/time/sidereal.h"
#include "platform/format.h"
#include "windows/wincommon.h"

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
    // The figures follow the user's locale like every other number the windows show.
    return {
        Format(QCoreApplication::translate("MoonData", "Distance %.0f km = %.2f R⊕"), {384401.0, 60.33}),
        Format(QCoreApplication::translate("MoonData", "Radius %.0f km = %.4f R⊕"), {1738.0, 0.2725}),
        QCoreApplication::translate("MoonData", "Oblateness 1/1700"),
        Format(QCoreApplication::translate("MoonData", "Volume %.1f·10¹⁰ km³ = %.2f V⊕"), {2.2, 0.02}),
        Format(QCoreApplication::translate("MoonData", "Mass %.3f·10²² kg = 1/81 M⊕"), {7.347}),
        Format(QCoreApplication::translate("MoonData", "Density %.3f g/cm³"), {3.341}),
        Format(QCoreApplication::translate("MoonData", "Surface gravity %.3f g"), {0.165}),
        QCoreApplication::translate("MoonData", "Orbital inclination 5°8'43\""),
        Format(QCoreApplication::translate("MoonData", "Orbital eccentricity %.4f"), {0.0549}),
        Format(QCoreApplication::translate("MoonData", "Orbital velocity %.2f km/s"), {1.02}),
    };
}

namespace {

// The snapshot's local civil day in UT Julian days: from its own midnight to the next.
std::pair<double, double> LocalDayOf(const MomentSnapshot& snapshot) {
    const LocalDay day =
        noctaris::LocalDayOf(snapshot.ClockZone(), {snapshot.Year, snapshot.Month, snapshot.Day});
    return {day.startUT, day.startUT + day.hours / 24};
}

// The events of a local day of 23 or 25 hours from a search that covers 24 hours from its start:
// the first event of a 25th hour, which the 24 hours miss, and none past a 23rd.
template <class Search>
MoonDayEvents EventsOfLocalDay(const MomentSnapshot& snapshot, Search&& eventsFrom) {
    const auto [start, end] = LocalDayOf(snapshot);
    MoonDayEvents events = eventsFrom(start);
    const MoonDayEvents tail = end > start + 1 ? eventsFrom(end - 1) : MoonDayEvents{};
    for (auto field : {&MoonDayEvents::rise, &MoonDayEvents::transit, &MoonDayEvents::set}) {
        std::optional<double>& e = events.*field;
        if (!e && tail.*field && *(tail.*field) >= start + 1) e = tail.*field;
        if (e && *e >= end) e.reset();
    }
    return events;
}

}  // namespace

MoonDayEvents MoonEventsOfLocalDay(const MomentSnapshot& snapshot, double latitude, double eastLongitude) {
    return EventsOfLocalDay(snapshot, [&](double start) { return MoonEventsOfDay(start, latitude, eastLongitude); });
}

MoonReport ComputeMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer) {
    MoonReport r;
    const double z = snapshot.TimeZone;
    const int D = snapshot.Day, M = snapshot.Month, Y = snapshot.Year;
    r.Zone = z;
    r.Clock = snapshot.ClockZone();
    r.Moment = EncodeDate(Y, M, D) + snapshot.Hour / 24.0 + snapshot.Minute / 1440.0 +
               snapshot.Second / 86400.0;
    const double dayFraction = FractionOfDay(r.Moment);  // Frac(T), also for dates before 1900
    const double j0 = LocalMidnightJD(Y, M, D, z);      // local midnight, universal time
    r.JulianDayUT = j0 + dayFraction;
    const double lambda = observer.Longitude;
    r.SiderealHours = LocalMeanSiderealHours(Instant::FromUT(r.JulianDayUT), lambda);
    r.AgeDays = MoonAgeAt(r.JulianDayUT);

    const MoonFullPlace moon = MoonPositionFull(Instant::FromUT(r.JulianDayUT));
    r.IlluminatedFraction = moon.IlluminatedFraction;
    r.DistanceKm = moon.DistanceKm;
    r.DiameterDegrees = MoonApparentDiameter(r.DistanceKm).degrees;
    // The lunation the moment lies in: the new moon the age counts from to the next one.
    const LunationPhases lunation = LunationAt(r.JulianDayUT);
    r.Phases = {lunation.newMoon, lunation.firstQuarter, lunation.fullMoon, lunation.lastQuarter,
                lunation.nextNewMoon};
    r.Lunation = static_cast<int>(LunationNumber(Instant::FromUT(r.JulianDayUT)));
    const auto next = [&](LunarApsis kind) {
        if (!(std::fabs(r.JulianDayUT) < 1e9)) return r.JulianDayUT;  // no date at all
        return static_cast<double>(NextLunarApsis(kind, Instant::FromUT(r.JulianDayUT)).ut());
    };
    r.Perigee = next(LunarApsis::Perigee);
    r.Apogee = next(LunarApsis::Apogee);
    // Rising, culmination and setting on the local date of the report (local midnight to
    // midnight).
    const MoonDayEvents events = MoonEventsOfLocalDay(snapshot, observer.Latitude, lambda);
    r.Rise = events.rise;
    r.Transit = events.transit;
    r.Set = events.set;
    return r;
}

MoonReport ComputePreciseMoonReport(const InfoSnapshot& snapshot, const ObserverState& observer) {
    MoonReport r = ComputeMoonReport(snapshot, observer);
    const double j0 = LocalDayOf(snapshot).first;
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
    // The events of the local day (hours after local midnight).
    const auto eventsFrom = [&](double start) {
        const PreciseBodyReport q = start == j0 ? p
            : ComputePreciseBodyReport(Body::Moon, r.JulianDayUT, start, observer.Latitude, observer.Longitude);
        const auto event = [&](const std::optional<double>& hours) -> std::optional<double> {
            if (hours) return start + *hours / 24;
            return std::nullopt;
        };
        return MoonDayEvents{event(q.riseSet.rise), event(q.transit), event(q.riseSet.set)};
    };
    const MoonDayEvents events = EventsOfLocalDay(snapshot, eventsFrom);
    r.Rise = events.rise;
    r.Transit = events.transit;
    r.Set = events.set;
    r.Frame = FrameLabel(true);
    return r;
}

QString FormatMoonReport(const MoonReport& r) {
    const double z = r.Zone;
    const TDateTime T = r.Moment;
    const double dayFraction = FractionOfDay(T);
    // A universal-time Julian day as a local day count, on the clock kept at that instant.
    auto local = [&](double jd) {
        return JDToDateTime(jd + (r.Clock ? OffsetHoursAt(*r.Clock, Instant::FromUT(jd)) : z) / 24);
    };
    // The zone's name at that instant, as the Sun window shows it.
    auto zoneAt = [&](double jd) {
        const ZoneDescription clock = r.Clock ? *r.Clock : ZoneDescription{z, SummerTimeRule::None, nullptr};
        return QLatin1Char(' ') + QString::fromStdString(ZoneLabelAt(clock, Instant::FromUT(jd)));
    };
    QStringList lines;
    lines << QCoreApplication::translate("MoonReport", "Date\t\t") + DateText(T);
    lines << Format(QCoreApplication::translate("MoonReport", "Julian Date\t%.5f JD"),
                    {r.JulianDayUT});
    lines << QCoreApplication::translate("MoonReport", "Universal time\t") +
                 TimeToStr(FractionOfDay(T - z / 24));
    lines << QCoreApplication::translate("MoonReport", "Local time\t") + TimeToStr(dayFraction) +
                 zoneAt(r.JulianDayUT) + QStringLiteral(" ; ") + DateText(T);
    if (!r.Frame.empty())
        lines << QCoreApplication::translate("MoonReport", "Frame\t\t") + FrameShown(r.Frame);
    lines << QCoreApplication::translate("MoonReport", "Sidereal time\t") +
                 TimeToStr(r.SiderealHours / 24);

    const AgeParts age = SplitMoonAge(r.AgeDays);
    lines << QCoreApplication::translate("MoonReport", "Moon age\t\t") +
                 Format(QCoreApplication::translate("MoonReport", "%d d %d h %d min"),
                        {age.days, age.hours, age.minutes});

    const double distance = r.DistanceKm;
    lines << Format(QCoreApplication::translate("MoonReport", "Distance\t\t%.1f km"),
                    {distance});
    lines << Format(QCoreApplication::translate("MoonReport", "\t\t%.2f Earth radii"),
                    {distance / 6378});
    lines << Format(QCoreApplication::translate("MoonReport", "Illuminated fraction\t%.2f %%"),
                    {100 * r.IlluminatedFraction});
    const MoonDiameterParts diameter = MoonApparentDiameter(distance);
    lines << QCoreApplication::translate("MoonReport", "Moon diameter\t") +
                 Format(QStringLiteral("%.3f\u00B0 = %d'%.1f"),
                        {diameter.degrees, diameter.arcminutes, diameter.remainderSeconds}) +
                 QStringLiteral("\"");
    lines << QString();

    // Each phase on its local date.
    const std::array<double, 5>& phase = r.Phases;
    lines << QCoreApplication::translate("MoonReport", "New moon\t") + DateText(local(phase[0]));
    lines << QCoreApplication::translate("MoonReport", "Lunation\t\t") +
                 QString::number(r.Lunation);
    lines << QCoreApplication::translate("MoonReport", "First quarter\t") +
                 DateText(local(phase[1]));
    lines << QCoreApplication::translate("MoonReport", "Full moon\t\t") + DateText(local(phase[2]));
    lines << QCoreApplication::translate("MoonReport", "Last quarter\t") +
                 DateText(local(phase[3]));
    lines << QCoreApplication::translate("MoonReport", "New moon\t") + DateText(local(phase[4]));

    // In the short date format of the phases above.
    auto passage = [](double jd) {
        const TDateTime t = ToMinute(JDToDateTime(jd));
        return QCoreApplication::translate("MoonReport", "%1 UT, %2", "time of day in UT, date")
            .arg(HourMinuteText(t), DateText(t));
    };
    lines << QCoreApplication::translate("MoonReport", "Perigee\t\t") + passage(r.Perigee);
    lines << QCoreApplication::translate("MoonReport", "Apogee\t\t") + passage(r.Apogee);

    // Each event in universal time and on the place's clock, or "none on this day" (its own text per event:
    // other languages word it after the event's noun).
    auto event = [&](const QString& label, const QString& none, const std::optional<double>& jd) {
        if (!jd) {
            lines << label + none;
            return;
        }
        lines << label + QCoreApplication::translate("MoonReport", "%1 UT", "time of day in UT")
                             .arg(HourMinuteText(ToMinute(JDToDateTime(*jd))));
        lines << QStringLiteral("\t\t") +
                     QCoreApplication::translate("MoonReport", "%1%2", "local time of day, its zone")
                         .arg(HourMinuteText(ToMinute(local(*jd))), zoneAt(*jd));
    };
    event(QCoreApplication::translate("MoonReport", "Moonrise\t\t"),
          QCoreApplication::translate("MoonReport", "none on this day", "rising"), r.Rise);
    event(QCoreApplication::translate("MoonReport", "Culmination\t"),
          QCoreApplication::translate("MoonReport", "none on this day", "culmination"), r.Transit);
    event(QCoreApplication::translate("MoonReport", "Moonset\t\t"),
          QCoreApplication::translate("MoonReport", "none on this day", "setting"), r.Set);

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
          ParameterWindowLayout{QStringLiteral("MoonWindow"), tr("Moon data"), QSize(519, 360),
                                11, QStringLiteral("pl9"), QRect(56, 24, 117, 117),
                                QCoreApplication::translate("Planet", BodyName(Body::Moon)),
                                QRect(240, 16, 265, 329), QRect(12, 208, 209, 177), false,
                                MoonFixedData()},
          snapshot, observer, parent) {}

QImage MoonPhasePhoto(const QImage& fullMoon, double illuminatedFraction, bool waxing, bool southern) {
    QImage out = fullMoon.convertToFormat(QImage::Format_RGB32);
    if (out.isNull()) return out;
    // The disc: where the photograph is brighter than its black sky.
    int left = out.width(), right = -1, top = out.height(), bottom = -1;
    for (int y = 0; y < out.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(out.constScanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (qGray(line[x]) < 48) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    }
    if (right < left) return out;
    const double cx = (left + right + 1) / 2.0, cy = (top + bottom + 1) / 2.0;
    const double r = std::max(right - left + 1, bottom - top + 1) / 2.0;
    // The terminator is half an ellipse across the disc: its half-width along the Sun's side is
    // cos i = 2k - 1 of the radius at each height. What lies beyond it keeps a faint earthshine.
    const double k = std::clamp(std::isfinite(illuminatedFraction) ? illuminatedFraction : 1.0, 0.0, 1.0);
    const double cosI = 2 * k - 1;
    constexpr double kEarthshine = 0.12;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        const double v = (y + 0.5 - cy) / r;
        if (std::fabs(v) >= 1) continue;
        const double halfChord = std::sqrt(1 - v * v);
        for (int x = 0; x < out.width(); ++x) {
            const double u = (x + 0.5 - cx) / r;
            const double sunward = waxing ? u : -u;
            // Pixels on the sunward side of the terminator, softened over one pixel.
            const double lit = std::clamp((sunward + cosI * halfChord) * r + 0.5, 0.0, 1.0);
            const double f = kEarthshine + (1 - kEarthshine) * lit;
            const QRgb p = line[x];
            line[x] = qRgb(static_cast<int>(qRed(p) * f + 0.5), static_cast<int>(qGreen(p) * f + 0.5),
                           static_cast<int>(qBlue(p) * f + 0.5));
        }
    }
    return southern ? out.mirrored(true, true) : out;
}

QString MoonWindow::buildReport(const InfoSnapshot& snapshot, const ObserverState& observer) const {
    const MoonReport r = snapshot.Precise ? ComputePreciseMoonReport(snapshot, observer)
                                          : ComputeMoonReport(snapshot, observer);
    phase_ = {r.IlluminatedFraction, r.AgeDays < kSynodicMonth / 2, observer.Latitude < 0};
    return FormatMoonReport(r);
}

void MoonWindow::refreshPhoto() {
    if (photo().isNull() || shown_ == phase_) return;
    showPhoto(MoonPhasePhoto(photo(), phase_.fraction, phase_.waxing, phase_.southern));
    shown_ = phase_;
}

}  // namespace noctaris
