#include "cli/report_command.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <string>

#include <QDate>
#include <QString>
#include <QTime>

#include "astro/timebase.h"
#include "catalog/catalog.h"
#include "windows/snapshots.h"
#include "windows/ephemeris_window.h"
#include "windows/event_calendar_window.h"
#include "windows/moon_window.h"

namespace noctaris::cli {

const char* const kReportUsage =
    "  calendar     the astronomical calendar of a year: --year YYYY [--place NAME]\n"
    "  ephemeris    the planets' ephemeris table: [--place NAME] --date YYYY-MM-DD --time HH:MM[:SS]\n"
    "  moon         the Moon parameter report: [--place NAME] --date YYYY-MM-DD --time HH:MM[:SS]\n";

namespace {

struct BadArguments {
    std::string message;
};

std::map<std::string, std::string> ParseOptions(int argc, char** argv) {
    std::map<std::string, std::string> options;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0) throw BadArguments{"unexpected argument '" + arg + "'"};
        std::string value;
        const auto eq = arg.find('=');
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            throw BadArguments{"option " + arg + " needs a value"};
        }
        options[arg.substr(2)] = value;
    }
    return options;
}

void Print(const QString& text) {
    QString t = text;
    t.replace("\r\n", "\n");
    std::fputs(t.toStdString().c_str(), stdout);
    if (!t.endsWith('\n')) std::fputc('\n', stdout);
}

ObserverState ObserverFor(const std::map<std::string, std::string>& options, const Catalogs& catalogs) {
    const auto it = options.find("place");
    const std::string name = it == options.end() ? "Chemnitz, D" : it->second;
    const int k = catalogs.FindPlace(name);
    if (k < 0) throw BadArguments{"unknown place '" + name + "'"};
    const Place& p = catalogs.places[static_cast<std::size_t>(k)];
    ObserverState s;
    s.PlaceName = p.name;
    s.Latitude = p.latitude;
    s.Longitude = p.longitude;
    s.TimeZone = p.zone;
    return s;
}

void TakeMoment(const std::map<std::string, std::string>& options, ObserverState& s) {
    const auto d = options.find("date"), t = options.find("time");
    if (d == options.end() || t == options.end()) throw BadArguments{"--date and --time are required"};
    const QDate date = QDate::fromString(QString::fromStdString(d->second), "yyyy-MM-dd");
    if (!date.isValid()) throw BadArguments{"malformed date '" + d->second + "' (YYYY-MM-DD)"};
    QTime time = QTime::fromString(QString::fromStdString(t->second), "HH:mm:ss");
    if (!time.isValid()) time = QTime::fromString(QString::fromStdString(t->second), "HH:mm");
    if (!time.isValid()) throw BadArguments{"malformed time '" + t->second + "' (HH:MM[:SS])"};
    // The date as the program's date edit gives it: through the date serial and Julian days.
    DateTimeToDate(static_cast<double>(QDate(1899, 12, 30).daysTo(date)), s.Year, s.Month, s.Day);
    s.Hour = time.hour();
    s.Minute = time.minute();
    s.Second = time.second();
}

int Run(const std::string& command, const std::map<std::string, std::string>& options) {
    const Catalogs catalogs = Catalogs::LoadAll();
    ObserverState observer = ObserverFor(options, catalogs);
    if (command == "calendar") {
        const auto y = options.find("year");
        if (y == options.end()) throw BadArguments{"--year is required"};
        char* end = nullptr;
        const long year = std::strtol(y->second.c_str(), &end, 10);
        if (y->second.empty() || *end != '\0' || year < 1 || year > 9998)
            throw BadArguments{"year must be a whole number from 1 to 9998"};
        const QStringList lines =
            eventcal::HeaderLines(QString::fromStdString(observer.PlaceName), observer.Latitude,
                                  observer.Longitude, observer.TimeZone) +
            eventcal::EventLines(static_cast<int>(year), observer.TimeZone);
        Print(lines.join('\n'));
        return 0;
    }
    TakeMoment(options, observer);
    const MomentSnapshot moment = MomentSnapshot::Of(observer);
    if (command == "ephemeris") {
        const EphemerisTableTexts table = BuildEphemerisTable(EphemerisSnapshot{moment}, observer);
        QStringList rows;
        for (const auto& row : table.cells) {
            QStringList cells;
            for (const QString& c : row) cells << c;
            rows << cells.join('\t');
        }
        Print(rows.join('\n'));
        return 0;
    }
    // moon
    const TDateTime today = static_cast<double>(QDate(1899, 12, 30).daysTo(QDate::currentDate()));
    Print(BuildMoonReport(InfoSnapshot{moment}, observer, today));
    return 0;
}

}  // namespace

int RunReportCommand(int argc, char** argv) {
    const std::string command = argv[0];
    try {
        return Run(command, ParseOptions(argc, argv));
    } catch (const BadArguments& e) {
        std::fprintf(stderr, "noctaris-cli %s: %s\n", command.c_str(), e.message.c_str());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "noctaris-cli %s: %s\n", command.c_str(), e.what());
        return 1;
    }
}

}  // namespace noctaris::cli
