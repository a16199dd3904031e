#pragma once
// What the report commands (ephemeris, moon, sun, planet) share: the place and moments of the
// command line, and one loop that builds the text, CSV or JSON of every moment.
#include <functional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "catalog/catalog.h"
#include "chart/state.h"
#include "cli/command_line.h"
#include "windows/exports.h"

namespace noctaris::cli {

// The reports are written in the formats the windows export.
using namespace exports;

struct ReportRun {
    QString format;  // text, csv or json
    QString out;     // empty: standard output
    Place place;
    MomentSelection when;
    bool precise = false;  // --precise
    bool legalClock = true;  // not --standard-time
};

// What --precise changes in a report, with the rising and setting convention of the precise
// places, for --help.
extern const char* const kPreciseReportHelp;

// Adds --place, the moment options (with --range and --step when `ranged`), --format, --out
// and --precise.
void AddReportOptions(CommandParser& cmd, bool ranged);
// Reads them after a successful parse: the output path is checked and only the places are
// loaded. Throws UsageError.
ReportRun ReadReportOptions(const CommandParser& cmd);

// One moment's result: the window's text and the records of the machine formats.
struct MomentResult {
    QString text;
    std::vector<Record> records;
};
using MomentReport = std::function<MomentResult(const ObserverState& observer, bool wantText)>;

// Runs `report` for every moment and writes the output: the text alone for one moment, each
// moment's text under a line with its date and time for a range; CSV or JSON of all records.
void WriteReports(const ReportRun& run, const MomentReport& report);

}  // namespace noctaris::cli
