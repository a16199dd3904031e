#include <gtest/gtest.h>

#include <QLocale>
#include <QRegularExpression>

#include "platform/codec.h"
#include "platform/format.h"
#include "support.h"

using namespace noctaris;
using namespace noctaris::test;

namespace {
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
}  // namespace

TEST(Format, NumbersFollowTheLocale) {
    {
        PinnedLocale pin(QLocale::c());
        EXPECT_EQ(FormatFixed(1234.5678, 2), "1234.57");
        EXPECT_EQ(FormatNumber(1234567.891, 1), "1,234,567.9");
        EXPECT_EQ(FormatInt(-42), "-42");
        EXPECT_EQ(FormatFixed(-0.001, 2), "0.00");
        EXPECT_EQ(FormatFixed(-0.5, 1), "-0.5");
        EXPECT_EQ(FormatFixed(std::nan(""), 2), "-");
        // Exact halves round away from zero; values a hair below a half do not.
        EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
        EXPECT_EQ(FormatFixed(-2.5, 0), "-3");
        EXPECT_EQ(FormatFixed(2.675, 2), "2.67");
    }
    {
        PinnedLocale pin(kGerman);
        EXPECT_EQ(FormatFixed(1234.5678, 2), "1234,57");
        EXPECT_EQ(FormatNumber(149597870.7, 0), "149.597.871");
        EXPECT_EQ(Format("%d km, %.3f AE, %s", {384400, 0.002569, "Mond"}), "384400 km, 0,003 AE, Mond");
        EXPECT_EQ(Format("%.2n%%", {12345.678}), "12.345,68%");
        EXPECT_EQ(Format("[%5d|%-4s|%6.1f]", {42, "ab", 3.14159}), "[   42|ab  |   3,1]");
    }
    PinnedLocale pin(kEnglish);
    EXPECT_EQ(Format("%f", {2.0}), "2.00");
    EXPECT_THROW(Format("%d", {1.5}), ConversionError);
    EXPECT_THROW(Format("%d %d", {1}), ConversionError);
}

TEST(Format, DatesAndTimes) {
    const TDateTime t = EncodeDate(2026, 12, 7) + EncodeTime(21, 5, 9, 0);
    {
        PinnedLocale pin(kGerman);
        EXPECT_EQ(TimeToStr(t), "21:05:09");
        EXPECT_EQ(DateToStr(t), "07.12.2026");
        EXPECT_EQ(FormatDateTime("hh:nn", t), "21:05");
        EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:mm", t), "07.12.2026 21:05");
        EXPECT_EQ(FormatDateTime("d/m/yy", t), "7.12.26");
        EXPECT_EQ(FormatDateTime("mmmm", t), "Dezember");
    }
    {
        // Before 1582-10-15 days are named in the Julian calendar, as the core counts them:
        // the day before the reform is Thursday 4 October, 1500 has a 29 February.
        PinnedLocale pin(kGerman);
        EXPECT_EQ(DateToStr(EncodeDate(1582, 10, 15) - 1), "04.10.1582");
        EXPECT_EQ(FormatDateTime("dddd d.m.yyyy", EncodeDate(1582, 10, 15) - 1), "Donnerstag 4.10.1582");
        EXPECT_EQ(FormatDateTime("d mmm yyyy", EncodeDate(1500, 3, 1) - 1), "29 Feb. 1500");
        // A QDate is a day; its civil name comes from the core (Meeus: 333-01-27 Julian is
        // JD 1842713, noon).
        const QDate day = DayOfCivilDate({333, 1, 27});
        EXPECT_EQ(day.toJulianDay(), 1842713);
        EXPECT_EQ(CivilDateOfDay(day), (CivilDate{333, 1, 27}));
        EXPECT_EQ(CivilDateOfDay(QDate(1582, 10, 14)), (CivilDate{1582, 10, 4}));
        EXPECT_EQ(DayOfCivilDate({1582, 10, 15}), QDate(1582, 10, 15));
        EXPECT_FALSE(DayOfCivilDate({1582, 10, 10}).isValid());
        EXPECT_FALSE(DayOfCivilDate({1700, 2, 29}).isValid());
        EXPECT_THROW(CivilDateOfDay(QDate()), ConversionError);
    }
    PinnedLocale pin(QLocale::c());
    EXPECT_EQ(TimeToStr(t), "21:05:09");
    EXPECT_FALSE(LongTimeFormat().contains('t'));
    EXPECT_EQ(FormatDateTime("hh:nn:ss 'Uhr'", t), "21:05:09 Uhr");
}

TEST(Format, LocaleFormatsInEveryLocale) {
    // Against the rules written as regular expressions, in every locale Qt knows: a long time
    // without a zone and with seconds, a short date with a four-digit year.
    const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*")), shortYear(QStringLiteral("(?<!y)yy(?!y)"));
    int checked = 0;
    for (const QLocale& locale : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory)) {
        PinnedLocale pin(locale);
        QString time = locale.timeFormat(QLocale::LongFormat);
        time.remove(zone);
        if (!time.contains('s')) time.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
        EXPECT_EQ(LongTimeFormat(), time.trimmed()) << locale.name().toStdString();
        EXPECT_EQ(ShortDateFormat(), locale.dateFormat(QLocale::ShortFormat).replace(shortYear, QStringLiteral("yyyy")))
            << locale.name().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 300);
}

TEST(Format, ParsingNumbers) {
    PinnedLocale pin(kGerman);
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-7"), -7);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_DOUBLE_EQ(StrToFloat("3,5"), 3.5);
    EXPECT_EQ(StrToIntDef("abc", 9), 9);
    try {
        StrToInt("12a");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
    }
    EXPECT_THROW(StrToFloat(""), ConversionError);
    EXPECT_THROW(StrToInt("99999999999"), ConversionError);
}

TEST(Codec, Windows1252BothWays) {
    const std::string bytes = "\xC4quator H\xF6hen Z\xFCrich \x80 \x96";
    EXPECT_EQ(Cp1252ToUtf8(bytes), "Äquator Höhen Zürich € –");
    EXPECT_EQ(Utf8ToCp1252("Äquator Höhen Zürich € –"), bytes);
    EXPECT_EQ(FromCp1252("K\xF6ln"), QString::fromUtf8("Köln"));
    EXPECT_EQ(ToCp1252(QString::fromUtf8("München")), "M\xFCnchen");
    // Undefined bytes and characters without a 1252 form do not break the conversion.
    EXPECT_EQ(Cp1252ToUtf8("a\x81" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Utf8ToCp1252("Łódź"), "?\xF3" "d?");
    EXPECT_EQ(Utf8ToCp1252("a\xFF" "b"), "a?b");
    EXPECT_EQ(Utf8ToCp1252(""), "");
    std::string all;
    for (int c = 1; c < 256; ++c)
        if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}
