#include "app/app.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <future>
#include <malloc.h>
#include <memory>
#include <optional>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QSocketNotifier>
#include <QTimer>

#include "app/main_window.h"
#include "catalog/catalog.h"
#include "platform/language.h"
#include "platform/pictures.h"

namespace noctaris {
namespace {

int gSignalPipe[2] = {-1, -1};
volatile std::sig_atomic_t gSignal = 0;  // the first SIGTERM or SIGINT received
timer_t gWatchdog{};
bool gHaveWatchdog = false;

// The last resort when the program has not ended within a second of the signal (a long
// computation, a window that does not give up): it stops here. Files are written to a temporary
// file and renamed, so stopping at any moment leaves the old settings or the new ones.
void OnWatchdog(int) {
    static const char kText[] = "noctaris: not closed within a second of the signal; stopping\n";
    [[maybe_unused]] const auto n = ::write(STDERR_FILENO, kText, sizeof kText - 1);
    ::_exit(128 + gSignal);
}

// Only async-signal-safe calls here: wake the event loop and arm the watchdog. A second signal
// ends the program at once.
void OnSignal(int sig) {
    if (gSignal) ::_exit(128 + sig);
    gSignal = sig;
    if (gHaveWatchdog) {
        itimerspec t{};
        t.it_value.tv_nsec = 900'000'000;
        timer_settime(gWatchdog, 0, &t, nullptr);
    }
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(gSignalPipe[0], &c, 1);
}

void InstallSignalHandlers() {
    struct sigaction alarm {};
    alarm.sa_handler = OnWatchdog;
    sigemptyset(&alarm.sa_mask);
    sigaction(SIGALRM, &alarm, nullptr);
    sigevent ev{};
    ev.sigev_notify = SIGEV_SIGNAL;
    ev.sigev_signo = SIGALRM;
    gHaveWatchdog = timer_create(CLOCK_MONOTONIC, &ev, &gWatchdog) == 0;

    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

void DisarmWatchdog() {
    if (!gHaveWatchdog) return;
    const itimerspec off{};
    timer_settime(gWatchdog, 0, &off, nullptr);
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
            ReportOnce(QCoreApplication::translate("Noctaris", "Unknown error"));
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

// The window icons in every size the resources have. Decoded once the first chart is on the
// screen: the window manager shows them a moment later, and the sky comes sooner.
void InstallWindowIcons() {
    QIcon icon;
    for (const char* name : {"icon16", "icon32", "icon48", "icon64", "icon128", "icon256"}) {
        try {
            icon.addPixmap(QPixmap::fromImage(LoadPicture(name)));
        } catch (const std::exception&) {
            // no icon of this size: the others serve
        }
    }
    QApplication::setWindowIcon(icon);
}

const char kHelp[] =
    "Usage: noctaris [--lang de|en] [Qt-options]\n"
    "\n"
    "Options:\n"
    "  --lang de|en   the language of the menus, windows and reports: de German, en English\n"
    "                 (default: German under a German system locale, English otherwise)\n"
    "  -h, --help     show this help\n";

// The program's own options, read before Qt looks at the command line (Qt leaves them alone).
struct StartOptions {
    std::optional<QString> lang;  // the value of --lang
    bool help = false;
    QString error;                // a mistake in them: nothing starts
};

StartOptions ReadStartOptions(int argc, char** argv) {
    StartOptions o;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "-h") == 0 || std::strcmp(a, "--help") == 0) {
            o.help = true;
        } else if (std::strcmp(a, "--lang") == 0) {
            if (i + 1 >= argc) {
                o.error = QStringLiteral("option --lang needs a value (de or en)");
                return o;
            }
            o.lang = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strncmp(a, "--lang=", 7) == 0) {
            o.lang = QString::fromLocal8Bit(a + 7);
        }
    }
    if (o.lang && !ParseLanguage(*o.lang))
        o.error = QStringLiteral("invalid language '%1' (expected de or en)").arg(*o.lang);
    return o;
}

}  // namespace

int RunNoctaris(int argc, char** argv, const std::function<void(MainWindow&)>& afterShow) {
    const StartOptions options = ReadStartOptions(argc, argv);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "noctaris: %s\n", qUtf8Printable(options.error));
        return 2;
    }
    if (options.help) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    // The catalogs load on a second thread while the application connects to the window system
    // and the window builds its controls; the chart waits for them. Where no thread can be made,
    // they load when the chart asks.
    const Language language = *ChooseLanguage(options.lang, QLocale::system());
    std::shared_future<std::shared_ptr<const Catalogs>> catalogs = std::async(std::launch::async | std::launch::deferred, [language] {
        auto loaded = std::make_shared<const Catalogs>(Catalogs::Load(kCatalogAll & ~kCatalogWorldOutline, language));
        malloc_trim(0);  // the inflated resource texts are parsed and gone: their pages go back
        return loaded;
    });
    NoctarisApplication app(argc, argv);
    if (!InstallLanguage(language))
        std::fputs("noctaris: the German translation cannot be loaded; the texts stay English\n", stderr);
    QApplication::setApplicationName("Noctaris");
    QApplication::setApplicationDisplayName("Noctaris");
    QApplication::setDesktopFileName(NOCTARIS_APP_ID);

    std::unique_ptr<MainWindow> main;
    try {
        MainWindow::Options start;
        // Names in another language than the texts' (a translation that failed to load) are not
        // the window's: it loads its own.
        if (CurrentLanguage() == language) start.loadingCatalogs = catalogs;
        main = std::make_unique<MainWindow>(std::move(start));
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Noctaris", QString::fromUtf8(e.what()));
        return 1;
    }

    // SIGTERM/SIGINT (logout, Ctrl+C) write the settings and end every event loop, those of
    // modal windows and message boxes too, so the program ends whatever window is open; the
    // handler only wakes the event loop.
    bool quitting = false;
    int exitCode = 0;
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) == 0) {
        auto* notifier = new QSocketNotifier(gSignalPipe[1], QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &app, [&] {
            char c;
            [[maybe_unused]] const auto n = ::read(gSignalPipe[1], &c, 1);
            if (quitting) return;
            quitting = true;
            exitCode = main->closeForSignal() ? 0 : 1;
            QCoreApplication::exit(exitCode);
        });
        InstallSignalHandlers();
    }

    QObject::connect(main.get(), &MainWindow::chartShown, &app, [] { QTimer::singleShot(0, InstallWindowIcons); },
                     Qt::SingleShotConnection);
    main->show();
    if (afterShow && !quitting) afterShow(*main);
    // A signal handled in a message box during the first show has ended its loop already.
    const int code = quitting ? exitCode : app.exec();
    DisarmWatchdog();
    return code;
}

}  // namespace noctaris
