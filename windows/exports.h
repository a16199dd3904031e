#pragma once
// The machine-readable outputs of the windows and of noctaris-cli: records of named fields
// written as CSV (RFC 4180) or JSON, ISO 8601 instants, and iCalendar (RFC 5545) for the
// astronomical calendar. One writer serves both, so a window's export and the command line's
// output are the same bytes. Numbers are written in the C locale; a value that is not finite is
// written as an empty CSV field or JSON null, never as NaN or infinity.
#include <memory>
#include <variant>
#include <vector>

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace noctaris::exports {

struct Field;
// Records nested in a field: a JSON array of objects (a CSV field leaves it empty, so a CSV
// output gives such records flat instead).
struct RecordList {
    std::shared_ptr<const std::vector<std::vector<Field>>> records;
};
// A field's value: nothing, a number, a whole number, a truth value, a text or nested records.
using Value = std::variant<std::monostate, double, long long, bool, QString, RecordList>;

struct Field {
    const char* name;
    Value value;
};
// Fields in output order; every record of one output has the same names.
using Record = std::vector<Field>;

// A number, or nothing when it is not finite.
Value Number(double v);
// An instant given as a UT Julian day, to the second: "2026-12-07T20:30:00Z", and the same
// instant in a zone (hours east of UT): "2026-12-07T21:30:00+01:00". Dates are in the
// program's one civil calendar, the Julian before 1582-10-15 (so they agree with the dates
// typed and shown), years astronomical: 0000 is 1 BC, and a year past 0..9999 is written
// expanded, "+10000-01-01T00:00:00Z". Nothing for a day that is not finite or before JD 0.
Value IsoUtc(double jdUT);
Value IsoLocal(double jdUT, double zone);
// The date of a Julian day (the civil day that begins at jd's midnight): "2026-03-29", in the
// same calendar.
Value IsoDate(double jd);
// A zone as an ISO 8601 offset: "+01:00", "-03:30".
QString IsoOffset(double zone);
// The leading fields of a record of one moment: "utc" and "local" (standard time of the zone).
Record MomentFields(double jdUT, double zone);
// Appends the "frame" field of a record of precise positions ("apparent of date"); the classic
// records have none, so they stay as they always were.
void AddFrame(Record& record, bool precise);

// The shortest C-locale text that reads back as v ("0.1", "2461382.5", "1e-07").
QString NumberText(double v);

// Header row, then one row per record; fields quoted where needed, rows ended by CR LF.
QByteArray ToCsv(const std::vector<Record>& records);
// One JSON object: the `head` fields, then "records": an array with one object per record.
QByteArray ToJson(const Record& head, const std::vector<Record>& records);
// The same in pieces, for output written record by record: the CSV header row (the record's
// names) and a record's row; ToJson's text before the records, one record (preceded by what
// separates it from the one before) and the text after them.
QByteArray CsvHeader(const Record& record);
QByteArray CsvRow(const Record& record);
QByteArray JsonOpening(const Record& head);
QByteArray JsonRecord(const Record& record, bool first);
QByteArray JsonClosing(bool empty);

// One event of an iCalendar file.
struct IcsEvent {
    QString uid;      // stable: the same event gets the same UID in every export
    double jdUT = 0;  // the start, UT Julian day (allDay: the date of this day); an event
                      // outside the years 1..9999 is left out
    bool allDay = false;
    QString summary;
};

// The UID of an event from its start and text (whatever the locale of the text's numbers).
QString IcsUid(const QString& start, const QString& summary);
// A content line folded to at most 75 octets per line (continuations begin with a blank),
// each line ended by CR LF. Never splits a UTF-8 character.
QByteArray FoldIcsLine(const QByteArray& line);
// TEXT value escaping: backslash, semicolon, comma and line breaks.
QString EscapeIcsText(const QString& text);
// A VCALENDAR with one VEVENT per event; `stamp` is DTSTAMP (UTC).
QByteArray ToIcs(const QString& calendarName, const std::vector<IcsEvent>& events,
                 const QDateTime& stamp);

}  // namespace noctaris::exports
