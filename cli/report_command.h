#pragma once
// `noctaris-cli calendar | ephemeris | moon`: the reports of the information windows as text.

namespace noctaris::cli {

// argv[0] is the command name; returns the exit status (0 printed, 1 failed, 2 bad arguments).
int RunReportCommand(int argc, char** argv);

extern const char* const kReportUsage;

}  // namespace noctaris::cli
