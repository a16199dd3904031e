#include "windows/moon_phase_calendar_window.h"

#include <cmath>
#include <exception>

#include <QBoxLayout>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDateEdit>
#include <QFont>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "astro/theories/moon.h"
#include "astro/time/calendar_dates.h"
#include "astro/time/timebase.h"
#include "platform/format.h"
#include "platform/pictures.h"
#include "windows/wincommon.h"

namespace noctaris {

namespace {
constexpr QSize kSheetSize(784, 578);  // the month sheet's drawing, in its own pixels
}  // namespace

namespace mooncal {

namespace {

// Picture number per day of Moon age: 28 pictures over one synodic month of 29.530589 days.
constexpr long double kPicturesPerDay = 0.94816937108839921886L;
constexpr int kPictureSize = 52;

const QColor kFrameGrey(128, 128, 128);
const QColor kTitleYellow(255, 255, 160);
const QColor kDayNumberGrey(240, 240, 240);
const QColor kSundayRed(255, 0, 0);

// 18 pt bold at 96 dpi.
QFont CalendarFont() {
    QFont f(WindowFontFamilyWithBold());  // a synthesised bold looks smeared
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

bool IsCalendarLeapYear(int year) { return IsLeapYear(year); }

int DaysInMonth(bool leap, int month) {
    switch (month) {
        case 2: return leap ? 29 : 28;
        case 4: case 6: case 9: case 11: return 30;
        case 1: case 3: case 5: case 7: case 8: case 10: case 12: return 31;
        default: return 0;
    }
}

QString MonthName(int month) {
    static const char* const kNames[] = {
        QT_TRANSLATE_NOOP("Month", "January"), QT_TRANSLATE_NOOP("Month", "February"),
        QT_TRANSLATE_NOOP("Month", "March"),   QT_TRANSLATE_NOOP("Month", "April"),
        QT_TRANSLATE_NOOP("Month", "May"),     QT_TRANSLATE_NOOP("Month", "June"),
        QT_TRANSLATE_NOOP("Month", "July"),    QT_TRANSLATE_NOOP("Month", "August"),
        QT_TRANSLATE_NOOP("Month", "September"), QT_TRANSLATE_NOOP("Month", "October"),
        QT_TRANSLATE_NOOP("Month", "November"), QT_TRANSLATE_NOOP("Month", "December")};
    if (month < 1 || month > 12) return {};
    return QCoreApplication::translate("Month", kNames[month - 1]);
}

QString WeekdayHeading(int column) {
    static const char* const kHeadings[] = {
        QT_TRANSLATE_NOOP("Weekday", "Su"), QT_TRANSLATE_NOOP("Weekday", "Mo"),
        QT_TRANSLATE_NOOP("Weekday", "Tu"), QT_TRANSLATE_NOOP("Weekday", "We"),
        QT_TRANSLATE_NOOP("Weekday", "Th"), QT_TRANSLATE_NOOP("Weekday", "Fr"),
        QT_TRANSLATE_NOOP("Weekday", "Sa")};
    if (column < 0 || column > 6) return {};
    return QCoreApplication::translate("Weekday", kHeadings[column]);
}

int DayOfWeek(int year, int month, int day) {
    // TDateTime 0 (1899-12-30) was a Saturday.
    const long long serial = static_cast<long long>(std::floor(EncodeDate(year, month, day)));
    return static_cast<int>(((serial % 7) + 7 + 6) % 7) + 1;
}

std::optional<int> DayOffset(int year, int month, int day) {
    const std::optional<double> first = CalendarToJDZoned(year, month, 1, 0, 0, 0, 0);
    const std::optional<double> date = CalendarToJDZoned(year, month, day, 0, 0, 0, 0);
    if (!first || !date) return std::nullopt;
    return static_cast<int>(std::lround(*date - *first));
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
    const int days = DaysInMonth(IsCalendarLeapYear(year), month);
    int previous = -1;  // the first day of the month has no previous day
    for (int n = 1; n <= days; ++n) {
        if (!DayOffset(year, month, n)) continue;  // the days the calendar reform dropped
        // The Moon's age at 12:00 UT of the day.
        const Instant noon = Instant::FromUT(DateTimeToJD(EncodeDate(year, month, n) + 0.5));
        int p = PictureForAge(MoonAge(noon));
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

    const int days = DaysInMonth(IsCalendarLeapYear(view.year), view.month);
    const int first = FirstCell(DayOfWeek(view.year, view.month, 1), 1);
    // The cell of day n, none for a day the calendar reform dropped (October 1582 goes on from
    // Thursday the 4th to Friday the 15th).
    const auto cellOf = [&](int n) -> std::optional<int> {
        const std::optional<int> offset = DayOffset(view.year, view.month, n);
        if (!offset) return std::nullopt;
        return first + *offset;
    };
    const std::optional<int> chosenCell = cellOf(view.day);

    // Title bar and weekday bar.
    Rectangle(p, d, 24, W - d, 60, kFrameGrey, kTitleYellow);
    Rectangle(p, d, 61, W - d, 97, kFrameGrey, Qt::white);

    // The grid of 7 x 6 cells; neighbouring cells share their grey border line.
    for (int i = 0; i < 7; ++i)
        for (int j = 0; j < 6; ++j)
            Rectangle(p, d + a * i, 98 + j * h, d + a * (i + 1) + 1, 99 + (j + 1) * h, kFrameGrey, Qt::black);
    // The chosen day keeps its black cell but gets a frame in the title's yellow.
    if (view.day >= 1 && view.day <= days && chosenCell) {
        const int i = *chosenCell % 7, j = *chosenCell / 7;
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
        if (!cellOf(n)) continue;
        const int cell = *cellOf(n);
        const int column = cell % 7, row = cell / 7;
        TextOut(p, fm, d + a * column + 3, row * h + 101, QString::number(n),
                column == 0 ? kSundayRed : kDayNumberGrey);
    }

    if (view.sheet && !view.sheet->isNull()) {
        for (int n = 1; n <= days; ++n) {
            const int picture = view.pictures[n - 1];
            if (picture < 0 || picture > 27 || !cellOf(n)) continue;
            const int cell = *cellOf(n);
            const int column = cell % 7, row = cell / 7;
            const int v = d + a * (column + 1);
            const QRect target(v - 60, row * h + 118, kPictureSize, kPictureSize);
            const QRect source(SheetPictureOrigin(picture), QSize(kPictureSize, kPictureSize));
            if (view.southern)
                p.drawImage(target, view.sheet->copy(source).mirrored(true, true));
            else
                p.drawImage(target, *view.sheet, source);
        }
    }
    p.restore();
}

}  // namespace mooncal

// ---- The paint surface -------------------------------------------------------------------------

MoonCalendarBox::MoonCalendarBox(MoonPhaseCalendarWindow* owner) : QWidget(owner), owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MoonCalendarBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    owner_->paintCalendar(painter);
}

// ---- MoonPhaseCalendarWindow ---------------------------------------------------------------------

MoonPhaseCalendarWindow::MoonPhaseCalendarWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("MoonPhaseCalendarWindow");
    setWindowTitle(tr("Moon phase calendar"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    SetWhiteBackground(this);
    QFont formFont(mooncal::CalendarFont().family());
    formFont.setPixelSize(11);
    setFont(formFont);

    datePanel_ = new QFrame(this);
    datePanel_->setObjectName("datePanel");
    datePanel_->setFrameShape(QFrame::NoFrame);
    datePanel_->setMinimumHeight(27);
    datePanel_->setAutoFillBackground(true);
    QPalette panelPal = datePanel_->palette();
    panelPal.setColor(QPalette::Window, QColor(240, 240, 240));
    datePanel_->setPalette(panelPal);
    QFont panelFont(formFont);
    panelFont.setPixelSize(13);
    datePanel_->setFont(panelFont);

    dateLabel_ = new QLabel(tr("Date"), datePanel_);
    dateLabel_->setObjectName("dateLabel");
    QFont labelFont(formFont);
    labelFont.setPixelSize(12);
    dateLabel_->setFont(labelFont);
    QPalette labelPal = dateLabel_->palette();
    labelPal.setColor(QPalette::WindowText, QColor(0, 0, 128));  // navy
    dateLabel_->setPalette(labelPal);

    dateEdit_ = MakeDateEdit(datePanel_, "dateEdit", QRect());
    dateEdit_->setMinimumSize(106, 24);
    if (QCalendarWidget* calendar = dateEdit_->calendarWidget()) {
        calendar->setWindowTitle(tr("Choose a date"));
        QPalette calPal = calendar->palette();
        calPal.setColor(QPalette::Window, QColor(240, 240, 240));
        calendar->setPalette(calPal);
    }

    calendarBox_ = new MoonCalendarBox(this);
    calendarBox_->setObjectName("calendarBox");
    // The sheet's drawing is laid out for 784 × 578; on a screen too small for it (with the date
    // row and a title bar) the box is smaller and the drawing scaled to it.
    QSize box = kSheetSize;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableGeometry().size() - QSize(16, 90);
        if (room.width() > 0 && room.height() > 0 && (room.width() < box.width() || room.height() < box.height()))
            box = kSheetSize.scaled(room, Qt::KeepAspectRatio);
    }
    calendarBox_->setFixedSize(box);

    sheetHolder_ = new QLabel(this);
    sheetHolder_->setObjectName("sheetHolder");
    sheetHolder_->move(12, 40);
    sheetHolder_->hide();

    // The date in a row above the calendar; the panel as tall as its date field needs.
    auto* row = new QHBoxLayout(datePanel_);
    row->setContentsMargins(16, 1, 16, 1);
    row->setSpacing(8);
    row->addWidget(dateLabel_);
    row->addWidget(dateEdit_);
    row->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->addWidget(datePanel_);
    column->addWidget(calendarBox_);
    column->activate();
    row->activate();

    connect(dateEdit_, &QDateEdit::dateChanged, calendarBox_, qOverload<>(&QWidget::update));
}

MoonPhaseCalendarWindow::MoonPhaseCalendarWindow(const ObserverState& observer, QWidget* parent)
    : MoonPhaseCalendarWindow(parent) {
    southern_ = observer.Latitude < 0;
}

void MoonPhaseCalendarWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The window is created for each opening, so its first showing is its activation. Later
    // activations (say, on return from the calendar pop-up) keep the date the user chose.
    if (!activated_) showToday();
}

void MoonPhaseCalendarWindow::showToday() {
    activated_ = true;
    if (sheet_.isNull()) {
        try {
            sheet_ = LoadPicture("s3").convertToFormat(QImage::Format_RGB32);
            sheetHolder_->setPixmap(QPixmap::fromImage(sheet_));
            sheetHolder_->resize(sheet_.size());
        } catch (const std::exception& e) {
            // Without the sheet the calendar still shows its days, just without pictures.
            showError(QString::fromUtf8(e.what()));
        }
    }
    dateEdit_->setDate(QDate::currentDate());
    calendarBox_->update();
}

const mooncal::MonthPictures& MoonPhaseCalendarWindow::picturesFor(int year, int month) {
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

mooncal::MonthView MoonPhaseCalendarWindow::currentView() {
    mooncal::MonthView view;
    view.size = kSheetSize;
    const CivilDate date = CivilDateOfDay(dateEdit_->date());
    view.year = date.year;
    view.month = date.month;
    view.day = date.day;
    view.pictures = picturesFor(view.year, view.month);
    view.sheet = &sheet_;
    view.southern = southern_;
    return view;
}

QImage MoonPhaseCalendarWindow::renderMonth() {
    const qreal dpr = calendarBox_->devicePixelRatioF();
    const QSize size = calendarBox_->size();
    QImage image(size * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    QPainter p(&image);
    if (size != kSheetSize) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.scale(double(size.width()) / kSheetSize.width(), double(size.height()) / kSheetSize.height());
    }
    try {
        mooncal::PaintMonth(p, currentView());
    } catch (const std::exception& e) {
        const QString text = QString::fromUtf8(e.what());
        p.resetTransform();
        p.fillRect(QRect(QPoint(0, 0), size), Qt::white);
        p.setPen(Qt::black);
        p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, text);
        // Not from inside the paint event: a message box there would paint again and again.
        if (pendingError_.isEmpty()) {
            pendingError_ = text;
            QTimer::singleShot(0, this, [this] {
                showError(pendingError_);
                pendingError_.clear();
            });
        }
    }
    return image;
}

void MoonPhaseCalendarWindow::paintCalendar(QPainter& painter) {
    painter.drawImage(QPoint(0, 0), renderMonth());
}

void MoonPhaseCalendarWindow::showError(const QString& text) { ReportFailure(this, text); }

}  // namespace noctaris
