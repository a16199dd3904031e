#include "app/app.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QSocketNotifier>

#include "app/main_window.h"
#include "platform/pictures.h"
#include "resources/embedded.h"

namespace noctaris {
namespace {

int gSignalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(gSignalPipe[0], &c, 1);
}

// The application object: an exception that leaves an event handler is shown to the user and
// the program goes on, as a desktop program should.
class NoctarisApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& e) {
            ReportOnce(QString::fromUtf8(e.what()));
        } catch (...) {
            ReportOnce(QStringLiteral("Unknown error"));
        }
        return false;
    }

private:
    void ReportOnce(const QString& text) {
        if (reporting_) return;  // no cascade of boxes from events handled inside the box
        reporting_ = true;
        QMessageBox::critical(activeWindow(), "Noctaris", text);
        reporting_ = false;
    }
    bool reporting_ = false;
};

void RegisterFonts() {
    for (const char* name : {"DejaVuSans", "DejaVuSans-Bold"}) {
        const auto bytes = FindEmbedded(name);
        if (!bytes.empty())
            QFontDatabase::addApplicationFontFromData(
                QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())));
    }
}

}  // namespace

int RunNoctaris(int argc, char** argv) {
    NoctarisApplication app(argc, argv);
    QApplication::setApplicationName("Noctaris");
    QApplication::setApplicationDisplayName("Noctaris");
    QApplication::setDesktopFileName(NOCTARIS_APP_ID);
    RegisterFonts();
    for (const char* icon : {"icon16", "icon32", "icon48", "icon64", "icon128", "icon256"}) {
        try {
            QIcon i = QApplication::windowIcon();
            i.addPixmap(QPixmap::fromImage(LoadPicture(icon)));
            QApplication::setWindowIcon(i);
        } catch (const std::exception&) {
            // no icon of this size: the others serve
        }
    }

    std::unique_ptr<MainWindow> main;
    try {
        main = std::make_unique<MainWindow>();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Noctaris", QString::fromUtf8(e.what()));
        return 1;
    }

    // SIGTERM/SIGINT (logout, Ctrl+C) close the main window the normal way, so the settings
    // are written; the handler only wakes the event loop.
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) == 0) {
        auto* notifier = new QSocketNotifier(gSignalPipe[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [&main] {
            char c;
            [[maybe_unused]] const auto n = ::read(gSignalPipe[1], &c, 1);
            if (main) main->close();
        });
        struct sigaction sa {};
        sa.sa_handler = OnSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        sigaction(SIGTERM, &sa, nullptr);
        sigaction(SIGINT, &sa, nullptr);
    }

    main->show();
    return app.exec();
}

}  // namespace noctaris
