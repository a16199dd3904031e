// The terminator window: controls, timers and the handlers; the drawing is in terminator_map.cpp.
#include "windows/terminator_window.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>

#include <QCheckBox>
#include <QCloseEvent>
#include <QBoxLayout>
#include <QGridLayout>
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

// The control panel's designed height, which it never goes below.
constexpr int kPanelHeight = 84;

QLineEdit* MakeEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedWidth(49);
    e->setMinimumHeight(24);
    return e;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumSize(105, 25);
    b->setAutoDefault(false);
    return b;
}

template <class Box>
Box* MakeBox(QWidget* parent, const char* name, const QString& caption, bool on) {
    auto* b = new Box(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setChecked(on);
    return b;
}

QLabel* MakeLabel(QWidget* parent, const QString& text) { return new QLabel(text, parent); }

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
    dayEdit_ = MakeEdit(panel, "dayEdit");
    monthEdit_ = MakeEdit(panel, "monthEdit");
    hourEdit_ = MakeEdit(panel, "hourEdit");
    minuteEdit_ = MakeEdit(panel, "minuteEdit");
    changeMinutesRadio_ = MakeBox<QRadioButton>(panel, "changeMinutesRadio", tr("Change minutes"), true);
    changeDaysRadio_ = MakeBox<QRadioButton>(panel, "changeDaysRadio", tr("Change days"), false);
    summerTimeCheck_ = MakeBox<QCheckBox>(panel, "summerTimeCheck", tr("Use summer time"), true);
    sunPlaceCheck_ = MakeBox<QCheckBox>(panel, "sunPlaceCheck", tr("Sun position"), true);
    followClockCheck_ = MakeBox<QCheckBox>(panel, "followClockCheck", tr("Follow the clock"), false);
    gridCheck_ = MakeBox<QCheckBox>(panel, "gridCheck", tr("Grid"), true);
    displayButton_ = MakeButton(panel, "displayButton", tr("Show"));
    simulationButton_ = MakeButton(panel, "simulationButton", tr("Simulation"));
    currentTimeButton_ = MakeButton(panel, "currentTimeButton", tr("Current time"));
    sunSymbolHolder_ = new QLabel(panel);
    sunSymbolHolder_->setObjectName(QStringLiteral("sunSymbolHolder"));
    sunSymbolHolder_->hide();

    // Date and time fields with the switches below them, then the buttons and the step's kind
    // in columns; the panel as tall and wide as they need, the map above it takes the rest.
    auto* moment = new QHBoxLayout;
    moment->setSpacing(6);
    const std::pair<QString, QLineEdit*> fields[] = {
        {tr("Day"), dayEdit_}, {tr("Month"), monthEdit_}, {tr("Hour"), hourEdit_}, {tr("Minute"), minuteEdit_}};
    for (const auto& [text, edit] : fields) {
        if (edit != dayEdit_) moment->addSpacing(12);
        moment->addWidget(MakeLabel(panel, text));
        moment->addWidget(edit);
    }
    moment->addStretch(1);
    auto* switches = new QHBoxLayout;
    switches->setSpacing(16);
    for (QCheckBox* c : {summerTimeCheck_, sunPlaceCheck_, followClockCheck_}) switches->addWidget(c);
    switches->addStretch(1);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(16, 14, 16, 8);
    grid->setHorizontalSpacing(15);
    grid->setVerticalSpacing(7);
    grid->addLayout(moment, 0, 0);
    grid->addLayout(switches, 1, 0);
    grid->addWidget(displayButton_, 0, 1);
    grid->addWidget(gridCheck_, 1, 1);
    grid->addWidget(simulationButton_, 0, 2);
    grid->addWidget(currentTimeButton_, 1, 2);
    grid->addWidget(changeMinutesRadio_, 0, 3);
    grid->addWidget(changeDaysRadio_, 1, 3);
    grid->setColumnStretch(4, 1);
    controlPanel_->setMinimumHeight(kPanelHeight);

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

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(map_, 1);
    column->addWidget(controlPanel_);
    // The main window's size, or what the controls need where that is more.
    const QSize need = column->minimumSize();
    setFixedSize(std::max({size.Width, 1, need.width()}), std::max({size.Height, kPanelHeight + 1, need.height() + 1}));
    column->activate();
    grid->activate();

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
