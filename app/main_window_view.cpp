// MainWindow: the chart's view. Zooming, looking up and down and full screen; the azimuth box
// shows the view's azimuth to the whole degree.
#include <cmath>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/chart_surface.h"
#include "app/main_window.h"

namespace noctaris {
namespace {
constexpr double kMenuZoomStep = 1.5;
}  // namespace

void MainWindow::buildViewMenu(QMenu* menu) {
    const auto add = [&](const char* name, const QString& caption, const QKeySequence& key, auto slot) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    // The keys act where the chart has the focus, so + and - still type into the boxes.
    zoomInAction_ = add("zoomInAction", tr("Zoom &in"), QKeySequence(Qt::Key_Plus), &MainWindow::zoomIn);
    zoomOutAction_ = add("zoomOutAction", tr("Zoom &out"), QKeySequence(Qt::Key_Minus), &MainWindow::zoomOut);
    defaultViewAction_ = add("defaultViewAction", tr("&Default view"), QKeySequence(Qt::Key_Home), &MainWindow::resetView);
    for (QAction* a : {zoomInAction_, zoomOutAction_, defaultViewAction_}) {
        a->setShortcutContext(Qt::WidgetShortcut);
        chartSurface_->addAction(a);
    }
    menu->addSeparator();
    fullScreenAction_ = add("fullScreenAction", tr("&Full screen"), QKeySequence(Qt::Key_F11),
                            [this] { setFullScreen(!isFullScreen()); });
    fullScreenAction_->setCheckable(true);
    // Both stay reachable with the menu bar hidden in full screen.
    addAction(fullScreenAction_);
    leaveFullScreenAction_ = new QAction(tr("Leave full screen"), this);
    leaveFullScreenAction_->setObjectName("leaveFullScreenAction");
    leaveFullScreenAction_->setShortcut(QKeySequence(Qt::Key_Escape));
    leaveFullScreenAction_->setEnabled(false);
    connect(leaveFullScreenAction_, &QAction::triggered, this, [this] { setFullScreen(false); });
    addAction(leaveFullScreenAction_);
}

void MainWindow::setView(const ViewState& view) {
    view_ = ClampedView(view);
    {
        const QSignalBlocker block(azimuthSpin_);
        azimuthSpin_->setValue(static_cast<int>(std::nearbyint(view_.CentreAzimuth)));
    }
    redraw();
}

void MainWindow::lookAt(double azimuth, double altitude, std::optional<double> span) {
    setView(LookAt(view_, azimuth, altitude, span));
}

void MainWindow::zoomBy(double factor, QPoint at) {
    setView(ZoomedAbout(view_, factor, at.x(), at.y(), chartSurface_->width(), chartSurface_->height()));
}

void MainWindow::zoomIn() { zoomBy(kMenuZoomStep, chartSurface_->rect().center()); }
void MainWindow::zoomOut() { zoomBy(1 / kMenuZoomStep, chartSurface_->rect().center()); }

void MainWindow::resetView() {
    ViewState v;
    v.CentreAzimuth = std::nearbyint(view_.CentreAzimuth);
    setView(v);
}

void MainWindow::dragView(QPoint at) {
    // The sky follows the mouse: right turns the view left, down raises it.
    const int w = chartSurface_->width(), h = chartSurface_->height();
    if (w <= 0 || h <= 0) return;
    ViewState v = dragStartView_;
    const double span = v.HorizontalSpan;
    if (span < ViewState::kWidestSpan)
        v.CentreAzimuth -= (at.x() - dragStart_.x()) * span / w;
    else  // whole degrees at the widest, as the azimuth box and today's chart have them
        v.CentreAzimuth = DragAzimuth(static_cast<int>(std::nearbyint(v.CentreAzimuth)), dragStart_.x(), at.x(), w);
    if (dragVertical_ || std::abs(at.y() - dragStart_.y()) >= kVerticalDragStart || v.CentreAltitude) {
        dragVertical_ = true;
        v.CentreAltitude = CentreAltitudeOf(dragStartView_, h) + (at.y() - dragStart_.y()) * VerticalSpan(span) / h;
    }
    setView(v);
}

void MainWindow::setFullScreen(bool on) {
    if (on == isFullScreen()) {
        fullScreenAction_->setChecked(on);
        return;
    }
    // The chart fills the screen: no menu bar and no toolbar.
    QWidget* toolbar = findChild<QWidget*>(QStringLiteral("toolbar"));
    menuBar()->setVisible(!on);
    if (toolbar) toolbar->setVisible(!on);
    if (on) {
        maximizedBeforeFullScreen_ = isMaximized();
        showFullScreen();
    } else if (maximizedBeforeFullScreen_) {
        showMaximized();
    } else {
        showNormal();
    }
    fullScreenAction_->setChecked(on);
    leaveFullScreenAction_->setEnabled(on);
}

}  // namespace noctaris
