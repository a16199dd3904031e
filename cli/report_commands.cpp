// `noctaris-cli ephemeris | moon | sun`: the reports of the ephemeris table and the Moon and
// Sun parameter windows, computed by the windows' own functions, for one moment or a range.
#include <cmath>

#include <QDate>
#include <QString>
#include <QStringList>

#include "astro/time/calendar_dates.h"
#include "astro/reports/ephemeris_table.h"
#include "astro/time/timebase.h"
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


// A universal-time instant of a report as UTC and local fields; nothing when it does not occur.
// The local field is read on the clock kept at that instant.
void AddInstant(Record& r, const char* utcName, const char* localName, double jdUT, bool occurs,
                const ZoneDescription& clock) {
    const double zone = std::isfinite(jdUT) ? OffsetHoursAt(clock, Instant::FromUT(jdUT)) : clock.standardOffsetHours;
    r.push_back({utcName, occurs ? IsoUtc(jdUT) : Value()});
    r.push_back({localName, occurs ? IsoLocal(jdUT, zone) : Value()});
}

double SerialToJD(TDateTime t) { return static_cast<double>(DateTimeToJD(t)); }

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
        result.records = EphemerisRecords(snapshot, observer, run.precise);
        return result;
    });
    return 0;
}

int RunMoon(const QStringList& args) {
    CommandParser cmd(QStringLiteral("moon"),
                      QStringLiteral("The Moon data report for a place and moment: age, "
                                     "distance, illumination, diameter, the phases of the "
                                     "lunation, perigee and apogee, rising, culmination and "
                                     "setting."));
    AddReportOptions(cmd, true);
    if (!cmd.parse(args)) return 0;
    const ReportRun run = ReadReportOptions(cmd);
    WriteReports(run, [&](const ObserverState& observer, bool wantText) {
        MomentResult result;
        const InfoSnapshot snapshot{MomentSnapshot::Of(observer)};
        const MoonReport m = run.precise ? ComputePreciseMoonReport(snapshot, observer)
                                         : ComputeMoonReport(snapshot, observer);
        if (wantText) {
            result.text = FormatMoonReport(m);
            return result;
        }
        const double zone = snapshot.TimeZone;  // the place's clock at that moment
        const ZoneDescription clock = snapshot.ClockZone();
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
            AddInstant(r, kPhases[p][0], kPhases[p][1], m.Phases[static_cast<std::size_t>(p)], true, clock);
        r.push_back({"lunation", static_cast<long long>(m.Lunation)});
        AddInstant(r, "perigee_utc", "perigee_local", m.Perigee, true, clock);
        AddInstant(r, "apogee_utc", "apogee_local", m.Apogee, true, clock);
        AddInstant(r, "rise_utc", "rise_local", m.Rise.value_or(0), m.Rise.has_value(), clock);
        AddInstant(r, "culmination_utc", "culmination_local", m.Transit.value_or(0), m.Transit.has_value(), clock);
        AddInstant(r, "set_utc", "set_local", m.Set.value_or(0), m.Set.has_value(), clock);
        result.records.push_back(std::move(r));
        return result;
    });
    return 0;
}

int RunSun(const QStringList& args) {
    CommandParser cmd(QStringLiteral("sun"),
                      QStringLiteral("The Sun data report for a place and moment: position, "
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
            PlaceSunOnChart(MakeChartFrame(observer, kChartWidth, kChartHeight, 0), observer, onChart);
            s = ComputeSunReport(snapshot, observer, onChart);
        }
        if (wantText) {
            result.text = FormatSunReport(s);
            return result;
        }
        const double zone = snapshot.TimeZone;  // the place's clock at that moment
        const ZoneDescription clock = snapshot.ClockZone();
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
        const auto instant = [&](const char* utc, const char* local, std::optional<TDateTime> t) {
            AddInstant(r, utc, local, t ? SerialToJD(*t) : 0, t.has_value(), clock);
        };
        instant("sunrise_utc", "sunrise_local", s.Sunrise);
        instant("sunset_utc", "sunset_local", s.Sunset);
        instant("culmination_utc", "culmination_local", s.Culmination);
        result.records.push_back(std::move(r));
        return result;
    });
    return 0;
}

}  // namespace noctaris::cli
