#include "windows/orbits_window.h"

#include <algorithm>
#include <exception>

#include <QAction>
#include <QDate>
#include <QDateEdit>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/format.h"
#include "platform/pictures.h"
#include "windows/wincommon.h"

namespace noctaris {
namespace {

// The object's name in the table, beside the translated text the list shows.
constexpr int kNameRole = Qt::UserRole + 1;

}  // namespace

// ---- The drawing area --------------------------------------------------------------------------

OrbitPlanSurface::OrbitPlanSurface(OrbitsWindow* owner) : QWidget(owner), owner_(owner) {
    setObjectName("plan");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(50, 50);
}

void OrbitPlanSurface::paintEvent(QPaintEvent*) {
    // Straight onto the window: at the screen's resolution, with no copy of the plan to keep.
    QPainter p(this);
    owner_->drawPlan(p, width(), height());
}

// ---- OrbitsWindow --------------------------------------------------------------------------------

template <class F>
void OrbitsWindow::guard(const char* where, F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        ReportFailure(this, QStringLiteral("%1: %2").arg(QLatin1String(where), QString::fromUtf8(e.what())));
    }
}

OrbitsWindow::OrbitsWindow(const MainWindowSize& size, QWidget* parent) : QDialog(parent) {
    setObjectName("OrbitsWindow");
    setWindowTitle(tr("Orbits"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    resize(size.Width, size.Height);

    auto* menu = new QMenuBar(this);
    closeAction_ = menu->addAction(tr("Close"));
    closeAction_->setObjectName("closeAction");
    closeAction_->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(closeAction_);
    connect(closeAction_, &QAction::triggered, this, &QWidget::close);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menu);

    // Left panel: the controls one below the other, the panel as wide as they need.
    auto* panel = new QWidget(this);
    panel->setObjectName("controlPanel");
    panel->setMinimumWidth(169);
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(240, 240, 240));
    pal.setColor(QPalette::Base, QColor(240, 240, 240));
    panel->setPalette(pal);
    panel->setFont(WindowFont(12));
    layout->addWidget(panel);
    auto* controls = new QVBoxLayout(panel);
    controls->setContentsMargins(8, 16, 16, 8);
    controls->setSpacing(8);

    auto* objects = new QLabel(tr("Objects"), panel);
    objects->setObjectName("objectsLabel");
    QPalette navy = objects->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    objects->setPalette(navy);
    objects->setContentsMargins(8, 0, 0, 0);
    controls->addWidget(objects);

    objectList_ = new QListWidget(panel);
    objectList_->setObjectName("objectList");
    objectList_->setMinimumSize(145, 252);
    objectList_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // as wide as its names
    objectList_->setFrameShape(QFrame::NoFrame);
    objectList_->setUniformItemSizes(true);
    objectList_->setPalette(pal);
    connect(objectList_, &QListWidget::itemChanged, this, [this](QListWidgetItem*) { refresh(); });
    connect(objectList_, &QListWidget::itemClicked, this, [this](QListWidgetItem*) { refresh(); });
    controls->addWidget(objectList_);

    dateEdit_ = MakeDateEdit(panel, "dateEdit", QRect());
    dateEdit_->setMinimumSize(138, 24);
    connect(dateEdit_, &QDateEdit::dateChanged, this, [this](QDate) { onDateChanged(); });
    controls->addWidget(dateEdit_);

    // One translated text names the step before and its unit after the field, apart by spaces.
    const QStringList stepWords =
        tr("Time step                days").split(QRegularExpression(QStringLiteral("\\s{2,}")));
    auto* diff = new QLabel(stepWords.value(0), panel);
    diff->setObjectName("stepLabel");
    auto* unit = new QLabel(stepWords.mid(1).join(QLatin1Char(' ')), panel);
    unit->setObjectName("stepUnitLabel");
    stepSpin_ = new QSpinBox(panel);
    stepSpin_->setObjectName("stepSpin");
    stepSpin_->setMinimumSize(49, 22);
    stepSpin_->setRange(-30, 30);
    stepSpin_->setValue(1);
    auto* step = new QHBoxLayout;
    step->addWidget(diff);
    step->addWidget(stepSpin_);
    step->addWidget(unit);
    step->addStretch(1);
    controls->addLayout(step);

    simulationButton_ = new QPushButton(tr("Simulation"), panel);
    simulationButton_->setObjectName("simulationButton");
    simulationButton_->setMinimumSize(137, 25);
    simulationButton_->setAutoDefault(false);
    connect(simulationButton_, &QPushButton::clicked, this, [this] { toggleSimulation(); });
    controls->addWidget(simulationButton_, 0, Qt::AlignHCenter);

    auto* scaleLabel = new QLabel(tr("Scale"), panel);
    scaleLabel->setObjectName("scaleLabel");
    auto* zoom = new QHBoxLayout;
    zoom->setSpacing(1);
    zoom->addWidget(scaleLabel);
    zoom->addStretch(1);
    auto zoomButton = [&](const char* name, const char* picture, const char* fallback) {
        auto* b = new QToolButton(panel);
        b->setObjectName(name);
        b->setAutoRaise(true);
        b->setMinimumSize(23, 22);
        try {
            b->setIcon(QIcon(QPixmap::fromImage(LoadPicture(picture))));
            b->setIconSize(QSize(18, 18));
        } catch (const std::exception&) {
            b->setText(fallback);  // the button keeps a caption
        }
        zoom->addWidget(b);
        return b;
    };
    zoomInButton_ = zoomButton("zoomInButton", "S8", "+");
    zoomResetButton_ = zoomButton("zoomResetButton", "S18", "1");
    zoomOutButton_ = zoomButton("zoomOutButton", "S9", "-");
    connect(zoomInButton_, &QToolButton::clicked, this, [this] { zoomIn(); });
    connect(zoomResetButton_, &QToolButton::clicked, this, [this] { resetZoom(); });
    connect(zoomOutButton_, &QToolButton::clicked, this, [this] { zoomOut(); });
    controls->addLayout(zoom);
    controls->addStretch(1);

    plan_ = new OrbitPlanSurface(this);
    QPalette black = plan_->palette();
    black.setColor(QPalette::Window, Qt::black);
    plan_->setPalette(black);
    layout->addWidget(plan_, 1);

    simulationTimer_ = new QTimer(this);
    simulationTimer_->setObjectName("simulationTimer");
    simulationTimer_->setInterval(50);
    connect(simulationTimer_, &QTimer::timeout, this, [this] { stepSimulation(); });
    connect(this, &QDialog::finished, simulationTimer_, &QTimer::stop);

    orbitTable_ = OrbitTableStrings();
    ticked_.reserve(OrbitTable().size());
    scale_ = kInitialOrbitScale;
    onDateChanged();
    refillObjectList();
    layout->activate();  // laid out before it is first shown
    panel->layout()->activate();
}

bool OrbitsWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) guard("refillObjectList", [this] { refillObjectList(); });
    return QDialog::event(e);
}

void OrbitsWindow::refillObjectList() {
    // The list is rebuilt from the table on every activation; ticks already set survive, so
    // closing the calendar of the date field does not clear the plan.
    const QStringList keep = tickedNames();
    {
        const QSignalBlocker block(objectList_);
        objectList_->clear();
        for (qsizetype i = 0; i < orbitTable_.size(); i += 6) {
            const QString& name = orbitTable_[i];
            if (name.startsWith(QLatin1Char('['))) break;
            const OrbitObject* o = FindOrbitObject(name);
            if (o == nullptr) continue;
            auto* item = new QListWidgetItem(OrbitObjectDisplayName(*o));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            item->setCheckState(keep.contains(name) ? Qt::Checked : Qt::Unchecked);
            item->setData(kNameRole, name);
            // A tick box and the name, in the list's font.
            const QFontMetrics fm(objectList_->font());
            item->setSizeHint(QSize(fm.horizontalAdvance(item->text()) + fm.height() + 12, std::max(14, fm.height())));
            item->setData(Qt::UserRole, static_cast<int>(o - OrbitTable().data()));
            objectList_->addItem(item);
        }
        objectList_->sortItems(Qt::AscendingOrder);
        // Every name whole and all of them at once.
        objectList_->setMinimumSize(std::max(145, objectList_->sizeHintForColumn(0) + 4),
                                    std::max(252, objectList_->count() * objectList_->sizeHintForRow(0) + 4));
    }
    refresh();
}

void OrbitsWindow::refresh() { plan_->update(); }

void OrbitsWindow::onDateChanged() {
    if (dateEdit_->date().isValid()) {
        const CivilDate d = CivilDateOfDay(dateEdit_->date());
        year_ = d.year;
        month_ = d.month;
        day_ = d.day;
    }
    refresh();
}

void OrbitsWindow::toggleSimulation() {
    if (simulationTimer_->isActive()) {
        simulationTimer_->stop();
        simulationButton_->setText(tr("Simulation"));
    } else {
        simulationTimer_->start();
        simulationButton_->setText(tr("Stop"));
    }
}

void OrbitsWindow::stepSimulation() {
    guard("stepSimulation", [this] {
        const QDate next = dateEdit_->date().addDays(stepSpin_->value());
        if (next.isValid()) dateEdit_->setDate(next);  // the date field keeps it within its range
        refresh();
    });
}

void OrbitsWindow::zoomIn() {
    scale_ = ZoomIn(scale_);
    refresh();
}

void OrbitsWindow::zoomOut() {
    scale_ = ZoomOut(scale_);
    refresh();
}

void OrbitsWindow::resetZoom() {
    scale_ = kInitialOrbitScale;
    refresh();
}

bool OrbitsWindow::setTicked(const QString& name, bool ticked) {
    for (int i = 0; i < objectList_->count(); ++i) {
        QListWidgetItem* item = objectList_->item(i);
        if (item->data(kNameRole).toString() == name) {
            item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
            return true;
        }
    }
    return false;
}

QStringList OrbitsWindow::tickedNames() const {
    QStringList names;
    for (int i = 0; i < objectList_->count(); ++i)
        if (objectList_->item(i)->checkState() == Qt::Checked)
            names << objectList_->item(i)->data(kNameRole).toString();
    return names;
}

OrbitPlanView OrbitsWindow::currentView() {
    if (dateEdit_->date().isValid()) {
        const CivilDate d = CivilDateOfDay(dateEdit_->date());
        year_ = d.year;
        month_ = d.month;
        day_ = d.day;
    }
    ticked_.clear();
    const auto& table = OrbitTable();
    for (int i = 0; i < objectList_->count(); ++i) {
        const QListWidgetItem* item = objectList_->item(i);
        if (item->checkState() != Qt::Checked) continue;
        const int row = item->data(Qt::UserRole).toInt();
        if (row >= 0 && row < static_cast<int>(table.size())) ticked_.push_back(&table[row]);
    }
    OrbitPlanView view;
    view.Year = year_;
    view.Month = month_;
    view.Day = day_;
    view.Scale = scale_;
    view.Ticked = ticked_.data();
    view.TickedCount = static_cast<int>(ticked_.size());
    return view;
}

void OrbitsWindow::drawPlan(QPainter& painter, int width, int height) {
    const OrbitPlanView view = currentView();
    try {
        renderer_.Paint(painter, width, height, view);
    } catch (const std::exception& e) {
        // Never a message box from inside a paint: it would paint again behind the box.
        qWarning("Orbits: %s", e.what());
    }
}

}  // namespace noctaris
