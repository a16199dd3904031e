#pragma once
// Reading a command's arguments: one QCommandLineParser per command (generated --help, unknown
// options rejected) and the value parsers every command shares: one date parser, clock times,
// ranges with steps, image sizes. A mistake throws UsageError, which the command runner turns
// into one line on stderr and exit status 2.
#include "astro/time/calendar_dates.h"
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QSize>
#include <QString>
#include <QStringList>

#include "chart/state.h"

namespace noctaris::cli {

// A mistake in the command line or in its values; nothing is written.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// A local date and clock time of a place (its legal clock, or standard time), countable in whole
// seconds.
struct LocalMoment {
    CivilDate date;
    ClockTime time;

    // Seconds since local midnight at the start of Julian day number 0; steps add to it.
    std::int64_t Seconds() const;
    static LocalMoment FromSeconds(std::int64_t seconds);
    // Universal time as a Julian day, for a zone in hours east of UT.
    double JulianDayUT(double zone) const;
    // "2026-12-07 21:30:00".
    QString Text() const;
};

// Puts the moment's date and clock time into the observer. A reading the place's clock skips or
// shows twice is taken as the time-zone database does (the offset before the change; the first
// of the two) and said so on standard error.
void SetMoment(ObserverState& observer, const LocalMoment& moment);

// "YYYY-MM-DD": a day of the calendar above (1582-10-05 .. 14 never existed); year 0 and
// negative years are refused.
CivilDate ParseDate(const QString& text);
// "HH:MM" or "HH:MM:SS", 00:00:00 .. 23:59:59.
ClockTime ParseTime(const QString& text);
// "YYYY-MM-DD", "YYYY-MM-DDTHH:MM[:SS]" or the same with a blank for the "T".
LocalMoment ParseMoment(const QString& text);
// A step: a positive whole number with a unit, s, min (or m), h or d: "30min", "1d".
std::int64_t ParseStepSeconds(const QString& text);
// "FROM..TO", split; both parts non-empty.
std::pair<QString, QString> SplitRange(const QString& text, const QString& option);
// A whole number within [min, max]; `what` names it in the message.
int ParseInteger(const QString& text, int min, int max, const QString& what);
// "WxH", 16..8192 pixels each.
QSize ParseSize(const QString& text);

// The moments a report command computes: --date and --time, or --range FROM..TO with --step
// (at most kMaxSteps moments).
inline constexpr int kMaxSteps = 100000;
struct MomentSelection {
    std::vector<LocalMoment> moments;
    bool isRange = false;
};

// The command's parser with its --help option; the command adds its own options.
class CommandParser {
public:
    CommandParser(const QString& command, const QString& description);

    QCommandLineParser& parser() { return parser_; }
    void add(const QCommandLineOption& option) { parser_.addOption(option); }
    // An option that may be given more than once (each value counts).
    void addRepeatable(const QCommandLineOption& option) {
        parser_.addOption(option);
        repeatable_ << option.names();
    }
    void addPositional(const QString& name, const QString& description, const QString& syntax);

    // Adds --place (default "Chemnitz, D"), and --lat, --lon and --zone for a place of one's own
    // (cli/places.h PlaceOfOptions reads them).
    void addPlace();
    // Adds --date and --time (and --range, --step when ranged) and the clock options.
    void addMoment(bool ranged);
    // Adds --standard-time and --summer-time (the place's legal clock, the default).
    void addClock();
    // Whether times are read and written on the place's legal clock (no --standard-time).
    // Throws UsageError when both clock options are given.
    bool legalClock() const;
    // Adds --format with the formats named (the first is the default).
    void addFormat(const QStringList& formats);
    // Adds --out FILE with its help text.
    void addOut(const QString& description);
    // Adds --precise: the precise places of date instead of the classic theories; `what` tells
    // what it changes for this command.
    void addPrecise(const QString& what);
    bool precise() const { return parser_.isSet(QStringLiteral("precise")); }

    // Parses the arguments (args[0] is the command) and puts the texts into the language of
    // --lang (or the system locale's). Returns false when --help was asked: the help was printed.
    // Throws UsageError for unknown options, missing values, positional arguments beyond
    // `maxPositional` or fewer than `minPositional`, and a --lang other than de or en.
    bool parse(const QStringList& args, int minPositional = 0, int maxPositional = 0);

    QString value(const QString& name) const { return parser_.value(name); }
    bool isSet(const QString& name) const { return parser_.isSet(name); }
    QStringList positional() const { return parser_.positionalArguments(); }

    QString place() const { return parser_.value(QStringLiteral("place")); }
    QString format() const;  // validated against the formats of addFormat
    QString out() const { return parser_.value(QStringLiteral("out")); }
    // The moments of --date/--time or --range/--step.
    MomentSelection moments() const;

private:
    QString command_;
    QCommandLineParser parser_;
    QStringList formats_;
    QStringList repeatable_;
    bool ranged_ = false;
};

}  // namespace noctaris::cli
