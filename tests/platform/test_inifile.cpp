#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <climits>
#include <random>

#include "platform/inifile.h"
#include "platform/small_tmpfs.h"

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

TEST(IniFile, FullDiskKeepsTheOldSettingsAndSaysWhy) {
    SmallTmpfs disk;
    if (!disk.Mounted()) GTEST_SKIP() << disk.WhyNot();
    const QString path = disk.FilePath("noctaris.ini");
    const QByteArray old("[Noctaris]\r\nOrt=Old\r\n\r\n[Other]\r\nX=1\r\n\r\n");
    WriteAll(path, old);
    const QStringList before = QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden);

    disk.Fill();
    IniFile ini(path);
    ini.WriteString("Noctaris", "Ort", "New");
    QString error;
    EXPECT_FALSE(ini.Save(&error));
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains("No space left on device")) << error.toStdString();
    EXPECT_EQ(ReadAll(path), old);

    // Some room, but less than the file: part of it gets written before the disk is full.
    disk.Unfill();
    disk.Fill(8192);
    ini.WriteString("Noctaris", "Long", QString(40000, 'x'));
    EXPECT_FALSE(ini.Save(&error));
    EXPECT_EQ(ReadAll(path), old);
    QStringList expected = before + QStringList{"filler"};
    expected.sort();
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden), expected) << "a temporary file was left behind";

    disk.Unfill();
    ASSERT_TRUE(ini.Save(&error)) << error.toStdString();
    IniFile back(path);
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(back.ReadString("Noctaris", "Ort", ""), "New");
    EXPECT_EQ(back.ReadString("Noctaris", "Long", "").size(), 40000);
    EXPECT_EQ(back.ReadInteger("Other", "X", 0), 1);
}

TEST(IniFile, IntegersTakeOneSignAndFitAnInt) {
    const struct {
        const char* text;
        int expected;  // 77 is the fallback
    } cases[] = {
        {"-2147483648", INT_MIN}, {"2147483647", INT_MAX}, {"$7FFFFFFF", INT_MAX}, {"-$80000000", INT_MIN},
        {"+5", 5}, {"-0", 0}, {"+0", 0}, {" \t-7 ", -7}, {"-$10", -16}, {"0x1f", 31},
        {"2147483648", 77}, {"-2147483649", 77}, {"$80000000", 77},
        {"9223372036854775807", 77}, {"-9223372036854775808", 77}, {"--9223372036854775808", 77},
        {"9223372036854775808", 77}, {"-9223372036854775809", 77}, {"18446744073709551616", 77},
        {"+-90", 77}, {"-+90", 77}, {"--5", 77}, {"++5", 77}, {"$-5", 77}, {"0x-5", 77}, {"- 7", 77},
        {"+", 77}, {"-", 77}, {"$", 77}, {"5 5", 77},
    };
    for (const auto& c : cases) {
        IniFile ini("unused");
        ini.Parse(std::string("[Noctaris]\nSimulation=") + c.text + "\n");
        EXPECT_EQ(ini.ReadInteger("Noctaris", "Simulation", 77), c.expected) << "'" << c.text << "'";
    }
}

TEST(IniFile, Utf8FilesAreReadAndWrittenBackAsWindows1252) {
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    // As a UTF-8 editor saves it: a byte-order mark, umlauts in two bytes each.
    WriteAll(path, "\xEF\xBB\xBF[Noctaris]\r\nOrt=Z\xC3\xBCrich, CH\r\n\xC3\x84quator=1\r\nH\xC3\xB6hen=0\r\nSimulation=7\r\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString("Noctaris", "Ort", ""), QString::fromUtf8("Zürich, CH"));
    EXPECT_TRUE(ini.ReadBool("Noctaris", QString::fromUtf8("Äquator"), false));
    EXPECT_FALSE(ini.ReadBool("Noctaris", QString::fromUtf8("Höhen"), true));
    EXPECT_EQ(ini.ReadInteger("Noctaris", "Simulation", 2), 7);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadAll(path), QByteArray("[Noctaris]\r\nOrt=Z\xFCrich, CH\r\n\xC4quator=1\r\nH\xF6hen=0\r\nSimulation=7\r\n\r\n"));

    IniFile ascii("unused");
    ascii.Parse("\xEF\xBB\xBF[Noctaris]\nSimulation=9\n");
    EXPECT_EQ(ascii.ReadInteger("Noctaris", "Simulation", 2), 9);
    // Windows-1252 bytes are not UTF-8: read as they always were, "\xC3\x84" included.
    IniFile cp1252("unused");
    cp1252.Parse("[Noctaris]\nOrt=Z\xFCrich\nA=\xC3\x84\n");
    EXPECT_EQ(cp1252.ReadString("Noctaris", "Ort", ""), QString::fromUtf8("Zürich"));
    EXPECT_EQ(cp1252.ReadString("Noctaris", "A", ""), QString::fromUtf8("Ã„"));
}

TEST(IniFile, SavingKeepsSectionsAndKeysTheProgramDoesNotKnow) {
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    WriteAll(path, "[Window]\r\nLeft=5\r\n\r\n[Noctaris]\r\nORT=Old\r\nFuture=42\r\nAzimut=10\r\n\r\n"
                   "[Plugins]\r\nB=2\r\nA=1\r\n");
    IniFile ini(path);  // the program writes its keys without reading the file first
    ini.WriteString("noctaris", "Ort", "New");
    ini.WriteInteger("Noctaris", "Azimut", -90);
    ini.WriteInteger("Noctaris", "Simulation", 2);
    QString error;
    ASSERT_TRUE(ini.Save(&error)) << error.toStdString();
    EXPECT_EQ(ReadAll(path), QByteArray("[Window]\r\nLeft=5\r\n\r\n[Noctaris]\r\nORT=New\r\nFuture=42\r\n"
                                        "Azimut=-90\r\nSimulation=2\r\n\r\n[Plugins]\r\nB=2\r\nA=1\r\n\r\n"));
}

TEST(IniFile, LargeFilesParseInLinearTimeAndKeepTheirOrder) {
    // 30,000 keys in one section and 10,000 sections: when every line searched all keys and
    // sections before it, this took minutes; hashed, it takes a fraction of a second.
    std::string text = "[Big]\n";
    for (int k = 0; k < 30000; ++k) text += "Key" + std::to_string(k) + "=" + std::to_string(k) + "\n";
    for (int s = 0; s < 10000; ++s) text += "[S" + std::to_string(s) + "]\nValue=" + std::to_string(s) + "\n";
    text += "[big]\nKEY29999=last\n";  // repeated key in another case: the value changes, the spelling stays
    QElapsedTimer timer;
    timer.start();
    IniFile ini("unused");
    ini.Parse(text);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(ini.ReadInteger("Big", "Key0", -1), 0);
    EXPECT_EQ(ini.ReadInteger("BIG", "key12345", -1), 12345);
    EXPECT_EQ(ini.ReadString("big", "Key29999", ""), "last");
    EXPECT_EQ(ini.ReadInteger("s5000", "VALUE", -1), 5000);
    const std::string out = ini.Serialize();
    EXPECT_TRUE(out.starts_with("[Big]\r\nKey0=0\r\nKey1=1\r\nKey2=2\r\n")) << out.substr(0, 40);
    EXPECT_NE(out.find("\r\nKey29998=29998\r\nKey29999=last\r\n\r\n[S0]\r\nValue=0\r\n"), std::string::npos);
    EXPECT_TRUE(out.ends_with("[S9999]\r\nValue=9999\r\n\r\n")) << out.substr(out.size() - 40);
}

TEST(IniFile, FilesOverAMebibyteAreReadAndSavedWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    QByteArray bytes("[Other]\r\n");
    for (int k = 0; k < 200000; ++k) bytes += "Key" + QByteArray::number(k) + "=" + QByteArray::number(k) + "\r\n";
    bytes += "\r\n[Noctaris]\r\nSimulation=5\r\n";
    ASSERT_GT(bytes.size(), 2 << 20);
    WriteAll(path, bytes);
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadInteger("Noctaris", "Simulation", 2), 5);
    ini.WriteInteger("Noctaris", "Azimut", 7);
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadAll(path), bytes + "Azimut=7\r\n\r\n");
}
