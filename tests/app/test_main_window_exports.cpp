// The main window's exports: the chart as a PNG file, and the folder every export starts in,
// kept in the settings file.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

#include "app/chart_surface.h"
#include "app/main_window.h"
#include "main_window_controls.h"
#include "platform/inifile.h"
#include "windows/ephemeris_window.h"
#include "windows/export_tests.h"
#include "windows/wincommon.h"

using namespace noctaris;

namespace {

class MainWindowExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        noctaris::SetDialogsAllowed(false);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        settingsPath_ = dir_.filePath("noctaris.ini");
        ASSERT_TRUE(QDir(dir_.path()).mkdir("pictures"));
        pictures_ = dir_.filePath("pictures");
    }
    std::unique_ptr<MainWindow> Open() {
        static auto catalogs = std::make_shared<const Catalogs>(Catalogs::LoadAll());
        MainWindow::Options o;
        o.settingsPath = settingsPath_;
        o.catalogs = catalogs;
        o.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(20, 32, 17), Qt::UTC); };
        o.askFile = answer_.prompt();
        auto w = std::make_unique<MainWindow>(o);
        ShowAndWaitForChart(*w);
        return w;
    }
    static QAction* Action(const MainWindow& w, const char* name) {
        QAction* a = w.findChild<QAction*>(name);
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    static QImage Rgb(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

    QTemporaryDir dir_;
    QString settingsPath_, pictures_;
    test::FakePrompt answer_;
};

TEST_F(MainWindowExportTest, TheChartIsSavedAsOnTheScreenAndItsFolderIsRemembered) {
    {
        auto w = Open();
        QAction* const save = Action(*w, "saveChartAction");
        ASSERT_NE(save, nullptr);
        EXPECT_EQ(save->text().remove('&'), QString::fromUtf8("Save chart as…"));
        // In the File menu, before Close.
        const QList<QAction*> file = w->menuBar()->actions().constFirst()->menu()->actions();
        ASSERT_TRUE(file.contains(save));
        EXPECT_LT(file.indexOf(save), file.indexOf(Action(*w, "closeAction")));

        answer_.path = QDir(pictures_).filePath("evening.png");
        save->trigger();
        ASSERT_EQ(answer_.asked.size(), 1u);
        EXPECT_TRUE(answer_.asked[0].folder.isEmpty()) << "no export yet: the dialog's own start";
        EXPECT_EQ(answer_.asked[0].fileName, "chart-2026-12-07-2132.png");
        ASSERT_EQ(answer_.asked[0].formats.size(), 3u);
        EXPECT_EQ(answer_.asked[0].formats[0].suffix, "png");

        const QImage saved(answer_.path);
        ChartSurface* const surface = w->findChild<ChartSurface*>("chartSurface");
        ASSERT_FALSE(saved.isNull());
        EXPECT_EQ(saved.size(), surface->size());
        EXPECT_TRUE(Rgb(saved) == Rgb(surface->image()));
        EXPECT_TRUE(Rgb(saved) == Rgb(surface->grab().toImage())) << "what the surface shows";

        // The sheets to print: a PDF page and an SVG drawing by the name's extension; the
        // screen keeps its chart.
        for (const char* name : {"evening.pdf", "evening.svg"}) {
            answer_.path = QDir(pictures_).filePath(name);
            save->trigger();
            QFile f(answer_.path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
            const QByteArray head = f.read(200);
            EXPECT_TRUE(head.startsWith("%PDF-") || head.contains("<svg")) << name;
        }
        EXPECT_TRUE(Rgb(saved) == Rgb(surface->image()));
        w->close();
    }
    IniFile ini(settingsPath_);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString("Noctaris", "Exportordner", ""), pictures_);

    // The next run starts every export there: here the ephemeris table's.
    auto w = Open();
    w->findChild<QAction*>("ephemerisAction")->trigger();
    answer_.path = QDir(pictures_).filePath("table.csv");
    w->ephemerisWindow()->findChild<QPushButton*>("exportButton")->click();
    ASSERT_EQ(answer_.asked.size(), 4u);
    EXPECT_EQ(answer_.asked[3].folder, pictures_);
    EXPECT_TRUE(QFile::exists(answer_.path));
}

TEST_F(MainWindowExportTest, AChartThatCannotBeWrittenIsReportedAndLeavesNoFile) {
    auto w = Open();
    answer_.path = dir_.filePath("removed/evening.png");
    test::CapturedFailures failures;
    Action(*w, "saveChartAction")->trigger();
    ASSERT_EQ(failures.reports().size(), 1);
    EXPECT_TRUE(failures.reports()[0].startsWith("Noctaris: "));
    EXPECT_TRUE(failures.reports()[0].contains(answer_.path)) << failures.reports()[0].toStdString();
    EXPECT_FALSE(QFile::exists(answer_.path));

    answer_.path.clear();  // cancelled: nothing written, nothing reported
    Action(*w, "saveChartAction")->trigger();
    EXPECT_EQ(failures.reports().size(), 1);
    EXPECT_EQ(QDir(pictures_).entryList(QDir::Files), QStringList());
}

}  // namespace
