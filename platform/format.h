#pragma once
// Number, date and time texts in the user's locale, in the manner of the Delphi formatting
// routines the program's texts were written for. All routines use QLocale() — the system
// locale unless a test pins another with QLocale::setDefault.
#include <initializer_list>
#include <variant>

#include <QCalendar>
#include <QDate>
#include <QString>

#include "astro/time/timebase.h"

namespace noctaris {

// "%d": a plain integer.
QString FormatInt(long long value);
// "%.Nf": fixed decimals, the locale's decimal separator, no grouping. A value that rounds
// to zero is shown without a minus sign; NaN/inf are shown as "-".
QString FormatFixed(double value, int decimals);
// "%.Nn": like FormatFixed, with the locale's thousands separators.
QString FormatNumber(double value, int decimals);

// A small Format(): %d, %s, %f (2 decimals), %.Nf, %.Nn, %x, %%; optional width as in %5d or
// %8.2f (right-aligned with blanks, '-' for left). A missing or mismatched argument raises
// ConversionError, as the original did.
using FormatArg = std::variant<long long, int, double, QString, const char*>;
QString Format(const QString& pattern, std::initializer_list<FormatArg> args);

// The locale's long time format (hours, minutes, seconds; never a time zone).
QString LongTimeFormat();
// The locale's short date format with a four-digit year.
QString ShortDateFormat();
QString TimeToStr(TDateTime t);
// Dates are named in the civil calendar of the core: Julian before 1582-10-15.
QString DateToStr(TDateTime t);
// Delphi FormatDateTime tokens: d dd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz, "..." and
// '...' literals, ':' (time separator) and '/' (date separator) from the locale.
QString FormatDateTime(const QString& pattern, TDateTime t);

// A QDate is a day whose fields Qt names in the proleptic Gregorian calendar; these name it in
// the civil calendar of the core (Julian before 1582-10-15) and back. A date that does not
// exist gives an invalid QDate; an invalid QDate or one before JD 0 raises ConversionError.
QDate DayOfCivilDate(const CivilDate& date);
CivilDate CivilDateOfDay(const QDate& day);
// The calendar that names a day: the Julian one before 1582-10-15, else the Gregorian one.
QCalendar CivilCalendarOf(const QDate& day);

// Integer and float parsing in the user's locale; surrounding blanks are allowed. Raises
// ConversionError with a message naming the text when it is not a valid number.
int StrToInt(const QString& text);
int StrToIntDef(const QString& text, int fallback);
double StrToFloat(const QString& text);

}  // namespace noctaris
