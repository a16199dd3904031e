#pragma once
// The main window under test: its own settings file in a temporary folder, the shipped catalogs
// loaded once, a fixed clock (2026-12-07 21:32:17) and no message boxes.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "app/main_window.h"
#include "main_window_controls.h"
#include "windows/wincommon.h"

namespace noctaris::test {

inline std::shared_ptr<const Catalogs> SharedCatalogPointer() {
    static auto catalogs = std::make_shared<const Catalogs>(Catalogs::LoadAll());
    return catalogs;
}

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetDialogsAllowed(false);  // nobody clicks a box here
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        path_ = dir_.filePath("noctaris.ini");
    }
    // A window not shown yet.
    std::unique_ptr<MainWindow> Create(std::function<QDateTime()> clock = {}) {
        MainWindow::Options o;
        o.settingsPath = path_;
        o.catalogs = SharedCatalogPointer();
        // 21:32:17 in Chemnitz (CET), whatever the computer's own zone.
        o.clock = clock ? std::move(clock) : [] { return QDateTime(QDate(2026, 12, 7), QTime(20, 32, 17), Qt::UTC); };
        return std::make_unique<MainWindow>(o);
    }
    // A window shown, its first chart painted (the chart renders in the window's paint).
    std::unique_ptr<MainWindow> Open(std::function<QDateTime()> clock = {}) {
        auto w = Create(std::move(clock));
        ShowAndWaitForChart(*w);
        return w;
    }
    void WriteSettings(const QByteArray& bytes) {
        QFile f(path_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray StoredBytes() const {
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir_;
    QString path_;
};

}  // namespace noctaris::test
