#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <climits>
#include <random>
#include <tuple>

#include "platform/codec.h"
#include "platform/inifile.h"
#include "platform/small_tmpfs.h"

using namespace noctaris;

namespace {
QByteArray ReadAll(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
QStringList& Warnings() {
    static QStringList warnings;
    return warnings;
}
void CollectWarnings(QtMsgType, const QMessageLogContext&, const QString& text) { Warnings() << text; }
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
    // A file that cannot be read would lose what it holds: it is not replaced.
    QFile::setPermissions(path, QFile::WriteOwner);
    const bool overwritten = ini.Save(&error);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    if (getuid() != 0) {
        EXPECT_FALSE(overwritten);
        EXPECT_TRUE(error.contains("noctaris.ini")) << error.toStdString();
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
    EXPECT_EQ(ReadAll(path), QByteArray("[Noctaris]\r\nOrt=Z\xFCrich, CH\r\n\xC4quator=1\r\nH\xF6hen=0\r\nSimulation=7\r\n"));

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
                                        "Azimut=-90\r\nSimulation=2\r\n\r\n[Plugins]\r\nB=2\r\nA=1\r\n"));
}

TEST(IniFile, LargeFilesParseInLinearTimeAndKeepTheirOrder) {
    // 30,000 keys in one section and 10,000 sections: when every line searched all keys and
    // sections before it, this took minutes; hashed, it takes a fraction of a second.
    std::string text = "[Big]\n";
    for (int k = 0; k < 30000; ++k) text += "Key" + std::to_string(k) + "=" + std::to_string(k) + "\n";
    for (int s = 0; s < 10000; ++s) text += "[S" + std::to_string(s) + "]\nValue=" + std::to_string(s) + "\n";
    text += "[big]\nKEY29999=last\n";  // a repeated section and key, in another case: the last value counts
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
    EXPECT_NE(out.find("\r\nKey29998=29998\r\nKey29999=29999\r\n[S0]\r\nValue=0\r\n"), std::string::npos);
    EXPECT_TRUE(out.ends_with("[S9999]\r\nValue=9999\r\n[big]\r\nKEY29999=last\r\n")) << out.substr(out.size() - 40);
}


TEST(IniFile, HandWrittenFilesKeepEveryLineAndReadBackTheSame) {
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    // Comments, lines the reader skips and the writer's own spacing stay where they were; only
    // the changed value's line is rewritten and a new key follows the last one of its section.
    // A form feed or a no-break space is text, so those lines stay keys of [Noctaris].
    WriteAll(path, "; mine\r\njunk\r\n[Noctaris]\r\n; the place\r\n\v[x]=1\r\n\f;y=2\r\n\xA0[z]=3\r\n"
                   "Ort = Wien, A \r\nSimulation=5\r\nnot a key\r\n[broken\r\nH=5\r\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.Load());
    EXPECT_EQ(ini.ReadString("Noctaris", "\v[x]", ""), "1");
    EXPECT_EQ(ini.ReadString("Noctaris", "\f;y", ""), "2");
    EXPECT_EQ(ini.ReadString("Noctaris", QString::fromUtf8("\u00A0[z]"), ""), "3");
    ini.WriteString("Noctaris", "Ort", "Wien, A");
    ini.WriteInteger("Noctaris", "Simulation", 7);
    ini.WriteInteger("Noctaris", "Azimut", 3);
    ini.WriteString("Noctaris", "\v[x]", "4");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadAll(path), QByteArray("; mine\r\njunk\r\n[Noctaris]\r\n; the place\r\n\v[x]=4\r\n\f;y=2\r\n\xA0[z]=3\r\n"
                                        "Ort = Wien, A \r\nSimulation=7\r\nAzimut=3\r\nnot a key\r\n[broken\r\nH=5\r\n"));

    // Text Windows-1252 cannot spell: the file becomes UTF-8 and reads back the same, as do
    // Windows-1252 bytes that would pass for UTF-8.
    IniFile wide(path);
    ASSERT_TRUE(wide.Load());
    wide.WriteString("Noctaris", "Exportordner", QString::fromUtf8("/home/łukasz"));
    for (const char* key : {"α", "β", "γ"}) wide.WriteString("Greek", QString::fromUtf8(key), QString::fromUtf8(key));
    wide.WriteString("Noctaris", "Look", QString::fromUtf8("Ã„"));
    ASSERT_TRUE(wide.Save());
    IniFile wideBack(path);
    ASSERT_TRUE(wideBack.Load());
    EXPECT_EQ(wideBack.ReadString("Noctaris", "Exportordner", ""), QString::fromUtf8("/home/łukasz"));
    for (const char* key : {"α", "β", "γ"})
        EXPECT_EQ(wideBack.ReadString("greek", QString::fromUtf8(key), ""), QString::fromUtf8(key));
    EXPECT_EQ(wideBack.ReadString("Noctaris", "Ort", ""), "Wien, A");
    EXPECT_EQ(wideBack.ReadString("Noctaris", "Look", ""), QString::fromUtf8("Ã„"));
    IniFile look("unused");
    look.WriteString("Noctaris", "Look", QString::fromUtf8("Ã„"));
    IniFile lookBack("unused");
    lookBack.Parse(look.Serialize());
    EXPECT_EQ(lookBack.ReadString("Noctaris", "Look", ""), QString::fromUtf8("Ã„"));

    // UTF-16 as some editors save it, in either byte order, with its byte-order mark.
    const QString text = QString::fromUtf8("[Noctaris]\r\nOrt=Zürich, CH\r\nSimulation=9\r\n");
    QByteArray le("\xFF\xFE"), be("\xFE\xFF");
    for (QChar c : text) {
        le += char(c.unicode() & 0xFF), le += char(c.unicode() >> 8);
        be += char(c.unicode() >> 8), be += char(c.unicode() & 0xFF);
    }
    for (const QByteArray& bytes : {le, be}) {
        WriteAll(path, bytes);
        IniFile utf16(path);
        ASSERT_TRUE(utf16.Load());
        EXPECT_EQ(utf16.ReadString("Noctaris", "Ort", ""), QString::fromUtf8("Zürich, CH"));
        utf16.WriteInteger("Noctaris", "Azimut", 5);
        ASSERT_TRUE(utf16.Save());
        EXPECT_EQ(ReadAll(path), QByteArray("[Noctaris]\r\nOrt=Z\xFCrich, CH\r\nSimulation=9\r\nAzimut=5\r\n"));
    }

    // Names that would read back as something else are left out; their values go nowhere.
    Warnings().clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    IniFile odd("unused");
    for (const char* key : {" a", "a\t", "[x]", ";c", "a=b", "a\nb", ""}) odd.WriteString("S", key, "1");
    odd.WriteString("x]y", "a", "1");
    odd.WriteString(" S", "a", "1");
    odd.WriteString("S", "fine", QString(" line\r\nbreak") + QChar(0) + "nul\t");
    qInstallMessageHandler(previous);
    EXPECT_EQ(odd.Serialize(), "[S]\r\nfine=line  break nul\r\n\r\n");
    EXPECT_EQ(Warnings().size(), 9) << Warnings().join('\n').toStdString();
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
    EXPECT_EQ(ReadAll(path), bytes + "Azimut=7\r\n");
}

// Many generated files, each read, changed by a few writes (some of names that cannot be
// stored), saved and read again: every key not written reads back with its value, every
// written one with its new value, and the file read back is written again byte for byte.
TEST(IniFile, GeneratedFilesKeepEveryKeyTheProgramDidNotChange) {
    std::mt19937 rng(2024);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const QString plain = QString::fromUtf8("abcXYZäöüß€łαβγ😀");
    const QString hostile = QString::fromUtf8(" \t\v\f\u00A0;[]=#$-0");
    auto word = [&](bool rough) {
        QString w;
        for (int n = 1 + pick(6); n > 0; --n) {
            const QString& from = rough && pick(3) == 0 ? hostile : plain;
            int i = pick(static_cast<int>(from.size()));
            if (from[i].isLowSurrogate()) --i;
            w += from[i];
            if (from[i].isHighSurrogate()) w += from[i + 1];
        }
        return w;
    };
    auto blanks = [&] { return QString(" \t").left(pick(3)); };
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);  // names left out
    QElapsedTimer timer;
    timer.start();
    for (int file = 0; file < 200; ++file) {
        SCOPED_TRACE(file);
        QStringList sections{"Noctaris"}, keys{"Ort"};
        QString text;
        for (int n = pick(40); n > 0; --n) {
            switch (pick(6)) {
            case 0: sections << word(true); text += blanks() + "[" + blanks() + sections.back() + blanks() + "]"; break;
            case 1: text += "; " + word(true); break;
            case 2: text += pick(4) ? "" : "[" + word(true); break;
            default: keys << word(true); text += blanks() + keys.back() + blanks() + "=" + blanks() + word(true); break;
            }
            text += QStringList{"\r\n", "\n", "\r"}[pick(3)];
        }
        QByteArray bytes = text.toUtf8();
        switch (pick(4)) {
        case 0: bytes = QByteArray::fromStdString(ToCp1252(text)); break;  // '?' where it has no form
        case 1: bytes.prepend("\xEF\xBB\xBF"); break;
        case 2: bytes = QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2); break;
        }
        WriteAll(path, bytes);

        IniFile ini(path);
        ASSERT_TRUE(ini.Load());
        const QString none = "\x01";
        std::vector<QString> before;
        for (const QString& s : sections)
            for (const QString& k : keys) before.push_back(ini.ReadString(s, k, none));
        std::vector<std::tuple<QString, QString, QString>> writes;
        for (int n = pick(5); n > 0; --n) {
            const bool plain = pick(2);
            const QString s = plain ? (pick(2) ? "Noctaris" : word(false)) : pick(3) ? sections[pick(sections.size())] : word(true);
            const QString k = plain ? word(false) : pick(2) ? keys[pick(keys.size())] : word(true);
            const QString v = blanks() + word(true) + QStringList{"", "\n", QString(QChar(0))}[pick(3)] + word(true);
            const QString old = ini.ReadString(s, k, none);
            ini.WriteString(s, k, v);
            writes.emplace_back(s, k, v);
            // Stored as the reader will see it (plain names always), or left out.
            QString expected = v;
            expected = expected.replace(u'\n', u' ').replace(QChar(0), u' ');
            while (expected.front() == u' ' || expected.front() == u'\t') expected.remove(0, 1);
            while (expected.back() == u' ' || expected.back() == u'\t') expected.chop(1);
            const QString stored = ini.ReadString(s, k, none);
            if (plain || stored != old) {
                EXPECT_EQ(stored, expected) << k.toStdString();
            }
        }
        ASSERT_TRUE(ini.Save());
        const QByteArray saved = ReadAll(path);
        IniFile back(path);
        ASSERT_TRUE(back.Load());
        size_t i = 0;
        for (const QString& s : sections)
            for (const QString& k : keys) {
                const QString value = back.ReadString(s, k, none);
                EXPECT_EQ(value, ini.ReadString(s, k, none)) << s.toStdString() << " / " << k.toStdString();
                const bool written = std::any_of(writes.begin(), writes.end(), [&](const auto& w) {
                    return std::get<0>(w).compare(s, Qt::CaseInsensitive) == 0 &&
                           std::get<1>(w).compare(k, Qt::CaseInsensitive) == 0;
                });
                if (!written) {
                    EXPECT_EQ(value, before[i]) << s.toStdString() << " / " << k.toStdString();
                }
                ++i;
            }
        EXPECT_EQ(back.Serialize(), saved.toStdString());
    }
    qInstallMessageHandler(previous);
    EXPECT_LT(timer.elapsed(), 20000);
}
