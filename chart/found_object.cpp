#include "chart/found_object.h"

#include <cmath>
#include <numbers>

#include <QCoreApplication>
#include <QDate>
#include <QLocale>
#include <QPainter>
#include <QPen>

#include "astro/core/body.h"
#include "astro/events/search.h"
#include "astro/theories/moonseries.h"
#include "astro/theories/planets.h"
#include "astro/time/instant.h"
#include "astro/time/local_time.h"
#include "astro/time/sidereal.h"
#include "catalog/deep_sky.h"
#include "chart/bodies.h"
#include "chart/skychart.h"

namespace noctaris {
namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
constexpr double kSunMagnitude = -26.74;

// The chart's frame at another moment of the same place: only what the horizontal conversion
// and the bodies' places read.
ChartFrame FrameAt(const ObserverState& state, double jdUT) {
    ChartFrame f;
    f.SinLat = std::sin(state.Latitude * kRadPerDeg);
    f.CosLat = std::cos(state.Latitude * kRadPerDeg);
    f.JulianDay = jdUT;
    f.SiderealAngle = LocalMeanSiderealHours(Instant::FromUT(jdUT), state.Longitude) / 12.0 * std::numbers::pi;
    return f;
}

// The altitude at which the object rises and sets, degrees.
double HorizonAltitude(const SkyObjectRef& object) {
    if (object.kind == SkyObjectKind::Body && object.number == static_cast<int>(Body::Sun)) return -50.0 / 60.0;
    if (object.kind == SkyObjectKind::Body && object.number == static_cast<int>(Body::Moon)) return 0.125;
    return kPlanetHorizonDeg;
}

double Altitude(const Catalogs& catalogs, const SkyObjectRef& object, const ObserverState& state, double jdUT) {
    return PlaceFoundObject(catalogs, object, FrameAt(state, jdUT), state).altitude;
}

constexpr int kSamplesPerDay = 144;  // ten minutes: no object rises and sets within one step
constexpr double kToleranceSeconds = 1;

}  // namespace

FoundPlace PlaceFoundObject(const Catalogs& catalogs, const SkyObjectRef& object, const ChartFrame& frame,
                            const ObserverState& state) {
    FoundPlace p;
    switch (object.kind) {
    case SkyObjectKind::Star:
        if (object.number >= 1 && static_cast<std::size_t>(object.number) <= catalogs.stars.size()) {
            const StarRecord& s = catalogs.Star(static_cast<std::size_t>(object.number));
            p.ra = s.RightAscension;
            p.dec = s.Declination;
            p.magnitude = s.Magnitude;
        }
        break;
    case SkyObjectKind::Constellation:
        if (object.number >= 0 && static_cast<std::size_t>(object.number) < catalogs.constellations.size()) {
            const Constellation& c = catalogs.constellations[static_cast<std::size_t>(object.number)];
            p.ra = c.labelRightAscension;
            p.dec = c.labelDeclination;
        }
        break;
    case SkyObjectKind::DeepSky: {
        const std::vector<DeepSkyObject>& objects = LoadDeepSky();
        if (object.number >= 0 && static_cast<std::size_t>(object.number) < objects.size()) {
            const DeepSkyObject& o = objects[static_cast<std::size_t>(object.number)];
            p.ra = o.ra;
            p.dec = o.dec;
            p.magnitude = o.magnitude;
        }
        break;
    }
    case SkyObjectKind::Body: {
        const Body body = static_cast<Body>(object.number);
        if (body == Body::Sun) {
            SunChartPosition sun;
            PlaceSunOnChart(frame, state, sun);
            p.ra = sun.RightAscension;
            p.dec = sun.Declination;
            p.magnitude = kSunMagnitude;
        } else if (body == Body::Moon) {
            const MoonShortPlace moon = MoonPositionShort(Instant::FromUT(frame.JulianDay));
            p.ra = moon.RightAscension * kRadPerDeg;
            p.dec = moon.Declination * kRadPerDeg;
        } else if (IsPlanet(body) && body != Body::Earth) {
            const PlanetEphemerisResult e =
                PlanetEphemeris(body, frame.JulianDay, state.Latitude, state.Longitude, state.TimeZone);
            p.ra = e.ra * kRadPerDeg;
            p.dec = e.dec * kRadPerDeg;
            if (std::isfinite(e.record.Magnitude)) p.magnitude = e.record.Magnitude;
        }
        break;
    }
    }
    double azimuthFromSouth = 0, altitude = 0;
    p.horizontal = ChartHorizontal(frame, p.ra, p.dec, azimuthFromSouth, altitude);
    if (p.horizontal) {
        p.azimuth = std::fmod(azimuthFromSouth + 540.0, 360.0);
        p.altitude = altitude / kRadPerDeg;
    } else {
        p.altitude = p.dec * (state.Latitude >= 0 ? 1 : -1) > 0 ? 90 : -90;
    }
    return p;
}

FoundDay FoundObjectDay(const Catalogs& catalogs, const SkyObjectRef& object, const ObserverState& state) {
    FoundDay day;
    const LocalDay local = LocalDayOf(ChartZone(state), CivilDate{state.Year, state.Month, state.Day});
    const double h0 = HorizonAltitude(object);
    const auto altitude = [&](double t) { return Altitude(catalogs, object, state, t); };
    const auto samples = SampleDay(local.startUT, kSamplesPerDay, altitude, local.hours / 24.0);
    const double end = local.startUT + local.hours / 24.0 + 1e-9;
    const auto above = [&](double a) { return a > h0; };
    day.rise = FirstCrossing(samples, [&](double a, double b) { return !above(a) && above(b); }, above, altitude, end,
                             kToleranceSeconds);
    day.set = FirstCrossing(samples, [&](double a, double b) { return above(a) && !above(b); }, above, altitude, end,
                            kToleranceSeconds);
    std::size_t top = 0;
    bool anyAbove = false, anyBelow = false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i].v > samples[top].v) top = i;
        (above(samples[i].v) ? anyAbove : anyBelow) = true;
    }
    // A highest point inside the day, not at one of its ends, is the culmination.
    if (top > 0 && top + 1 < samples.size()) {
        const double step = samples[1].t - samples[0].t;
        const double t = ParabolicExtremum(samples[top].t, step, 4, altitude);
        day.culmination = std::fabs(t - samples[top].t) <= step ? t : samples[top].t;
        day.culminationAltitude = altitude(*day.culmination);
    }
    day.alwaysAbove = !day.rise && !day.set && !anyBelow;
    day.alwaysBelow = !day.rise && !day.set && !anyAbove;
    return day;
}

std::optional<double> NextFoundObjectRise(const Catalogs& catalogs, const SkyObjectRef& object,
                                          const ObserverState& state, double fromUT, double days) {
    const double h0 = HorizonAltitude(object);
    const auto altitude = [&](double t) { return Altitude(catalogs, object, state, t); };
    const auto above = [&](double a) { return a > h0; };
    const int steps = static_cast<int>(std::ceil(days * kSamplesPerDay));
    const auto samples = SampleDay(fromUT, steps, altitude, days);
    return FirstCrossing(samples, [&](double a, double b) { return !above(a) && above(b); }, above, altitude,
                         fromUT + days, kToleranceSeconds);
}

namespace {


QString Kind(const Catalogs& catalogs, const ObjectIndex& index, const SkyObjectRef& object) {
    switch (object.kind) {
    case SkyObjectKind::Star: {
        const std::string& name = catalogs.StarNameOf(static_cast<std::size_t>(object.number)).utf8;
        const int c = catalogs.FindConstellation(std::string_view(name).substr(0, 3));
        if (c < 0) return QCoreApplication::translate("FoundObject", "Star");
        return QCoreApplication::translate("FoundObject", "Star in %1").arg(QString::fromStdString(index.DisplayName({SkyObjectKind::Constellation, c})));
    }
    case SkyObjectKind::DeepSky: {
        const DeepSkyObject& o = LoadDeepSky().at(static_cast<std::size_t>(object.number));
        const int c = catalogs.FindConstellation(o.constellation);
        if (c < 0) return DeepSkyTypeName(o);
        return QCoreApplication::translate("FoundObject", "%1 in %2")
            .arg(DeepSkyTypeName(o), QString::fromStdString(index.DisplayName({SkyObjectKind::Constellation, c})));
    }
    case SkyObjectKind::Constellation:
        return QCoreApplication::translate("FoundObject", "Constellation (%1)")
            .arg(QString::fromStdString(catalogs.constellations[static_cast<std::size_t>(object.number)].abbreviation));
    case SkyObjectKind::Body:
        if (object.number == static_cast<int>(Body::Sun)) return QCoreApplication::translate("FoundObject", "The Sun, the star of the solar system");
        if (object.number == static_cast<int>(Body::Moon)) return QCoreApplication::translate("FoundObject", "The Moon, the Earth's satellite");
        return QCoreApplication::translate("FoundObject", "Planet");
    }
    return {};
}

// Hours and minutes and seconds of right ascension, degrees, minutes and seconds of
// declination: the value rounded to the second first, then split.
QString RightAscensionText(double ra) {
    const long long s = std::llround(std::nearbyint(std::fmod(ra / std::numbers::pi * 12.0 + 24.0, 24.0) * 3600.0)) % 86400;
    return QStringLiteral("%1h %2m %3s").arg(s / 3600, 2, 10, QLatin1Char('0')).arg(s / 60 % 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
}
QString DeclinationText(double dec) {
    const double deg = dec / kRadPerDeg;
    const long long s = std::llround(std::nearbyint(std::fabs(deg) * 3600.0));
    return QStringLiteral("%1%2° %3′ %4″")
        .arg(deg < 0 && s > 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}
QString Degrees(double v) { return QLocale().toString(v, 'f', 1) + QStringLiteral("°"); }

}  // namespace

QString FoundClockText(double jdUT, const ObserverState& state) {
    const double minute = std::nearbyint(jdUT * 1440.0) / 1440.0;
    const ZoneDescription zone = ChartZone(state);
    const Instant t = Instant::FromUT(minute);
    const std::optional<CivilDateTime> local = LocalFromInstant(t, zone);
    if (!local) return QStringLiteral("?");
    QString text = QStringLiteral("%1:%2 %3")
                       .arg(local->time.hour, 2, 10, QLatin1Char('0'))
                       .arg(local->time.minute, 2, 10, QLatin1Char('0'))
                       .arg(QString::fromStdString(ZoneLabelAt(zone, t)));
    if (local->date != CivilDate{state.Year, state.Month, state.Day})
        text = QLocale().toString(QDate(local->date.year, local->date.month, local->date.day), QLocale::ShortFormat) +
               QLatin1Char(' ') + text;
    return text;
}

FoundReport BuildFoundReport(const ObjectIndex& index, const Catalogs& catalogs, const SkyObjectRef& object,
                             const ObserverState& state) {
    FoundReport r;
    r.title = QString::fromStdString(index.DisplayName(object));
    const ChartFrame frame = MakeChartFrame(state, 0, 0, 0);
    const FoundPlace p = PlaceFoundObject(catalogs, object, frame, state);
    r.lines << Kind(catalogs, index, object);
    if (object.kind == SkyObjectKind::DeepSky) {
        const DeepSkyObject& o = LoadDeepSky().at(static_cast<std::size_t>(object.number));
        QStringList designations;
        for (const std::string& d : o.designations) designations << QString::fromStdString(d);
        r.lines << QCoreApplication::translate("FoundObject", "Designations: %1").arg(designations.join(QStringLiteral(", ")));
        if (const QString size = DeepSkySizeText(o); !size.isEmpty())
            r.lines << QCoreApplication::translate("FoundObject", "Apparent size: %1").arg(size);
    }
    if (p.magnitude) r.lines << QCoreApplication::translate("FoundObject", "Magnitude: %1").arg(QLocale().toString(*p.magnitude, 'f', 2));
    r.lines << QCoreApplication::translate("FoundObject", "Right ascension %1, declination %2 (J2000)").arg(RightAscensionText(p.ra), DeclinationText(p.dec));
    if (p.horizontal)
        r.lines << QCoreApplication::translate("FoundObject", "Azimuth %1 (from the north through the east), altitude %2").arg(Degrees(p.azimuth), Degrees(p.altitude));
    const FoundDay day = FoundObjectDay(catalogs, object, state);
    const QString none = QStringLiteral("–");
    if (day.alwaysAbove) r.lines << QCoreApplication::translate("FoundObject", "Above the horizon all day");
    else if (day.alwaysBelow) r.lines << QCoreApplication::translate("FoundObject", "Below the horizon all day");
    else
        r.lines << QCoreApplication::translate("FoundObject", "Rises %1, sets %2").arg(day.rise ? FoundClockText(*day.rise, state) : none,
                                                 day.set ? FoundClockText(*day.set, state) : none);
    if (day.culmination)
        r.lines << QCoreApplication::translate("FoundObject", "Culminates %1 at altitude %2").arg(FoundClockText(*day.culmination, state), Degrees(day.culminationAltitude));
    r.belowHorizon = p.altitude < HorizonAltitude(object);
    if (r.belowHorizon) {
        r.nextRise = NextFoundObjectRise(catalogs, object, state, frame.JulianDay);
        r.lines << (r.nextRise ? QCoreApplication::translate("FoundObject", "Below the horizon now; it rises next at %1").arg(FoundClockText(*r.nextRise, state))
                               : QCoreApplication::translate("FoundObject", "Below the horizon now; it does not rise within the next two days"));
    }
    return r;
}

void DrawFoundMarker(ChartContext& context, const Catalogs& catalogs, const FoundMarker& marker) {
    if (!marker.object) return;
    const FoundPlace p = PlaceFoundObject(catalogs, *marker.object, context.frame, context.state);
    int x = 0, y = 0;
    if (!ProjectToScreen(context.frame, p.ra, p.dec, x, y)) return;
    // A ring with four ticks that leave the object itself free.
    QPainter& painter = context.canvas.Painter();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const bool night = context.options.Scheme == ChartScheme::Night;
    painter.setPen(QPen(night ? QColor(220, 0, 0) : QColor(255, 80, 80), 1.5));
    constexpr int kRadius = 14, kInner = 8, kOuter = 22;
    painter.drawEllipse(QPoint(x, y), kRadius, kRadius);
    painter.drawLine(x - kOuter, y, x - kInner, y);
    painter.drawLine(x + kInner, y, x + kOuter, y);
    painter.drawLine(x, y - kOuter, x, y - kInner);
    painter.drawLine(x, y + kInner, x, y + kOuter);
    painter.restore();
}

}  // namespace noctaris
