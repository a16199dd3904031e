#pragma once
// Program start: creates the application's windows and runs the message loop.
namespace noctaris {
int RunNoctaris(int argc, char** argv);
}
