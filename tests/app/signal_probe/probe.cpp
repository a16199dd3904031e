// The program started as it always starts (RunNoctaris), then put into a state before its message
// loop runs, for the signal tests: "modal" opens a modal window with a message box over it,
// "busy" keeps the main thread from its message loop. It prints "ready" once in that state.
#include <cstdio>
#include <string>

#include <unistd.h>

#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include "app/app.h"
#include "app/main_window.h"

namespace {

void SayReady() {
    std::puts("ready");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string state = argc > 1 ? argv[1] : "";
    return noctaris::RunNoctaris(argc, argv, [state](noctaris::MainWindow& w) {
        if (state == "modal") {
            QTimer::singleShot(0, &w, [&w] {
                QDialog dialog(&w);
                dialog.setWindowTitle("Modal window");
                QTimer::singleShot(0, &dialog, [&dialog] {
                    QTimer::singleShot(0, &dialog, SayReady);  // runs inside the box's own loop
                    QMessageBox::information(&dialog, "Message", "A message box over a modal window");
                });
                dialog.exec();
            });
        } else if (state == "busy") {
            QTimer::singleShot(0, &w, [] {
                SayReady();
                for (;;) ::sleep(60);  // a computation that never ends
            });
        } else {
            QTimer::singleShot(0, &w, SayReady);
        }
    });
}
