#pragma once
// `noctaris-cli chart`: renders the sky chart of a place and moment into a PNG file.

namespace noctaris::cli {

// argv[0] is "chart"; returns the exit status (0 written, 1 failed to render or write,
// 2 bad arguments: nothing is written then).
int RunChartCommand(int argc, char** argv);

extern const char* const kChartUsage;

}  // namespace noctaris::cli
