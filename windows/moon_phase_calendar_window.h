#pragma once
// MoonPhaseCalendarWindow: the moon phase calendar. One calendar month as a grid of seven
// weekday columns (Sunday first) and six week rows; each day's cell shows the day number and
// a picture of the Moon's phase at noon of that day. The month is picked with the date field.
//
// The drawing is a free function on any QPainter, so it renders headless; the window only
// holds the picture sheet, the date field and a cache of the month's phase pictures.
#include <array>
#include <optional>

#include <QDate>
#include <QDialog>
#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include "chart/state.h"

class QDateEdit;
class QFrame;
class QLabel;
class QPainter;

namespace noctaris {

class MoonPhaseCalendarWindow;

namespace mooncal {

// The calendar's leap years: Julian before 1582, Gregorian from then on.
bool IsCalendarLeapYear(int year);
// Days from the first of the month to the given day; none for a day that does not exist (the
// ten days of October 1582 that the reform dropped, a 30 February).
std::optional<int> DayOffset(int year, int month, int day);
// Days of a month given whether the year is a leap year; 0 for month 0 and months above 12.
int DaysInMonth(bool leap, int month);

// Month names indexed 1..12 (empty for anything else); weekday headings for columns 0..6,
// Sunday first. Both in the language of the installed translator.
QString MonthName(int month);
QString WeekdayHeading(int column);

// Weekday of a date, 1 = Sunday ... 7 = Saturday (the calendar's date: Julian before 1582-10-15).
int DayOfWeek(int year, int month, int day);
// Grid cell of the first of the month from any date of it and that date's weekday w
// (1 Sunday ... 7 Saturday): w - day, raised by steps of 7 until it is at least 2. Day n sits
// in cell FirstCell + n - 1, column cell mod 7, row cell div 7; so a month that begins on a
// Sunday or a Monday starts in the second row.
int FirstCell(int weekday, int day);

// Number 0..27 of the phase picture for a Moon age in days (0 = new moon).
int PictureForAge(long double age);
// Phase pictures of the days 1..DaysInMonth of a month, from the Moon's age at noon of each
// day. A second day in a row with picture 0 shows picture 1, so a month never shows two new
// moons side by side. Entries past the month's last day are -1.
using MonthPictures = std::array<int, 31>;
MonthPictures ComputeMonthPictures(int year, int month);

// Where the 52 x 52 picture n lies on the picture sheet "s3" (7 x 4 pictures).
QPoint SheetPictureOrigin(int n);

// Sizes derived from the paint surface: column width a, margin d, row height h.
struct Layout {
    int a = 0, d = 0, h = 0;
    static Layout For(QSize size);
};

// Everything one paint needs: the size of the surface, the chosen date (its day framed; day 0
// frames none), the phase pictures of its month, the picture sheet (a null sheet leaves the
// cells without pictures) and whether the Moon is seen from the southern hemisphere.
struct MonthView {
    QSize size;
    int year = 2000, month = 1, day = 1;
    MonthPictures pictures{};
    const QImage* sheet = nullptr;
    // The sheet shows the Moon as seen from the north; from south of the equator it stands on
    // its head: each picture turned half round, the waxing Moon lit on the left.
    bool southern = false;
};

// Paints the month view onto `painter` with (0, 0) at the surface's top-left corner.
void PaintMonth(QPainter& painter, const MonthView& view);

}  // namespace mooncal

// The paint surface of the window: every paint draws the month of the date field.
class MoonCalendarBox : public QWidget {
    Q_OBJECT
public:
    explicit MoonCalendarBox(MoonPhaseCalendarWindow* owner);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    MoonPhaseCalendarWindow* owner_;
};

class MoonPhaseCalendarWindow : public QDialog {
    Q_OBJECT
public:
    explicit MoonPhaseCalendarWindow(QWidget* parent = nullptr);
    // The Moon as seen from the observer's hemisphere.
    explicit MoonPhaseCalendarWindow(const ObserverState& observer, QWidget* parent = nullptr);

    // Loads the picture sheet (once) and sets the date field to today, which repaints. Runs
    // when the window is first shown (unless called before).
    void showToday();
    // The month view as it would be painted now (the date field's date, the cached pictures).
    mooncal::MonthView currentView();
    // The calendar rendered into an image (what the paint surface shows).
    QImage renderMonth();

    const QImage& sheet() const { return sheet_; }
    // How many times the phase pictures of a month have been computed (each is 28..31 Moon
    // ages); repaints of the same month reuse them.
    int pictureComputations() const { return computations_; }

protected:
    void showEvent(QShowEvent*) override;

private:
    friend class MoonCalendarBox;
    // Paints the month of the date field onto the paint surface.
    void paintCalendar(QPainter& painter);
    void showError(const QString& text);
    const mooncal::MonthPictures& picturesFor(int year, int month);

    QFrame* datePanel_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QDateEdit* dateEdit_ = nullptr;
    MoonCalendarBox* calendarBox_ = nullptr;
    QLabel* sheetHolder_ = nullptr;  // hidden holder of the picture sheet

    QImage sheet_;
    bool southern_ = false;
    bool activated_ = false;
    int cachedYear_ = 0, cachedMonth_ = 0;
    mooncal::MonthPictures cached_{};
    int computations_ = 0;
    QString pendingError_;
};

}  // namespace noctaris
