#include "windows/moon_phase_calendar_window.h"

#include <cmath>
#include <exception>

#include <QCalendarWidget>
#include <QDateEdit>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QShowEvent>
#include <QTimer>

#include "astro/moon.h"
#include "astro/timebase.h"
#include "chart/canvas.h"
#include "platform/format.h"
#include "platform/pictures.h"
#include "resources/embedded.h"
#include "windows/wincommon.h"

namespace noctaris {

namespace mooncal {

namespace {

// Picture number per day of Moon age: 28 pictures over one synodic month of 29.530589 days.
constexpr long double kPicturesPerDay = 0.94816937108839921886L;
constexpr int kPictureSize = 52;

const QColor kFrameGrey(128, 128, 128);
const QColor kTitleYellow(255, 255, 160);
const QColor kDayNumberGrey(240, 240, 240);
const QColor kSundayRed(255, 0, 0);

// The bundled sans-serif family, with its bold face registered as well (the calendar's texts
// are bold; a synthesised bold looks smeared).
QString CalendarFontFamily() {
    static const QString family = [] {
        const QString f = ChartFontFamily();  // registers the regular face
        const auto bold = FindEmbedded("DejaVuSans-Bold");
        if (!bold.empty())
            QFontDatabase::addApplicationFontFromData(QByteArray(
                reinterpret_cast<const char*>(bold.data()), static_cast<qsizetype>(bold.size())));
        return f;
    }();
    return family;
}

// 18 pt bold at 96 dpi.
QFont CalendarFont() {
    QFont f(CalendarFontFamily());
    f.setPixelSize(24);
    f.setBold(true);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Pixels x1..x2-1, y1..y2-1: filled with `fill`, outlined with `pen`.
void Rectangle(QPainter& p, int x1, int y1, int x2, int y2, const QColor& pen, const QColor& fill) {
    if (x2 <= x1 || y2 <= y1) return;
    p.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), fill);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

// Text with its top-left corner at (x, y).
void TextOut(QPainter& p, const QFontMetrics& fm, int x, int y, const QString& text, const QColor& c) {
    p.setPen(c);
    p.drawText(QPoint(x, y + fm.ascent()), text);
}

}  // namespace

bool IsLeapYearGregorian(int year) { return IsLeapYear(year); }

int DaysInMonth(bool leap, int month) {
    switch (month) {
        case 2: return leap ? 29 : 28;
        case 4: case 6: case 9: case 11: return 30;
        case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
        default: return 0;
    }
}

QString MonthName(int month) {
    static const char* const kNames[] = {"January", "February", "March",     "April",
                                         "May",     "June",     "July",      "August",
                                         "September", "October", "November", "December"};
    if (month < 1 || month > 12) return {};
    return QString::fromLatin1(kNames[month - 1]);
}

QString WeekdayHeading(int column) {
    static const char* const kHeadings[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    if (column < 0 || column > 6) return {};
    return QString::fromLatin1(kHeadings[column]);
}

int DayOfWeek(int year, int month, int day) {
    // TDateTime 0 (1899-12-30) was a Saturday.
    const long long serial = static_cast<long long>(std::floor(EncodeDate(year, month, day)));
    return static_cast<int>(((serial % 7) + 7 + 6) % 7) + 1;
}

int FirstCell(int weekday, int day) {
    int s = weekday - day;
    if (s < 2) s += ((2 - s + 6) / 7) * 7;  // same as adding 7 until s >= 2
    return s;
}

int PictureForAge(long double age) {
    if (!std::isfinite(age)) return 0;
    int p = static_cast<int>(std::trunc(age * kPicturesPerDay));
    if (p < 0) p += 28;
    if (p > 27) p -= 28;
    return p;
}

MonthPictures ComputeMonthPictures(int year, int month) {
    MonthPictures pictures;
    pictures.fill(-1);
    const int days = DaysInMonth(IsLeapYearGregorian(year), month);
    int previous = -1;  // the first day of the month has no previous day
    for (int n = 1; n <= days; ++n) {
        // The Moon's age at noon of the day.
        int p = PictureForAge(MoonAge(EncodeDate(year, month, n) + 0.5));
        if (p == 0 && previous == 0) p = 1;
        pictures[n - 1] = p;
        previous = p;
    }
    return pictures;
}

QPoint SheetPictureOrigin(int n) { return {(n % 7) * 86 + 18, (n / 7) * 79 + 14}; }

Layout Layout::For(QSize size) {
    Layout l;
    l.a = size.width() / 8;
    l.d = size.width() / 16;
    l.h = (size.height() - 40) / 7;
    return l;
}

void PaintMonth(QPainter& p, const MonthView& view) {
    const int W = view.size.width();
    const Layout L = Layout::For(view.size);
    const int a = L.a, d = L.d, h = L.h;

    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setBackgroundMode(Qt::TransparentMode);
    p.fillRect(QRect(QPoint(0, 0), view.size), Qt::white);

    const int days = DaysInMonth(IsLeapYearGregorian(view.year), view.month);
    const int first = FirstCell(DayOfWeek(view.year, view.month, view.day), view.day);
    const int chosenCell = first + view.day - 1;

    // Title bar and weekday bar.
    Rectangle(p, d, 24, W - d, 60, kFrameGrey, kTitleYellow);
    Rectangle(p, d, 61, W - d, 97, kFrameGrey, Qt::white);

    // The grid of 7 x 6 cells; neighbouring cells share their grey border line.
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 6; ++j)
            Rectangle(p, d + a * i, 98 + j * h, d + a * (i + 1) + 1, 99 + (j + 1) * h, kFrameGrey, Qt::black);
    // The chosen day keeps its black cell but gets a frame in the title's yellow.
    if (view.day >= 1 && view.day <= days) {
        const int i = chosenCell % 7, j = chosenCell / 7;
        p.setPen(kTitleYellow);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(d + a * i, 98 + j * h, a, h));
    }

    const QFont font = CalendarFont();
    const QFontMetrics fm(font);
    p.setFont(font);
    TextOut(p, fm, d + 10, 27, MonthName(view.month) + ' ' + QString::number(view.year), Qt::black);
    for (int i = 0; i < 7; ++i) {
        const QString s = WeekdayHeading(i);
        TextOut(p, fm, a * (i + 1) - fm.horizontalAdvance(s) / 2, 64, s, Qt::black);
    }

    for (int n = 1; n <= days; ++n) {
        const int cell = first + n - 1;
        const int column = cell % 7, row = cell / 7;
        TextOut(p, fm, d + a * column + 3, row * h + 101, QString::number(n),
                column == 0 ? kSundayRed : kDayNumberGrey);
    }

    if (view.sheet && !view.sheet->isNull()) {
        for (int n = 1; n <= days; ++n) {
            const int picture = view.pictures[n - 1];
            if (picture < 0 || picture > 27) continue;
            const int cell = first + n - 1;
            const int column = cell % 7, row = cell / 7;
            const int v = d + a * (column + 1);
            p.drawImage(QRect(v - 60, row * h + 118, kPictureSize, kPictureSize), *view.sheet,
                        QRect(SheetPictureOrigin(picture), QSize(kPictureSize, kPictureSize)));
        }
    }
    p.restore();
}

}  // namespace mooncal

// ---- Paintbox1 -------------------------------------------------------------------------------

MoonCalendarBox::MoonCalendarBox(MoonPhaseCalendarWindow* owner) : QWidget(owner), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MoonCalendarBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    owner_->Paintbox1Paint(painter);
}

// ---- MoonPhaseCalendarWindow ----------------------------------------------------------------------------------

MoonPhaseCalendarWindow::MoonPhaseCalendarWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("MoonPhaseCalendarWindow");
    setWindowTitle("Moon phase calendar");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(784, 605);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    QFont formFont(mooncal::CalendarFont().family());
    formFont.setPixelSize(11);
    setFont(formFont);

    Panel1 = new QFrame(this);
    Panel1->setObjectName("Panel1");
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setGeometry(0, 0, 784, 27);
    Panel1->setAutoFillBackground(true);
    QPalette panelPal = Panel1->palette();
    panelPal.setColor(QPalette::Window, QColor(240, 240, 240));
    Panel1->setPalette(panelPal);
    QFont panelFont(formFont);
    panelFont.setPixelSize(13);
    Panel1->setFont(panelFont);

    label1 = new QLabel("Date", Panel1);
    label1->setObjectName("label1");
    QFont labelFont(formFont);
    labelFont.setPixelSize(12);
    label1->setFont(labelFont);
    QPalette labelPal = label1->palette();
    labelPal.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
    label1->setPalette(labelPal);
    label1->move(16, 6);
    label1->adjustSize();

    DE1 = new QDateEdit(Panel1);
    DE1->setObjectName("DE1");
    DE1->setGeometry(67, 2, 106, 24);
    DE1->setCalendarPopup(true);
    DE1->setDisplayFormat(ShortDateFormat());
    DE1->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    DE1->setDate(QDate::currentDate());
    if (QCalendarWidget* calendar = DE1->calendarWidget()) {
        calendar->setWindowTitle("Datumseingabe");
        QPalette calPal = calendar->palette();
        calPal.setColor(QPalette::Window, QColor(240, 240, 240));
        calendar->setPalette(calPal);
    }

    Paintbox1 = new MoonCalendarBox(this);
    Paintbox1->setObjectName("Paintbox1");
    Paintbox1->setGeometry(0, 27, 784, 578);

    image1 = new QLabel(this);
    image1->setObjectName("image1");
    image1->move(12, 40);
    image1->hide();

    connect(DE1, &QDateEdit::dateChanged, Paintbox1, qOverload<>(&QWidget::update));
}

void MoonPhaseCalendarWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The window is created for each opening, so its first showing is its activation. Later
    // activations (say, on return from the calendar pop-up) keep the date the user chose.
    if (!activated_) FormActivate();
}

void MoonPhaseCalendarWindow::FormActivate() {
    activated_ = true;
    if (sheet_.isNull()) {
        try {
            sheet_ = LoadPicture("s3").convertToFormat(QImage::Format_RGB32);
            image1->setPixmap(QPixmap::fromImage(sheet_));
            image1->resize(sheet_.size());
        } catch (const std::exception& e) {
            // Without the sheet the calendar still shows its days, just without pictures.
            ShowError(QString::fromUtf8(e.what()));
        }
    }
    DE1->setDate(QDate::currentDate());
    Paintbox1->update();
}

const mooncal::MonthPictures& MoonPhaseCalendarWindow::PicturesFor(int year, int month) {
    // Repaints of the same month (exposure, moving the window, another day of the month) reuse
    // the month's pictures: each one is a full Sun and Moon position per day.
    if (year != cachedYear_ || month != cachedMonth_) {
        cached_ = mooncal::ComputeMonthPictures(year, month);
        cachedYear_ = year;
        cachedMonth_ = month;
        ++computations_;
    }
    return cached_;
}

mooncal::MonthView MoonPhaseCalendarWindow::CurrentView() {
    mooncal::MonthView view;
    view.size = Paintbox1->size();
    const QDate date = DE1->date();
    view.year = date.year();
    view.month = date.month();
    view.day = date.day();
    view.pictures = PicturesFor(view.year, view.month);
    view.sheet = &sheet_;
    return view;
}

QImage MoonPhaseCalendarWindow::RenderMonth() {
    const qreal dpr = Paintbox1->devicePixelRatioF();
    const QSize size = Paintbox1->size();
    QImage image(size * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    QPainter p(&image);
    try {
        mooncal::PaintMonth(p, CurrentView());
    } catch (const std::exception& e) {
        const QString text = QString::fromUtf8(e.what());
        p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        p.setPen(Qt::black);
        p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
        // Not from inside the paint event: a message box there would paint again and again.
        if (pendingError_.isEmpty()) {
            pendingError_ = text;
            QTimer::singleShot(0, this, [this] {
                ShowError(pendingError_);
                pendingError_.clear();
            });
        }
    }
    return image;
}

void MoonPhaseCalendarWindow::Paintbox1Paint(QPainter& painter) { painter.drawImage(QPoint(0, 0), RenderMonth()); }

void MoonPhaseCalendarWindow::ShowError(const QString& text) { ReportFailure(this, "Moon phase calendar", text); }

}  // namespace noctaris
