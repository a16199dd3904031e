// MainWindow: construction, first activation and close (the settings file), drawing, picking
// and the exports (the information windows are main_window_info.cpp).
#include "app/main_window.h"

#include <cstdio>
#include <cstdlib>

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include "app/chart_surface.h"
#include "app/place_list_model.h"
#include "app/settings.h"
#include "platform/atomic_write.h"
#include "platform/codec.h"
#include "platform/inifile.h"
#include "app/window_placement.h"
#include "platform/pictures.h"
#include "windows/about_window.h"
#include "windows/ephemeris_window.h"
#include "windows/moon_window.h"
#include "windows/sun_window.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

// The work areas of all screens, and the primary screen's for what lies on none of them.
QList<QRect> WorkAreas() {
    QList<QRect> areas;
    for (const QScreen* s : QGuiApplication::screens()) areas << s->availableGeometry();
    return areas;
}

QRect PrimaryWorkArea() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry() : QRect();
}

// The information windows and the settings that keep their positions.
template <class F>
void ForEachInfoWindow(QWidget* moon, QWidget* sun, QWidget* ephemeris, F f) {
    f(moon, &AppSettings::moonWindowPosition);
    f(sun, &AppSettings::sunWindowPosition);
    f(ephemeris, &AppSettings::ephemerisWindowPosition);
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
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    createTimers();
    toolbar_ = buildToolbar();
    layout->addWidget(toolbar_);
    chartSurface_ = new ChartSurface(this);
    chartSurface_->setObjectName("chartSurface");
    chartSurface_->setProperty("nightRed", true);  // night vision draws it red already
    layout->addWidget(chartSurface_, 1);
    connect(chartSurface_, &ChartSurface::painted, this, &MainWindow::chartShown);
    connect(chartSurface_, &ChartSurface::pressed, this, &MainWindow::onChartPress);
    connect(chartSurface_, &ChartSurface::moved, this, &MainWindow::onChartMove);
    connect(chartSurface_, &ChartSurface::released, this, &MainWindow::onChartRelease);
    connect(chartSurface_, &ChartSurface::turnRequested, this, [this](int degrees) {
        if (view_.HorizontalSpan < ViewState::kWidestSpan) {
            ViewState v = view_;  // a zoomed view turns in proportion to its span
            v.CentreAzimuth += degrees * v.HorizontalSpan / ViewState::kWidestSpan;
            setView(v);
        } else {
            setViewAzimuth(TurnedAzimuth(static_cast<int>(viewAzimuth()), degrees));
        }
    });
    connect(chartSurface_, &ChartSurface::raiseRequested, this, [this](int steps) {
        ViewState v = view_;
        const double vertical = VerticalSpan(v.HorizontalSpan);
        v.CentreAltitude = CentreAltitudeOf(v, chartSurface_->height()) + steps * vertical / 10;
        setView(v);
    });
    connect(chartSurface_, &ChartSurface::zoomRequested, this, &MainWindow::zoomBy);
    connect(chartSurface_, &ChartSurface::homeRequested, this, &MainWindow::resetView);

    buildMenu();

    // The controls stand; the chart needs the catalogs. The world outline is the terminator
    // map's, which loads it itself.
    if (options_.catalogs) catalogs_ = options_.catalogs;
    else if (options_.loadingCatalogs.valid()) catalogs_ = options_.loadingCatalogs.get();
    else catalogs_ = std::make_shared<const Catalogs>(Catalogs::Load(kCatalogAll & ~kCatalogWorldOutline));
    chart_ = std::make_unique<SkyChart>(*catalogs_);
    bodies_ = std::make_unique<ChartBodies>();
    bodies_->InstallOn(*chart_);
    panels_ = std::make_unique<ChartPanels>();
    panels_->InstallOn(*chart_);
    // After every redraw the visible information windows follow the chart's moment.
    chart_->afterPaint = [this](ChartContext&) { refreshInfoWindows(); };
    chartSurface_->setRenderer([this](QImage& image, QSize size) {
        chart_->Redraw(image, size, observer_, display_, view_, hitLists_);
    });

    {
        // Filling the list must not select a place: the first activation chooses it. The model
        // reads the catalogue's names when asked, for the box and its completer alike.
        const QSignalBlocker block(placeCombo_);
        placeCombo_->setModel(new PlaceListModel(catalogs_->places, placeCombo_));
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

// Runs before the window first appears, while it has no native window yet: a position set now
// is the frame's, and the window system puts the frame there (under X11 Qt asks for north-west
// gravity). A move once the window exists would be taken as the client area's position while the
// frame is not yet known (the window manager adds it after mapping), and the window would creep
// up and left by the size of its frame on every start.
void MainWindow::setVisible(bool visible) {
    if (visible && !settingsRead_) placeOnFirstShow();
    QMainWindow::setVisible(visible);
}

void MainWindow::placeOnFirstShow() {
    settingsRead_ = true;
    stored_ = LoadSettings(options_.settingsPath);
    const QList<QRect> screens = WorkAreas();
    const QRect primary = PrimaryWorkArea();
    keepToolbarInOneRow();
    // On a screen smaller than the window (a small notebook, a large scale factor) the window
    // opens as large as fits, the frame the window manager adds allowed for.
    if (!primary.isEmpty()) {
        const QSize room = primary.size() - QSize(8, 40);
        if (room.isValid() && (width() > room.width() || height() > room.height())) resize(size().boundedTo(room));
    }
    const QSize frame = frameGeometry().size();
    if (stored_) move(VisiblePosition(stored_->position, frame, screens, primary));
    else if (!primary.isEmpty()) move(CentredPosition(frame, primary));
    placeStoredInfoWindows();
}

// Wide enough for the toolbar in one row where the screen allows; where it does not, the
// toolbar wraps. Night vision's frames make the controls a little wider than by day: the
// window widens for them and, unless resized meanwhile, returns to its width by day.
void MainWindow::keepToolbarInOneRow() {
    if (isMaximized() || isFullScreen()) return;
    const int oneRow = toolbar_->sizeHint().width();
    if (widened_ && width() == widened_->to && oneRow <= widened_->from) {
        resize(widened_->from, height());
        widened_.reset();
        return;
    }
    if (width() >= oneRow) return;
    // The window's screen once it has one; asking a window not yet made for its screen would
    // settle details of its first placing too early.
    const QWindow* handle = windowHandle();
    const QRect area = handle && handle->screen() ? handle->screen()->availableGeometry() : PrimaryWorkArea();
    if (!area.isEmpty() && oneRow > area.width() - 8) return;
    if (isVisible()) widened_ = Widening{width(), oneRow};
    resize(oneRow, height());
}

void MainWindow::placeStoredInfoWindows() {
    if (!stored_ || !moonWindow_) return;
    const QList<QRect> screens = WorkAreas();
    const QRect primary = PrimaryWorkArea();
    ForEachInfoWindow(moonWindow_, sunWindow_, ephemerisWindow_, [&](QWidget* window, auto field) {
        if (const std::optional<QPoint>& p = (*stored_).*field) {
            window->move(VisiblePosition(*p, window->size(), screens, primary));
            placedInfoWindows_ << window;
        }
    });
}

void MainWindow::applySettingsOnFirstActivation() {
    firstActivation_ = false;
    // One render at the end, of the stored place at the clock's moment: none on the way there.
    const QScopedValueRollback hold(redrawHeld_, true);
    if (!settingsRead_) placeOnFirstShow();
    if (stored_) applySettings(*stored_);
    else {
        // A new settings file: what an empty one reads as (the clock on the wall, the precise
        // places, smooth drawing in the sky's colour).
        const AppSettings fresh = ReadSettings(IniFile(QString()));
        observer_.ConsiderSummerTime = fresh.considerSummerTime;
        display_ = fresh.display;
        syncChecks();
        placeCombo_->setCurrentIndex(catalogs_->FindPlace(kDefaultPlaceName));
    }
    for (QAction* h : {eastInCenterAction_, southInCenterAction_, westInCenterAction_, northInCenterAction_})
        h->setChecked(h == southInCenterAction_);
    nowButton_->setChecked(false);

    timeOfDayCombo_->clear();
    timeOfDayCombo_->addItems(TimeOfDayCaptions());
    takeClockDateAndTime();  // one reading of the clock: date and time of the same instant
    showChartMoment();
    stepCombo_->setCurrentIndex(2);
    chartSurface_->setFocus(Qt::OtherFocusReason);  // a stray key turns the view, never the speed
    redrawHeld_ = false;
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
    view_.CentreAzimuth = azimuthSpin_->value();
    view_.HorizontalSpan = s.viewSpan;
    view_.CentreAltitude = s.viewAltitude;
    view_ = ClampedView(view_);
    if (s.fullScreen) setFullScreen(true);
    display_ = s.display;
    observer_.ConsiderSummerTime = s.considerSummerTime;
    exportFolder_ = s.exportFolder;
    SetFileDialogState(s.fileDialogState);
    syncChecks();

    ownPlaces_ = s.ownPlaces;
    fillOwnPlaces();
    // A place that is not in the list (renamed, or typed by hand into an old file) gives the
    // default place, so the caption and the sky always belong to the same place.
    int k = s.place.isEmpty() ? -1 : catalogs_->FindPlace(s.place.toStdString());
    if (k < 0 && !s.place.isEmpty()) k = placeCombo_->findText(s.place, Qt::MatchFixedString);
    if (k < 0) k = catalogs_->FindPlace(kDefaultPlaceName);
    placeCombo_->setCurrentIndex(k);
}

AppSettings MainWindow::currentSettings() const {
    AppSettings s;
    // The place's identity (its German name), never half-typed text nor the English name shown.
    const Place* place = placeAt(placeCombo_->currentIndex());
    s.place = place ? FromCp1252(place->rawName) : QString();
    s.ownPlaces = ownPlaces_;
    s.speed = speedSpin_->value();
    s.azimuth = azimuthSpin_->value();
    s.viewSpan = view_.HorizontalSpan;
    s.viewAltitude = view_.CentreAltitude;
    s.fullScreen = isFullScreen();
    // The frame's top left, as it is placed at the next start. A maximised window keeps the
    // place it returns to (normalGeometry is the client area; the frame lies around it).
    s.position = pos();
    if (isMaximized() || isFullScreen() || isMinimized())
        s.position = normalGeometry().topLeft() - (geometry().topLeft() - frameGeometry().topLeft());
    s.display = display_;
    s.considerSummerTime = observer_.ConsiderSummerTime;
    s.exportFolder = exportFolder_;
    s.fileDialogState = FileDialogState();
    ForEachInfoWindow(moonWindow_, sunWindow_, ephemerisWindow_, [&](QWidget* window, auto field) {
        if (!window && stored_) s.*field = (*stored_).*field;  // never opened: where it was kept
        else if (window && placedInfoWindows_.contains(window)) s.*field = window->pos();
    });
    return s;
}

void MainWindow::closeEvent(QCloseEvent* e) {
    saveSettingsOnClose();
    QMainWindow::closeEvent(e);
}

bool MainWindow::closeForSignal() {
    closingForSignal_ = true;
    const bool saved = saveSettingsOnClose();
    close();
    return saved;
}

bool MainWindow::saveSettingsOnClose() {
    if (settingsWritten_) return settingsSaved_;
    settingsWritten_ = true;
    animationTimer_->stop();
    clockTimer_->stop();
    QString error;
    settingsSaved_ = SaveSettings(currentSettings(), options_.settingsPath, &error);
    if (!settingsSaved_) {
        if (closingForSignal_) std::fprintf(stderr, "noctaris: %s\n", qUtf8Printable(error));
        else showError(error);
    }
    return settingsSaved_;
}

void MainWindow::showError(const QString& text) { ReportFailure(this, "Noctaris", text); }

// ---- Drawing ----------------------------------------------------------------------------------

void MainWindow::redraw() {
    if (!chartSurface_ || redrawHeld_) return;
    if (display_.ShowHorizonFigure && !horizonLoaded_) {
        // Decoded when the landscape is first shown; a failure is told once, after this paint,
        // and the plain horizon band is drawn instead.
        horizonLoaded_ = true;
        try {
            chart_->SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
        } catch (const std::exception& e) {
            QTimer::singleShot(0, this, [this, text = QString::fromUtf8(e.what())] { showError(text); });
        }
    }
    chartSurface_->render();
}

// ---- Picking ----------------------------------------------------------------------------------

const SunChartPosition& MainWindow::sunOnChart() const { return bodies_->sun(); }

void MainWindow::onChartPress(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    const QSize screenSize = screen() ? screen()->geometry().size() : QSize(1920, 1080);
    const PickAction a = picker_.MouseDown(p.x(), p.y(), hitLists_, display_.ShowStarInfo, azimuthSpin_->value(),
                                           chartSurface_->mapToGlobal(p), screenSize, catalogs_->constellations);
    dragStart_ = p;
    dragStartView_ = view_;
    dragVertical_ = false;
    switch (a.kind) {
        case PickAction::Kind::SetAzimuth:
            azimuthSpin_->setValue(a.azimuth);
            break;
        case PickAction::Kind::ShowStarInfo:
            picker_.MouseUp();  // the box takes the mouse; no drag continues behind it
            if (!DialogsAllowed()) {
                lastStarInfo_ = a.message;
            } else {
                QMessageBox box(QMessageBox::Information, tr("Information"), a.message, QMessageBox::Ok, this);
                box.move(a.messagePos);
                box.exec();
            }
            break;
        case PickAction::Kind::OpenBody:
            picker_.MouseUp();
            lastBodyClicked_ = QString::fromLatin1(BodyName(a.body));
            openBody(a.body);
            break;
        case PickAction::Kind::None:
            break;
    }
}

void MainWindow::onChartMove(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (picker_.Dragging() && (view_.HorizontalSpan < ViewState::kWidestSpan || view_.CentreAltitude ||
                               dragVertical_ || std::abs(p.y() - dragStart_.y()) >= kVerticalDragStart)) {
        dragView(p);
        return;
    }
    const PickAction a = picker_.MouseMove(p.x(), chartSurface_->width());
    if (a.kind == PickAction::Kind::SetAzimuth) azimuthSpin_->setValue(a.azimuth);
}

void MainWindow::onChartRelease(QMouseEvent*) { picker_.MouseUp(); }

// ---- Exports ----------------------------------------------------------------------------------

SaveFilePrompt MainWindow::exportPrompt() {
    return [this](QWidget* parent, const SaveFileRequest& request) {
        return AskInFolder(options_.askFile, parent, request, exportFolder_);
    };
}

void MainWindow::openAbout() {
    if (!DialogsAllowed()) return;
    if (!aboutWindow_) aboutWindow_ = new AboutWindow(this);
    aboutWindow_->exec();
}

}  // namespace noctaris
