// The export writers and how a window writes an export: the format of a chosen file, the
// remembered folder, and failures that leave nothing behind.
#include <sys/resource.h>

#include <csignal>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "export_tests.h"
#include "window_tests.h"
#include "windows/exports.h"
#include "windows/exports_dialog.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

using test::CapturedFailures;
using test::FakePrompt;

const std::vector<FileFormat> kCalendarFormats = {{"iCalendar", "ics"}, {"CSV", "csv"}};

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ExportWriters, CsvQuotesWhatNeedsItAndWritesNoNonsense) {
    using namespace exports;
    const std::vector<Record> records = {
        {{"text", QString("Venus, greatest \"elongation\"")}, {"x", Number(0.1)}, {"n", 3LL}, {"b", true}},
        {{"text", QString("two\nlines")}, {"x", Number(std::numeric_limits<double>::quiet_NaN())},
         {"n", Value()}, {"b", false}},
        {{"text", QString::fromUtf8("Zürich")}, {"x", Number(-1e-7)}, {"n", -2LL}, {"b", Number(HUGE_VAL)}}};
    EXPECT_EQ(ToCsv(records),
              QByteArray("text,x,n,b\r\n"
                         "\"Venus, greatest \"\"elongation\"\"\",0.1,3,true\r\n"
                         "\"two\nlines\",,,false\r\n") +
                  QString::fromUtf8("Zürich,-1e-07,-2,\r\n").toUtf8());
    EXPECT_EQ(ToCsv({}), QByteArray());
}

TEST(ExportWriters, InstantsAsIso8601) {
    using namespace exports;
    auto text = [](const Value& v) { return std::get<QString>(v).toStdString(); };
    // 2026-12-07 20:30 UT is JD 2461382.354166667; J2000.0 is 2000-01-01 12:00 TT.
    EXPECT_EQ(text(IsoUtc(2461382.354166667)), "2026-12-07T20:30:00Z");
    EXPECT_EQ(text(IsoLocal(2461382.354166667, 1)), "2026-12-07T21:30:00+01:00");
    EXPECT_EQ(text(IsoLocal(2461382.354166667, -3.5)), "2026-12-07T17:00:00-03:30");
    EXPECT_EQ(text(IsoLocal(2461382.354166667, 5.75)), "2026-12-08T02:15:00+05:45");
    EXPECT_EQ(text(IsoUtc(2451545.0)), "2000-01-01T12:00:00Z");
    // Astronomical years, the Julian calendar before 1582-10-15: JD 0 is 4713 BC January 1,
    // noon (year -4712); year 1 begins at JD 1721423.5, year 0 (1 BC, a leap year) 366 days
    // before, and years past 9999 are written expanded.
    EXPECT_EQ(text(IsoUtc(0)), "-4712-01-01T12:00:00Z");
    EXPECT_EQ(text(IsoUtc(1721423.5)), "0001-01-01T00:00:00Z");
    EXPECT_EQ(text(IsoUtc(1721057.5)), "0000-01-01T00:00:00Z");
    EXPECT_EQ(text(IsoUtc(1720692.5)), "-0001-01-01T00:00:00Z");
    EXPECT_EQ(text(IsoUtc(5373484.5)), "+10000-01-01T00:00:00Z");
    EXPECT_EQ(text(IsoDate(2299160.5)), "1582-10-15");
    EXPECT_EQ(text(IsoDate(2299159.5)), "1582-10-04");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(IsoUtc(-1)));
    EXPECT_EQ(IsoOffset(0), "+00:00");
    EXPECT_EQ(IsoOffset(-9.5), "-09:30");
    EXPECT_EQ(IsoOffset(12.75), "+12:45");
}

TEST(ExportWriters, IcsLinesFoldWithinSeventyFiveOctetsWithoutSplittingACharacter) {
    using namespace exports;
    // Two-octet letters with one ASCII letter in front, so that every fold point falls inside a
    // letter unless it backs up.
    const QByteArray line = "SUMMARY:x" + QString(200, QChar(0xE4)).toUtf8();
    const QByteArray folded = FoldIcsLine(line);
    ASSERT_TRUE(folded.endsWith("\r\n"));
    QByteArray unfolded;
    const QList<QByteArray> physical = folded.chopped(2).split('\n');
    for (int i = 0; i < physical.size(); ++i) {
        QByteArray p = physical[i];
        if (i + 1 < physical.size()) {
            ASSERT_TRUE(p.endsWith('\r'));
            p.chop(1);
        }
        EXPECT_LE(p.size(), 75);
        if (i > 0) {
            ASSERT_TRUE(p.startsWith(' '));
            p.remove(0, 1);
        }
        EXPECT_TRUE(QString::fromUtf8(p).toUtf8() == p) << "a character split at line " << i;
        unfolded += p;
    }
    EXPECT_EQ(unfolded, line);
    EXPECT_EQ(FoldIcsLine("BEGIN:VEVENT"), "BEGIN:VEVENT\r\n");
    EXPECT_EQ(EscapeIcsText("a;b,c\\d\r\ne"), "a\\;b\\,c\\\\d\\ne");
}

TEST(ExportFile, TheSuffixDecidesTheFormatThenTheFilter) {
    auto chosen = [](const QString& path, const QString& filter) {
        return ChosenFormat({path, filter}, kCalendarFormats).suffix;
    };
    EXPECT_EQ(chosen("/tmp/year.csv", "iCalendar (*.ics)"), "csv");
    EXPECT_EQ(chosen("/tmp/year.ICS", "CSV (*.csv)"), "ics");
    EXPECT_EQ(chosen("/tmp/year", "CSV (*.csv)"), "csv");
    EXPECT_EQ(chosen("/tmp/year.txt", "CSV (*.csv)"), "csv");
    EXPECT_EQ(chosen("/tmp/year", ""), "ics");
    EXPECT_EQ(NameFilter(kCalendarFormats[0]), "iCalendar (*.ics)");
}

TEST(ExportFile, TheFolderOfTheChosenFileIsAskedNextTime) {
    FakePrompt answer{"/srv/sky/2026/calendar.ics", ""};
    QString folder = "/home/user";
    const SaveFileRequest request{"Export", "ignored", "calendar.ics", kCalendarFormats};
    EXPECT_EQ(AskInFolder(answer.prompt(), nullptr, request, folder).path, answer.path);
    ASSERT_EQ(answer.asked.size(), 1u);
    EXPECT_EQ(answer.asked[0].folder, "/home/user");
    EXPECT_EQ(answer.asked[0].fileName, "calendar.ics");
    EXPECT_EQ(folder, "/srv/sky/2026");

    answer.path.clear();  // cancelled: the folder stays
    EXPECT_TRUE(AskInFolder(answer.prompt(), nullptr, request, folder).path.isEmpty());
    EXPECT_EQ(answer.asked[1].folder, "/srv/sky/2026");
    EXPECT_EQ(folder, "/srv/sky/2026");
}

class ExportToFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        noctaris::SetDialogsAllowed(false);
        window_.setWindowTitle("Astronomical calendar");
    }
    // Exports `bytes` to `path`; returns the path written.
    QString Export(const QString& path, const QByteArray& bytes, QString* suffix = nullptr) {
        FakePrompt answer{path, "iCalendar (*.ics)"};
        return ExportToFile(&window_, answer.prompt(), {"Export", "", "calendar.ics", kCalendarFormats},
                            [&](const QString& s) {
                                if (suffix) *suffix = s;
                                return bytes;
                            });
    }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }

    QTemporaryDir dir_;
    QWidget window_;
};

TEST_F(ExportToFileTest, WritesTheChosenFormatOrNothingWhenCancelled) {
    QString suffix;
    const QString path = dir_.filePath("year.csv");
    EXPECT_EQ(Export(path, "a,b\r\n", &suffix), path);
    EXPECT_EQ(suffix, "csv");
    EXPECT_EQ(Read(path), "a,b\r\n");

    bool made = false;
    FakePrompt cancel{"", ""};
    EXPECT_TRUE(ExportToFile(&window_, cancel.prompt(), {"Export", "", "x.ics", kCalendarFormats},
                             [&](const QString&) {
                                 made = true;
                                 return QByteArray("x");
                             })
                    .isEmpty());
    EXPECT_FALSE(made) << "nothing is computed for a cancelled export";
    EXPECT_EQ(Files(), QStringList{"year.csv"});
}

TEST_F(ExportToFileTest, AFailedWriteIsReportedWithFileAndReasonAndLeavesNoFile) {
    CapturedFailures failures;
    // The folder was removed after it was chosen.
    const QString missing = dir_.filePath("gone/year.ics");
    EXPECT_TRUE(Export(missing, "BEGIN:VCALENDAR\r\n").isEmpty());
    ASSERT_EQ(failures.reports().size(), 1);
    EXPECT_TRUE(failures.reports()[0].startsWith("Astronomical calendar:")) << failures.reports()[0].toStdString();
    EXPECT_TRUE(failures.reports()[0].contains(missing));
    EXPECT_TRUE(failures.reports()[0].contains("No such file or directory")) << failures.reports()[0].toStdString();
    EXPECT_FALSE(QFile::exists(missing));

    // What cannot be computed is reported the same way, and nothing is written.
    const QString path = dir_.filePath("never.ics");
    FakePrompt answer{path, ""};
    EXPECT_TRUE(ExportToFile(&window_, answer.prompt(), {"Export", "", "never.ics", kCalendarFormats},
                             [](const QString&) -> QByteArray { throw std::runtime_error("no such year"); })
                    .isEmpty());
    ASSERT_EQ(failures.reports().size(), 2);
    EXPECT_TRUE(failures.reports()[1].contains("never.ics") && failures.reports()[1].contains("no such year"));
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(ExportToFileTest, AFullDiskLeavesTheOldFileAndNoPartOfTheNewOne) {
    const QString path = dir_.filePath("year.ics");
    ASSERT_FALSE(Export(path, "old calendar").isEmpty());

    // A file size limit fails the write halfway, as a full disk does (even for root, who may
    // write into read-only folders).
    CapturedFailures failures;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString written = Export(path, QByteArray(100000, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousSignal);

    EXPECT_TRUE(written.isEmpty());
    ASSERT_EQ(failures.reports().size(), 1);
    EXPECT_TRUE(failures.reports()[0].contains(path));
    EXPECT_TRUE(failures.reports()[0].contains("File too large")) << failures.reports()[0].toStdString();
    EXPECT_EQ(Read(path), "old calendar");
    EXPECT_EQ(Files(), QStringList{"year.ics"}) << "no temporary file is left";
}

}  // namespace
}  // namespace noctaris
