#include "windows/tonight_window_report.h"

#include <cmath>

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QSvgGenerator>

#include "astro/core/constants.h"
#include "catalog/catalog.h"
#include "catalog/deep_sky.h"
#include "catalog/object_index.h"
#include "chart/projection.h"
#include "platform/format.h"
#include "platform/language.h"

namespace noctaris {
namespace {

QString Degrees(double v) { return FormatInt(static_cast<long long>(std::nearbyint(v))) + QStringLiteral("°"); }

QString BodyShown(const NightTrack& t) {
    if (t.body) return QCoreApplication::translate("Planet", t.name.c_str());
    return QString::fromStdString(t.shown.empty() ? t.name : t.shown);
}

// "rises 20:57, culminates 04:07 at 52°, sets 11:18", or where it stays.
QString PassagesText(const NightTrack& t, const ZoneDescription& zone) {
    QStringList parts;
    if (t.alwaysAbove) parts << QCoreApplication::translate("Tonight", "above the horizon all night");
    if (t.alwaysBelow) parts << QCoreApplication::translate("Tonight", "below the horizon all night");
    if (t.rise) parts << QCoreApplication::translate("Tonight", "rises %1").arg(TonightClockText(*t.rise, zone));
    if (t.culmination)
        parts << QCoreApplication::translate("Tonight", "culminates %1 at %2").arg(TonightClockText(*t.culmination, zone), Degrees(t.culminationAltitude));
    if (t.set) parts << QCoreApplication::translate("Tonight", "sets %1").arg(TonightClockText(*t.set, zone));
    return parts.join(QStringLiteral(", "));
}

QString VisibilityShown(const NightTrack& t, const ZoneDescription& zone) {
    switch (t.visibility) {
        case Visibility::Visible:
            return QCoreApplication::translate("Tonight", "best %1 at %2").arg(TonightClockText(*t.best, zone), Degrees(t.bestAltitude));
        case Visibility::TooCloseToSun: return QCoreApplication::translate("Tonight", "too close to the Sun");
        case Visibility::BelowHorizon: return QCoreApplication::translate("Tonight", "below the horizon all night");
        case Visibility::SkyNotDark: return QCoreApplication::translate("Tonight", "the sky does not get dark");
    }
    return {};
}

const char* VisibilityKey(Visibility v) {
    switch (v) {
        case Visibility::Visible: return "visible";
        case Visibility::TooCloseToSun: return "too_close_to_sun";
        case Visibility::BelowHorizon: return "below_horizon";
        case Visibility::SkyNotDark: return "sky_not_dark";
    }
    return "";
}

const char* NightKey(NightKind k) {
    switch (k) {
        case NightKind::Dark: return "dark";
        case NightKind::NoAstronomicalNight: return "no_astronomical_night";
        case NightKind::PolarDay: return "polar_day";
        case NightKind::PolarNight: return "polar_night";
    }
    return "";
}

void AddInstant(exports::Record& r, const char* utc, const char* local, const std::optional<double>& jd,
                const ZoneDescription& zone) {
    r.push_back({utc, jd ? exports::IsoUtc(*jd) : exports::Value()});
    r.push_back({local, jd ? exports::IsoLocal(*jd, OffsetHoursAt(zone, Instant::FromUT(*jd))) : exports::Value()});
}

QString DateShown(const CivilDate& d) { return DateToStr(EncodeDate(d.year, d.month, d.day)); }

}  // namespace

TonightReport ComputeTonightOf(const ObserverState& observer, const CivilDate& date, bool precise,
                               const std::vector<FixedObject>& objects) {
    return ComputeTonight(date, {observer.Latitude, observer.Longitude, 0}, ChartZone(observer), precise, objects);
}

std::optional<FixedObject> FixedObjectOf(const ObjectIndex& index, const Catalogs& catalogs,
                                         const SkyObjectRef& object) {
    FixedObject o;
    o.shown = index.DisplayName(object);
    o.name = object.kind == SkyObjectKind::Star && object.number >= 1 &&
                     static_cast<std::size_t>(object.number) <= catalogs.starNames.size()
                 ? catalogs.StarNameOf(static_cast<std::size_t>(object.number)).utf8
             : object.kind == SkyObjectKind::Constellation && object.number >= 0 &&
                     static_cast<std::size_t>(object.number) < catalogs.constellations.size()
                 ? catalogs.constellations[static_cast<std::size_t>(object.number)].latin
                 : o.shown;
    if (object.kind == SkyObjectKind::Star && object.number >= 1 &&
        static_cast<std::size_t>(object.number) <= catalogs.stars.size()) {
        const StarRecord& s = catalogs.Star(static_cast<std::size_t>(object.number));
        o.ra = s.RightAscension * kRadian;
        o.dec = s.Declination * kRadian;
        o.magnitude = s.Magnitude;
        return o;
    }
    if (object.kind == SkyObjectKind::Constellation && object.number >= 0 &&
        static_cast<std::size_t>(object.number) < catalogs.constellations.size()) {
        const Constellation& c = catalogs.constellations[static_cast<std::size_t>(object.number)];
        o.ra = c.labelRightAscension * kRadian;
        o.dec = c.labelDeclination * kRadian;
        return o;
    }
    if (object.kind == SkyObjectKind::DeepSky && object.number >= 0 &&
        static_cast<std::size_t>(object.number) < LoadDeepSky().size()) {
        const DeepSkyObject& d = LoadDeepSky()[static_cast<std::size_t>(object.number)];
        if (!d.designations.empty()) o.name = d.designations.front();
        o.ra = d.ra * kRadian;
        o.dec = d.dec * kRadian;
        o.magnitude = d.magnitude;
        return o;
    }
    return std::nullopt;
}

std::vector<FixedObject> BrightStars(const Catalogs& catalogs, double magnitude) {
    std::vector<FixedObject> stars;
    for (std::size_t i = 0; i < catalogs.stars.size() && i < catalogs.starNames.size(); ++i) {
        const StarRecord& s = catalogs.stars[i];
        const std::string& label = catalogs.starNames[i].label;
        if (s.Magnitude > magnitude || label.empty()) continue;
        stars.push_back({label, s.RightAscension * kRadian, s.Declination * kRadian, s.Magnitude, {}});
    }
    return stars;
}

std::vector<FixedObject> BrightDeepSky(double magnitude) {
    std::vector<FixedObject> objects;
    for (const DeepSkyObject& d : LoadDeepSky()) {
        // A dark nebula's figure is not a brightness one sees it by.
        if (!d.magnitude || *d.magnitude > magnitude || d.designations.empty() || d.kind == DeepSkyKind::DarkNebula)
            continue;
        const std::string& common = d.Name(CurrentLanguage());
        FixedObject o{d.designations.front(), d.ra * kRadian, d.dec * kRadian, d.magnitude, d.designations.front()};
        if (!common.empty()) o.shown += " " + common;
        objects.push_back(std::move(o));
    }
    return objects;
}

QString TonightClockText(double jdUT, const ZoneDescription& zone) {
    if (!std::isfinite(jdUT)) return QStringLiteral("–");
    // Rounded to the minute first, then read.
    const double rounded = std::nearbyint(jdUT * 1440) / 1440;
    const std::optional<CivilDateTime> local = LocalFromInstant(Instant::FromUT(rounded + 0.5 / 86400), zone);
    if (!local) return QStringLiteral("–");
    return QString::asprintf("%02d:%02d", local->time.hour, local->time.minute);
}

QString FormatTonightReport(const TonightReport& r, const ZoneDescription& zone, const QString& placeName,
                            const std::vector<QString>& culminating,
                            const std::vector<QString>& culminatingDeepSky) {
    QStringList lines;
    lines << QCoreApplication::translate("Tonight", "The night of %1 in %2 (%3)")
                 .arg(DateShown(r.date), placeName,
                      QString::fromStdString(ZoneLabelAt(zone, Instant::FromUT((r.start + r.end) / 2))));
    const auto instant = [&](const char* label, const std::optional<double>& t) {
        lines << QCoreApplication::translate("Tonight", label) + QLatin1Char('\t') + (t ? TonightClockText(*t, zone) : QCoreApplication::translate("Tonight", "none"));
    };
    instant(QT_TRANSLATE_NOOP("Tonight", "Sunset"), r.sun.sunset);
    instant(QT_TRANSLATE_NOOP("Tonight", "End of civil twilight"), r.sun.civilDusk);
    instant(QT_TRANSLATE_NOOP("Tonight", "End of nautical twilight"), r.sun.nauticalDusk);
    instant(QT_TRANSLATE_NOOP("Tonight", "End of astronomical twilight"), r.sun.astronomicalDusk);
    instant(QT_TRANSLATE_NOOP("Tonight", "Start of astronomical twilight"), r.sun.astronomicalDawn);
    instant(QT_TRANSLATE_NOOP("Tonight", "Start of nautical twilight"), r.sun.nauticalDawn);
    instant(QT_TRANSLATE_NOOP("Tonight", "Start of civil twilight"), r.sun.civilDawn);
    instant(QT_TRANSLATE_NOOP("Tonight", "Sunrise"), r.sun.sunrise);
    switch (r.sun.kind) {
        case NightKind::Dark: break;
        case NightKind::NoAstronomicalNight:
            lines << QCoreApplication::translate("Tonight", "No astronomical night: the Sun stays above -18° (lowest %1)").arg(Degrees(r.sun.lowestAltitude));
            break;
        case NightKind::PolarDay: lines << QCoreApplication::translate("Tonight", "Polar day: the Sun does not set"); break;
        case NightKind::PolarNight: lines << QCoreApplication::translate("Tonight", "Polar night: the Sun does not rise"); break;
    }
    lines << QString();
    lines << QCoreApplication::translate("Tonight", "Moon") + QLatin1Char('\t') + PassagesText(r.moon, zone);
    lines << QCoreApplication::translate("Tonight", "Moon phase") + QLatin1Char('\t') +
                 QCoreApplication::translate("Tonight", "%1 % illuminated, %2")
                     .arg(FormatInt(static_cast<long long>(std::nearbyint(100 * r.moonIlluminated))),
                          r.moonWaxing ? QCoreApplication::translate("Tonight", "waxing") : QCoreApplication::translate("Tonight", "waning"));
    if (r.dark) {
        QStringList spans;
        for (const Interval& i : r.darkWithoutMoon)
            spans << TonightClockText(i.from, zone) + QStringLiteral("–") + TonightClockText(i.to, zone);
        const long long minutes = std::llround(r.darkWithoutMoonHours * 60);
        lines << QCoreApplication::translate("Tonight", "Dark without the Moon") + QLatin1Char('\t') +
                     (spans.isEmpty() ? QCoreApplication::translate("Tonight", "none")
                                      : QCoreApplication::translate("Tonight", "%1 (%2 h %3 min)").arg(spans.join(QStringLiteral(", "))).arg(minutes / 60).arg(minutes % 60));
    }
    lines << QString();
    const auto track = [&](const NightTrack& t) {
        QString line = BodyShown(t) + QLatin1Char('\t') + VisibilityShown(t, zone);
        const QString passages = PassagesText(t, zone);
        if (!passages.isEmpty()) line += QStringLiteral("; ") + passages;
        if (t.magnitude) line += QStringLiteral("; ") + QCoreApplication::translate("Tonight", "%1 mag").arg(FormatFixed(*t.magnitude, 1));
        if (!t.constellation.empty())
            line += QStringLiteral(", ") + QString::fromStdString(t.constellation);
        lines << line;
    };
    for (const NightTrack& t : r.planets) track(t);
    if (!r.objects.empty()) lines << QString();
    for (const NightTrack& t : r.objects) track(t);
    if (!culminating.empty()) {
        lines << QString();
        QStringList names;
        for (const QString& n : culminating) names << n;
        lines << QCoreApplication::translate("Tonight", "Culminating in the dark") + QLatin1Char('\t') + names.join(QStringLiteral(", "));
    }
    if (!culminatingDeepSky.empty()) {
        if (culminating.empty()) lines << QString();
        QStringList names;
        for (const QString& n : culminatingDeepSky) names << n;
        lines << QCoreApplication::translate("Tonight", "Deep-sky objects culminating") + QLatin1Char('\t') + names.join(QStringLiteral(", "));
    }
    return lines.join(QStringLiteral("\r\n"));
}

std::vector<exports::Record> TonightRecords(const TonightReport& r, const ZoneDescription& zone, bool precise,
                                            bool nested) {
    exports::Record night;
    night.push_back({"date", QString::asprintf("%04d-%02d-%02d", r.date.year, r.date.month, r.date.day)});
    exports::AddFrame(night, precise);
    night.push_back({"night", QString::fromLatin1(NightKey(r.sun.kind))});
    AddInstant(night, "sunset_utc", "sunset_local", r.sun.sunset, zone);
    AddInstant(night, "civil_dusk_utc", "civil_dusk_local", r.sun.civilDusk, zone);
    AddInstant(night, "nautical_dusk_utc", "nautical_dusk_local", r.sun.nauticalDusk, zone);
    AddInstant(night, "astronomical_dusk_utc", "astronomical_dusk_local", r.sun.astronomicalDusk, zone);
    AddInstant(night, "astronomical_dawn_utc", "astronomical_dawn_local", r.sun.astronomicalDawn, zone);
    AddInstant(night, "nautical_dawn_utc", "nautical_dawn_local", r.sun.nauticalDawn, zone);
    AddInstant(night, "civil_dawn_utc", "civil_dawn_local", r.sun.civilDawn, zone);
    AddInstant(night, "sunrise_utc", "sunrise_local", r.sun.sunrise, zone);
    night.push_back({"moon_illuminated_percent", exports::Number(100 * r.moonIlluminated)});
    night.push_back({"dark_without_moon_h", exports::Number(r.darkWithoutMoonHours)});

    std::vector<const NightTrack*> tracks = {&r.moon};
    for (const NightTrack& t : r.planets) tracks.push_back(&t);
    for (const NightTrack& t : r.objects) tracks.push_back(&t);
    std::vector<exports::Record> bodies;
    for (const NightTrack* t : tracks) {
        exports::Record rec;
        rec.push_back({"body", QString::fromStdString(t->name)});
        AddInstant(rec, "rise_utc", "rise_local", t->rise, zone);
        AddInstant(rec, "culmination_utc", "culmination_local", t->culmination, zone);
        rec.push_back({"culmination_altitude_deg", t->culmination ? exports::Number(t->culminationAltitude) : exports::Value()});
        AddInstant(rec, "set_utc", "set_local", t->set, zone);
        AddInstant(rec, "best_utc", "best_local", t->best, zone);
        rec.push_back({"best_altitude_deg", t->best ? exports::Number(t->bestAltitude) : exports::Value()});
        rec.push_back({"visibility", QString::fromLatin1(VisibilityKey(t->visibility))});
        rec.push_back({"magnitude", t->magnitude ? exports::Number(*t->magnitude) : exports::Value()});
        rec.push_back({"constellation", QString::fromStdString(t->constellation)});
        bodies.push_back(std::move(rec));
    }
    if (nested) {
        night.push_back({"bodies", exports::RecordList{std::make_shared<const std::vector<exports::Record>>(std::move(bodies))}});
        return {std::move(night)};
    }
    std::vector<exports::Record> rows;
    for (exports::Record& body : bodies) {
        exports::Record row = night;
        row.insert(row.end(), body.begin(), body.end());
        rows.push_back(std::move(row));
    }
    return rows;
}

AltitudePlotTexts TonightPlotTexts(const TonightReport& r, const QString& placeName) {
    AltitudePlotTexts texts;
    texts.title = QCoreApplication::translate("Tonight", "%1 – the night of %2").arg(placeName, DateShown(r.date));
    texts.names.push_back(QCoreApplication::translate("Planet", "Moon"));
    for (const NightTrack& t : r.planets) texts.names.push_back(BodyShown(t));
    for (const NightTrack& t : r.objects) texts.names.push_back(BodyShown(t));
    return texts;
}

QByteArray TonightPlotFile(const QString& suffix, const TonightReport& report, const ZoneDescription& zone,
                           const AltitudePlotTexts& texts, PlotScheme scheme, QSize size) {
    const QString kind = suffix.toLower();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (kind == QLatin1String("png")) {
        QImage image(size, QImage::Format_RGB32);
        {
            QPainter p(&image);
            PaintAltitudePlot(p, QRectF(QPointF(0, 0), QSizeF(size)), report, zone, texts, scheme);
        }
        image.save(&buffer, "PNG");
    } else if (kind == QLatin1String("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
        pdf.setResolution(150);
        pdf.setTitle(texts.title);
        QPainter p(&pdf);
        PaintAltitudePlot(p, QRectF(QPointF(0, 0), QSizeF(pdf.width(), pdf.height())), report, zone, texts, scheme);
    } else if (kind == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(texts.title);
        QPainter p(&svg);
        PaintAltitudePlot(p, QRectF(QPointF(0, 0), QSizeF(size)), report, zone, texts, scheme);
    }
    return bytes;
}

}  // namespace noctaris
