#pragma once
// The commands of noctaris-cli. Each takes its arguments (args[0] is the command's name) and
// returns the exit status: 0 done, 1 failed while computing, 2 bad arguments or an output that
// cannot be written (nothing is written then). Mistakes are thrown (UsageError, OutputError)
// and reported by the caller as one line on stderr.
#include <QStringList>

namespace noctaris::cli {

int RunChart(const QStringList& args);         // chart_command.cpp
int RunCalendar(const QStringList& args);      // calendar_command.cpp
int RunEphemeris(const QStringList& args);     // report_commands.cpp
int RunMoon(const QStringList& args);          // report_commands.cpp
int RunSun(const QStringList& args);           // report_commands.cpp
int RunPlanet(const QStringList& args);        // body_commands.cpp
int RunStar(const QStringList& args);          // body_commands.cpp
int RunFind(const QStringList& args);          // find_command.cpp
int RunTonight(const QStringList& args);       // tonight_command.cpp
int RunMoonCalendar(const QStringList& args);  // drawing_commands.cpp
int RunOrbits(const QStringList& args);        // drawing_commands.cpp
int RunTerminator(const QStringList& args);    // drawing_commands.cpp
// RunPlaces: places.h

}  // namespace noctaris::cli

namespace noctaris {
class ObjectIndex;
struct SkyObjectRef;
}  // namespace noctaris

namespace noctaris::cli {

// The object a typed name stands for (find_command.cpp); an unknown name is a UsageError that
// offers the three closest names.
SkyObjectRef FindObjectOrRefuse(const ObjectIndex& index, const QString& typed);

}  // namespace noctaris::cli
