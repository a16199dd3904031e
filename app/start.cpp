#include "app/app.h"

#include <QApplication>
#include <QMainWindow>

namespace noctaris {

int RunNoctaris(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Noctaris");
    QApplication::setApplicationDisplayName("Noctaris");
    QMainWindow window;
    window.setWindowTitle("Noctaris");
    window.resize(1070, 751);
    window.show();
    return app.exec();
}

}  // namespace noctaris
