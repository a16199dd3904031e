// `noctaris-cli ephemeris | moon | sun`: the reports of the ephemeris table and the Moon and
// Sun parameter windows, computed by the windows' own functions, for one moment or a range.
#include <cmath>

#include <QDate>
#include <QString>
#include <QStringList>

#include "astro/calendar_dates.h"
#include "astro/ephemeris_table.h"
#include "astro/timebase.h"
#include "chart/bodies.h"
#include "chart/projection.h"
#include "cli/commands.h"
#include "cli/report_support.h"
#include "windows/ephemeris_window.h"
#include "windows/moon_window.h"
#include "windows/snapshots.h"
#include "windows/sun_window.h"

namespace noctaris::cli {
namespace {

constexpr double kDegreesPerHour = 15;

// The chart the Sun window reads the Sun's azimuth and altitude from: the main window's chart
// at its first size, facing south.
constexpr int kChartWidth = 1029, kChartHeight = 664;

// Universal time of a dynamical-time Julian day (the Moon's phases are computed in it).
double DynamicalToUT(double jde) { return jde - DeltaT(CenturiesSinceJ2000(jde)) / 86400; }

// A rise or set time of the ephemeris (local clock hours of the day beginning at jdMidnight)
// as UTC and local instants; nothing for the never-rises / never-sets codes.
void AddRiseSet(Record& r, const char* utcName, const char* localName, double jdMidnight,
                double hours, double zone) {
    const bool occurs = hours >= 0;
    const double jd = jdMidnight + hours / 24;
    r.push_back({utcName, occurs ? IsoUtc(jd) : Value()});
    r.push_back({localName, occurs ? IsoLocal(jd, zone) : Value()});
}

// A universal-time instant of a report as UTC and local fields; nothing when it does not occur.
void AddInstant(Record& r, const char* utcName, const char* localName, double jdUT, bool occurs,
                double zone) {
    r.push_back({utcName, occurs ? IsoUtc(jdUT) : Value()});
    r.push_back({localName, occurs ? IsoLocal(jdUT, zone) : Value()});
}

double SerialToJD(TDateTime t) { return static_cast<double>(DateTimeToJD(t)); }

TDateTime Today() {
    const QDate d = QDate::currentDate();
    return EncodeDate(d.year(), d.month(), d.day());
}

}  // namespace

int RunEphemeris(const QStringList& args) {
    CommandParser cmd(QStringLiteral("ephemeris"),
                      QStringLiteral("The ephemeris table of the planets Mercury to Neptune for a "
                                     "place and moment; CSV and JSON hold one record per planet "
                                     "and moment."));
    AddReportOptions(cmd, true);
    if (!cmd.parse(args)) return 0;
    const ReportRun run = ReadReportOptions(cmd);
    WriteReports(run, [&](const ObserverState& observer, bool wantText) {
        MomentResult result;
        const EphemerisSnapshot snapshot{MomentSnapshot::Of(observer)};
        if (wantText) {
            const EphemerisTableTexts table = BuildEphemerisTable(snapshot, observer, run.precise);
            QStringList rows;
            for (const auto& row : table.cells) {
                QStringList cells;
                for (const QString& c : row) cells << c;
                rows << cells.join(QLatin1Char('\t'));
            }
            result.text = rows.join(QLatin1Char('\n'));
            return result;
        }
        const EphemerisTableMoment t = ComputeEphemerisTable(snapshot, observer, run.precise);
        const double zone = observer.TimeZone;
        for (int i = 0; i < static_cast<int>(t.planets.size()); ++i) {
            const EphemerisColumnValues& v = t.planets[static_cast<std::size_t>(i)];
            const PlanetEphemerisRecord& p = v.rec;
            Record r = MomentFields(t.jdInstant, zone);
            AddFrame(r, run.precise);
            r.push_back({"planet", QString::fromLatin1(EphemerisPlanetName(i))});
            r.push_back({"helio_longitude_deg", Number(p.HelioLongitude)});
            r.push_back({"helio_latitude_deg", Number(p.HelioLatitude)});
            r.push_back({"radius_vector_au", Number(p.RadiusVector)});
            r.push_back({"distance_au", Number(p.Distance)});
            r.push_back({"light_time_s", v.lightSeconds});
            r.push_back({"geo_longitude_deg", Number(p.GeoLongitude)});
            r.push_back({"geo_latitude_deg", Number(p.GeoLatitude)});
            r.push_back({"right_ascension_deg", Number((p.RAHours + p.RAMinutes / 60) * kDegreesPerHour)});
            r.push_back({"declination_deg", Number(p.DecDegrees + p.DecMinutes / 60)});
            r.push_back({"diameter_arcsec", Number(p.Diameter)});
            r.push_back({"magnitude", Number(p.Magnitude)});
            AddRiseSet(r, "rise_utc", "rise_local", t.jdMidnight, v.rise, zone);
            AddRiseSet(r, "set_utc", "set_local", t.jdMidnight, v.set, zone);
            r.push_back({"constellation", QString::fromStdString(ZodiacConstellation(p.GeoLongitude / 15))});
            r.push_back({"azimuth_deg", Number(v.azimuth)});
            r.push_back({"altitude_deg", Number(v.altitude)});
            r.push_back({"visible", v.altitude >= 0});
            result.records.push_back(std::move(r));
        }
        return result;
    });
    return 0;
}

int RunMoon(const QStringList& args) {
    CommandParser cmd(QStringLiteral("moon"),
                      QStringLiteral("The Moon parameter report for a place and moment: age, "
                                     "distance, illumination, diameter, the phases of the "
                                     "lunation, perigee and apogee, rising, culmination and "
                                     "setting."));
    AddReportOptions(cmd, true);
    if (!cmd.parse(args)) return 0;
    const ReportRun run = ReadReportOptions(cmd);
    const TDateTime today = Today();
    WriteReports(run, [&](const ObserverState& observer, bool wantText) {
        MomentResult result;
        const InfoSnapshot snapshot{MomentSnapshot::Of(observer)};
        const MoonReport m = run.precise ? ComputePreciseMoonReport(snapshot, observer)
                                         : ComputeMoonReport(snapshot, observer);
        if (wantText) {
            result.text = FormatMoonReport(m, today);
            return result;
        }
        const double zone = observer.TimeZone;
        Record r = MomentFields(m.JulianDayUT, zone);
        AddFrame(r, run.precise);
        r.push_back({"julian_day", Number(m.JulianDayUT)});
        r.push_back({"sidereal_time_deg", Number(m.SiderealHours * kDegreesPerHour)});
        r.push_back({"age_d", Number(m.AgeDays)});
        r.push_back({"distance_km", Number(m.DistanceKm)});
        r.push_back({"illuminated_percent", Number(100 * m.IlluminatedFraction)});
        r.push_back({"diameter_deg", Number(m.DiameterDegrees)});
        if (run.precise) {  // the classic report has no place of the Moon
            r.push_back({"right_ascension_deg", Number(m.RightAscensionDegrees)});
            r.push_back({"declination_deg", Number(m.DeclinationDegrees)});
            r.push_back({"azimuth_deg", Number(m.AzimuthDegrees)});
            r.push_back({"altitude_deg", Number(m.AltitudeDegrees)});
        }
        static const char* const kPhases[5][2] = {
            {"new_moon_utc", "new_moon_local"},           {"first_quarter_utc", "first_quarter_local"},
            {"full_moon_utc", "full_moon_local"},         {"last_quarter_utc", "last_quarter_local"},
            {"next_new_moon_utc", "next_new_moon_local"}};
        for (int p = 0; p < 5; ++p)
            AddInstant(r, kPhases[p][0], kPhases[p][1], DynamicalToUT(m.Phases[static_cast<std::size_t>(p)]), true, zone);
        r.push_back({"lunation", static_cast<long long>(m.Lunation)});
        AddInstant(r, "perigee_utc", "perigee_local", SerialToJD(m.Perigee), true, zone);
        AddInstant(r, "apogee_utc", "apogee_local", SerialToJD(m.Apogee), true, zone);
        // The precise report may lack one event of the day (NaN): that one is empty.
        const auto occurs = [&](double t) { return m.RiseSetOccurs && std::isfinite(t); };
        AddInstant(r, "rise_utc", "rise_local", m.RiseDayJD + m.Rise, occurs(m.Rise), zone);
        AddInstant(r, "culmination_utc", "culmination_local", m.RiseDayJD + m.Transit,
                   occurs(m.Transit), zone);
        AddInstant(r, "set_utc", "set_local", m.RiseDayJD + m.Set, occurs(m.Set), zone);
        result.records.push_back(std::move(r));
        return result;
    });
    return 0;
}

int RunSun(const QStringList& args) {
    CommandParser cmd(QStringLiteral("sun"),
                      QStringLiteral("The Sun parameter report for a place and moment: position, "
                                     "equation of time, sidereal time, distance, diameter, "
                                     "sunrise, sunset and culmination. Azimuth and altitude are "
                                     "read from the chart as the main window first draws it "
                                     "(1029x664 pixels, facing south); with --precise they are "
                                     "the observed ones, refraction included."));
    AddReportOptions(cmd, true);
    if (!cmd.parse(args)) return 0;
    const ReportRun run = ReadReportOptions(cmd);
    WriteReports(run, [&](const ObserverState& observer, bool wantText) {
        MomentResult result;
        const InfoSnapshot snapshot{MomentSnapshot::Of(observer)};
        SunReport s;
        if (run.precise) {
            s = ComputePreciseSunReport(snapshot, observer);
        } else {
            SunChartPosition onChart;
            int x = 0, y = 0;
            PlaceSunOnChart(MakeChartFrame(observer, kChartWidth, kChartHeight, 0), observer, x, y,
                            onChart);
            s = ComputeSunReport(snapshot, observer, onChart);
        }
        if (wantText) {
            result.text = FormatSunReport(s);
            return result;
        }
        const double zone = observer.TimeZone;
        Record r = MomentFields(SerialToJD(s.Moment) - zone / 24, zone);
        AddFrame(r, run.precise);
        r.push_back({"day_number", static_cast<long long>(s.DayNumber)});
        r.push_back({"declination_deg", Number(s.DeclinationDegrees)});
        r.push_back({"right_ascension_deg", Number(s.RightAscensionHours * kDegreesPerHour)});
        r.push_back({"constellation", s.Constellation});
        r.push_back({"hour_angle_deg", Number(s.HourAngleDegrees)});
        r.push_back({"azimuth_deg", Number(s.AzimuthDegrees)});
        r.push_back({"altitude_deg", Number(s.AltitudeDegrees)});
        r.push_back({"equation_of_time_min", Number(s.EquationOfTimeMinutes)});
        r.push_back({"sidereal_time_deg", Number(s.SiderealHours * kDegreesPerHour)});
        r.push_back({"distance_km", Number(s.DistanceKm)});
        r.push_back({"diameter_arcsec", Number(s.DiameterArcseconds)});
        AddInstant(r, "sunrise_utc", "sunrise_local", SerialToJD(s.Sunrise), SunEventOccurs(s.Sunrise), zone);
        AddInstant(r, "sunset_utc", "sunset_local", SerialToJD(s.Sunset), SunEventOccurs(s.Sunset), zone);
        AddInstant(r, "culmination_utc", "culmination_local", SerialToJD(s.Culmination),
                   SunEventOccurs(s.Culmination), zone);
        result.records.push_back(std::move(r));
        return result;
    });
    return 0;
}

}  // namespace noctaris::cli
