// noctaris-cli: the planetarium's computations, reports and drawings without a display.
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageLogContext>
#include <QString>
#include <QStringList>

#include "astro/core/errors.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "cli/places.h"

namespace {

using noctaris::cli::UsageError;

struct Command {
    const char* name;
    const char* summary;
    bool paints;  // needs a GUI application (fonts, painting)
    int (*run)(const QStringList& args);
};

const Command kCommands[] = {
    {"chart", "the sky chart as a PNG file", true, noctaris::cli::RunChart},
    {"calendar", "the astronomical calendar of a year (text, CSV, JSON, iCalendar)", false,
     noctaris::cli::RunCalendar},
    {"ephemeris", "the planets' ephemeris table", false, noctaris::cli::RunEphemeris},
    {"moon", "the Moon data report", false, noctaris::cli::RunMoon},
    {"sun", "the Sun data report", false, noctaris::cli::RunSun},
    {"planet", "a planet's data and computed values", false, noctaris::cli::RunPlanet},
    {"star", "the star information of a star", false, noctaris::cli::RunStar},
    {"find", "where a star, body or constellation named stands, its rise and set", false, noctaris::cli::RunFind},
    {"tonight", "the night of a date: twilight, the Moon, the planets, an altitude plot", true,
     noctaris::cli::RunTonight},
    {"moon-calendar", "the moon phase calendar of a month as a PNG file", true,
     noctaris::cli::RunMoonCalendar},
    {"orbits", "the plan of the planetary orbits as a PNG file", true, noctaris::cli::RunOrbits},
    {"terminator", "the day/night world map as a PNG file", true, noctaris::cli::RunTerminator},
    {"places", "the known places with their coordinates and zones", false, noctaris::cli::RunPlaces},
};

void Usage(std::FILE* to) {
    std::fputs("Usage: noctaris-cli COMMAND [OPTIONS]\n"
               "       noctaris-cli COMMAND --help    the options of a command\n"
               "       noctaris-cli --version\n\nCommands:\n",
               to);
    for (const Command& c : kCommands) std::fprintf(to, "  %-14s %s\n", c.name, c.summary);
    std::fputs("\nOptions of every command:\n"
               "  --lang de|en   the language of text reports and drawings: de German, en English\n"
               "                 (default: German under a German system locale, else English);\n"
               "                 CSV, JSON and iCalendar stay English\n",
               to);
}

// A message on one line, with the user's text in it shown harmlessly.
std::string OneLine(const char* message) { return noctaris::cli::Printable(QString::fromUtf8(message)).toStdString(); }

// Qt's chatter about the environment (runtime folders, fonts) is not the user's business.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "noctaris-cli: %s\n", noctaris::cli::Printable(message).toUtf8().constData());
}

// The status of a run that ended normally, unless what it wrote to standard output was lost.
int Finished(const char* who, int status) {
    const QString failure = noctaris::cli::FinishStandardOutput();
    if (failure.isEmpty()) return status;
    std::fprintf(stderr, "%s: %s\n", who, failure.toUtf8().constData());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        Usage(stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        Usage(stdout);
        return Finished("noctaris-cli", 0);
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("noctaris-cli %s\n", NOCTARIS_VERSION);
        return Finished("noctaris-cli", 0);
    }
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (std::strcmp(argv[1], c.name) == 0) command = &c;
    if (command == nullptr) {
        std::fprintf(stderr, "noctaris-cli: unknown command '%s' (try --help)\n",
                     OneLine(argv[1]).c_str());
        return 2;
    }

    // The application's name is what the generated help shows in its usage line.
    std::string name = std::string("noctaris-cli ") + command->name;
    int qtArgc = 1;
    char* qtArgv[] = {name.data(), nullptr};
    qInstallMessageHandler(QuietQtMessages);
    std::unique_ptr<QCoreApplication> app;
    if (command->paints) {
        // Painting text needs a GUI application; without a display it runs offscreen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    } else {
        app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    }

    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    try {
        return Finished(name.c_str(), command->run(args));
    } catch (const UsageError& e) {
        std::fprintf(stderr, "noctaris-cli %s: %s\n", command->name, OneLine(e.what()).c_str());
    } catch (const noctaris::cli::OutputError& e) {
        std::fprintf(stderr, "noctaris-cli %s: %s\n", command->name, OneLine(e.what()).c_str());
    } catch (const noctaris::ConversionError&) {
        // The windows' date arithmetic refused a date the command line let through.
        std::fprintf(stderr, "noctaris-cli %s: a date of the request lies outside the calendar "
                     "the computation can hold\n", command->name);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "noctaris-cli %s: %s\n", command->name, OneLine(e.what()).c_str());
        return 1;
    }
    return 2;
}
