// The terminator window: controls, timers and the handlers; the drawing is in terminator_map.cpp.
#include "windows/terminator_window.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeZone>
#include <QTimer>

#include "platform/format.h"
#include "platform/pictures.h"
#include "windows/wincommon.h"

namespace noctaris {

// The map drawing area: every paint draws the map anew from the edits.
class TerminatorSurface : public QWidget {
public:
    TerminatorSurface(TerminatorWindow* owner, QWidget* parent) : QWidget(parent), owner_(owner) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        owner_->paintMap(p);
    }

private:
    TerminatorWindow* owner_;
};

namespace {

constexpr int kPanelHeight = 84;

QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setGeometry(x, y, 49, 24);
    return e;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, int x, int y) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(x, y, 105, 25);
    b->setAutoDefault(false);
    return b;
}

template <class Box>
Box* MakeBox(QWidget* parent, const char* name, const QString& caption, int x, int y, bool on) {
    auto* b = new Box(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setChecked(on);
    b->adjustSize();
    b->move(x, y);
    return b;
}

// A label at x, moved left (never right) where a longer translation would reach the edit that
// begins at `before`.
void MakeLabel(QWidget* parent, const QString& text, int x, int y, int before) {
    auto* l = new QLabel(text, parent);
    l->adjustSize();
    l->move(std::min(x, before - 4 - l->width()), y);
}

int EditValue(const QLineEdit* e) { return StrToIntDef(e->text(), 0); }

}  // namespace

TerminatorWindow::TerminatorWindow(const MainWindowSize& size, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TerminatorWindow"));
    setWindowTitle(tr("Terminator"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFont(WindowFont(13));
    SetWhiteBackground(this);

    map_ = new TerminatorSurface(this, this);
    map_->setObjectName(QStringLiteral("map"));

    controlPanel_ = new QWidget(this);
    controlPanel_->setObjectName(QStringLiteral("controlPanel"));
    QPalette panelPal = controlPanel_->palette();
    panelPal.setColor(QPalette::Window, QColor(240, 240, 240));
    controlPanel_->setPalette(panelPal);
    controlPanel_->setAutoFillBackground(true);

    QWidget* const panel = controlPanel_;
    MakeLabel(panel, tr("Day"), 16, 20, 48);
    MakeLabel(panel, tr("Month"), 112, 20, 160);
    MakeLabel(panel, tr("Hour"), 256, 20, 296);
    MakeLabel(panel, tr("Minute"), 368, 20, 424);
    dayEdit_ = MakeEdit(panel, "dayEdit", 48, 16);
    monthEdit_ = MakeEdit(panel, "monthEdit", 160, 16);
    hourEdit_ = MakeEdit(panel, "hourEdit", 296, 16);
    minuteEdit_ = MakeEdit(panel, "minuteEdit", 424, 16);
    changeMinutesRadio_ =
        MakeBox<QRadioButton>(panel, "changeMinutesRadio", tr("Change minutes"), 744, 16, true);
    changeDaysRadio_ =
        MakeBox<QRadioButton>(panel, "changeDaysRadio", tr("Change days"), 744, 36, false);
    summerTimeCheck_ =
        MakeBox<QCheckBox>(panel, "summerTimeCheck", tr("Use summer time"), 16, 52, true);
    sunPlaceCheck_ = MakeBox<QCheckBox>(panel, "sunPlaceCheck", tr("Sun position"), 240, 52, true);
    followClockCheck_ = MakeBox<QCheckBox>(panel, "followClockCheck", tr("Follow the clock"), 352, 52, false);
    gridCheck_ = MakeBox<QCheckBox>(panel, "gridCheck", tr("Grid"), 480, 52, true);
    displayButton_ = MakeButton(panel, "displayButton", tr("Show"), 488, 16);
    simulationButton_ = MakeButton(panel, "simulationButton", tr("Simulation"), 608, 16);
    currentTimeButton_ = MakeButton(panel, "currentTimeButton", tr("Current time"), 608, 48);
    sunSymbolHolder_ = new QLabel(panel);
    sunSymbolHolder_->setObjectName(QStringLiteral("sunSymbolHolder"));
    sunSymbolHolder_->move(736, 64);
    sunSymbolHolder_->hide();

    simulationTimer_ = new QTimer(this);
    simulationTimer_->setObjectName(QStringLiteral("simulationTimer"));
    simulationTimer_->setInterval(20);
    clockTimer_ = new QTimer(this);
    clockTimer_->setObjectName(QStringLiteral("clockTimer"));
    clockTimer_->setInterval(10000);

    connect(displayButton_, &QPushButton::clicked, this, &TerminatorWindow::refresh);
    connect(summerTimeCheck_, &QCheckBox::toggled, this, &TerminatorWindow::refresh);
    connect(sunPlaceCheck_, &QCheckBox::toggled, this, &TerminatorWindow::refresh);
    connect(gridCheck_, &QCheckBox::toggled, this, &TerminatorWindow::onGridToggled);
    connect(followClockCheck_, &QCheckBox::toggled, this, &TerminatorWindow::onFollowClockToggled);
    connect(currentTimeButton_, &QPushButton::clicked, this, &TerminatorWindow::showCurrentTime);
    connect(simulationButton_, &QPushButton::clicked, this, &TerminatorWindow::toggleSimulation);
    connect(simulationTimer_, &QTimer::timeout, this, &TerminatorWindow::stepSimulation);
    connect(clockTimer_, &QTimer::timeout, this, &TerminatorWindow::showCurrentTime);

    const int w = std::max(size.Width, 1);
    const int h = std::max(size.Height, kPanelHeight + 1);
    setFixedSize(w, h);
    map_->setGeometry(0, 0, w, h - kPanelHeight);
    controlPanel_->setGeometry(0, h - kPanelHeight, w, kPanelHeight);

    try {
        sunSymbol_ = LoadTransparentPicture("term_sun");
        sunSymbolHolder_->setPixmap(QPixmap::fromImage(sunSymbol_));
        sunSymbolHolder_->adjustSize();
    } catch (const std::exception& e) {
        report(tr("Sun symbol"), e);
    }
    try {
        outline_ = LoadWorldOutline();
    } catch (const std::exception& e) {
        report(tr("World outline"), e);
    }
    mapCache_ = QImage();
    setEditsFromClock();
}

TerminatorWindow::~TerminatorWindow() = default;

void TerminatorWindow::setZone(const std::string& ianaId, double standardOffsetHours) {
    zoneId_ = ianaId;
    standardOffset_ = standardOffsetHours;
    setEditsFromClock();
}

// The clock's instant on the zone's clock (its standard time when the database lacks the zone).
QDateTime TerminatorWindow::zoneNow() const {
    const QDateTime now = clock_();
    const QByteArray id = QByteArray::fromStdString(zoneId_);
    if (!id.isEmpty() && QTimeZone::isTimeZoneIdAvailable(id)) return now.toTimeZone(QTimeZone(id));
    return now.toTimeZone(QTimeZone(static_cast<int>(std::lround(standardOffset_ * 3600))));
}

void TerminatorWindow::setEditsFromClock() {
    const QDateTime now = zoneNow();
    hourEdit_->setText(FormatInt(now.time().hour()));
    minuteEdit_->setText(FormatInt(now.time().minute()));
    dayEdit_->setText(FormatInt(now.date().day()));
    monthEdit_->setText(FormatInt(now.date().month()));
}

TerminatorView TerminatorWindow::currentView() const {
    TerminatorView v;
    v.Day = EditValue(dayEdit_);
    v.Month = EditValue(monthEdit_);
    v.Hour = EditValue(hourEdit_);
    v.Minute = EditValue(minuteEdit_);
    v.Year = zoneNow().date().year();
    v.ConsiderSummerTime = summerTimeCheck_->isChecked();
    v.ZoneId = zoneId_;
    v.StandardOffset = standardOffset_;
    v.SunPlace = sunPlaceCheck_->isChecked();
    return v;
}

QImage TerminatorWindow::renderMap() {
    if (mapCache_.isNull())
        mapCache_ = BuildTerminatorMapCache(map_->size(), gridCheck_->isChecked(), outline_);
    return DrawTerminatorMap(mapCache_, currentView(), sunSymbol_);
}

void TerminatorWindow::paintMap(QPainter& p) {
    try {
        p.drawImage(0, 0, renderMap());
    } catch (const std::exception& e) {
        p.fillRect(map_->rect(), Qt::white);
        if (!paintFailed_) {
            paintFailed_ = true;
            const std::string what = e.what();
            // Not from inside the paint event: a message box would paint over it again.
            QTimer::singleShot(0, this, [this, what] {
                report(tr("Drawing the map"), std::runtime_error(what));
            });
        }
    }
}

void TerminatorWindow::report(const QString& what, const std::exception& e) {
    ReportFailure(this, what + QStringLiteral(": ") + QString::fromLocal8Bit(e.what()));
}

void TerminatorWindow::refresh() { map_->update(); }

void TerminatorWindow::onGridToggled() {
    mapCache_ = QImage();
    refresh();
}

void TerminatorWindow::onFollowClockToggled() {
    if (followClockCheck_->isChecked())
        clockTimer_->start();
    else
        clockTimer_->stop();
}

void TerminatorWindow::showCurrentTime() {
    setEditsFromClock();
    refresh();
}

void TerminatorWindow::toggleSimulation() {
    if (simulationTimer_->isActive()) {
        simulationTimer_->stop();
        simulationButton_->setText(tr("Simulation"));
    } else {
        followClockCheck_->setChecked(false);  // stops the clock timer
        simulationTimer_->start();
        simulationButton_->setText(tr("Stop"));
    }
}

void TerminatorWindow::stepSimulation() {
    TerminatorClock c;
    c.Day = EditValue(dayEdit_);
    c.Month = EditValue(monthEdit_);
    c.Hour = EditValue(hourEdit_);
    c.Minute = EditValue(minuteEdit_);
    TerminatorStep(c, changeMinutesRadio_->isChecked(), zoneNow().date().year());
    minuteEdit_->setText(FormatInt(c.Minute));
    hourEdit_->setText(FormatInt(c.Hour));
    dayEdit_->setText(FormatInt(c.Day));
    monthEdit_->setText(FormatInt(c.Month));
    refresh();
}

void TerminatorWindow::stopAndDiscard() {
    simulationTimer_->stop();
    clockTimer_->stop();
    mapCache_ = QImage();
}

void TerminatorWindow::closeEvent(QCloseEvent* e) {
    stopAndDiscard();
    QDialog::closeEvent(e);
}

void TerminatorWindow::done(int r) {
    stopAndDiscard();
    QDialog::done(r);
}

}  // namespace noctaris
