#include "cli/command_line.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include <QRegularExpression>

#include "astro/core/errors.h"
#include "astro/time/local_time.h"
#include "astro/time/timebase.h"
#include "chart/projection.h"
#include "cli/output.h"
#include "platform/language.h"

namespace noctaris::cli {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Whole-string unsigned decimal number of at most `maxDigits` digits, or -1.
long long Digits(const QString& s, int maxDigits) {
    if (s.isEmpty() || s.size() > maxDigits) return -1;
    long long v = 0;
    for (const QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return -1;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

// The Julian day number (the day that begins at noon of this count) of a civil date.
std::int64_t DayNumber(const CivilDate& d) {
    return static_cast<std::int64_t>(std::llround(DateToJD(d.year, d.month, d.day) + 0.5L));
}

}  // namespace

std::int64_t LocalMoment::Seconds() const {
    return DayNumber(date) * kSecondsPerDay + time.hour * 3600 + time.minute * 60 + time.second;
}

LocalMoment LocalMoment::FromSeconds(std::int64_t seconds) {
    const std::int64_t day = seconds >= 0 ? seconds / kSecondsPerDay
                                          : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
    const std::int64_t rest = seconds - day * kSecondsPerDay;
    LocalMoment m;
    m.date = JDToDate(static_cast<long double>(day) - 0.5L);
    m.time.hour = static_cast<int>(rest / 3600);
    m.time.minute = static_cast<int>(rest % 3600 / 60);
    m.time.second = static_cast<int>(rest % 60);
    return m;
}

double LocalMoment::JulianDayUT(double zone) const {
    return static_cast<double>(DateToJD(date.year, date.month, date.day)) +
           (time.hour * 3600 + time.minute * 60 + time.second) / 86400.0 - zone / 24;
}

QString LocalMoment::Text() const {
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", date.year, date.month, date.day,
                             time.hour, time.minute, time.second);
}

void SetMoment(ObserverState& observer, const LocalMoment& moment) {
    observer.Year = moment.date.year;
    observer.Month = moment.date.month;
    observer.Day = moment.date.day;
    observer.Hour = moment.time.hour;
    observer.Minute = moment.time.minute;
    observer.Second = moment.time.second;
    const ResolvedLocal r = ResolveLocal({moment.date, moment.time}, ChartZone(observer));
    const char* what = r.reading == LocalReading::Skipped    ? "does not occur on the clock there (it skips that hour); "
                                                               "read with the offset before the change"
                       : r.reading == LocalReading::Repeated ? "occurs twice on the clock there; the first is taken"
                                                             : nullptr;
    if (what)
        std::fprintf(stderr, "noctaris-cli: note: %s at %s %s\n", moment.Text().toLocal8Bit().constData(),
                     Printable(QString::fromStdString(observer.PlaceName)).toUtf8().constData(), what);
}

CivilDate ParseDate(const QString& text) {
    const QStringList f = text.split(QLatin1Char('-'));
    const auto bad = [&](const char* why) {
        return UsageError(QStringLiteral("invalid date '%1' (%2)").arg(text, QLatin1String(why)));
    };
    if (text.startsWith(QLatin1Char('-'))) throw bad("years run from 1 to 9999");
    if (f.size() != 3) throw bad("expected YYYY-MM-DD");
    const long long y = Digits(f[0], 9), m = Digits(f[1], 2), d = Digits(f[2], 2);
    if (y < 0 || m < 0 || d < 0) throw bad("expected YYYY-MM-DD");
    if (y < 1 || y > 9999) throw bad("years run from 1 to 9999");
    // The civil calendar's months: Julian leap years before 1582.
    if (m < 1 || m > 12 || d < 1 || d > DaysInMonth(static_cast<int>(y), static_cast<int>(m)))
        throw bad("no such day");
    try {
        DateToJD(static_cast<int>(y), static_cast<int>(m), static_cast<int>(d));
    } catch (const ConversionError&) {
        throw bad("not a day of the calendar: it changed from 1582-10-04 to 1582-10-15");
    }
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

ClockTime ParseTime(const QString& text) {
    const QStringList f = text.split(QLatin1Char(':'));
    const auto bad = [&] {
        return UsageError(QStringLiteral("invalid time '%1' (expected HH:MM or HH:MM:SS)").arg(text));
    };
    if (f.size() < 2 || f.size() > 3) throw bad();
    long long v[3] = {0, 0, 0};
    for (qsizetype i = 0; i < f.size(); ++i)
        if ((v[i] = Digits(f[i], 2)) < 0) throw bad();
    if (v[0] > 23 || v[1] > 59 || v[2] > 59) throw bad();
    return {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2])};
}

LocalMoment ParseMoment(const QString& text) {
    qsizetype split = text.indexOf(QLatin1Char('T'));
    if (split < 0) split = text.indexOf(QLatin1Char(' '));
    LocalMoment m;
    m.date = ParseDate(split < 0 ? text : text.left(split));
    if (split >= 0) m.time = ParseTime(text.mid(split + 1));
    return m;
}

std::int64_t ParseStepSeconds(const QString& text) {
    static const QRegularExpression re(QRegularExpression::anchoredPattern(QStringLiteral("([0-9]{1,9})(s|m|min|h|d)")));
    const QRegularExpressionMatch match = re.match(text);
    const long long n = match.hasMatch() ? Digits(match.captured(1), 9) : -1;
    if (n <= 0)
        throw UsageError(QStringLiteral("invalid step '%1' (expected a whole number and s, min, h "
                                        "or d, e.g. 30min)").arg(text));
    const QString unit = match.captured(2);
    const std::int64_t factor = unit == QLatin1String("s")   ? 1
                                : unit == QLatin1String("h") ? 3600
                                : unit == QLatin1String("d") ? kSecondsPerDay
                                                             : 60;
    return n * factor;
}

std::pair<QString, QString> SplitRange(const QString& text, const QString& option) {
    const qsizetype dots = text.indexOf(QStringLiteral(".."));
    if (dots <= 0 || dots + 2 >= text.size() || text.indexOf(QStringLiteral(".."), dots + 2) >= 0)
        throw UsageError(QStringLiteral("invalid %1 '%2' (expected FROM..TO)").arg(option, text));
    return {text.left(dots), text.mid(dots + 2)};
}

int ParseInteger(const QString& text, int min, int max, const QString& what) {
    const bool negative = text.startsWith(QLatin1Char('-'));
    const long long magnitude = Digits(negative ? text.mid(1) : text, 9);
    const long long v = negative ? -magnitude : magnitude;
    if (magnitude < 0 || v < min || v > max)
        throw UsageError(QStringLiteral("invalid %1 '%2' (expected a whole number from %3 to %4)")
                             .arg(what, text)
                             .arg(min)
                             .arg(max));
    return static_cast<int>(v);
}

QSize ParseSize(const QString& text) {
    const QStringList f = text.split(QLatin1Char('x'));
    const long long w = f.size() == 2 ? Digits(f[0], 5) : -1;
    const long long h = f.size() == 2 ? Digits(f[1], 5) : -1;
    if (w < 16 || h < 16 || w > 8192 || h > 8192)
        throw UsageError(QStringLiteral("invalid size '%1' (expected WxH, 16..8192 pixels each)").arg(text));
    return QSize(static_cast<int>(w), static_cast<int>(h));
}

// ---- CommandParser ------------------------------------------------------------------------------

CommandParser::CommandParser(const QString& command, const QString& description)
    : command_(command) {
    parser_.setApplicationDescription(description);
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not addHelpOption: its --help-all would offer Qt's own options, which mean nothing here.
    parser_.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                         QStringLiteral("Show these options.")));
    parser_.addOption(QCommandLineOption(
        QStringLiteral("lang"),
        QStringLiteral("Language of the text reports and drawings: de (German) or en (English); "
                       "default German under a German system locale, else English. CSV, JSON and "
                       "iCalendar are English in both."),
        QStringLiteral("de|en")));
}

void CommandParser::addPositional(const QString& name, const QString& description,
                                  const QString& syntax) {
    parser_.addPositionalArgument(name, description, syntax);
}

void CommandParser::addPlace() {
    parser_.addOption(QCommandLineOption(
        QStringLiteral("place"),
        QStringLiteral("Observing site, as `places` lists it (default \"Chemnitz, D\")."),
        QStringLiteral("name"), QStringLiteral("Chemnitz, D")));
    parser_.addOption(QCommandLineOption(
        QStringLiteral("lat"),
        QStringLiteral("Latitude of a place of one's own (with --lon): decimal degrees, north "
                       "positive, or degrees, minutes and seconds with N or S (\"50 50 12 N\"). "
                       "--place then names it."),
        QStringLiteral("angle")));
    parser_.addOption(QCommandLineOption(
        QStringLiteral("lon"),
        QStringLiteral("Longitude of a place of one's own (with --lat): decimal degrees, east "
                       "positive, or degrees, minutes and seconds with E or W."),
        QStringLiteral("angle")));
    parser_.addOption(QCommandLineOption(
        QStringLiteral("zone"),
        QStringLiteral("IANA time zone of the place (\"America/Chicago\"); for --lat and --lon "
                       "the zone of the nearest listed place when not given."),
        QStringLiteral("zone")));
}

void CommandParser::addMoment(bool ranged) {
    ranged_ = ranged;
    parser_.addOption(QCommandLineOption(QStringLiteral("date"),
                                         QStringLiteral("Local date (Julian calendar before "
                                                        "1582-10-15)."),
                                         QStringLiteral("YYYY-MM-DD")));
    parser_.addOption(QCommandLineOption(QStringLiteral("time"),
                                         QStringLiteral("Local time of the place: its legal clock, or "
                                                        "standard time with --standard-time."),
                                         QStringLiteral("HH:MM[:SS]")));
    addClock();
    if (!ranged) return;
    parser_.addOption(QCommandLineOption(
        QStringLiteral("range"),
        QStringLiteral("One record per step from FROM to TO (both included), each "
                       "YYYY-MM-DD[THH:MM[:SS]]; instead of --date and --time."),
        QStringLiteral("FROM..TO")));
    parser_.addOption(QCommandLineOption(QStringLiteral("step"),
                                         QStringLiteral("Step of --range: s, min, h or d, e.g. "
                                                        "30min (default 1d)."),
                                         QStringLiteral("step"), QStringLiteral("1d")));
}

void CommandParser::addClock() {
    parser_.addOption(QCommandLineOption(QStringLiteral("standard-time"),
                                         QStringLiteral("Times in the place's standard time all year.")));
    parser_.addOption(QCommandLineOption(QStringLiteral("summer-time"),
                                         QStringLiteral("Times on the place's legal clock, summer time "
                                                        "included, as the system's time-zone database "
                                                        "has it (the default).")));
}

bool CommandParser::legalClock() const {
    const bool standard = parser_.isSet(QStringLiteral("standard-time"));
    if (standard && parser_.isSet(QStringLiteral("summer-time")))
        throw UsageError(QStringLiteral("give either --standard-time or --summer-time"));
    return !standard;
}

void CommandParser::addFormat(const QStringList& formats) {
    formats_ = formats;
    parser_.addOption(QCommandLineOption(QStringLiteral("format"),
                                         QStringLiteral("Output format: %1 (default %2).")
                                             .arg(formats.join(QStringLiteral(", ")), formats.first()),
                                         QStringLiteral("format"), formats.first()));
}

void CommandParser::addOut(const QString& description) {
    parser_.addOption(QCommandLineOption(QStringLiteral("out"), description, QStringLiteral("file")));
}

void CommandParser::addPrecise(const QString& what) {
    parser_.addOption(QCommandLineOption(
        QStringLiteral("precise"),
        QStringLiteral("Precise apparent places of date (true equator and equinox; IAU "
                       "2006/2000A through ERFA, light time and aberration) instead of the "
                       "classic J2000 theories. %1").arg(what)));
}

bool CommandParser::parse(const QStringList& args, int minPositional, int maxPositional) {
    if (!parser_.parse(args)) {
        if (!parser_.unknownOptionNames().isEmpty()) {
            const QString name = parser_.unknownOptionNames().first();
            throw UsageError(QStringLiteral("unknown option '%1%2' (try %3 --help)")
                                 .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                                      name, command_));
        }
        static const QRegularExpression missing(QStringLiteral("^Missing value after '(.*)'\\.$"));
        const QRegularExpressionMatch m = missing.match(parser_.errorText());
        if (m.hasMatch()) throw UsageError(QStringLiteral("option %1 needs a value").arg(m.captured(1)));
        QString text = parser_.errorText();
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        throw UsageError(text);
    }
    if (parser_.isSet(QStringLiteral("help"))) {
        std::fputs(parser_.helpText().toLocal8Bit().constData(), stdout);
        return false;
    }
    // An option of one value given twice would silently lose the first.
    QStringList seen;
    for (const QString& name : parser_.optionNames()) {
        if (seen.contains(name)) continue;
        seen << name;
        if (parser_.values(name).size() > 1 && !repeatable_.contains(name))
            throw UsageError(QStringLiteral("option %1%2 is given more than once")
                                 .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name));
    }
    std::optional<QString> lang;
    if (parser_.isSet(QStringLiteral("lang"))) lang = parser_.value(QStringLiteral("lang"));
    const std::optional<Language> language = ChooseLanguage(lang, QLocale::system());
    if (!language) throw UsageError(QStringLiteral("invalid language '%1' (expected de or en)").arg(*lang));
    if (!InstallLanguage(*language)) throw std::runtime_error("the German translation cannot be loaded");
    const qsizetype n = parser_.positionalArguments().size();
    if (n > maxPositional)
        throw UsageError(QStringLiteral("unexpected argument '%1'")
                             .arg(parser_.positionalArguments().at(maxPositional)));
    if (n < minPositional) throw UsageError(QStringLiteral("missing argument (try %1 --help)").arg(command_));
    return true;
}

QString CommandParser::format() const {
    const QString f = parser_.value(QStringLiteral("format"));
    if (!formats_.contains(f))
        throw UsageError(QStringLiteral("unknown format '%1' (expected %2)")
                             .arg(f, formats_.join(QStringLiteral(", "))));
    return f;
}

MomentSelection CommandParser::moments() const {
    MomentSelection s;
    if (ranged_ && parser_.isSet(QStringLiteral("range"))) {
        if (parser_.isSet(QStringLiteral("date")) || parser_.isSet(QStringLiteral("time")))
            throw UsageError(QStringLiteral("--range replaces --date and --time"));
        const auto [from, to] = SplitRange(parser_.value(QStringLiteral("range")), QStringLiteral("range"));
        const std::int64_t a = ParseMoment(from).Seconds(), b = ParseMoment(to).Seconds();
        const std::int64_t step = ParseStepSeconds(parser_.value(QStringLiteral("step")));
        if (b < a) throw UsageError(QStringLiteral("the range ends before it begins"));
        if ((b - a) / step >= kMaxSteps)
            throw UsageError(QStringLiteral("the range has more than %1 steps").arg(kMaxSteps));
        s.isRange = true;
        for (std::int64_t t = a; t <= b; t += step) s.moments.push_back(LocalMoment::FromSeconds(t));
        return s;
    }
    if (ranged_ && parser_.isSet(QStringLiteral("step"))) throw UsageError(QStringLiteral("--step needs --range"));
    if (!parser_.isSet(QStringLiteral("date"))) throw UsageError(QStringLiteral("missing --date"));
    if (!parser_.isSet(QStringLiteral("time"))) throw UsageError(QStringLiteral("missing --time"));
    LocalMoment m;
    m.date = ParseDate(parser_.value(QStringLiteral("date")));
    m.time = ParseTime(parser_.value(QStringLiteral("time")));
    s.moments.push_back(m);
    return s;
}

}  // namespace noctaris::cli
