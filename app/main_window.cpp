#include "app/main_window.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "astro/timebase.h"
#include "platform/format.h"
#include "windows/about_window.h"
#include "windows/wincommon.h"
#include "windows/planet_window.h"
#include "windows/ephemeris_window.h"
#include "windows/event_calendar_window.h"
#include "windows/moon_window.h"
#include "windows/sun_window.h"
#include "windows/moon_phase_calendar_window.h"
#include "windows/terminator_window.h"
#include "windows/orbits_window.h"
#include "platform/inifile.h"
#include "platform/pictures.h"

namespace noctaris {
namespace {

const QString kSection = QStringLiteral("Noctaris");
const char* const kDefaultPlace = "Chemnitz, D";

// The display switches in the settings file, in the order they are written. An entry with
// neither member is the summer-time switch of the observer.
struct OptionKey {
    const char* key;
    bool DisplayOptions::*flag;
    int DisplayOptions::*mode;
};
const OptionKey kOptionKeys[] = {
    {"Ekliptik", &DisplayOptions::ShowEcliptic, nullptr},
    {"Äquator", &DisplayOptions::ShowEquator, nullptr},
    {"Ksystem", &DisplayOptions::ShowGrid, nullptr},
    {"Meridian", &DisplayOptions::ShowMeridian, nullptr},
    {"Höhen", &DisplayOptions::ShowAltitudeLines, nullptr},
    {"Mond", &DisplayOptions::ShowMoon, nullptr},
    {"Sommerzeit", nullptr, nullptr},
    {"Horizont", &DisplayOptions::ShowHorizonFigure, nullptr},
    {"Sterne", nullptr, &DisplayOptions::StarNameMode},
    {"Sternbilder", nullptr, &DisplayOptions::ConstellationNameMode},
    {"Linien", &DisplayOptions::ShowConstellationLines, nullptr},
    {"SGrenzen", &DisplayOptions::ShowConstellationBorders, nullptr},
    {"WSterne", &DisplayOptions::WhiteStars, nullptr},
    {"Anzeige", &DisplayOptions::ShowStarInfo, nullptr},
    {"Tierkreis", &DisplayOptions::ShowZodiac, nullptr},
    {"Jupiter", &DisplayOptions::ShowJupiterMoons, nullptr},
    {"Venus", &DisplayOptions::ShowVenusPhase, nullptr},
};

TDateTime ToDateTime(const QDate& d) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(d));
}

QIcon PictureIcon(const char* name) {
    try {
        return QIcon(QPixmap::fromImage(LoadPicture(name)));
    } catch (const std::exception&) {
        return {};  // the button keeps its caption
    }
}

}  // namespace

// ---- PB1 --------------------------------------------------------------------------------------

ChartSurface::ChartSurface(MainWindow* owner) : QWidget(owner), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
    setMinimumSize(200, 120);
}

void ChartSurface::paintEvent(QPaintEvent*) {
    if (image_.size() != size()) owner_->Redraw();  // first show or resize: render at the new size
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void ChartSurface::resizeEvent(QResizeEvent*) {}

void ChartSurface::mousePressEvent(QMouseEvent* e) { owner_->PB1MouseDown(e); }
void ChartSurface::mouseMoveEvent(QMouseEvent* e) { owner_->PB1MouseMove(e); }
void ChartSurface::mouseReleaseEvent(QMouseEvent* e) { owner_->PB1MouseUp(e); }

void ChartSurface::keyPressEvent(QKeyEvent* e) {
    // Arrow keys turn the view, as dragging does; Shift turns in bigger steps.
    const int step = e->modifiers() & Qt::ShiftModifier ? 45 : 5;
    int a = static_cast<int>(owner_->ViewAzimuth());
    if (e->key() == Qt::Key_Left) a -= step;
    else if (e->key() == Qt::Key_Right) a += step;
    else return QWidget::keyPressEvent(e);
    if (a > 180) a -= 360;
    if (a < -180) a += 360;
    owner_->SetViewAzimuth(a);
}

// ---- MainWindow -------------------------------------------------------------------------------------

MainWindow::MainWindow(Options options) : options_(std::move(options)) {
    setWindowTitle("Noctaris");
    setObjectName("MainWindow");
    resize(1070, 751);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(pal);
    FormCreate();
}

MainWindow::~MainWindow() = default;

QString MainWindow::DefaultSettingsPath() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dir.isEmpty()) dir = QDir::homePath();
    return QDir(dir).filePath("noctaris.ini");
}

QDateTime MainWindow::Now() const {
    return options_.clock ? options_.clock() : QDateTime::currentDateTime();
}

void MainWindow::FormCreate() {
    catalogs_ = options_.catalogs ? options_.catalogs : std::make_shared<const Catalogs>(Catalogs::LoadAll());
    sky_ = std::make_unique<SkyChart>(*catalogs_);
    bodies_ = std::make_unique<ChartBodies>();
    bodies_->InstallOn(*sky_);
    panels_ = std::make_unique<ChartPanels>();
    panels_->InstallOn(*sky_);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    BuildToolbar();
    auto* p1 = findChild<QWidget*>("P1");
    layout->addWidget(p1);
    PB1 = new ChartSurface(this);
    PB1->setObjectName("PB1");
    layout->addWidget(PB1, 1);

    Timer1 = new QTimer(this);
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &MainWindow::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &MainWindow::Timer2Timer);
    // The windows that live as long as the main window, created hidden.
    ephem_ = new EphemerisWindow(observer_, this);
    umond_ = new MoonWindow(&infoSnapshot_, &observer_, this);
    usonne_ = new SunWindow(&infoSnapshot_, &observer_, [this] { return SunOnChart(); }, this);
    about_ = new AboutWindow(this);
    BuildMenu();
    // After every redraw the visible information windows follow the chart's moment.
    sky_->afterPaint = [this](ChartContext&) { RefreshInfoWindows(); };

    {
        // Filling the list must not select a place: the first activation chooses it.
        const QSignalBlocker block(ComboBox1);
        for (const Place& place : catalogs_->places) ComboBox1->addItem(QString::fromStdString(place.name));
        ComboBox1->setCurrentIndex(-1);
    }
    display_ = DisplayOptions{};
    animation_ = AnimationState{};
    TakeClockTime();
    TakeClockDate();
    SyncChecks();
}

void MainWindow::BuildToolbar() {
    auto* p1 = new QWidget(this);
    p1->setObjectName("P1");
    p1->setFixedHeight(28);
    auto* row = new QHBoxLayout(p1);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(3);

    auto button = [&](const char* name, const QString& caption, const QString& hint, const char* icon) {
        auto* b = new QToolButton(p1);
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setText(caption);
        b->setToolTip(hint);
        b->setFixedHeight(25);
        if (icon) {
            const QIcon i = PictureIcon(icon);
            if (!i.isNull()) b->setIcon(i);
        }
        row->addWidget(b);
        return b;
    };

    S20 = button("S20", "Animation", "Animation", "S20");
    connect(S20, &QToolButton::clicked, this, &MainWindow::ToggleAnimation);
    RxSpinEdit1 = new QSpinBox(p1);
    RxSpinEdit1->setObjectName("RxSpinEdit1");
    RxSpinEdit1->setRange(1, 100);
    RxSpinEdit1->setValue(80);
    RxSpinEdit1->setToolTip("Animation speed");
    row->addWidget(RxSpinEdit1);
    connect(RxSpinEdit1, &QSpinBox::valueChanged, this, [this](int speed) { Timer1->setInterval(IntervalForSpeed(speed)); });

    S34 = button("S34", "Now", "Now", "S34");
    S34->setCheckable(true);
    connect(S34, &QToolButton::toggled, this, &MainWindow::SetNowMode);

    CB1 = new QComboBox(p1);
    CB1->setObjectName("CB1");
    CB1->setToolTip("Time interval");
    for (const TimeStep& s : kTimeSteps) CB1->addItem(s.caption);
    CB1->setCurrentIndex(2);
    row->addWidget(CB1);

    S29 = button("S29", "Reverse timeline", "Reverse timeline", "S29");
    connect(S29, &QToolButton::clicked, this, &MainWindow::ReverseTimeline);

    DE1 = new QDateEdit(p1);
    DE1->setObjectName("DE1");
    DE1->setCalendarPopup(true);
    DE1->setDisplayFormat(ShortDateFormat());
    DE1->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    DE1->setToolTip("Date");
    DE1->setWindowTitle("Date");
    DE1->setDate(Now().date());
    row->addWidget(DE1);
    connect(DE1, &QDateEdit::userDateChanged, this, &MainWindow::SetDate);

    cb2 = new QComboBox(p1);
    cb2->setObjectName("cb2");
    cb2->setToolTip("Time");
    row->addWidget(cb2);
    connect(cb2, &QComboBox::activated, this, &MainWindow::SelectTimeOfDay);

    S7 = button("S7", "S", "Star names", nullptr);
    connect(S7, &QToolButton::clicked, this, [this] { M19->trigger(); });
    S25 = button("S25", "SB", "Constellation names", nullptr);
    connect(S25, &QToolButton::clicked, this, [this] { M21->trigger(); });
    S5 = button("S5", "Constellation lines", "Constellation lines", "S5");
    connect(S5, &QToolButton::clicked, this, [this] { M26->trigger(); });
    if (!S5->icon().isNull()) S5->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (QToolButton* b : {S20, S34, S29})
        if (!b->icon().isNull()) b->setToolButtonStyle(Qt::ToolButtonIconOnly);

    row->addWidget(new QLabel(" Place", p1));
    ComboBox1 = new QComboBox(p1);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setToolTip("Observation place");
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(16);
    ComboBox1->setMinimumContentsLength(22);
    ComboBox1->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    ComboBox1->completer()->setFilterMode(Qt::MatchStartsWith);
    ComboBox1->completer()->setCompletionMode(QCompleter::PopupCompletion);
    row->addWidget(ComboBox1);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &MainWindow::SelectPlace);

    row->addWidget(new QLabel("Azimuth", p1));
    rx2 = new QSpinBox(p1);
    rx2->setObjectName("rx2");
    rx2->setRange(-180, 180);
    rx2->setToolTip("Azimuth");
    rx2->setFixedWidth(rx2->fontMetrics().horizontalAdvance("-1800") + 30);  // four characters
    row->addWidget(rx2);
    connect(rx2, &QSpinBox::valueChanged, this, [this] { Redraw(); });
    row->addStretch(1);
}

QAction* MainWindow::AddToggle(QMenu* menu, const QString& caption, bool DisplayOptions::*field) {
    QAction* a = menu->addAction(caption);
    a->setCheckable(true);
    toggles_.append({a, field});
    connect(a, &QAction::triggered, this, [this, field] {
        display_.*field = !(display_.*field);
        SyncChecks();
        Redraw();
    });
    return a;
}

void MainWindow::BuildMenu() {
    QMenuBar* mm1 = menuBar();
    mm1->setObjectName("MM1");

    QMenu* file = mm1->addMenu("File");
    MM2 = file->addAction("Close", this, &QWidget::close);

    QMenu* sim = mm1->addMenu("Simulation");
    M9 = sim->addAction("Simulation", this, &MainWindow::ToggleAnimation);
    M9->setCheckable(true);
    M9->setShortcut(Qt::Key_F2);
    M31 = sim->addAction("Reverse timeline", this, &MainWindow::ReverseTimeline);
    Simulationlangsamer1 = sim->addAction("Simulation slower", this, &MainWindow::SimulationSlower);
    Simulationschneller1 = sim->addAction("Simulation faster", this, &MainWindow::SimulationFaster);

    QMenu* disp = mm1->addMenu("Display");
    M29 = AddToggle(disp, "Ecliptic", &DisplayOptions::ShowEcliptic);
    M6 = AddToggle(disp, "Celestial equator", &DisplayOptions::ShowEquator);
    M12 = AddToggle(disp, "Coordinate grid", &DisplayOptions::ShowGrid);
    M2 = AddToggle(disp, "Meridian", &DisplayOptions::ShowMeridian);
    M11 = AddToggle(disp, "Contour line", &DisplayOptions::ShowAltitudeLines);
    M8 = AddToggle(disp, "Moon", &DisplayOptions::ShowMoon);
    M13 = disp->addAction("Consider summer time");
    M13->setCheckable(true);
    connect(M13, &QAction::triggered, this, [this] {
        observer_.ConsiderSummerTime = !observer_.ConsiderSummerTime;
        SyncChecks();
        Redraw();
    });
    M3 = AddToggle(disp, "Horizon figure", &DisplayOptions::ShowHorizonFigure);
    disp->addSeparator();
    M19 = disp->addAction("Star name");
    M19->setCheckable(true);
    connect(M19, &QAction::triggered, this, [this] {
        display_.StarNameMode = (display_.StarNameMode + 1) % 4;
        SyncChecks();
        Redraw();
    });
    M21 = disp->addAction("Constellation name");
    M21->setCheckable(true);
    connect(M21, &QAction::triggered, this, [this] {
        int& m = display_.ConstellationNameMode;
        m = m == 0 ? 2 : m == 1 ? 2 : m == 2 ? 3 : 0;
        SyncChecks();
        Redraw();
    });
    M26 = AddToggle(disp, "Constellation line", &DisplayOptions::ShowConstellationLines);
    M5 = AddToggle(disp, "Constellation border", &DisplayOptions::ShowConstellationBorders);
    M1 = AddToggle(disp, "White stars", &DisplayOptions::WhiteStars);
    M4 = AddToggle(disp, "Show star information", &DisplayOptions::ShowStarInfo);
    M7 = AddToggle(disp, "Zodiac signs", &DisplayOptions::ShowZodiac);

    QMenu* dir = mm1->addMenu("Direction");
    H1 = dir->addAction("East in center", this, [this] { SetDirection(H1, -90); });
    H2 = dir->addAction("South in center", this, [this] { SetDirection(H2, 0); });
    H3 = dir->addAction("West in center", this, [this] { SetDirection(H3, 90); });
    H4 = dir->addAction("North in center", this, [this] { SetDirection(H4, 180); });
    for (QAction* h : {H1, H2, H3, H4}) h->setCheckable(true);
    H2->setChecked(true);

    QMenu* info = mm1->addMenu("Additional informations");
    Mond1 = info->addAction("Moon parameter");
    M16 = info->addAction("Sun parameter");
    M15 = info->addAction("Ephemeris table");
    M14 = AddToggle(info, "Galilean jupiter moons", &DisplayOptions::ShowJupiterMoons);
    M20 = AddToggle(info, "Venus phase", &DisplayOptions::ShowVenusPhase);
    M17 = info->addAction("Moon phase calendar");
    M18 = info->addAction("Orbits");
    M22 = info->addAction("Astronomical calendar");
    M23 = info->addAction("Terminator");
    QMenu* help = mm1->addMenu("?");
    About1 = help->addAction("About ...");
    connect(M18, &QAction::triggered, this, &MainWindow::OpenOrbits);
    connect(M15, &QAction::triggered, this, [this] {
        if (ephem_->isVisible()) {
            ephem_->raise();
            ephem_->activateWindow();
            return;
        }
        ephem_->snapshot() = EphemerisSnapshot{MomentSnapshot::Of(observer_)};
        ephem_->show();
    });
    connect(M17, &QAction::triggered, this, [this] {
        if (!DialogsAllowed()) return;
        MoonPhaseCalendarWindow window(this);
        window.exec();
    });
    connect(M23, &QAction::triggered, this, [this] {
        if (!DialogsAllowed()) return;
        const MainWindowSize size{width(), height()};
        TerminatorWindow window(size, this);
        window.exec();
    });
    connect(About1, &QAction::triggered, this, [this] {
        if (DialogsAllowed()) about_->exec();
    });
    connect(Mond1, &QAction::triggered, this, [this] { ShowInfoWindow(umond_); });
    connect(M16, &QAction::triggered, this, [this] { ShowInfoWindow(usonne_); });
    connect(M22, &QAction::triggered, this, [this] {
        if (!DialogsAllowed()) return;
        EventCalendarWindow window(observer_, ComboBox1, this);
        window.exec();
    });
}

void MainWindow::SetDirection(QAction* checked, int azimuth) {
    for (QAction* h : {H1, H2, H3, H4}) h->setChecked(h == checked);
    SetViewAzimuth(azimuth);
}

void MainWindow::SyncChecks() {
    for (const auto& [action, field] : toggles_) action->setChecked(display_.*field);
    M13->setChecked(observer_.ConsiderSummerTime);
    M19->setChecked(display_.StarNameMode > 0);
    M21->setChecked(display_.ConstellationNameMode != 0);
    M9->setChecked(animation_.AnimationRunning);
    S20->setCheckable(true);
    S20->setChecked(animation_.AnimationRunning);
    S5->setCheckable(true);
    S5->setChecked(display_.ShowConstellationLines);
}

double MainWindow::ViewAzimuth() const { return rx2->value(); }
int MainWindow::Speed() const { return RxSpinEdit1->value(); }
int MainWindow::AnimationInterval() const { return Timer1->interval(); }
bool MainWindow::NowMode() const { return S34->isChecked(); }
int MainWindow::StepIndex() const { return CB1->currentIndex(); }

void MainWindow::TakeClockTime() {
    const QTime t = Now().time();
    observer_.Hour = t.hour();
    observer_.Minute = t.minute();
    observer_.Second = t.second();
}

void MainWindow::TakeClockDate() {
    DateTimeToDate(ToDateTime(Now().date()), observer_.Year, observer_.Month, observer_.Day);
}

// ---- Activation, settings, close ------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (firstActivation_) FormActivate();
}

void MainWindow::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && firstActivation_) FormActivate();
}

void MainWindow::FormActivate() {
    firstActivation_ = false;
    const int defaultPlace = catalogs_->FindPlace(kDefaultPlace);
    IniFile ini(options_.settingsPath.isEmpty() ? DefaultSettingsPath() : options_.settingsPath);
    if (ini.Exists() && ini.Load()) {
        ReadSettings(ini);
    } else {
        ComboBox1->setCurrentIndex(defaultPlace);
        if (QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
    for (QAction* h : {H1, H2, H3, H4}) h->setChecked(h == H2);
    S34->setChecked(false);

    cb2->clear();
    for (int k = 0; k < 288; ++k) cb2->addItem(FormatDateTime("hh:nn", EncodeTime(k / 12, (k % 12) * 5, 0, 0)));
    cb2->setCurrentIndex(observer_.Minute / 5 + 12 * observer_.Hour);

    TakeClockDate();
    DE1->blockSignals(true);
    DE1->setDate(Now().date());
    DE1->blockSignals(false);
    try {
        sky_->SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()));  // the plain horizon band is drawn instead
    }
    CB1->setCurrentIndex(2);
    Redraw();
}

void MainWindow::ReadSettings(const IniFile& ini) {
    const QString place = ini.ReadString(kSection, "Ort", "");
    const int speed = ini.ReadInteger(kSection, "Simulation", 2);
    if (speed >= 1 && speed <= 99) {
        RxSpinEdit1->blockSignals(true);
        RxSpinEdit1->setValue(speed);
        RxSpinEdit1->blockSignals(false);
        Timer1->setInterval(100 - speed);
    }
    const int azimuth = ini.ReadInteger(kSection, "Azimut", 0);
    if (azimuth >= -180 && azimuth <= 180) {
        rx2->blockSignals(true);
        rx2->setValue(azimuth);
        rx2->blockSignals(false);
    }
    // Far-off values are off every screen anyway; keep them small enough for the geometry.
    auto coordinate = [&](const char* key) { return std::clamp(ini.ReadInteger(kSection, key, 0), -100000, 100000); };
    QPoint pos(coordinate("Links"), coordinate("Oben"));
    // A position stored on a screen that is gone would leave the window where nobody can
    // see it: then centre it on the primary screen instead.
    const QRect wanted(pos, frameGeometry().size());
    bool visible = false;
    for (QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().intersects(wanted.adjusted(40, 10, -40, -10))) visible = true;
    if (!visible && QGuiApplication::primaryScreen())
        pos = QGuiApplication::primaryScreen()->availableGeometry().center() - QPoint(width() / 2, height() / 2);
    move(pos);

    for (const OptionKey& k : kOptionKeys) {
        if (k.flag) display_.*k.flag = ini.ReadBool(kSection, QString::fromUtf8(k.key), false);
        // The two name modes were kept in a byte.
        if (k.mode) display_.*k.mode = static_cast<unsigned char>(ini.ReadInteger(kSection, k.key, 0));
        if (!k.flag && !k.mode) observer_.ConsiderSummerTime = ini.ReadBool(kSection, k.key, false);
    }
    SyncChecks();

    if (place.isEmpty()) {
        ComboBox1->setCurrentIndex(catalogs_->FindPlace(kDefaultPlace));
    } else {
        const int k = ComboBox1->findText(place, Qt::MatchFixedString);
        ComboBox1->setCurrentIndex(k);  // -1 when unknown: nothing selected, place unchanged
        if (k < 0) ComboBox1->setEditText(QString());
    }
}

void MainWindow::WriteSettings(IniFile& ini) const {
    ini.WriteString(kSection, "Ort", ComboBox1->currentText());
    ini.WriteInteger(kSection, "Simulation", RxSpinEdit1->value());
    ini.WriteInteger(kSection, "Azimut", rx2->value());
    ini.WriteInteger(kSection, "Links", pos().x());
    ini.WriteInteger(kSection, "Oben", pos().y());
    for (const OptionKey& k : kOptionKeys) {
        const QString key = QString::fromUtf8(k.key);
        if (k.flag) ini.WriteBool(kSection, key, display_.*k.flag);
        else if (k.mode) ini.WriteInteger(kSection, key, display_.*k.mode);
        else ini.WriteBool(kSection, key, observer_.ConsiderSummerTime);
    }
}

void MainWindow::closeEvent(QCloseEvent* e) {
    FormClose();
    QMainWindow::closeEvent(e);
}

void MainWindow::FormClose() {
    if (settingsWritten_) return;
    settingsWritten_ = true;
    Timer1->stop();
    Timer2->stop();
    IniFile ini(options_.settingsPath.isEmpty() ? DefaultSettingsPath() : options_.settingsPath);
    WriteSettings(ini);
    QDir().mkpath(QFileInfo(ini.Path()).absolutePath());
    QString error;
    if (!ini.Save(&error)) ShowError(error);
}

void MainWindow::ShowError(const QString& text) { ReportFailure(this, "Noctaris", text); }

// ---- Drawing ----------------------------------------------------------------------------------

void MainWindow::Redraw() {
    if (!PB1) return;
    const QSize size = PB1->size();
    if (size.isEmpty()) return;
    QImage& image = PB1->Buffer();
    try {
        sky_->Redraw(image, size, observer_, display_, rx2->value(), hitLists_);
    } catch (const std::exception& e) {
        // Never let a drawing fault take the program down; say what went wrong on the chart.
        image = QImage(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setPen(Qt::white);
        painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, QString::fromUtf8(e.what()));
    }
    PB1->update();
    emit redrawn();
}

// ---- Picking ----------------------------------------------------------------------------------

const SunChartPosition& MainWindow::SunOnChart() const { return bodies_->sun(); }

void MainWindow::PB1MouseDown(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    const QSize screenSize = screen() ? screen()->geometry().size() : QSize(1920, 1080);
    const PickAction a = picker_.MouseDown(p.x(), p.y(), hitLists_, display_.ShowStarInfo, rx2->value(),
                                           PB1->mapToGlobal(p), screenSize, catalogs_->constellations);
    switch (a.kind) {
        case PickAction::Kind::SetAzimuth:
            rx2->setValue(a.azimuth);
            break;
        case PickAction::Kind::ShowStarInfo:
            picker_.MouseUp();  // the box takes the mouse; no drag continues behind it
            if (!DialogsAllowed()) {
                lastInfo_ = a.message;
            } else {
                QMessageBox box(QMessageBox::Information, "Information", a.message, QMessageBox::Ok, this);
                box.move(a.messagePos);
                box.exec();
            }
            break;
        case PickAction::Kind::OpenBody:
            picker_.MouseUp();
            lastBody_ = QString::fromStdString(a.body);
            OpenBody(a.body);
            break;
        case PickAction::Kind::None:
            break;
    }
}

void MainWindow::OpenBody(const std::string& name) {
    if (name == "Moon") return ShowInfoWindow(umond_);
    if (name == "Sun") return ShowInfoWindow(usonne_);
    if (!DialogsAllowed()) return;
    PlanetSnapshot snapshot;
    static_cast<MomentSnapshot&>(snapshot) = MomentSnapshot::Of(observer_);
    snapshot.PlanetName = name;
    PlanetWindow window(snapshot, observer_, this);
    window.exec();
}

void MainWindow::ShowInfoWindow(QWidget* window) {
    if (window->isVisible()) {
        window->raise();
        window->activateWindow();
        return;
    }
    infoSnapshot_ = InfoSnapshot{MomentSnapshot::Of(observer_)};
    window->show();
}

void MainWindow::RefreshInfoWindows() {
    if (ephem_ && ephem_->isVisible()) {
        ephem_->snapshot() = EphemerisSnapshot{MomentSnapshot::Of(observer_)};
        ephem_->refresh();
    }
    const bool moon = umond_ && umond_->isVisible(), sun = usonne_ && usonne_->isVisible();
    if (moon || sun) infoSnapshot_ = InfoSnapshot{MomentSnapshot::Of(observer_)};
    if (moon) umond_->refresh();
    if (sun) usonne_->refresh();
}

void MainWindow::OpenOrbits() {
    if (!DialogsAllowed()) return;
    const MainWindowSize size{width(), height()};
    OrbitsWindow window(size, this);
    window.exec();
}

bool MainWindow::DialogsAllowed() { return noctaris::DialogsAllowed(); }

void MainWindow::PB1MouseMove(QMouseEvent* e) {
    const PickAction a = picker_.MouseMove(e->position().toPoint().x(), PB1->width());
    if (a.kind == PickAction::Kind::SetAzimuth) rx2->setValue(a.azimuth);
}

void MainWindow::PB1MouseUp(QMouseEvent*) { picker_.MouseUp(); }

// ---- Time controls ------------------------------------------------------------------------------

void MainWindow::ToggleAnimation() {
    if (S34->isChecked()) S34->setChecked(false);  // releases "Now" mode
    animation_.AnimationRunning = !animation_.AnimationRunning;
    if (animation_.AnimationRunning) Timer1->start();
    else Timer1->stop();
    SyncChecks();
}

void MainWindow::ReverseTimeline() { animation_.TimeDirection = -animation_.TimeDirection; }

void MainWindow::SimulationSlower() {
    const int speed = RxSpinEdit1->value() - 1;
    if (speed > 1) RxSpinEdit1->setValue(speed);
}

void MainWindow::SimulationFaster() {
    const int speed = RxSpinEdit1->value() + 1;
    if (speed < 100) RxSpinEdit1->setValue(speed);
}

void MainWindow::SetNowMode(bool on) {
    if (S34->isChecked() != on) {
        S34->setChecked(on);  // re-enters through the toggled signal
        return;
    }
    if (on) {
        Timer2->start();
        Timer1->stop();
        animation_.AnimationRunning = false;
        SyncChecks();
    } else {
        Timer2->stop();
    }
}

void MainWindow::SetViewAzimuth(int degrees) { rx2->setValue(degrees); }

void MainWindow::SelectPlace(int index) {
    if (index < 0 || index >= static_cast<int>(catalogs_->places.size())) return;
    const Place& p = catalogs_->places[static_cast<size_t>(index)];
    observer_.PlaceName = p.name;
    observer_.Latitude = p.latitude;
    observer_.Longitude = p.longitude;
    observer_.TimeZone = p.zone;
    Redraw();
}

void MainWindow::SelectTimeOfDay(int index) {
    SetNowMode(false);
    if (index >= 0) {
        observer_.Hour = index / 12;
        observer_.Minute = (index % 12) * 5;
    }
    Redraw();
}

void MainWindow::SetDate(const QDate& date) {
    SetNowMode(false);
    try {
        DateTimeToDate(ToDateTime(date), observer_.Year, observer_.Month, observer_.Day);
    } catch (const ConversionError& e) {
        ShowError(QString::fromUtf8(e.what()));
        return;
    }
    Redraw();
}

void MainWindow::Timer1Timer() {
    if (!animation_.AnimationRunning) return;
    try {
        AnimationStep(observer_, animation_.TimeDirection, StepDays(CB1->currentIndex()));
    } catch (const ConversionError& e) {
        // Past the start of the time base: stop first, so the timer cannot raise it again.
        animation_.AnimationRunning = false;
        Timer1->stop();
        SyncChecks();
        ShowError(QString::fromUtf8(e.what()));
        return;
    }
    Redraw();
}

void MainWindow::Timer2Timer() {
    TakeClockDate();
    TakeClockTime();
    Redraw();
}

}  // namespace noctaris
