#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <tuple>

#include "app/settings.h"
#include "catalog/place_input.h"
#include "platform/inifile.h"
#include "windows/exports_dialog.h"

using namespace noctaris;

namespace {

// A settings file as the program has always written it (Windows-1252, CR LF, one blank line at
// the end), with every switch set apart from the coordinate grid and white stars.
const std::string kStoredFile =
    "[Noctaris]\r\nOrt=Z\xFCrich, CH\r\nSimulation=55\r\nAzimut=90\r\nLinks=50\r\nOben=30\r\n"
    "Ekliptik=1\r\n\xC4quator=1\r\nKsystem=0\r\nMeridian=1\r\nH\xF6hen=1\r\nMond=1\r\nSommerzeit=1\r\n"
    "Horizont=1\r\nSterne=2\r\nSternbilder=3\r\nLinien=1\r\nSGrenzen=1\r\nWSterne=0\r\nAnzeige=1\r\n"
    "Tierkreis=1\r\nJupiter=1\r\nVenus=1\r\n\r\n";

AppSettings StoredSettings() {
    AppSettings s;
    s.place = QString::fromUtf8("Zürich, CH");
    s.speed = 55;
    s.azimuth = 90;
    s.position = QPoint(50, 30);
    DisplayOptions& d = s.display;
    d.ShowEcliptic = d.ShowEquator = d.ShowMeridian = d.ShowAltitudeLines = d.ShowMoon = true;
    d.ShowHorizonFigure = d.ShowConstellationLines = d.ShowConstellationBorders = true;
    d.ShowStarInfo = d.ShowZodiac = d.ShowJupiterMoons = d.ShowVenusPhase = true;
    d.StarNameMode = 2;
    d.ConstellationNameMode = 3;
    s.considerSummerTime = true;
    return s;
}

AppSettings Read(const std::string& bytes) {
    IniFile ini("unused");
    ini.Parse(bytes);
    return ReadSettings(ini);
}

}  // namespace

TEST(Settings, WritesTheFileByteForByteAndReadsItBack) {
    IniFile ini("unused");
    WriteSettings(StoredSettings(), ini);
    EXPECT_EQ(ini.Serialize(), kStoredFile);
    EXPECT_TRUE(Read(kStoredFile) == StoredSettings());

    // Every switch off, modes zero, a negative position: still every key, in the same order.
    AppSettings plain;
    plain.place = "Wien, A";
    plain.speed = 80;
    plain.azimuth = -180;
    plain.position = QPoint(-8, -31);
    plain.considerSummerTime = false;
    IniFile off("unused");
    WriteSettings(plain, off);
    EXPECT_EQ(off.Serialize(),
              "[Noctaris]\r\nOrt=Wien, A\r\nSimulation=80\r\nAzimut=-180\r\nLinks=-8\r\nOben=-31\r\n"
              "Ekliptik=0\r\n\xC4quator=0\r\nKsystem=0\r\nMeridian=0\r\nH\xF6hen=0\r\nMond=0\r\nSommerzeit=0\r\n"
              "Horizont=0\r\nSterne=0\r\nSternbilder=0\r\nLinien=0\r\nSGrenzen=0\r\nWSterne=0\r\nAnzeige=0\r\n"
              "Tierkreis=0\r\nJupiter=0\r\nVenus=0\r\n\r\n");
    EXPECT_TRUE(Read(off.Serialize()) == plain);
}

TEST(Settings, MissingAndUnusableValues) {
    // An empty file: no place (the window picks the default), speed 2, the legal clock, the
    // precise places, the smooth drawing with the sky's colour, everything else zero.
    const AppSettings empty = Read("");
    EXPECT_TRUE(empty.place.isEmpty());
    EXPECT_EQ(empty.speed, 2);
    EXPECT_EQ(empty.azimuth, 0);
    EXPECT_EQ(empty.position, QPoint(0, 0));
    DisplayOptions precise;
    precise.PrecisePositions = precise.SmoothDrawing = precise.SkyColour = true;
    EXPECT_TRUE(empty.display == precise);
    EXPECT_TRUE(empty.considerSummerTime);
    EXPECT_FALSE(Read("[Noctaris]\r\nSommerzeit=0\r\n").considerSummerTime);  // a stored choice is kept

    // Speeds 1..99 and azimuths -180..180 are taken; anything else leaves the window's own.
    for (const auto& [text, speed] : std::vector<std::pair<const char*, std::optional<int>>>{
             {"1", 1}, {"99", 99}, {"0", std::nullopt}, {"100", std::nullopt}, {"-5", std::nullopt},
             {"x", 2}, {"99999999999", std::nullopt}, {"-99999999999999999999", std::nullopt}})
        EXPECT_EQ(Read(std::string("[Noctaris]\r\nSimulation=") + text + "\r\n").speed, speed) << text;
    for (const auto& [text, azimuth] : std::vector<std::pair<const char*, std::optional<int>>>{
             {"-180", -180}, {"180", 180}, {"-181", std::nullopt}, {"181", std::nullopt}, {"$5A", 90},
             {"99999999999", std::nullopt}})
        EXPECT_EQ(Read(std::string("[Noctaris]\r\nAzimut=") + text + "\r\n").azimuth, azimuth) << text;

    // Far-off coordinates are clamped; a name mode no byte holds is none (and is stored so);
    // any non-zero number is on.
    const AppSettings odd =
        Read("[Noctaris]\r\nLinks=2147483647\r\nOben=-999999\r\nSterne=-1\r\nSternbilder=-5\r\nMond=abc\r\n"
             "Venus=-3\r\nSommerzeit=2\r\n");
    EXPECT_EQ(odd.position, QPoint(100000, -100000));
    EXPECT_EQ(odd.display.StarNameMode, 0);
    EXPECT_EQ(odd.display.ConstellationNameMode, 0);
    EXPECT_EQ(Read("[Noctaris]\r\nSternbilder=257\r\n").display.ConstellationNameMode, 0);
    EXPECT_EQ(Read("[Noctaris]\r\nSterne=255\r\n").display.StarNameMode, 255);
    EXPECT_FALSE(odd.display.ShowMoon);
    EXPECT_TRUE(odd.display.ShowVenusPhase);
    EXPECT_TRUE(odd.considerSummerTime);

    // Keys of another section are not ours.
    EXPECT_TRUE(Read("[Other]\r\nOrt=Wien, A\r\nMond=1\r\n").place.isEmpty());

    // A speed or azimuth that is not known is not written.
    AppSettings unknown = StoredSettings();
    unknown.speed.reset();
    unknown.azimuth.reset();
    IniFile ini("unused");
    WriteSettings(unknown, ini);
    const std::string bytes = ini.Serialize();
    EXPECT_EQ(bytes.find("Simulation="), std::string::npos);
    EXPECT_EQ(bytes.find("Azimut="), std::string::npos);
    EXPECT_NE(bytes.find("\r\nOrt=Z\xFCrich, CH\r\nLinks=50\r\n"), std::string::npos);
}

TEST(Settings, InformationWindowPositionsFollowTheOldKeys) {
    // Known positions are appended after the switches; a file without them reads as before.
    AppSettings s = StoredSettings();
    s.moonWindowPosition = QPoint(1079, 610);
    s.ephemerisWindowPosition = QPoint(-5, 553);
    IniFile ini("unused");
    WriteSettings(s, ini);
    const std::string bytes = ini.Serialize();
    EXPECT_EQ(bytes, kStoredFile.substr(0, kStoredFile.size() - 2) +
                         "MondLinks=1079\r\nMondOben=610\r\nEphemeridenLinks=-5\r\nEphemeridenOben=553\r\n\r\n");
    EXPECT_TRUE(Read(bytes) == s);
    EXPECT_FALSE(Read(kStoredFile).moonWindowPosition.has_value());

    // Half a position, or one that is not a number, is no position; far-off ones are clamped.
    const AppSettings odd = Read(
        "[Noctaris]\r\nMondLinks=100\r\nSonneLinks=abc\r\nSonneOben=5\r\nEphemeridenLinks=7\r\n"
        "EphemeridenOben=999999999\r\n");
    EXPECT_FALSE(odd.moonWindowPosition.has_value());
    EXPECT_FALSE(odd.sunWindowPosition.has_value());
    EXPECT_EQ(odd.ephemerisWindowPosition, QPoint(7, 100000));
}

TEST(Settings, LoadAndSaveFiles) {
    QTemporaryDir dir;
    const QString path = dir.filePath("config/noctaris/noctaris.ini");
    EXPECT_FALSE(LoadSettings(path).has_value()) << "no file yet";

    QString error;
    ASSERT_TRUE(SaveSettings(StoredSettings(), path, &error)) << error.toStdString();  // creates the folders
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().toStdString(), kStoredFile);
    const std::optional<AppSettings> loaded = LoadSettings(path);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_TRUE(*loaded == StoredSettings());

    // A folder that cannot be made (a file stands in its place): reported, nothing written.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    error.clear();
    EXPECT_FALSE(SaveSettings(StoredSettings(), dir.filePath("blocker/noctaris.ini"), &error));
    EXPECT_FALSE(error.isEmpty());

    EXPECT_TRUE(DefaultSettingsPath().endsWith("/noctaris.ini"));
}

TEST(Settings, TheExportFolderFollowsTheOldKeysAndOldFilesLoadWithout) {
    // A file written before exports existed: no folder, everything else as stored.
    EXPECT_TRUE(Read(kStoredFile).exportFolder.isEmpty());

    AppSettings s = StoredSettings();
    s.exportFolder = QString::fromUtf8("/home/jürgen/Sterne");
    IniFile ini("unused");
    WriteSettings(s, ini);
    const std::string withFolder =
        kStoredFile.substr(0, kStoredFile.size() - 2) + "Exportordner=/home/j\xFCrgen/Sterne\r\n\r\n";
    EXPECT_EQ(ini.Serialize(), withFolder);
    EXPECT_TRUE(Read(withFolder) == s);

    // A folder Windows-1252 cannot spell: the file becomes UTF-8, the folder comes back whole.
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    QString error;
    ASSERT_TRUE(SaveSettings(s, path, &error)) << error.toStdString();
    AppSettings cyrillic = s;
    cyrillic.exportFolder = QString::fromUtf8("/home/юрий/Звёзды");
    ASSERT_TRUE(SaveSettings(cyrillic, path, &error)) << error.toStdString();
    EXPECT_TRUE(*LoadSettings(path) == cyrillic);
}

TEST(Settings, NewerSwitchesAreOffInOldFilesAndOffIsWrittenOnceStored) {
    // Files from before the switch: off, and written back without the key; a new file: on.
    EXPECT_FALSE(Read(kStoredFile).display.PrecisePositions);
    EXPECT_TRUE(Read("").display.PrecisePositions);
    // The smooth drawing likewise: an older file keeps the classic picture it was shown.
    EXPECT_FALSE(Read(kStoredFile).display.SmoothDrawing);
    EXPECT_FALSE(Read(kStoredFile).display.SkyColour);
    AppSettings s = StoredSettings();
    s.display.PrecisePositions = true;
    IniFile on("unused");
    WriteSettings(s, on);
    const std::string withPrecise = kStoredFile.substr(0, kStoredFile.size() - 2) + "Genau=1\r\n\r\n";
    EXPECT_EQ(on.Serialize(), withPrecise);
    EXPECT_TRUE(Read(withPrecise) == s);

    // Turned off again, the stored key must say so (a left-over "1" would turn it back on).
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    QString error;
    ASSERT_TRUE(SaveSettings(s, path, &error)) << error.toStdString();
    s.display.PrecisePositions = false;
    ASSERT_TRUE(SaveSettings(s, path, &error)) << error.toStdString();
    EXPECT_FALSE(LoadSettings(path)->display.PrecisePositions);

    // Night vision likewise: off in every file before it, and off again once turned off.
    EXPECT_EQ(Read(kStoredFile).display.Scheme, ChartScheme::Screen);
    EXPECT_EQ(Read("").display.Scheme, ChartScheme::Screen);
    s.display.Scheme = ChartScheme::Night;
    ASSERT_TRUE(SaveSettings(s, path, &error)) << error.toStdString();
    EXPECT_EQ(LoadSettings(path)->display.Scheme, ChartScheme::Night);
    s.display.Scheme = ChartScheme::Screen;
    ASSERT_TRUE(SaveSettings(s, path, &error)) << error.toStdString();
    EXPECT_EQ(LoadSettings(path)->display.Scheme, ChartScheme::Screen);
    // The deep-sky objects and the Milky Way likewise: off in older files, stored once used.
    EXPECT_FALSE(Read(kStoredFile).display.ShowDeepSky || Read(kStoredFile).display.ShowMilkyWay);
    AppSettings sky = StoredSettings();
    sky.display.ShowDeepSky = sky.display.ShowMilkyWay = true;
    IniFile both("unused");
    WriteSettings(sky, both);
    const std::string withSky = kStoredFile.substr(0, kStoredFile.size() - 2) + "Nebel=1\r\nMilchstra\xDF" "e=1\r\n\r\n";
    EXPECT_EQ(both.Serialize(), withSky);
    EXPECT_TRUE(Read(withSky) == sky);
    ASSERT_TRUE(SaveSettings(sky, path, &error)) << error.toStdString();
    sky.display.ShowMilkyWay = false;
    ASSERT_TRUE(SaveSettings(sky, path, &error)) << error.toStdString();
    EXPECT_TRUE(LoadSettings(path)->display.ShowDeepSky);
    EXPECT_FALSE(LoadSettings(path)->display.ShowMilkyWay);
}

TEST(Settings, OwnPlacesSurviveSaveAndLoadAndRemovedOnesLeaveNothing) {
    // Older files have none; a file with them keeps the other sections and keys it had.
    EXPECT_TRUE(Read(kStoredFile).ownPlaces.empty());
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write((kStoredFile + "[Fremd]\r\nSchl\xFCssel=bleibt\r\n\r\n").c_str());
    }
    AppSettings s = StoredSettings();
    for (const auto& [name, lat, lon, zone] : {std::tuple{"Sternwarte Zürich; Dach", 47.3769, 8.5417, "Europe/Zurich"},
                                               std::tuple{"Hütte", -33.8688, 151.2093, "Australia/Sydney"},
                                               std::tuple{"Kathmandu roof", 27.7172, 85.324, "Asia/Kathmandu"}})
        s.ownPlaces.push_back(*MakeOwnPlace(QString::fromUtf8(name), lat, lon, zone));
    QString error;
    ASSERT_TRUE(SaveSettings(s, path, &error)) << error.toStdString();
    std::optional<AppSettings> loaded = LoadSettings(path);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(*loaded == s);
    ASSERT_EQ(loaded->ownPlaces.size(), 3u);
    EXPECT_EQ(loaded->ownPlaces[0].name, "Sternwarte Zürich; Dach");
    EXPECT_EQ(loaded->ownPlaces[2].zone, 5.75);

    // Removing one moves the later ones up and leaves no trace of the last key's place.
    s.ownPlaces.erase(s.ownPlaces.begin());
    ASSERT_TRUE(SaveSettings(s, path, &error)) << error.toStdString();
    loaded = LoadSettings(path);
    EXPECT_TRUE(*loaded == s);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count("Kathmandu roof"), 1) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\r\nOrt3=\r\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("[Fremd]\r\nSchl\xFCssel=bleibt\r\n"));

    // Entries that do not read (a zone the system does not know, a missing field) are left out.
    const AppSettings odd = Read(kStoredFile + "[Orte]\r\nOrt1=50;12;Nowhere/City;A\r\nOrt2=50;12\r\n"
                                               "Ort3=91;0;Etc/UTC;B\r\nOrt4=1;2;Etc/UTC;C\r\n\r\n");
    ASSERT_EQ(odd.ownPlaces.size(), 1u);
    EXPECT_EQ(odd.ownPlaces[0].name, "C");
}

TEST(Settings, HandWrittenFilesKeepTheUsersSettingsThroughEverySave) {
    // Each file as users and their editors leave it (the file reader's tests add UTF-16 and files
    // over a mebibyte); started (read, saved) three times, it gives the user's settings each
    // time, and the lines the program does not know stay.
    const std::string settings = "[Noctaris]\r\n; where I live\r\nOrt=Wien, A\r\nSimulation=7\r\n";
    const struct {
        std::string bytes;
        const char* kept;  // a line that must stay
    } files[] = {
        {"; my settings\r\n" + settings + "[x\r\nnot a key\r\n", "; my settings\r\n"},
        {"[Noctaris]\r\n\v[x]=1\r\nOrt=Wien, A\r\nSimulation=7\r\n", "\v[x]=1\r\n"},
        {"[Noctaris]\r\n\f[x]=1\r\nOrt=Wien, A\r\nSimulation=7\r\n", "\f[x]=1\r\n"},
        {"[Noctaris]\r\n\xA0[x]=1\r\nOrt=Wien, A\r\nSimulation=7\r\n", "\xA0[x]=1\r\n"},
        {"\xEF\xBB\xBF" + settings + "Exportordner=/home/\xC5\x82ukasz\r\n[Greek]\r\n\xCE\xB1=1\r\n\xCE\xB2=2\r\n\xCE\xB3=3\r\n",
         "\xCE\xB3=3\r\n"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("noctaris.ini");
    for (const auto& file : files) {
        SCOPED_TRACE(file.kept);
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(file.bytes.data(), static_cast<qint64>(file.bytes.size()));
        }
        for (int start = 0; start < 3; ++start) {
            const std::optional<AppSettings> s = LoadSettings(path);
            ASSERT_TRUE(s);
            EXPECT_EQ(s->place, "Wien, A");
            EXPECT_EQ(s->speed, 7);
            if (file.bytes.find("ukasz") != std::string::npos) {
                EXPECT_EQ(s->exportFolder, QString::fromUtf8("/home/łukasz"));
            }
            QString error;
            ASSERT_TRUE(SaveSettings(*s, path, &error)) << error.toStdString();
        }
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_TRUE(bytes.contains(file.kept)) << bytes.left(300).toStdString();
        EXPECT_TRUE(bytes.contains("\r\nSimulation=7\r\n"));
    }
}

TEST(Settings, TheSaveDialogKeepsItsStateInTheSettingsFileAlone) {
    // Qt's dialog would keep it in a QtProject.conf beside the settings file.
    const QString shared = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
                               .filePath("QtProject.conf");
    QFile::remove(shared);
    QTemporaryDir dir;
    SetFileDialogState({});
    QTimer::singleShot(100, [] {
        if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
    });
    const SaveFileChoice choice = AskSaveFileName(nullptr, {"Export", dir.path(), "a.csv", {{"CSV", "csv"}}});
    EXPECT_TRUE(choice.path.isEmpty());
    EXPECT_FALSE(QFile::exists(shared));
    ASSERT_FALSE(FileDialogState().isEmpty());

    AppSettings s = StoredSettings();
    s.fileDialogState = FileDialogState();
    const QString path = dir.filePath("noctaris.ini");
    QString error;
    ASSERT_TRUE(SaveSettings(s, path, &error)) << error.toStdString();
    EXPECT_TRUE(*LoadSettings(path) == s);
    SetFileDialogState({});
}

TEST(Settings, TheViewIsNewerThanOldFilesAndComesBackAsStored) {
    // A file from before zooming: today's view, and written back without the keys.
    const AppSettings old = Read(kStoredFile);
    EXPECT_EQ(old.viewSpan, 180);
    EXPECT_FALSE(old.viewAltitude);
    EXPECT_FALSE(old.fullScreen);
    IniFile unchanged("unused");
    WriteSettings(old, unchanged);
    EXPECT_EQ(unchanged.Serialize(), kStoredFile);

    AppSettings s = StoredSettings();
    s.viewSpan = 12.5;
    s.viewAltitude = -7.25;
    s.fullScreen = true;
    IniFile ini("unused");
    WriteSettings(s, ini);
    const std::string zoomed = kStoredFile.substr(0, kStoredFile.size() - 2) +
                               "Zoom=12.5\r\nBlickh\xF6he=-7.25\r\nVollbild=1\r\n\r\n";
    EXPECT_EQ(ini.Serialize(), zoomed);
    EXPECT_TRUE(Read(zoomed) == s);

    // Back to today's view: the stored keys say so; values out of range or not numbers give it.
    AppSettings back = s;
    back.viewSpan = 180, back.viewAltitude.reset(), back.fullScreen = false;
    WriteSettings(back, ini);
    EXPECT_TRUE(ReadSettings(ini) == back);
    for (const char* bad : {"Zoom=4\r\nBlickh\xF6he=91\r\n", "Zoom=nan\r\nBlickh\xF6he=x\r\n", "Zoom=1e999\r\n"}) {
        const AppSettings r = Read("[Noctaris]\r\n" + std::string(bad));
        EXPECT_EQ(r.viewSpan, 180) << bad;
        EXPECT_FALSE(r.viewAltitude) << bad;
    }
}
