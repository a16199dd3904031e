#pragma once
// Program start: creates the application's windows and runs the message loop.
#include <functional>

namespace noctaris {

class MainWindow;

// `afterShow`, when given, runs once the main window is shown, before the message loop (the
// tests use it to put the program into a state).
int RunNoctaris(int argc, char** argv, const std::function<void(MainWindow&)>& afterShow = {});

}  // namespace noctaris
