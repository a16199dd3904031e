// noctaris-cli: the planetarium's computations and chart without a display.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/chart_command.h"
#include "cli/report_command.h"

namespace {
const char* const kUsage =
    "Usage: noctaris-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  --help       show this text\n"
    "  --version    show the program version\n";
}

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
        std::fputs(noctaris::cli::kChartUsage, stdout);
        std::fputs(noctaris::cli::kReportUsage, stdout);
        return argc < 2 ? 2 : 0;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("noctaris-cli %s\n", NOCTARIS_VERSION);
        return 0;
    }
    if (std::strcmp(argv[1], "chart") == 0) return noctaris::cli::RunChartCommand(argc - 1, argv + 1);
    for (const char* report : {"calendar", "ephemeris", "moon"})
        if (std::strcmp(argv[1], report) == 0) return noctaris::cli::RunReportCommand(argc - 1, argv + 1);
    std::fprintf(stderr, "noctaris-cli: unknown command '%s' (try --help)\n", argv[1]);
    return 2;
}
