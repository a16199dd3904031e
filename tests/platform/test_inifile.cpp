#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <random>

#include "platform/inifile.h"

using namespace noctaris;

namespace {
QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

TEST(IniFile, UmlautKeysStaySingleBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    IniFile out(path);
    out.WriteString("Noctaris", "Ort", QString::fromUtf8("Zürich, CH"));
    out.WriteBool("Noctaris", QString::fromUtf8("Äquator"), true);
    out.WriteBool("Noctaris", QString::fromUtf8("Höhen"), false);
    out.WriteInteger("Noctaris", "Azimut", -90);
    QString error;
    ASSERT_TRUE(out.Save(&error)) << error.toStdString();
    EXPECT_EQ(ReadAll(path),
              QByteArray("[Noctaris]\r\nOrt=Z\xFCrich, CH\r\n\xC4quator=1\r\nH\xF6hen=0\r\nAzimut=-90\r\n\r\n"));

    IniFile in(path);
    ASSERT_TRUE(in.Load());
    EXPECT_EQ(in.ReadString("Noctaris", "Ort", ""), QString::fromUtf8("Zürich, CH"));
    EXPECT_TRUE(in.ReadBool("noctaris", QString::fromUtf8("äquator"), false));
    EXPECT_FALSE(in.ReadBool("Noctaris", QString::fromUtf8("Höhen"), true));
    EXPECT_EQ(in.ReadInteger("Noctaris", "Azimut", 0), -90);
}

TEST(IniFile, DelphiIntegersAndDefaults) {
    IniFile ini("unused");
    ini.Parse("junk before any section\n[Noctaris]\nA=7\nB= 12 \nC=$10\nD=abc\nE=99999999999\n"
              "F=\n=nokey\nnoequals\nG=-0\n[Other]\nA=1\r\n[broken\nH=5\n");
    EXPECT_EQ(ini.ReadInteger("Noctaris", "A", 0), 7);
    EXPECT_TRUE(ini.ReadBool("Noctaris", "A", false));  // any non-zero is true
    EXPECT_EQ(ini.ReadInteger("Noctaris", "B", 0), 12);
    EXPECT_EQ(ini.ReadInteger("Noctaris", "C", 0), 16);
    EXPECT_EQ(ini.ReadInteger("Noctaris", "D", 3), 3);
    EXPECT_EQ(ini.ReadInteger("Noctaris", "E", 3), 3);
    EXPECT_EQ(ini.ReadInteger("Noctaris", "F", 4), 4);
    EXPECT_FALSE(ini.ReadBool("Noctaris", "G", true));
    EXPECT_EQ(ini.ReadInteger("Noctaris", "Missing", 5), 5);
    EXPECT_EQ(ini.ReadInteger("Other", "A", 0), 1);
    EXPECT_FALSE(ini.ValueExists("Other", "H"));  // under a broken header
}

TEST(IniFile, GarbageFilesGiveDefaults) {
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    IniFile missing(dir.filePath("nothing.ini"));
    EXPECT_FALSE(missing.Exists());
    EXPECT_FALSE(missing.Load());
    EXPECT_EQ(missing.ReadInteger("Noctaris", "Simulation", 2), 2);

    std::mt19937 rng(7);
    QByteArray binary(70000, '\0');
    for (auto& c : binary) c = static_cast<char>(rng());
    WriteAll(path, binary);
    IniFile garbage(path);
    EXPECT_TRUE(garbage.Load());
    EXPECT_EQ(garbage.ReadInteger("Noctaris", "Simulation", 2), 2);

    WriteAll(path, QByteArray("[Noctaris]\r\nSimulation=4"));  // cut off mid-file
    IniFile truncated(path);
    EXPECT_TRUE(truncated.Load());
    EXPECT_EQ(truncated.ReadInteger("Noctaris", "Simulation", 2), 4);
}

TEST(IniFile, FailedWriteIsReportedAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    WriteAll(path, "[Noctaris]\r\nOrt=Old\r\n");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    IniFile ini(path);
    ini.WriteString("Noctaris", "Ort", "New");
    QString error;
    const bool saved = ini.Save(&error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (getuid() == 0) {
        // root may write anyway; then the write must have completed.
        if (saved) {
            EXPECT_TRUE(ReadAll(path).contains("Ort=New"));
        }
    } else {
        EXPECT_FALSE(saved);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(ReadAll(path), QByteArray("[Noctaris]\r\nOrt=Old\r\n"));
    }
    IniFile nowhere("/proc/no-such-dir/noctaris.ini");
    EXPECT_FALSE(nowhere.Save(&error));
    EXPECT_TRUE(error.contains("noctaris.ini"));
}
