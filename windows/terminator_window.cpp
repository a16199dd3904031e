// The terminator window: controls, timers and the handlers; the drawing is in terminator_map.cpp.
#include "windows/terminator_window.h"

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <string>

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "chart/canvas.h"
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
        owner_->PaintSurface(p);
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

void MakeLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->adjustSize();
    l->move(x, y);
}

int EditValue(const QLineEdit* e) { return StrToIntDef(e->text(), 0); }

}  // namespace

TerminatorWindow::TerminatorWindow(const MainWindowSize& size, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ftag"));
    setWindowTitle(QStringLiteral("Terminator"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    QFont font(ChartFontFamily());
    font.setPixelSize(13);
    setFont(font);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    pb2 = new TerminatorSurface(this, this);
    pb2->setObjectName(QStringLiteral("pb2"));

    Panel = new QWidget(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    QPalette panelPal = Panel->palette();
    panelPal.setColor(QPalette::Window, QColor(240, 240, 240));
    Panel->setPalette(panelPal);
    Panel->setAutoFillBackground(true);

    MakeLabel(Panel, QStringLiteral("Day"), 16, 20);
    MakeLabel(Panel, QStringLiteral("Month"), 112, 20);
    MakeLabel(Panel, QStringLiteral("Hour"), 256, 20);
    MakeLabel(Panel, QStringLiteral("Minute"), 368, 20);
    E15 = MakeEdit(Panel, "E15", 48, 16);
    E16 = MakeEdit(Panel, "E16", 160, 16);
    Edit3 = MakeEdit(Panel, "Edit3", 296, 16);
    Edit4 = MakeEdit(Panel, "Edit4", 424, 16);
    RB1 = MakeBox<QRadioButton>(Panel, "RB1", QStringLiteral("Change minutes"), 744, 16, true);
    RB2 = MakeBox<QRadioButton>(Panel, "RB2", QStringLiteral("Change days"), 744, 36, false);
    CB1 = MakeBox<QCheckBox>(Panel, "CB1", QStringLiteral("Consider summer time"), 16, 52, true);
    CB2 = MakeBox<QCheckBox>(Panel, "CB2", QStringLiteral("Sun place"), 240, 52, true);
    CB8 = MakeBox<QCheckBox>(Panel, "CB8", QStringLiteral("Refresh"), 352, 52, false);
    Cb13 = MakeBox<QCheckBox>(Panel, "Cb13", QStringLiteral("Grid"), 480, 52, true);
    Button1 = MakeButton(Panel, "Button1", QStringLiteral("Display"), 488, 16);
    d15 = MakeButton(Panel, "d15", QStringLiteral("Simulation"), 608, 16);
    Button3 = MakeButton(Panel, "Button3", QStringLiteral("Current time"), 608, 48);
    Image1 = new QLabel(Panel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->move(736, 64);
    Image1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(20);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(10000);

    connect(Button1, &QPushButton::clicked, this, &TerminatorWindow::pb2Paint);
    connect(CB1, &QCheckBox::toggled, this, &TerminatorWindow::pb2Paint);
    connect(CB2, &QCheckBox::toggled, this, &TerminatorWindow::pb2Paint);
    connect(Cb13, &QCheckBox::toggled, this, &TerminatorWindow::Cb13Click);
    connect(CB8, &QCheckBox::toggled, this, &TerminatorWindow::CB8Click);
    connect(Button3, &QPushButton::clicked, this, &TerminatorWindow::D21Click);
    connect(d15, &QPushButton::clicked, this, &TerminatorWindow::d15Click);
    connect(Timer1, &QTimer::timeout, this, &TerminatorWindow::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TerminatorWindow::Timer2Timer);

    FormCreate(size);
}

TerminatorWindow::~TerminatorWindow() = default;

void TerminatorWindow::FormCreate(const MainWindowSize& size) {
    const int w = std::max(size.Width, 1);
    const int h = std::max(size.Height, kPanelHeight + 1);
    setFixedSize(w, h);
    pb2->setGeometry(0, 0, w, h - kPanelHeight);
    Panel->setGeometry(0, h - kPanelHeight, w, kPanelHeight);

    try {
        sunSymbol_ = LoadTransparentPicture("term_sun");
        Image1->setPixmap(QPixmap::fromImage(sunSymbol_));
        Image1->adjustSize();
    } catch (const std::exception& e) {
        Report(QStringLiteral("Sun symbol"), e);
    }
    try {
        outline_ = LoadWorldOutline();
    } catch (const std::exception& e) {
        Report(QStringLiteral("World outline"), e);
    }
    mapCache_ = QImage();
    SetEditsFromClock();
}

void TerminatorWindow::SetEditsFromClock() {
    const QDateTime now = Clock();
    Edit3->setText(FormatInt(now.time().hour()));
    Edit4->setText(FormatInt(now.time().minute()));
    E15->setText(FormatInt(now.date().day()));
    E16->setText(FormatInt(now.date().month()));
}

TerminatorView TerminatorWindow::CurrentView() const {
    TerminatorView v;
    v.Day = EditValue(E15);
    v.Month = EditValue(E16);
    v.Hour = EditValue(Edit3);
    v.Minute = EditValue(Edit4);
    v.Year = Clock().date().year();
    v.ConsiderSummerTime = CB1->isChecked();
    v.SunPlace = CB2->isChecked();
    return v;
}

QImage TerminatorWindow::RenderMap() {
    if (mapCache_.isNull()) mapCache_ = BuildTerminatorMapCache(pb2->size(), Cb13->isChecked(), outline_);
    return DrawTerminatorMap(mapCache_, CurrentView(), sunSymbol_);
}

void TerminatorWindow::PaintSurface(QPainter& p) {
    try {
        p.drawImage(0, 0, RenderMap());
    } catch (const std::exception& e) {
        p.fillRect(pb2->rect(), Qt::white);
        if (!paintFailed_) {
            paintFailed_ = true;
            const std::string what = e.what();
            // Not from inside the paint event: a message box would paint over it again.
            QTimer::singleShot(0, this, [this, what] {
                Report(QStringLiteral("Drawing the map"), std::runtime_error(what));
            });
        }
    }
}

void TerminatorWindow::Report(const QString& what, const std::exception& e) {
    ReportFailure(this, windowTitle(), what + QStringLiteral(": ") + QString::fromLocal8Bit(e.what()));
}

void TerminatorWindow::pb2Paint() { pb2->update(); }

void TerminatorWindow::Cb13Click() {
    mapCache_ = QImage();
    pb2Paint();
}

void TerminatorWindow::CB8Click() {
    if (CB8->isChecked())
        Timer2->start();
    else
        Timer2->stop();
}

void TerminatorWindow::Timer2Timer() {
    SetEditsFromClock();
    pb2Paint();
}

void TerminatorWindow::D21Click() { Timer2Timer(); }

void TerminatorWindow::d15Click() {
    if (Timer1->isActive()) {
        Timer1->stop();
        d15->setText(QStringLiteral("Simulation"));
    } else {
        CB8->setChecked(false);  // stops Timer2 through CB8Click
        Timer1->start();
        d15->setText(QStringLiteral("Stop"));
    }
}

void TerminatorWindow::Timer1Timer() {
    TerminatorClock c;
    c.Day = EditValue(E15);
    c.Month = EditValue(E16);
    c.Hour = EditValue(Edit3);
    c.Minute = EditValue(Edit4);
    TerminatorStep(c, RB1->isChecked(), Clock().date().year());
    Edit4->setText(FormatInt(c.Minute));
    Edit3->setText(FormatInt(c.Hour));
    E15->setText(FormatInt(c.Day));
    E16->setText(FormatInt(c.Month));
    pb2Paint();
}

void TerminatorWindow::FormClose() {
    Timer1->stop();
    Timer2->stop();
    mapCache_ = QImage();
}

void TerminatorWindow::closeEvent(QCloseEvent* e) {
    FormClose();
    QDialog::closeEvent(e);
}

void TerminatorWindow::done(int r) {
    FormClose();
    QDialog::done(r);
}

}  // namespace noctaris
