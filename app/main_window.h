#pragma once
// MainWindow: the main window ("Himmel" = sky). It owns the observer state, the display options,
// the catalogs and the chart surface, reads the settings file at its first activation and
// writes it when it closes.
#include <functional>
#include <memory>

#include <QDateTime>
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <QWidget>

#include "app/timecontrol.h"
#include "astro/objectlists.h"
#include "catalog/catalog.h"
#include "chart/bodies.h"
#include "chart/panels.h"
#include "chart/picking.h"
#include "chart/skychart.h"
#include "chart/state.h"
#include "windows/snapshots.h"

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QSpinBox;
class QTimer;
class QToolButton;

namespace noctaris {

class IniFile;
class EphemerisWindow;
class AboutWindow;
class MoonWindow;
class SunWindow;
class MainWindow;

// PB1: the paint surface of the chart. It shows the last rendered image and passes mouse
// events to the main window.
class ChartSurface : public QWidget {
    Q_OBJECT
public:
    explicit ChartSurface(MainWindow* owner);
    const QImage& Image() const { return image_; }
    // The off-screen image the chart is rendered into; reused from frame to frame.
    QImage& Buffer() { return image_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    MainWindow* owner_;
    QImage image_;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        QString settingsPath;                        // empty: the user's config folder
        std::function<QDateTime()> clock;            // empty: the system clock
        std::shared_ptr<const Catalogs> catalogs;    // empty: load the embedded catalogs
    };
    explicit MainWindow(Options options = {});
    ~MainWindow() override;

    static QString DefaultSettingsPath();

    // State read by the chart and the information windows.
    const ObserverState& Observer() const { return observer_; }
    const DisplayOptions& Display() const { return display_; }
    const AnimationState& Animation() const { return animation_; }
    const Catalogs& Catalog() const { return *catalogs_; }
    ChartObjectLists& HitLists() { return hitLists_; }
    double ViewAzimuth() const;
    int Speed() const;
    int AnimationInterval() const;
    bool NowMode() const;
    int StepIndex() const;

    // The chart painter (bodies and panels are installed into its hooks).
    SkyChart& Chart() { return *sky_; }
    // Renders the chart into an off-screen image and puts it on PB1 in one operation.
    void Redraw();
    // Chart mouse events: a click names the star or body under it, a drag turns the view.
    void PB1MouseDown(QMouseEvent* e);
    void PB1MouseMove(QMouseEvent* e);
    void PB1MouseUp(QMouseEvent* e);
    // Where the chart last drew the Sun (read by the Sun window).
    const SunChartPosition& SunOnChart() const;
    const QString& LastStarInfo() const { return lastInfo_; }
    const QString& LastBodyClicked() const { return lastBody_; }

    // Commands (menu items and toolbar buttons).
    void ToggleAnimation();       // S20, M9, F2
    void ReverseTimeline();       // S29, M31
    void SimulationSlower();
    void SimulationFaster();
    void SetNowMode(bool on);     // S34
    void SetViewAzimuth(int degrees);  // rx2
    void SelectPlace(int index);  // ComboBox1
    void SelectTimeOfDay(int index);   // cb2
    void SetDate(const QDate& date);   // DE1
    void Timer1Timer();
    void Timer2Timer();
    void OpenBody(const std::string& name);  // a click on the Moon, the Sun or a planet
    void OpenOrbits();                       // M18
    // Step after each redraw: visible information windows recompute for the new moment.
    void RefreshInfoWindows();
    EphemerisWindow* ephemerisWindow() const { return ephem_; }
    MoonWindow* moonWindow() const { return umond_; }
    SunWindow* sunWindow() const { return usonne_; }
    const InfoSnapshot& MoonSunSnapshot() const { return infoSnapshot_; }
    // Modal windows and message boxes are not opened when NOCTARIS_NO_DIALOGS is set (tests).
    static bool DialogsAllowed();

    // Components the tests and later modules reach by name.
    QToolButton* S20 = nullptr;
    QSpinBox* RxSpinEdit1 = nullptr;
    QToolButton* S34 = nullptr;
    QComboBox* CB1 = nullptr;
    QToolButton* S29 = nullptr;
    QDateEdit* DE1 = nullptr;
    QComboBox* cb2 = nullptr;
    QToolButton* S7 = nullptr;
    QToolButton* S25 = nullptr;
    QToolButton* S5 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QSpinBox* rx2 = nullptr;
    ChartSurface* PB1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QAction *MM2 = nullptr, *M9 = nullptr, *M31 = nullptr, *Simulationlangsamer1 = nullptr,
            *Simulationschneller1 = nullptr;
    QAction *M29 = nullptr, *M6 = nullptr, *M12 = nullptr, *M2 = nullptr, *M11 = nullptr,
            *M8 = nullptr, *M13 = nullptr, *M3 = nullptr, *M19 = nullptr, *M21 = nullptr,
            *M26 = nullptr, *M5 = nullptr, *M1 = nullptr, *M4 = nullptr, *M7 = nullptr;
    QAction *H1 = nullptr, *H2 = nullptr, *H3 = nullptr, *H4 = nullptr;
    QAction *Mond1 = nullptr, *M16 = nullptr, *M15 = nullptr, *M14 = nullptr, *M20 = nullptr,
            *M17 = nullptr, *M18 = nullptr, *M22 = nullptr, *M23 = nullptr, *About1 = nullptr;

    // Settings file: applied at the first activation, written on close.
    void ReadSettings(const IniFile& ini);
    void WriteSettings(IniFile& ini) const;

signals:
    void redrawn();  // after every redraw (information windows follow the chart)

protected:
    void showEvent(QShowEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void changeEvent(QEvent*) override;

private:
    void FormCreate();
    void FormActivate();
    void FormClose();
    void BuildToolbar();
    void BuildMenu();
    QAction* AddToggle(QMenu* menu, const QString& caption, bool DisplayOptions::*field);
    void SyncChecks();
    void SetDirection(QAction* checked, int azimuth);
    void ShowError(const QString& text);
    void TakeClockTime();
    void TakeClockDate();
    QDateTime Now() const;

    Options options_;
    std::shared_ptr<const Catalogs> catalogs_;
    ObserverState observer_;
    DisplayOptions display_;
    AnimationState animation_;
    ChartObjectLists hitLists_;
    std::unique_ptr<SkyChart> sky_;
    std::unique_ptr<ChartBodies> bodies_;
    std::unique_ptr<ChartPanels> panels_;
    ChartPicker picker_;
    EphemerisWindow* ephem_ = nullptr;  // created hidden, lives with the main window
    AboutWindow* about_ = nullptr;
    MoonWindow* umond_ = nullptr;
    SunWindow* usonne_ = nullptr;
    InfoSnapshot infoSnapshot_;  // shared by the Moon and Sun windows
    void ShowInfoWindow(QWidget* window);
    QString lastInfo_, lastBody_;  // what the last click found (seen by tests without dialogs)
    bool firstActivation_ = true;
    bool settingsWritten_ = false;
    QList<std::pair<QAction*, bool DisplayOptions::*>> toggles_;
};

}  // namespace noctaris
