#pragma once
// The orbits window: the plan of the solar system (windows/orbits_plan.h) with a list of the
// objects whose orbits it draws. A date field, a day step and a 50 ms simulation timer move the
// date; three buttons change the scale (pixels per AU). The window only keeps the controls and
// hands their state to the plan's renderer.
#include <vector>

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "windows/orbits_plan.h"
#include "windows/snapshots.h"

class QAction;
class QDateEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTimer;
class QToolButton;

namespace noctaris {

class OrbitsWindow;

// The black drawing area; every repaint draws the whole plan.
class OrbitPlanSurface : public QWidget {
public:
    explicit OrbitPlanSurface(OrbitsWindow* owner);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OrbitsWindow* owner_;
};

class OrbitsWindow : public QDialog {
    Q_OBJECT
public:
    // size: the main window's width and height, stored by the main window before opening.
    explicit OrbitsWindow(const MainWindowSize& size, QWidget* parent = nullptr);

    // (Re)fills the object list from the orbit table, keeping the ticks; runs on activation.
    void refillObjectList();
    // Repaints the plan (also on a click into the list).
    void refresh();
    // One simulation step: the date moves by the day step.
    void stepSimulation();

    double scale() const { return scale_; }
    // Ticks or unticks an object of the list by its table name (English, whatever the list
    // shows); false when there is no such entry.
    bool setTicked(const QString& name, bool ticked);
    QStringList tickedNames() const;  // table names, in list order
    // The view the next repaint draws (date from the date field, ticked objects in list order).
    OrbitPlanView currentView();
    // Draws the plan into `painter` exactly as a repaint of the drawing area does.
    void drawPlan(QPainter& painter, int width, int height);

protected:
    bool event(QEvent* event) override;

private:
    void onDateChanged();
    // "Simulation" / "Stop": starts or stops the simulation timer.
    void toggleSimulation();
    // The scale buttons: × √2, / √2, back to 50 pixels per AU.
    void zoomIn();
    void zoomOut();
    void resetZoom();
    // Runs a handler; an exception is reported instead of leaving the event loop.
    template <class F>
    void guard(const char* where, F&& f);

    QListWidget* objectList_ = nullptr;
    QDateEdit* dateEdit_ = nullptr;
    QSpinBox* stepSpin_ = nullptr;  // days per simulation step
    QPushButton* simulationButton_ = nullptr;
    QToolButton* zoomInButton_ = nullptr;
    QToolButton* zoomResetButton_ = nullptr;
    QToolButton* zoomOutButton_ = nullptr;
    OrbitPlanSurface* plan_ = nullptr;
    QTimer* simulationTimer_ = nullptr;
    QAction* closeAction_ = nullptr;
    QStringList orbitTable_;  // the orbit table the list is filled from, six strings per object

    double scale_ = kInitialOrbitScale;
    int year_ = 2000, month_ = 1, day_ = 1;  // from the date field
    OrbitPlanRenderer renderer_;
    std::vector<const OrbitObject*> ticked_;
};

}  // namespace noctaris
