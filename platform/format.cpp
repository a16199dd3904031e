#include "platform/format.h"

#include <algorithm>
#include <cmath>

#include <QCalendar>
#include <QDate>
#include <QLocale>
#include <QTime>

namespace noctaris {
namespace {

QString Fixed(double value, int decimals, bool grouped) {
    if (!std::isfinite(value)) return QStringLiteral("-");
    // A value exactly halfway between two outputs (0.125 to two places) rounds away from zero,
    // as the program's texts always have; the C library would round it to even.
    if (decimals >= 0 && decimals <= 18) {
        const long double scaled = static_cast<long double>(value) * std::pow(10.0L, decimals);
        if (std::fabs(scaled - std::trunc(scaled)) == 0.5L)
            value = std::nextafter(value, value < 0 ? -HUGE_VAL : HUGE_VAL);
    }
    QLocale locale;
    locale.setNumberOptions(grouped ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', decimals);
    // "-0,00": the value rounded to zero; show it as zero.
    if (value < 0 && locale.toDouble(text) == 0.0) text = locale.toString(0.0, 'f', decimals);
    return text;
}

QDate DateOf(TDateTime t) {
    return QDate(1899, 12, 30).addDays(static_cast<qint64>(std::trunc(std::isfinite(t) ? t : 0.0)));
}

QCalendar CalendarOf(const QDate& date) { return CivilCalendarOf(date); }

QTime TimeOf(TDateTime t) {
    const TimeOfDay d = DecodeTime(t);
    return QTime(d.hour, d.minute, d.second, d.millisecond);
}

QString ArgText(const FormatArg& arg, QChar type, int precision) {
    switch (type.toLatin1()) {
        case 'd': case 'x': {
            long long v;
            if (auto* i = std::get_if<int>(&arg)) v = *i;
            else if (auto* l = std::get_if<long long>(&arg)) v = *l;
            else throw ConversionError("Format '%d' invalid or incompatible with argument");
            return type == 'x' ? QString::number(v, 16).toUpper() : QString::number(v);
        }
        case 'f': case 'n': {
            double v;
            if (auto* d = std::get_if<double>(&arg)) v = *d;
            else if (auto* i = std::get_if<int>(&arg)) v = *i;
            else if (auto* l = std::get_if<long long>(&arg)) v = static_cast<double>(*l);
            else throw ConversionError("Format '%f' invalid or incompatible with argument");
            return Fixed(v, precision < 0 ? 2 : precision, type == 'n');
        }
        case 's': {
            if (auto* q = std::get_if<QString>(&arg)) return *q;
            if (auto* c = std::get_if<const char*>(&arg)) return QString::fromUtf8(*c);
            throw ConversionError("Format '%s' invalid or incompatible with argument");
        }
        default:
            throw ConversionError("Format invalid");
    }
}

}  // namespace

QCalendar CivilCalendarOf(const QDate& day) {
    static const qint64 kGregorianStartDay = static_cast<qint64>(GregorianStart + 0.5L);
    return QCalendar(day.isValid() && day.toJulianDay() < kGregorianStartDay ? QCalendar::System::Julian
                                                                             : QCalendar::System::Gregorian);
}

QDate DayOfCivilDate(const CivilDate& date) {
    try {
        return QDate::fromJulianDay(std::llround(DateToJD(date.year, date.month, date.day) + 0.5L));
    } catch (const ConversionError&) {
        return {};
    }
}

CivilDate CivilDateOfDay(const QDate& day) {
    if (!day.isValid()) throw ConversionError("Invalid date");
    return JDToDate(static_cast<long double>(day.toJulianDay()));  // its noon
}

QString FormatInt(long long value) { return QString::number(value); }
QString FormatFixed(double value, int decimals) { return Fixed(value, decimals, false); }
QString FormatNumber(double value, int decimals) { return Fixed(value, decimals, true); }

QString Format(const QString& pattern, std::initializer_list<FormatArg> args) {
    QString out;
    auto next = args.begin();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= pattern.size()) throw ConversionError("Format invalid");
        if (pattern[i] == '%') {
            out += '%';
            continue;
        }
        bool left = false;
        int width = 0, precision = -1;
        if (pattern[i] == '-') {
            left = true;
            ++i;
        }
        while (i < pattern.size() && pattern[i].isDigit()) width = width * 10 + pattern[i++].digitValue();
        if (i < pattern.size() && pattern[i] == '.') {
            precision = 0;
            ++i;
            while (i < pattern.size() && pattern[i].isDigit()) precision = precision * 10 + pattern[i++].digitValue();
        }
        if (i >= pattern.size()) throw ConversionError("Format invalid");
        if (next == args.end()) throw ConversionError("Format invalid or incompatible with argument");
        QString text = ArgText(*next++, pattern[i].toLower(), precision);
        if (text.size() < width) text = left ? text.leftJustified(width) : text.rightJustified(width);
        out += text;
    }
    return out;
}

namespace {

bool IsWordCharacter(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// The length of the run of `letter` that starts at `i`.
qsizetype RunLength(const QString& format, qsizetype i, QChar letter) {
    qsizetype j = i;
    while (j < format.size() && format[j] == letter) ++j;
    return j - i;
}

}  // namespace

// Plain scans rather than regular expressions: both run at start, and a compiled pattern costs
// the start more than the whole format.
QString LongTimeFormat() {
    const QString f = QLocale().timeFormat(QLocale::LongFormat);
    // A time zone ("t" as a word of its own) goes, with the blanks around it.
    QString out;
    out.reserve(f.size());
    for (qsizetype i = 0; i < f.size();) {
        const qsizetype n = RunLength(f, i, u't');
        if (n > 0 && (i == 0 || !IsWordCharacter(f[i - 1])) && (i + n == f.size() || !IsWordCharacter(f[i + n]))) {
            while (!out.isEmpty() && out.back().isSpace()) out.chop(1);
            i += n;
            while (i < f.size() && f[i].isSpace()) ++i;
        } else {
            const qsizetype take = std::max<qsizetype>(n, 1);
            out += QStringView(f).mid(i, take);
            i += take;
        }
    }
    // Some locales carry no seconds in their formats; a long time always shows them.
    if (!out.contains('s')) out.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
    return out.trimmed();
}

QString ShortDateFormat() {
    const QString f = QLocale().dateFormat(QLocale::ShortFormat);
    // A two-digit year ("yy" alone, not part of "yyyy") becomes a four-digit one.
    QString out;
    out.reserve(f.size() + 2);
    for (qsizetype i = 0; i < f.size();) {
        const qsizetype n = std::max<qsizetype>(RunLength(f, i, u'y'), 1);
        out += n == 2 ? QStringView(u"yyyy") : QStringView(f).mid(i, n);
        i += n;
    }
    return out;
}

QString TimeToStr(TDateTime t) { return QLocale().toString(TimeOf(t), LongTimeFormat()); }
QString DateToStr(TDateTime t) {
    const QDate date = DateOf(t);
    return QLocale().toString(date, ShortDateFormat(), CalendarOf(date));
}

QString FormatDateTime(const QString& pattern, TDateTime t) {
    const QLocale locale;
    const QDate date = DateOf(t);
    const QCalendar calendar = CalendarOf(date);
    const QTime time = TimeOf(t);
    QString timeSep = locale.timeFormat(QLocale::ShortFormat).contains('.') ? "." : ":";
    QString dateSep = "/";
    for (QChar c : locale.dateFormat(QLocale::ShortFormat))
        if (!c.isLetter()) { dateSep = c; break; }

    QString out;
    bool afterHour = false;
    const qsizetype n = pattern.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = pattern[i];
        const QChar lc = c.toLower();
        qsizetype run = 1;
        while (i + run < n && pattern[i + run].toLower() == lc) ++run;
        if (c == '"' || c == '\'') {
            qsizetype end = pattern.indexOf(c, i + 1);
            if (end < 0) end = n;
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
            continue;
        }
        auto pad = [](int v, int w) { return QString::number(v).rightJustified(w, '0'); };
        switch (lc.toLatin1()) {
            case 'd':
                if (run == 1) out += QString::number(date.day(calendar));
                else if (run == 2) out += pad(date.day(calendar), 2);
                else if (run == 3) out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
                else out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
                afterHour = false;
                break;
            case 'm':
                if (afterHour && run <= 2) {
                    out += run == 1 ? QString::number(time.minute()) : pad(time.minute(), 2);
                } else if (run == 1) out += QString::number(date.month(calendar));
                else if (run == 2) out += pad(date.month(calendar), 2);
                else if (run == 3) out += locale.monthName(date.month(calendar), QLocale::ShortFormat);
                else out += locale.monthName(date.month(calendar), QLocale::LongFormat);
                afterHour = false;
                break;
            case 'y':
                out += run <= 2 ? pad(std::abs(date.year(calendar)) % 100, 2) : pad(date.year(calendar), 4);
                afterHour = false;
                break;
            case 'h':
                out += run == 1 ? QString::number(time.hour()) : pad(time.hour(), 2);
                afterHour = true;
                break;
            case 'n':
                out += run == 1 ? QString::number(time.minute()) : pad(time.minute(), 2);
                break;
            case 's':
                out += run == 1 ? QString::number(time.second()) : pad(time.second(), 2);
                break;
            case 'z':
                out += run < 3 ? QString::number(time.msec()) : pad(time.msec(), 3);
                break;
            case ':':
                out += timeSep.repeated(run);
                break;
            case '/':
                out += dateSep.repeated(run);
                break;
            default:
                out += pattern.mid(i, run);
                break;
        }
        i += run;
    }
    return out;
}

int StrToInt(const QString& text) {
    bool ok = false;
    const QString t = text.trimmed();
    int v = QLocale().toInt(t, &ok);
    if (!ok) v = t.toInt(&ok);  // plain digits without the locale's grouping
    if (!ok && t.startsWith('$')) v = t.mid(1).toInt(&ok, 16);
    if (!ok) throw ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString());
    return v;
}

int StrToIntDef(const QString& text, int fallback) {
    try {
        return StrToInt(text);
    } catch (const ConversionError&) {
        return fallback;
    }
}

double StrToFloat(const QString& text) {
    bool ok = false;
    const double v = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text).toStdString());
    return v;
}

}  // namespace noctaris
