#include "cli/report_support.h"

#include <string_view>

#include "astro/precise/precise_reports.h"
#include "cli/output.h"
#include "cli/places.h"

namespace noctaris::cli {

const char* const kPreciseReportHelp =
    "The report names its frame (\"apparent of date\"; CSV and JSON: a frame field). Rising "
    "and setting: the instant the upper limb of the Sun or the Moon, or the centre of a planet, "
    "stands at 0\u00B0 observed altitude, refraction of a standard atmosphere included, on a "
    "sea-level horizon; searched on the local civil day, to the second.";

void AddReportOptions(CommandParser& cmd, bool ranged) {
    cmd.addPlace();
    cmd.addMoment(ranged);
    cmd.addFormat({QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")});
    cmd.addOut(QStringLiteral("Write to this file instead of standard output."));
    cmd.addPrecise(QString::fromUtf8(kPreciseReportHelp));
}

ReportRun ReadReportOptions(const CommandParser& cmd) {
    ReportRun run;
    run.when = cmd.moments();
    run.format = cmd.format();
    run.precise = cmd.precise();
    run.legalClock = cmd.legalClock();
    if (cmd.isSet(QStringLiteral("out"))) {
        run.out = cmd.out();
        CheckOutputPath(run.out);
    }
    const Catalogs catalogs = Catalogs::Load(kCatalogPlaces);
    run.place = PlaceOfOptions(cmd, catalogs);
    return run;
}

void WriteReports(const ReportRun& run, const MomentReport& report) {
    const bool text = run.format == QLatin1String("text");
    OutputStream out(run.out);
    const Place& p = run.place;
    // Each moment's records go out as they are made.
    RecordWriter records(out, run.format,
                         {{"place", QString::fromStdString(p.ExportName())},
                          {"latitude_deg", Number(p.latitude)},
                          {"longitude_deg", Number(p.longitude)},
                          {"zone_h", Number(p.zone)}});
    ObserverState observer = ObserverAt(run.place);
    observer.ConsiderSummerTime = run.legalClock;
    bool first = true;
    for (const LocalMoment& m : run.when.moments) {
        SetMoment(observer, m);
        const MomentResult r = report(observer, text);
        if (text) {
            if (run.when.isRange) out.Write((first ? "" : "\n") + m.Text().toUtf8() + '\n');
            out.Write(TextOutput(r.text));
        } else {
            for (const Record& rec : r.records) records.Add(rec);
        }
        first = false;
    }
    if (!text) records.Finish();
    out.Finish();
}

}  // namespace noctaris::cli
