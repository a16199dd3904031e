// MainWindow: the toolbar and the menu, and keeping their check marks in step with the state.
#include "app/main_window.h"

#include <algorithm>

#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>
#include <QToolButton>

#include "app/night_vision.h"
#include "app/toolbar_layout.h"
#include "windows/tonight_window.h"
#include "platform/format.h"
#include "platform/pictures.h"
#include "windows/ephemeris_window.h"
#include "windows/moon_window.h"
#include "windows/sun_window.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

QIcon PictureIcon(const char* name) {
    try {
        return QIcon(QPixmap::fromImage(LoadPicture(name)));
    } catch (const std::exception&) {
        return {};  // the button keeps its caption
    }
}

QAction* NamedAction(QMenu* menu, const char* name, const QString& caption) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

// The time of day's box. Its 288 captions share one pattern ("21:30"), so one caption with the
// widest digit measures them all. Qt would measure every caption (milliseconds at start), or,
// as the list is filled at first show, measure the box empty and keep that until restyled.
class TimeOfDayBox : public QComboBox {
public:
    using QComboBox::QComboBox;
    QSize sizeHint() const override { return measured(); }
    QSize minimumSizeHint() const override { return measured(); }

private:
    QSize measured() const {
        const QFontMetrics fm = fontMetrics();
        QChar widest = u'0';
        for (char16_t d = u'1'; d <= u'9'; ++d)
            if (fm.horizontalAdvance(QChar(d)) > fm.horizontalAdvance(widest)) widest = QChar(d);
        QString caption = count() > 0 ? itemText(0) : QStringLiteral("00:00");
        for (QChar& c : caption)
            if (c.isDigit()) c = widest;
        // As QComboBox measures its text, then the style's frame, arrow and padding around it.
        const QSize text(fm.boundingRect(caption).width(), std::max(qCeil(QFontMetricsF(fm).height()), 14) + 2);
        QStyleOptionComboBox option;
        initStyleOption(&option);
        return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
    }
};

}  // namespace

QWidget* MainWindow::buildToolbar() {
    auto* toolbar = new QWidget(this);
    toolbar->setObjectName("toolbar");
    // One row of 26 pixels where the window is wide enough; where it is not, the controls go on
    // in another row instead of widening the window beyond the screen.
    auto* row = new WrappingRowLayout(toolbar, 26);
    row->setContentsMargins(2, 1, 2, 1);
    row->setSpacing(3);

    auto button = [&](const char* name, const QString& caption, const QString& hint, const char* icon) {
        auto* b = new QToolButton(toolbar);
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

    animationButton_ = button("animationButton", tr("Animation"), tr("Animation"), "S20");
    connect(animationButton_, &QToolButton::clicked, this, &MainWindow::toggleAnimation);
    speedSpin_ = new QSpinBox(toolbar);
    speedSpin_->setObjectName("speedSpin");
    speedSpin_->setRange(1, 100);
    speedSpin_->setValue(80);
    speedSpin_->setToolTip(tr("Animation speed"));
    row->addWidget(speedSpin_);
    connect(speedSpin_, &QSpinBox::valueChanged, this, &MainWindow::onSpeedChanged);

    nowButton_ = button("nowButton", tr("Now"), tr("Now"), "S34");
    nowButton_->setCheckable(true);
    connect(nowButton_, &QToolButton::toggled, this, &MainWindow::setNowMode);

    stepCombo_ = new QComboBox(toolbar);
    stepCombo_->setObjectName("stepCombo");
    stepCombo_->setToolTip(tr("Time step"));
    for (const TimeStep& s : kTimeSteps) stepCombo_->addItem(StepCaption(s));
    stepCombo_->setCurrentIndex(2);
    row->addWidget(stepCombo_);

    reverseButton_ = button("reverseButton", tr("Reverse timeline"), tr("Reverse timeline"), "S29");
    reverseButton_->setCheckable(true);  // pressed while time runs backwards
    connect(reverseButton_, &QToolButton::clicked, this, &MainWindow::reverseTimeline);

    dateEdit_ = new QDateEdit(toolbar);
    dateEdit_->setObjectName("dateEdit");
    dateEdit_->setCalendarPopup(true);
    dateEdit_->setDisplayFormat(ShortDateFormat());
    dateEdit_->setToolTip(tr("Date"));
    dateEdit_->setWindowTitle(tr("Date"));
    dateEdit_->setDate(now().date());
    FollowCivilCalendar(dateEdit_);
    row->addWidget(dateEdit_);
    connect(dateEdit_, &QDateEdit::userDateChanged, this, &MainWindow::setDate);

    timeOfDayCombo_ = new TimeOfDayBox(toolbar);
    timeOfDayCombo_->setObjectName("timeOfDayCombo");
    timeOfDayCombo_->setToolTip(tr("Time"));
    // 288 entries: a list as tall as the screen would hide the chart. Some styles open a
    // non-editable box as a menu that ignores the bound; the list form keeps it.
    timeOfDayCombo_->setMaxVisibleItems(16);
    timeOfDayCombo_->setStyleSheet("QComboBox { combobox-popup: 0; }");
    row->addWidget(timeOfDayCombo_);
    connect(timeOfDayCombo_, &QComboBox::activated, this, &MainWindow::selectTimeOfDay);

    // The three display buttons do what their menu items do.
    starNamesButton_ = button("starNamesButton", tr("Stars", "star names"), tr("Star names: each click shows more of them, then none"), nullptr);
    connect(starNamesButton_, &QToolButton::clicked, this, [this] { starNamesAction_->trigger(); });
    constellationNamesButton_ = button("constellationNamesButton", tr("Constellations", "constellation names"), tr("Constellation names: each click shows another kind, then none"), nullptr);
    connect(constellationNamesButton_, &QToolButton::clicked, this, [this] { constellationNamesAction_->trigger(); });
    constellationLinesButton_ = button("constellationLinesButton", tr("Constellation lines"), tr("Constellation lines"), "S5");
    connect(constellationLinesButton_, &QToolButton::clicked, this,
            [this] { showConstellationLinesAction_->trigger(); });
    for (QToolButton* b : {constellationLinesButton_, animationButton_, nowButton_, reverseButton_})
        if (!b->icon().isNull()) b->setToolButtonStyle(Qt::ToolButtonIconOnly);

    // A caption and its box stay together when the row wraps.
    const auto captioned = [&](const QString& caption, QWidget* box) {
        auto* pair = new QWidget(toolbar);
        auto* line = new QHBoxLayout(pair);
        line->setContentsMargins(0, 0, 0, 0);
        line->setSpacing(row->spacing());
        line->addWidget(new QLabel(caption, pair));
        line->addWidget(box);
        row->addWidget(pair);
    };
    placeCombo_ = new QComboBox(toolbar);
    placeCombo_->setObjectName("placeCombo");
    placeCombo_->setToolTip(tr("Observing site"));
    placeCombo_->setEditable(true);
    placeCombo_->setInsertPolicy(QComboBox::NoInsert);
    placeCombo_->setMaxVisibleItems(16);
    // As wide as 22 characters: measuring thousands of names would cost the start dearly.
    placeCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    placeCombo_->setMinimumContentsLength(22);
    placeCombo_->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    placeCombo_->completer()->setFilterMode(Qt::MatchStartsWith);
    placeCombo_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    placeCombo_->lineEdit()->installEventFilter(this);  // Enter and focus-out end the typing
    captioned(tr(" Place"), placeCombo_);
    connect(placeCombo_, &QComboBox::currentIndexChanged, this, &MainWindow::selectPlace);

    azimuthSpin_ = new QSpinBox(toolbar);
    azimuthSpin_->setObjectName("azimuthSpin");
    azimuthSpin_->setRange(-180, 180);
    azimuthSpin_->setToolTip(tr("Azimuth"));
    azimuthSpin_->setFixedWidth(azimuthSpin_->fontMetrics().horizontalAdvance("-1800") + 30);  // four characters
    captioned(tr("Azimuth"), azimuthSpin_);
    connect(azimuthSpin_, &QSpinBox::valueChanged, this, [this](int degrees) {
        view_.CentreAzimuth = degrees;
        redraw();
    });
    row->addWidget(buildFindField(toolbar));
    return toolbar;
}

QAction* MainWindow::addSwitch(QMenu* menu, const char* name, const QString& caption,
                               const std::function<void()>& change) {
    QAction* a = NamedAction(menu, name, caption);
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, change] {
        change();
        syncChecks();
        redraw();
    });
    return a;
}

QAction* MainWindow::addDisplayToggle(QMenu* menu, const char* name, const QString& caption,
                                      bool DisplayOptions::*field) {
    QAction* a = addSwitch(menu, name, caption, [this, field] { display_.*field = !(display_.*field); });
    toggles_.append({a, field});
    return a;
}

void MainWindow::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("menuBar");
    auto command = [this](QMenu* menu, const char* name, const QString& caption, auto slot) {
        QAction* a = NamedAction(menu, name, caption);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* file = bar->addMenu(tr("&File"));
    saveChartAction_ = command(file, "saveChartAction", tr("&Save chart as…"), &MainWindow::saveChart);
    printAction_ = command(file, "printAction", tr("&Print…"), &MainWindow::printChart);
    printAction_->setShortcut(QKeySequence::Print);
    file->addSeparator();
    addPlaceAction_ = command(file, "addPlaceAction", tr("&Add place…"), &MainWindow::askOwnPlace);
    removePlaceAction_ = command(file, "removePlaceAction", tr("&Remove this place"), &MainWindow::removeOwnPlace);
    removePlaceAction_->setEnabled(false);  // until an own place is chosen
    file->addSeparator();
    closeAction_ = command(file, "closeAction", tr("&Close"), &QWidget::close);

    QMenu* sim = bar->addMenu(tr("&Simulation"));
    animationAction_ = command(sim, "animationAction", tr("&Simulation"), &MainWindow::toggleAnimation);
    animationAction_->setCheckable(true);
    animationAction_->setShortcut(Qt::Key_F2);
    reverseAction_ = command(sim, "reverseAction", tr("&Reverse timeline"), &MainWindow::reverseTimeline);
    reverseAction_->setCheckable(true);  // checked while time runs backwards
    slowerAction_ = command(sim, "slowerAction", tr("Simulation s&lower"), &MainWindow::slowDownSimulation);
    fasterAction_ = command(sim, "fasterAction", tr("Simulation &faster"), &MainWindow::speedUpSimulation);

    QMenu* disp = bar->addMenu(tr("&Display"));
    showEclipticAction_ = addDisplayToggle(disp, "showEclipticAction", tr("&Ecliptic"), &DisplayOptions::ShowEcliptic);
    showEquatorAction_ =
        addDisplayToggle(disp, "showEquatorAction", tr("Celestial e&quator"), &DisplayOptions::ShowEquator);
    showGridAction_ = addDisplayToggle(disp, "showGridAction", tr("Coordinate &grid"), &DisplayOptions::ShowGrid);
    showMeridianAction_ = addDisplayToggle(disp, "showMeridianAction", tr("&Meridian"), &DisplayOptions::ShowMeridian);
    showAltitudeLinesAction_ =
        addDisplayToggle(disp, "showAltitudeLinesAction", tr("&Altitude lines"), &DisplayOptions::ShowAltitudeLines);
    showMoonAction_ = addDisplayToggle(disp, "showMoonAction", tr("M&oon"), &DisplayOptions::ShowMoon);
    summerTimeAction_ = addSwitch(disp, "summerTimeAction", tr("Use summer &time"),
                                  [this] {
                                      observer_.ConsiderSummerTime = !observer_.ConsiderSummerTime;
                                      if (nowMode()) takeClockDateAndTime();
                                  });
    showHorizonFigureAction_ =
        addDisplayToggle(disp, "showHorizonFigureAction", tr("&Horizon landscape"), &DisplayOptions::ShowHorizonFigure);
    disp->addSeparator();
    // Star names cycle through none, bright, brighter and all; constellation names skip the
    // vernacular names when cycling (0 -> 2 -> 3 -> 0).
    starNamesAction_ = addSwitch(disp, "starNamesAction", tr("&Star names"),
                                 [this] { display_.StarNameMode = (display_.StarNameMode + 1) % 4; });
    constellationNamesAction_ = addSwitch(disp, "constellationNamesAction", tr("Constellation &names"), [this] {
        int& m = display_.ConstellationNameMode;
        m = m == 0 ? 2 : m == 1 ? 2 : m == 2 ? 3 : 0;
    });
    showConstellationLinesAction_ = addDisplayToggle(disp, "showConstellationLinesAction", tr("Constellation &lines"),
                                                     &DisplayOptions::ShowConstellationLines);
    showConstellationBordersAction_ = addDisplayToggle(disp, "showConstellationBordersAction", tr("Constellation &boundaries"),
                                                       &DisplayOptions::ShowConstellationBorders);
    whiteStarsAction_ = addDisplayToggle(disp, "whiteStarsAction", tr("&White stars"), &DisplayOptions::WhiteStars);
    showStarInfoAction_ =
        addDisplayToggle(disp, "showStarInfoAction", tr("Show star in&formation"), &DisplayOptions::ShowStarInfo);
    showZodiacAction_ = addDisplayToggle(disp, "showZodiacAction", tr("&Zodiac signs"), &DisplayOptions::ShowZodiac);
    addDisplayToggle(disp, "showDeepSkyAction", tr("&Deep-sky objects"), &DisplayOptions::ShowDeepSky);
    addDisplayToggle(disp, "showMilkyWayAction", tr("M&ilky Way"), &DisplayOptions::ShowMilkyWay);
    disp->addSeparator();
    // The chart's bodies and the information windows switch together between the classic J2000
    // places and the apparent places of date.
    precisePositionsAction_ =
        addDisplayToggle(disp, "precisePositionsAction", tr("&Precise positions"), &DisplayOptions::PrecisePositions);
    disp->addSeparator();
    // Classic drawing keeps the pixel-exact picture; the sky's colour needs the smooth one.
    classicDrawingAction_ = addSwitch(disp, "classicDrawingAction", tr("&Classic drawing"),
                                      [this] { display_.SmoothDrawing = !display_.SmoothDrawing; });
    skyColourAction_ =
        addDisplayToggle(disp, "skyColourAction", tr("S&ky colour by the Sun"), &DisplayOptions::SkyColour);
    nightVisionAction_ = addSwitch(disp, "nightVisionAction", tr("Night &vision"), [this] {
        const bool night = display_.Scheme != ChartScheme::Night;
        display_.Scheme = night ? ChartScheme::Night : ChartScheme::Screen;
        if (tonightWindow_) tonightWindow_->setScheme(night ? PlotScheme::NightVision : PlotScheme::Screen);
    });
    nightVisionAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));

    QMenu* dir = bar->addMenu(tr("Di&rection"));
    auto direction = [&](const char* name, const QString& caption, int azimuth) {
        QAction* a = NamedAction(dir, name, caption);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a, azimuth] { setDirection(a, azimuth); });
        return a;
    };
    eastInCenterAction_ = direction("eastInCenterAction", tr("Facing &east"), -90);
    southInCenterAction_ = direction("southInCenterAction", tr("Facing &south"), 0);
    westInCenterAction_ = direction("westInCenterAction", tr("Facing &west"), 90);
    northInCenterAction_ = direction("northInCenterAction", tr("Facing &north"), 180);
    southInCenterAction_->setChecked(true);

    buildViewMenu(bar->addMenu(tr("&View")));

    QMenu* info = bar->addMenu(tr("&Information"));
    moonWindowAction_ = command(info, "moonWindowAction", tr("&Moon data"), [this] { showInfoWindow(moonWindow()); });
    sunWindowAction_ = command(info, "sunWindowAction", tr("&Sun data"), [this] { showInfoWindow(sunWindow()); });
    ephemerisAction_ =
        command(info, "ephemerisAction", tr("&Ephemeris table"), [this] { showInfoWindow(ephemerisWindow()); });
    showJupiterMoonsAction_ =
        addDisplayToggle(info, "showJupiterMoonsAction", tr("&Galilean moons of Jupiter"), &DisplayOptions::ShowJupiterMoons);
    showVenusPhaseAction_ =
        addDisplayToggle(info, "showVenusPhaseAction", tr("&Venus phase"), &DisplayOptions::ShowVenusPhase);
    moonPhaseCalendarAction_ =
        command(info, "moonPhaseCalendarAction", tr("Moon &phase calendar"), &MainWindow::openMoonPhaseCalendar);
    orbitsAction_ = command(info, "orbitsAction", tr("&Orbits"), &MainWindow::openOrbits);
    eventCalendarAction_ =
        command(info, "eventCalendarAction", tr("Astronomical &calendar"), &MainWindow::openEventCalendar);
    terminatorAction_ = command(info, "terminatorAction", tr("&Terminator"), &MainWindow::openTerminator);
    tonightAction_ = command(info, "tonightAction", tr("Ton&ight"), &MainWindow::openTonight);

    QMenu* help = bar->addMenu(tr("&Help"));
    aboutAction_ = command(help, "aboutAction", tr("&About Noctaris"), &MainWindow::openAbout);
}

void MainWindow::setDirection(QAction* checked, int azimuth) {
    for (QAction* h : {eastInCenterAction_, southInCenterAction_, westInCenterAction_, northInCenterAction_})
        h->setChecked(h == checked);
    setViewAzimuth(azimuth);
}

void MainWindow::syncChecks() {
    for (const auto& [action, field] : toggles_) action->setChecked(display_.*field);
    summerTimeAction_->setChecked(observer_.ConsiderSummerTime);
    classicDrawingAction_->setChecked(!display_.SmoothDrawing);
    skyColourAction_->setEnabled(display_.SmoothDrawing);
    nightVisionAction_->setChecked(display_.Scheme == ChartScheme::Night);
    SetNightVision(display_.Scheme == ChartScheme::Night);
    keepToolbarInOneRow();
    starNamesAction_->setChecked(display_.StarNameMode > 0);
    constellationNamesAction_->setChecked(display_.ConstellationNameMode != 0);
    animationAction_->setChecked(animation_.AnimationRunning);
    reverseAction_->setChecked(animation_.TimeDirection < 0);
    reverseButton_->setChecked(animation_.TimeDirection < 0);
    animationButton_->setCheckable(true);
    animationButton_->setChecked(animation_.AnimationRunning);
    constellationLinesButton_->setCheckable(true);
    constellationLinesButton_->setChecked(display_.ShowConstellationLines);
}

}  // namespace noctaris
