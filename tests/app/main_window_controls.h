#pragma once
// The main window's controls for its tests, found by objectName as a user finds them by caption.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QDateEdit>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

#include "app/chart_surface.h"
#include "app/main_window.h"

namespace noctaris {

// Shows the window and returns once its first chart is painted (the chart renders in the paint).
inline void ShowAndWaitForChart(MainWindow& w) {
    bool painted = false;
    const QMetaObject::Connection c = QObject::connect(&w, &MainWindow::chartShown, [&painted] { painted = true; });
    w.show();
    QElapsedTimer waited;
    waited.start();
    while (!painted && waited.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    QObject::disconnect(c);
    EXPECT_TRUE(painted);
}

template <class T>
T* Child(const MainWindow& w, const char* name) {
    T* child = w.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

struct Ui {
    explicit Ui(const MainWindow& w)
        : nowButton(Child<QToolButton>(w, "nowButton")),
          speedSpin(Child<QSpinBox>(w, "speedSpin")),
          stepCombo(Child<QComboBox>(w, "stepCombo")),
          dateEdit(Child<QDateEdit>(w, "dateEdit")),
          timeOfDayCombo(Child<QComboBox>(w, "timeOfDayCombo")),
          placeCombo(Child<QComboBox>(w, "placeCombo")),
          chartSurface(Child<ChartSurface>(w, "chartSurface")),
          animationTimer(Child<QTimer>(w, "animationTimer")),
          clockTimer(Child<QTimer>(w, "clockTimer")),
          animationAction(Child<QAction>(w, "animationAction")),
          showEclipticAction(Child<QAction>(w, "showEclipticAction")),
          showEquatorAction(Child<QAction>(w, "showEquatorAction")),
          showGridAction(Child<QAction>(w, "showGridAction")),
          showMeridianAction(Child<QAction>(w, "showMeridianAction")),
          showAltitudeLinesAction(Child<QAction>(w, "showAltitudeLinesAction")),
          showMoonAction(Child<QAction>(w, "showMoonAction")),
          summerTimeAction(Child<QAction>(w, "summerTimeAction")),
          showHorizonFigureAction(Child<QAction>(w, "showHorizonFigureAction")),
          starNamesAction(Child<QAction>(w, "starNamesAction")),
          constellationNamesAction(Child<QAction>(w, "constellationNamesAction")),
          showConstellationLinesAction(Child<QAction>(w, "showConstellationLinesAction")),
          showConstellationBordersAction(Child<QAction>(w, "showConstellationBordersAction")),
          whiteStarsAction(Child<QAction>(w, "whiteStarsAction")),
          showStarInfoAction(Child<QAction>(w, "showStarInfoAction")),
          showZodiacAction(Child<QAction>(w, "showZodiacAction")),
          eastInCenterAction(Child<QAction>(w, "eastInCenterAction")),
          southInCenterAction(Child<QAction>(w, "southInCenterAction")),
          westInCenterAction(Child<QAction>(w, "westInCenterAction")),
          northInCenterAction(Child<QAction>(w, "northInCenterAction")),
          moonWindowAction(Child<QAction>(w, "moonWindowAction")),
          sunWindowAction(Child<QAction>(w, "sunWindowAction")),
          ephemerisAction(Child<QAction>(w, "ephemerisAction")),
          showJupiterMoonsAction(Child<QAction>(w, "showJupiterMoonsAction")),
          showVenusPhaseAction(Child<QAction>(w, "showVenusPhaseAction")),
          moonPhaseCalendarAction(Child<QAction>(w, "moonPhaseCalendarAction")),
          orbitsAction(Child<QAction>(w, "orbitsAction")),
          eventCalendarAction(Child<QAction>(w, "eventCalendarAction")),
          terminatorAction(Child<QAction>(w, "terminatorAction")),
          aboutAction(Child<QAction>(w, "aboutAction")) {}
    QToolButton* nowButton;
    QSpinBox* speedSpin;
    QComboBox* stepCombo;
    QDateEdit* dateEdit;
    QComboBox* timeOfDayCombo;
    QComboBox* placeCombo;
    ChartSurface* chartSurface;
    QTimer* animationTimer;
    QTimer* clockTimer;
    QAction *animationAction, *showEclipticAction, *showEquatorAction, *showGridAction, *showMeridianAction,
        *showAltitudeLinesAction, *showMoonAction, *summerTimeAction, *showHorizonFigureAction, *starNamesAction,
        *constellationNamesAction, *showConstellationLinesAction, *showConstellationBordersAction, *whiteStarsAction,
        *showStarInfoAction, *showZodiacAction;
    QAction *eastInCenterAction, *southInCenterAction, *westInCenterAction, *northInCenterAction;
    QAction *moonWindowAction, *sunWindowAction, *ephemerisAction, *showJupiterMoonsAction, *showVenusPhaseAction,
        *moonPhaseCalendarAction, *orbitsAction, *eventCalendarAction, *terminatorAction, *aboutAction;
};

}  // namespace noctaris
