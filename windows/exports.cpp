#include "windows/exports.h"

#include <charconv>
#include <cmath>

#include <string_view>

#include <QCryptographicHash>

#include "astro/precise/precise_reports.h"
#include "astro/time/timebase.h"

namespace noctaris::exports {
namespace {

constexpr long long kSecondsPerDay = 86400;

// Whole seconds since the start of Julian day number 0 (noon counts begin half a day later).
bool SecondsOf(double jd, long long& seconds) {
    if (!std::isfinite(jd) || std::fabs(jd) > 1e9) return false;
    seconds = std::llround((static_cast<long double>(jd) + 0.5L) * kSecondsPerDay);
    return true;
}

// "YYYY-MM-DDTHH:MM:SS" of a count of seconds, the date in the civil calendar (Julian before
// 1582-10-15) with astronomical years. A year outside 0..9999 is written in ISO 8601's expanded
// form ("+10000", "-0001") when `expanded`, else it fails; so does a day before the day count.
// Writes n as `width` digits (n >= 0 and below 10^width) at p; returns the end.
char* Digits(char* p, long long n, int width) {
    for (int i = width - 1; i >= 0; --i, n /= 10) p[i] = static_cast<char>('0' + n % 10);
    return p + width;
}

bool DateTimeText(long long seconds, QString& text, bool expanded) {
    const long long day = seconds >= 0 ? seconds / kSecondsPerDay
                                       : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
    const long long rest = seconds - day * kSecondsPerDay;
    if (day < 0) return false;
    const CivilDate date = JDToDate(static_cast<long double>(day));  // noon of that civil day
    // Written digit by digit: a range writes several of these per record.
    char buffer[40];
    char* p = buffer;
    if (date.year >= 0 && date.year <= 9999) {
        p = Digits(p, date.year, 4);
    } else if (expanded) {
        *p++ = date.year < 0 ? '-' : '+';
        const long long year = std::llabs(static_cast<long long>(date.year));
        int width = 4;  // at least, as %+05d
        for (long long power = 10000; width < 18 && year >= power; power *= 10) ++width;
        p = Digits(p, year, width);
    } else {
        return false;
    }
    *p++ = '-';
    p = Digits(p, date.month, 2);
    *p++ = '-';
    p = Digits(p, date.day, 2);
    *p++ = 'T';
    p = Digits(p, rest / 3600, 2);
    *p++ = ':';
    p = Digits(p, rest % 3600 / 60, 2);
    *p++ = ':';
    p = Digits(p, rest % 60, 2);
    text = QString::fromLatin1(buffer, p - buffer);
    return true;
}

QByteArray CsvField(const Value& v) {
    QByteArray text;
    if (const auto* d = std::get_if<double>(&v)) text = NumberText(*d).toUtf8();
    else if (const auto* i = std::get_if<long long>(&v)) text = QByteArray::number(*i);
    else if (const auto* b = std::get_if<bool>(&v)) text = *b ? "true" : "false";
    else if (const auto* s = std::get_if<QString>(&v)) text = s->toUtf8();
    if (text.contains(',') || text.contains('"') || text.contains('\n') || text.contains('\r')) {
        text.replace("\"", "\"\"");
        text = '"' + text + '"';
    }
    return text;
}

QByteArray JsonString(const QString& s) {
    QByteArray out = "\"";
    for (const char c : s.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"') out += "\\\"";
        else if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (u < 0x20) out += QString::asprintf("\\u%04x", u).toLatin1();
        else out += c;
    }
    return out + '"';
}

QByteArray JsonObject(const Record& r);

QByteArray JsonValue(const Value& v) {
    if (const auto* list = std::get_if<RecordList>(&v)) {
        QByteArray out = "[";
        if (list->records)
            for (std::size_t i = 0; i < list->records->size(); ++i)
                out += (i ? ", " : "") + JsonObject((*list->records)[i]);
        return out + ']';
    }
    if (const auto* d = std::get_if<double>(&v)) return NumberText(*d).toUtf8();
    if (const auto* i = std::get_if<long long>(&v)) return QByteArray::number(*i);
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "true" : "false";
    if (const auto* s = std::get_if<QString>(&v)) return JsonString(*s);
    return "null";
}

QByteArray JsonObject(const Record& r) {
    QByteArray out = "{";
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (i) out += ", ";
        out += JsonString(QString::fromLatin1(r[i].name)) + ": " + JsonValue(r[i].value);
    }
    return out + '}';
}

QString IcsDateTime(double jdUT, bool allDay) {
    long long seconds = 0;
    QString text;
    if (!SecondsOf(jdUT, seconds) || !DateTimeText(seconds, text, false) || text.startsWith(QLatin1String("0000")))
        return {};
    text.remove(QLatin1Char('-')).remove(QLatin1Char(':'));
    return allDay ? text.left(8) : text + QLatin1Char('Z');
}

}  // namespace

Value Number(double v) { return std::isfinite(v) ? Value(v) : Value(); }

QString NumberText(double v) {
    if (!std::isfinite(v)) return {};
    if (v == 0) return QStringLiteral("0");  // also -0
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    return ec == std::errc() ? QString::fromLatin1(buffer, end - buffer) : QString();
}

QString IsoOffset(double zone) {
    const long long minutes = std::llround(zone * 60);
    const long long m = std::llabs(minutes);
    if (m / 60 > 99) return QString::asprintf("%c%02lld:%02lld", minutes < 0 ? '-' : '+', m / 60, m % 60);
    char buffer[6] = {minutes < 0 ? '-' : '+'};
    Digits(Digits(buffer + 1, m / 60, 2) + 1, m % 60, 2);
    buffer[3] = ':';
    return QString::fromLatin1(buffer, 6);
}

Value IsoUtc(double jdUT) {
    long long seconds = 0;
    QString text;
    if (!SecondsOf(jdUT, seconds) || !DateTimeText(seconds, text, true)) return {};
    return text + QLatin1Char('Z');
}

Value IsoLocal(double jdUT, double zone) {
    long long seconds = 0;
    QString text;
    if (!std::isfinite(zone) || !SecondsOf(jdUT, seconds) ||
        !DateTimeText(seconds + std::llround(zone * 3600), text, true))
        return {};
    return text + IsoOffset(zone);
}

Record MomentFields(double jdUT, double zone) {
    return {{"utc", IsoUtc(jdUT)}, {"local", IsoLocal(jdUT, zone)}};
}

void AddFrame(Record& record, bool precise) {
    if (!precise) return;
    const std::string_view frame = FrameLabel(true);
    record.push_back({"frame", QString::fromLatin1(frame.data(), static_cast<qsizetype>(frame.size()))});
}

Value IsoDate(double jd) {
    long long seconds = 0;
    QString text;
    if (!SecondsOf(jd, seconds) || !DateTimeText(seconds, text, true)) return {};
    return text.left(text.indexOf(QLatin1Char('T')));
}

QByteArray CsvHeader(const Record& record) {
    QByteArray out;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (i) out += ',';
        out += CsvField(QString::fromLatin1(record[i].name));
    }
    return out + "\r\n";
}

QByteArray CsvRow(const Record& record) {
    QByteArray out;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (i) out += ',';
        out += CsvField(record[i].value);
    }
    return out + "\r\n";
}

QByteArray ToCsv(const std::vector<Record>& records) {
    QByteArray out;
    if (records.empty()) return out;
    out += CsvHeader(records.front());
    for (const Record& r : records) out += CsvRow(r);
    return out;
}

QByteArray JsonOpening(const Record& head) {
    QByteArray out = "{\n";
    for (const Field& f : head)
        out += "  " + JsonString(QString::fromLatin1(f.name)) + ": " + JsonValue(f.value) + ",\n";
    return out + "  \"records\": [";
}

QByteArray JsonRecord(const Record& record, bool first) {
    return (first ? "\n    " : ",\n    ") + JsonObject(record);
}

QByteArray JsonClosing(bool empty) { return empty ? "]\n}\n" : "\n  ]\n}\n"; }

QByteArray ToJson(const Record& head, const std::vector<Record>& records) {
    QByteArray out = JsonOpening(head);
    for (std::size_t i = 0; i < records.size(); ++i) out += JsonRecord(records[i], i == 0);
    return out + JsonClosing(records.empty());
}

QString IcsUid(const QString& start, const QString& summary) {
    // The numbers in a summary follow the user's locale; the UID must not, or an export made
    // under another locale would add every event a second time.
    QString words;
    for (const QChar c : summary)
        if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char(',')) words += c;
    const QByteArray hash =
        QCryptographicHash::hash((start + QLatin1Char('|') + words).toUtf8(), QCryptographicHash::Sha1);
    return QString::fromLatin1(hash.toHex().left(20)) + QStringLiteral("@noctaris");
}

QByteArray FoldIcsLine(const QByteArray& line) {
    QByteArray out;
    qsizetype start = 0;
    int limit = 75;  // octets per physical line, the continuation blank included
    while (line.size() - start > limit) {
        qsizetype cut = start + limit;
        // Back up to the first byte of a UTF-8 sequence (continuation bytes are 10xxxxxx).
        while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        out += line.mid(start, cut - start) + "\r\n ";
        start = cut;
        limit = 74;
    }
    return out + line.mid(start) + "\r\n";
}

QString EscapeIcsText(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(';') || c == QLatin1Char(','))
            out += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c != QLatin1Char('\r'))
            out += c;
    }
    return out;
}

QByteArray ToIcs(const QString& calendarName, const std::vector<IcsEvent>& events,
                 const QDateTime& stamp) {
    const QString dtstamp = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    QByteArray out;
    auto line = [&](const QString& text) { out += FoldIcsLine(text.toUtf8()); };
    line(QStringLiteral("BEGIN:VCALENDAR"));
    line(QStringLiteral("VERSION:2.0"));
    line(QStringLiteral("PRODID:-//Noctaris//noctaris-cli " NOCTARIS_VERSION "//EN"));
    line(QStringLiteral("CALSCALE:GREGORIAN"));
    line(QStringLiteral("X-WR-CALNAME:") + EscapeIcsText(calendarName));
    for (const IcsEvent& e : events) {
        const QString start = IcsDateTime(e.jdUT, e.allDay);
        if (start.isEmpty()) continue;  // a date no calendar program can hold
        line(QStringLiteral("BEGIN:VEVENT"));
        line(QStringLiteral("UID:") + e.uid);
        line(QStringLiteral("DTSTAMP:") + dtstamp);
        line(e.allDay ? QStringLiteral("DTSTART;VALUE=DATE:") + start : QStringLiteral("DTSTART:") + start);
        line(QStringLiteral("SUMMARY:") + EscapeIcsText(e.summary));
        line(QStringLiteral("TRANSP:TRANSPARENT"));  // an event of the sky, not a busy hour
        line(QStringLiteral("END:VEVENT"));
    }
    line(QStringLiteral("END:VCALENDAR"));
    return out;
}

}  // namespace noctaris::exports
