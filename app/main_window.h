#pragma once
// MainWindow: the sky chart with its toolbar and menu. It owns the observer state, the display
// options, the catalogs and the chart surface, applies the settings file at its first
// activation and writes it when it closes.
//
// Its code is split by seam: main_window.cpp (construction, activation and close, drawing,
// picking), main_window_info.cpp (the information windows), main_window_menu.cpp (toolbar and
// menu), main_window_time.cpp (animation, "Now" mode, date, time and place controls),
// main_window_view.cpp (zoom, looking up and down, full screen). The settings file is app/settings.h,
// the paint surface app/chart_surface.h.
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include <QDateTime>
#include <QList>
#include <QMainWindow>
#include <QString>

#include "app/settings.h"
#include "app/timecontrol.h"
#include "astro/core/body.h"
#include "astro/reports/objectlists.h"
#include "catalog/catalog.h"
#include "catalog/object_index.h"
#include "chart/bodies.h"
#include "chart/panels.h"
#include "chart/picking.h"
#include "chart/skychart.h"
#include "chart/state.h"
#include "chart/view.h"
#include "windows/exports_dialog.h"
#include "windows/snapshots.h"

class QAction;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QSpinBox;
class QTimer;
class QToolButton;

namespace noctaris {

class AboutWindow;
class ChartSurface;
class EphemerisWindow;
class FindInfoBox;
class MoonWindow;
class SunWindow;
class TonightWindow;

// Widgets and actions carry an objectName equal to their member's name without the trailing
// underscore (e.g. "speedSpin", "showEclipticAction"), so tests and tools find them by name.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        QString settingsPath;                        // empty: the user's config folder
        std::function<QDateTime()> clock;            // empty: the system clock
        std::shared_ptr<const Catalogs> catalogs;    // empty: load the embedded catalogs
        // Valid: the catalogs being loaded on another thread (when `catalogs` is empty); the
        // window builds its controls meanwhile and takes them for the chart.
        std::shared_future<std::shared_ptr<const Catalogs>> loadingCatalogs;
        SaveFilePrompt askFile;                      // empty: the file dialog
    };
    explicit MainWindow(Options options = {});
    ~MainWindow() override;

    // The close asked for by a signal (logout, Ctrl+C): writes the settings and closes without a
    // box, since nobody may be there to click it; a failure goes to stderr. Returns whether the
    // settings were written.
    bool closeForSignal();
    void setVisible(bool visible) override;  // places the window before it first appears

    // State read by the chart and the information windows.
    const ObserverState& observer() const { return observer_; }
    const DisplayOptions& display() const { return display_; }
    const AnimationState& animation() const { return animation_; }
    const Catalogs& catalogs() const { return *catalogs_; }
    ChartObjectLists& hitLists() { return hitLists_; }
    double viewAzimuth() const;
    int speed() const;
    int animationInterval() const;  // milliseconds
    bool nowMode() const;
    int stepIndex() const;

    // The chart painter (bodies and panels are installed into its hooks).
    SkyChart& chart() { return *chart_; }
    // Renders the chart into an off-screen image and puts it on the surface in one operation.
    void redraw();
    // Chart mouse events: a click names the star or body under it, a drag turns the view.
    void onChartPress(QMouseEvent* e);
    void onChartMove(QMouseEvent* e);
    void onChartRelease(QMouseEvent* e);
    // Where the chart last drew the Sun (read by the Sun window).
    const SunChartPosition& sunOnChart() const;
    // What the last click found (kept for tests, which run without message boxes).
    const QString& lastStarInfo() const { return lastStarInfo_; }
    const QString& lastBodyClicked() const { return lastBodyClicked_; }

    // Commands (menu items and toolbar buttons).
    void toggleAnimation();            // Animation button, Simulation menu, F2
    void reverseTimeline();
    void slowDownSimulation();
    void speedUpSimulation();
    void setNowMode(bool on);          // "Now" button
    void setViewAzimuth(int degrees);  // azimuth box
    // The chart's view: where it looks and how far it is zoomed. setView keeps it within its
    // limits, shows its azimuth in the azimuth box and redraws.
    const ViewState& view() const { return view_; }
    void setView(const ViewState& view);
    // Turns the chart to face (azimuth, altitude) at its centre, zoomed to `span` degrees across
    // (none: as it is).
    void lookAt(double azimuth, double altitude, std::optional<double> span = std::nullopt);
    void zoomBy(double factor, QPoint at);  // about the chart pixel `at`
    void zoomIn();                           // View menu, +: about the middle
    void zoomOut();                          // View menu, -
    void resetView();                        // View menu, Home: today's default view
    void setFullScreen(bool on);             // View menu, F11; Escape leaves
    void selectPlace(int index);       // place list
    // The place of a place-box entry: the catalog's places, then the user's own; null for none.
    const Place* placeAt(int index) const;
    // File menu "Add place…": asks for a place of the user's own and chooses it.
    void askOwnPlace();
    // Adds a place of the user's own to the place box and chooses it; false (nothing added)
    // when the box has a place of that name.
    bool addOwnPlace(const Place& place);
    // File menu "Remove own place": removes the chosen own place; the default place follows.
    void removeOwnPlace();
    // The last message about the place box (a typed name not in the list), as the status line showed it.
    const QString& placeMessage() const { return placeMessage_; }
    void selectTimeOfDay(int index);   // "Time" list
    void setDate(const QDate& date);   // date edit
    void onAnimationTick();            // one animation step
    void onClockTick();                // "Now" mode: take the clock's date and time
    void openBody(Body body);  // a click on the Moon, the Sun or a planet
    void openOrbits();
    // File menu: the chart's image as on the screen, written as a PNG file the user names.
    void saveChart();
    void printChart();
    // Step after each redraw: visible information windows recompute for the new moment.
    void refreshInfoWindows();
    // The ephemeris table, Moon and Sun windows, made together at the first call.
    EphemerisWindow* ephemerisWindow() const;
    MoonWindow* moonWindow() const;
    SunWindow* sunWindow() const;
    const InfoSnapshot& moonSunSnapshot() const { return infoSnapshot_; }

    // Find (main_window_find.cpp): the object a typed name denotes is faced, marked and told
    // about in the find box; an unknown name gets the closest names.
    void findObject(const QString& typed);
    // Faces a point of the sky (azimuth from the north through the east, altitude, degrees):
    // turns the view to it, and raises the view to it when it stands high or the view is zoomed.
    void faceSkyPoint(double azimuthDeg, double altitudeDeg);
    // Stops the clock and shows the chart at an instant (UT Julian day) on the place's clock.
    void goToInstant(double jdUT);
    FindInfoBox* findInfoBox() const { return findInfo_; }

    // The settings as the window holds them now, and applying stored ones.
    AppSettings currentSettings() const;
    void applySettings(const AppSettings& settings);

signals:
    void chartShown();  // the chart reached the screen (after every paint of it)

protected:
    void showEvent(QShowEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void changeEvent(QEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // main_window.cpp
    void buildUi();
    void placeOnFirstShow();
    // Puts the information windows, once made, where the settings file keeps them.
    void placeStoredInfoWindows();
    void applySettingsOnFirstActivation();
    bool saveSettingsOnClose();
    void showError(const QString& text);
    QDateTime now() const;
    void openAbout();
    // Asks for a file through options_.askFile, in the folder of the last export.
    SaveFilePrompt exportPrompt();
    // main_window_info.cpp
    // The Moon, Sun and ephemeris windows, made together at their first need (the start shows
    // none).
    void makeInfoWindows();
    void showInfoWindow(QWidget* window);
    // Puts an information window where it was last, or beside the chart the first time.
    void placeInfoWindow(QWidget* window);
    void takeSnapshotFor(QWidget* window);
    void openMoonPhaseCalendar();
    void openEventCalendar();
    void openTerminator();
    void openTonight();
    // main_window_menu.cpp
    QWidget* buildToolbar();
    void keepToolbarInOneRow();
    void buildMenu();
    // A checkable menu item that changes the state, then marks the checks and redraws.
    QAction* addSwitch(QMenu* menu, const char* name, const QString& caption, const std::function<void()>& change);
    QAction* addDisplayToggle(QMenu* menu, const char* name, const QString& caption, bool DisplayOptions::*field);
    void syncChecks();
    void setDirection(QAction* checked, int azimuth);
    void buildViewMenu(QMenu* menu);
    void dragView(QPoint at);
    // main_window_find.cpp: the search field with its completion and Ctrl+F.
    QWidget* buildFindField(QWidget* toolbar);
    const ObjectIndex& objectIndex();
    // main_window_time.cpp
    void createTimers();
    void onSpeedChanged(int speed);
    void takeClockDateAndTime();
    // The date and time boxes show the chart's moment (when it stops moving).
    void showChartMoment();
    void stopAnimation();
    // The place box keeps only places of its list: typed text that names one selects it, any
    // other text goes back to the selected place, and the status line names the closest ones.
    void commitTypedPlace();
    // Puts the own places after the catalog's in the place box (without choosing one).
    void fillOwnPlaces();

    Options options_;  // settingsPath resolved at construction
    std::shared_ptr<const Catalogs> catalogs_;
    ObserverState observer_;
    DisplayOptions display_;
    AnimationState animation_;
    ChartObjectLists hitLists_;
    std::unique_ptr<SkyChart> chart_;
    std::unique_ptr<ChartBodies> bodies_;
    std::unique_ptr<ChartPanels> panels_;
    ChartPicker picker_;
    ViewState view_;
    QPoint dragStart_;          // where the drag began on the chart
    ViewState dragStartView_;   // and the view then
    bool dragVertical_ = false;  // the drag has moved far enough up or down to raise the view
    static constexpr int kVerticalDragStart = 8;  // pixels: less is a hand's wobble on a turn
    bool maximizedBeforeFullScreen_ = false;
    EphemerisWindow* ephemerisWindow_ = nullptr;  // made hidden at the first need, lives with the main window
    AboutWindow* aboutWindow_ = nullptr;  // created at the first opening
    MoonWindow* moonWindow_ = nullptr;
    SunWindow* sunWindow_ = nullptr;
    InfoSnapshot infoSnapshot_;  // shared by the Moon and Sun windows
    QString lastStarInfo_, lastBodyClicked_;
    QString exportFolder_;  // where the last export went; kept in the settings file
    bool firstActivation_ = true;
    bool horizonLoaded_ = false;  // the landscape's pictures, decoded at its first showing
    bool redrawHeld_ = false;     // while the first activation sets the controls up
    bool settingsRead_ = false;
    std::optional<AppSettings> stored_;  // the settings file, read once before the first show
    bool settingsWritten_ = false, settingsSaved_ = false;
    bool closingForSignal_ = false;
    QList<QWidget*> placedInfoWindows_;  // information windows with a position of their own
    QList<std::pair<QAction*, bool DisplayOptions::*>> toggles_;
    std::vector<Place> ownPlaces_;  // the user's own places, after the catalog's in the place box
    QString placeMessage_;

    // Toolbar.
    QToolButton* animationButton_ = nullptr;
    QSpinBox* speedSpin_ = nullptr;
    QToolButton* nowButton_ = nullptr;
    QComboBox* stepCombo_ = nullptr;
    QToolButton* reverseButton_ = nullptr;
    QDateEdit* dateEdit_ = nullptr;
    QComboBox* timeOfDayCombo_ = nullptr;
    QToolButton* starNamesButton_ = nullptr;
    QToolButton* constellationNamesButton_ = nullptr;
    QToolButton* constellationLinesButton_ = nullptr;
    QComboBox* placeCombo_ = nullptr;
    QSpinBox* azimuthSpin_ = nullptr;
    QLineEdit* findField_ = nullptr;
    QWidget* toolbar_ = nullptr;
    struct Widening {
        int from, to;  // the window's width before and after it widened for the toolbar
    };
    std::optional<Widening> widened_;
    FindInfoBox* findInfo_ = nullptr;
    std::unique_ptr<ObjectIndex> objectIndex_;  // built at the first search
    ChartSurface* chartSurface_ = nullptr;
    QTimer* animationTimer_ = nullptr;
    QTimer* clockTimer_ = nullptr;

    // Menu: File, Simulation.
    QAction* saveChartAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* addPlaceAction_ = nullptr;
    QAction* removePlaceAction_ = nullptr;
    QAction* closeAction_ = nullptr;
    QAction* precisePositionsAction_ = nullptr;
    QAction* classicDrawingAction_ = nullptr;
    QAction* skyColourAction_ = nullptr;
    QAction* nightVisionAction_ = nullptr;
    QAction* animationAction_ = nullptr;
    QAction* reverseAction_ = nullptr;
    QAction* slowerAction_ = nullptr;
    QAction* fasterAction_ = nullptr;
    // Display.
    QAction* showEclipticAction_ = nullptr;
    QAction* showEquatorAction_ = nullptr;
    QAction* showGridAction_ = nullptr;
    QAction* showMeridianAction_ = nullptr;
    QAction* showAltitudeLinesAction_ = nullptr;
    QAction* showMoonAction_ = nullptr;
    QAction* summerTimeAction_ = nullptr;
    QAction* showHorizonFigureAction_ = nullptr;
    QAction* starNamesAction_ = nullptr;
    QAction* constellationNamesAction_ = nullptr;
    QAction* showConstellationLinesAction_ = nullptr;
    QAction* showConstellationBordersAction_ = nullptr;
    QAction* whiteStarsAction_ = nullptr;
    QAction* showStarInfoAction_ = nullptr;
    QAction* showZodiacAction_ = nullptr;
    // Direction.
    QAction* eastInCenterAction_ = nullptr;
    QAction* southInCenterAction_ = nullptr;
    QAction* westInCenterAction_ = nullptr;
    QAction* northInCenterAction_ = nullptr;
    // View.
    QAction* zoomInAction_ = nullptr;
    QAction* zoomOutAction_ = nullptr;
    QAction* defaultViewAction_ = nullptr;
    QAction* fullScreenAction_ = nullptr;
    QAction* leaveFullScreenAction_ = nullptr;
    // Additional informations, ?.
    QAction* moonWindowAction_ = nullptr;
    QAction* sunWindowAction_ = nullptr;
    QAction* ephemerisAction_ = nullptr;
    QAction* showJupiterMoonsAction_ = nullptr;
    QAction* showVenusPhaseAction_ = nullptr;
    QAction* moonPhaseCalendarAction_ = nullptr;
    QAction* orbitsAction_ = nullptr;
    QAction* eventCalendarAction_ = nullptr;
    QAction* terminatorAction_ = nullptr;
    QAction* tonightAction_ = nullptr;
    TonightWindow* tonightWindow_ = nullptr;  // created at the first opening
    QAction* aboutAction_ = nullptr;
};

}  // namespace noctaris
