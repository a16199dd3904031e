// MainWindow: construction, first activation and close (the settings file), drawing, picking
// and the information windows.
#include "app/main_window.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/chart_surface.h"
#include "app/settings.h"
#include "platform/atomic_write.h"
#include "platform/pictures.h"
#include "windows/about_window.h"
#include "windows/ephemeris_window.h"
#include "windows/event_calendar_window.h"
#include "windows/moon_phase_calendar_window.h"
#include "windows/moon_window.h"
#include "windows/orbits_window.h"
#include "windows/planet_window.h"
#include "windows/sun_window.h"
#include "windows/terminator_window.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

// Runs a modal window over `parent`; none opens when dialogs are off (tests).
template <class Window, class... Args>
void RunModal(QWidget* parent, Args&&... args) {
    if (!DialogsAllowed()) return;
    Window window(std::forward<Args>(args)..., parent);
    window.exec();
}

// Where the window goes at start: `wanted` when a good part of a frame of `frameSize` there is on
// one of `screens`, else centred on `primary`. A position stored on a screen that is gone would
// leave the window where nobody can see it.
QPoint VisiblePosition(QPoint wanted, QSize frameSize, QSize windowSize, const QList<QScreen*>& screens,
                       const QScreen* primary) {
    const QRect frame(wanted, frameSize);
    for (const QScreen* s : screens)
        if (s->availableGeometry().intersects(frame.adjusted(40, 10, -40, -10))) return wanted;
    if (!primary) return wanted;
    return primary->availableGeometry().center() - QPoint(windowSize.width() / 2, windowSize.height() / 2);
}

}  // namespace

MainWindow::MainWindow(Options options) : options_(std::move(options)) {
    if (options_.settingsPath.isEmpty()) options_.settingsPath = DefaultSettingsPath();
    setWindowTitle("Noctaris");
    setObjectName("MainWindow");
    resize(1070, 751);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(pal);
    buildUi();
}

MainWindow::~MainWindow() = default;

QDateTime MainWindow::now() const { return options_.clock ? options_.clock() : QDateTime::currentDateTime(); }

void MainWindow::buildUi() {
    catalogs_ = options_.catalogs ? options_.catalogs : std::make_shared<const Catalogs>(Catalogs::LoadAll());
    chart_ = std::make_unique<SkyChart>(*catalogs_);
    bodies_ = std::make_unique<ChartBodies>();
    bodies_->InstallOn(*chart_);
    panels_ = std::make_unique<ChartPanels>();
    panels_->InstallOn(*chart_);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    createTimers();
    layout->addWidget(buildToolbar());
    chartSurface_ = new ChartSurface(this);
    chartSurface_->setObjectName("chartSurface");
    layout->addWidget(chartSurface_, 1);
    connect(chartSurface_, &ChartSurface::renderNeeded, this, &MainWindow::redraw);
    connect(chartSurface_, &ChartSurface::pressed, this, &MainWindow::onChartPress);
    connect(chartSurface_, &ChartSurface::moved, this, &MainWindow::onChartMove);
    connect(chartSurface_, &ChartSurface::released, this, &MainWindow::onChartRelease);
    connect(chartSurface_, &ChartSurface::turnRequested, this, [this](int degrees) {
        setViewAzimuth(TurnedAzimuth(static_cast<int>(viewAzimuth()), degrees));
    });

    // The windows that live as long as the main window, created hidden.
    ephemerisWindow_ = new EphemerisWindow(observer_, exportPrompt(), this);
    moonWindow_ = new MoonWindow(&infoSnapshot_, &observer_, this);
    sunWindow_ = new SunWindow(&infoSnapshot_, &observer_, [this] { return sunOnChart(); }, this);
    aboutWindow_ = new AboutWindow(this);
    buildMenu();
    // After every redraw the visible information windows follow the chart's moment.
    chart_->afterPaint = [this](ChartContext&) { refreshInfoWindows(); };

    {
        // Filling the list must not select a place: the first activation chooses it.
        const QSignalBlocker block(placeCombo_);
        for (const Place& place : catalogs_->places) placeCombo_->addItem(QString::fromStdString(place.name));
        placeCombo_->setCurrentIndex(-1);
    }
    display_ = DisplayOptions{};
    animation_ = AnimationState{};
    takeClockDateAndTime();
    syncChecks();
}

double MainWindow::viewAzimuth() const { return azimuthSpin_->value(); }
int MainWindow::speed() const { return speedSpin_->value(); }
int MainWindow::animationInterval() const { return animationTimer_->interval(); }
bool MainWindow::nowMode() const { return nowButton_->isChecked(); }
int MainWindow::stepIndex() const { return stepCombo_->currentIndex(); }

// ---- Activation, settings, close ------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (firstActivation_) applySettingsOnFirstActivation();
}

void MainWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && firstActivation_) applySettingsOnFirstActivation();
}

void MainWindow::applySettingsOnFirstActivation() {
    firstActivation_ = false;
    if (const std::optional<AppSettings> stored = LoadSettings(options_.settingsPath)) {
        applySettings(*stored);
    } else {
        placeCombo_->setCurrentIndex(catalogs_->FindPlace(kDefaultPlaceName));
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    for (QAction* h : {eastInCenterAction_, southInCenterAction_, westInCenterAction_, northInCenterAction_})
        h->setChecked(h == southInCenterAction_);
    nowButton_->setChecked(false);

    timeOfDayCombo_->clear();
    timeOfDayCombo_->addItems(TimeOfDayCaptions());
    timeOfDayCombo_->setCurrentIndex(TimeOfDayIndex(observer_));

    const QDate today = now().date();
    SetObserverDate(observer_, today);
    {
        const QSignalBlocker block(dateEdit_);
        dateEdit_->setDate(today);
    }
    try {
        chart_->SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
    } catch (const std::exception& e) {
        showError(QString::fromUtf8(e.what()));  // the plain horizon band is drawn instead
    }
    stepCombo_->setCurrentIndex(2);
    redraw();
}

void MainWindow::applySettings(const AppSettings& s) {
    if (s.speed) {
        const QSignalBlocker block(speedSpin_);
        speedSpin_->setValue(*s.speed);
        animationTimer_->setInterval(IntervalForStoredSpeed(*s.speed));
    }
    if (s.azimuth) {
        const QSignalBlocker block(azimuthSpin_);
        azimuthSpin_->setValue(*s.azimuth);
    }
    move(VisiblePosition(s.position, frameGeometry().size(), size(), QGuiApplication::screens(),
                         QGuiApplication::primaryScreen()));
    display_ = s.display;
    observer_.ConsiderSummerTime = s.considerSummerTime;
    exportFolder_ = s.exportFolder;
    syncChecks();

    if (s.place.isEmpty()) {
        placeCombo_->setCurrentIndex(catalogs_->FindPlace(kDefaultPlaceName));
    } else {
        const int k = placeCombo_->findText(s.place, Qt::MatchFixedString);
        placeCombo_->setCurrentIndex(k);  // -1 when unknown: nothing selected, place unchanged
        if (k < 0) placeCombo_->setEditText(QString());
    }
}

AppSettings MainWindow::currentSettings() const {
    AppSettings s;
    s.place = placeCombo_->currentText();
    s.speed = speedSpin_->value();
    s.azimuth = azimuthSpin_->value();
    s.position = pos();
    s.display = display_;
    s.considerSummerTime = observer_.ConsiderSummerTime;
    s.exportFolder = exportFolder_;
    return s;
}

void MainWindow::closeEvent(QCloseEvent* e) {
    saveSettingsOnClose();
    QMainWindow::closeEvent(e);
}

void MainWindow::saveSettingsOnClose() {
    if (settingsWritten_) return;
    settingsWritten_ = true;
    animationTimer_->stop();
    clockTimer_->stop();
    QString error;
    if (!SaveSettings(currentSettings(), options_.settingsPath, &error)) showError(error);
}

void MainWindow::showError(const QString& text) { ReportFailure(this, "Noctaris", text); }

// ---- Drawing ----------------------------------------------------------------------------------

void MainWindow::redraw() {
    if (!chartSurface_) return;
    const bool drawn = chartSurface_->render([this](QImage& image, QSize size) {
        chart_->Redraw(image, size, observer_, display_, azimuthSpin_->value(), hitLists_);
    });
    if (drawn) emit redrawn();
}

// ---- Picking ----------------------------------------------------------------------------------

const SunChartPosition& MainWindow::sunOnChart() const { return bodies_->sun(); }

void MainWindow::onChartPress(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    const QSize screenSize = screen() ? screen()->geometry().size() : QSize(1920, 1080);
    const PickAction a = picker_.MouseDown(p.x(), p.y(), hitLists_, display_.ShowStarInfo, azimuthSpin_->value(),
                                           chartSurface_->mapToGlobal(p), screenSize, catalogs_->constellations);
    switch (a.kind) {
        case PickAction::Kind::SetAzimuth:
            azimuthSpin_->setValue(a.azimuth);
            break;
        case PickAction::Kind::ShowStarInfo:
            picker_.MouseUp();  // the box takes the mouse; no drag continues behind it
            if (!DialogsAllowed()) {
                lastStarInfo_ = a.message;
            } else {
                QMessageBox box(QMessageBox::Information, "Information", a.message, QMessageBox::Ok, this);
                box.move(a.messagePos);
                box.exec();
            }
            break;
        case PickAction::Kind::OpenBody:
            picker_.MouseUp();
            lastBodyClicked_ = QString::fromStdString(a.body);
            openBody(a.body);
            break;
        case PickAction::Kind::None:
            break;
    }
}

void MainWindow::onChartMove(QMouseEvent* e) {
    const PickAction a = picker_.MouseMove(e->position().toPoint().x(), chartSurface_->width());
    if (a.kind == PickAction::Kind::SetAzimuth) azimuthSpin_->setValue(a.azimuth);
}

void MainWindow::onChartRelease(QMouseEvent*) { picker_.MouseUp(); }

// ---- Information windows ----------------------------------------------------------------------

void MainWindow::openBody(const std::string& name) {
    if (name == "Moon") return showInfoWindow(moonWindow_);
    if (name == "Sun") return showInfoWindow(sunWindow_);
    PlanetSnapshot snapshot;
    static_cast<MomentSnapshot&>(snapshot) = MomentSnapshot::Of(observer_);
    snapshot.PlanetName = name;
    RunModal<PlanetWindow>(this, snapshot, observer_);
}

// The ephemeris table, the Moon and the Sun windows are not modal: opening one that is open
// brings it to the front; otherwise it shows the chart's moment.
void MainWindow::showInfoWindow(QWidget* window) {
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
        return;
    }
    takeSnapshotFor(window);
    window->show();
}

void MainWindow::takeSnapshotFor(QWidget* window) {
    const MomentSnapshot moment = MomentSnapshot::Of(observer_);
    if (window == ephemerisWindow_) ephemerisWindow_->snapshot() = EphemerisSnapshot{moment};
    else infoSnapshot_ = InfoSnapshot{moment};  // the Moon and Sun windows share it
}

void MainWindow::refreshInfoWindows() {
    if (ephemerisWindow_ && ephemerisWindow_->isVisible()) {
        takeSnapshotFor(ephemerisWindow_);
        ephemerisWindow_->refresh();
    }
    const bool moon = moonWindow_ && moonWindow_->isVisible(), sun = sunWindow_ && sunWindow_->isVisible();
    if (moon || sun) takeSnapshotFor(moonWindow_);  // one snapshot serves both
    if (moon) moonWindow_->refresh();
    if (sun) sunWindow_->refresh();
}

void MainWindow::openOrbits() { RunModal<OrbitsWindow>(this, MainWindowSize{width(), height()}); }
void MainWindow::openTerminator() { RunModal<TerminatorWindow>(this, MainWindowSize{width(), height()}); }
void MainWindow::openMoonPhaseCalendar() { RunModal<MoonPhaseCalendarWindow>(this); }
void MainWindow::openEventCalendar() { RunModal<EventCalendarWindow>(this, observer_, placeCombo_, exportPrompt()); }

// ---- Exports ----------------------------------------------------------------------------------

SaveFilePrompt MainWindow::exportPrompt() {
    return [this](QWidget* parent, const SaveFileRequest& request) {
        return AskInFolder(options_.askFile, parent, request, exportFolder_);
    };
}

void MainWindow::saveChartAsPng() {
    const QImage image = chartSurface_->image();  // as on the screen now, before any dialog
    const SaveFileChoice choice = exportPrompt()(
        this, {QStringLiteral("Save chart as PNG"), QString(),
               QString::asprintf("chart-%04d-%02d-%02d-%02d%02d.png", observer_.Year, observer_.Month, observer_.Day,
                                 observer_.Hour, observer_.Minute),
               {{QStringLiteral("PNG image"), QStringLiteral("png")}}});
    if (choice.path.isEmpty()) return;
    QString reason;
    if (!SavePngAtomically(choice.path, image, &reason)) ReportWriteFailure(this, choice.path, reason);
}

void MainWindow::openAbout() {
    if (DialogsAllowed()) aboutWindow_->exec();
}

}  // namespace noctaris
