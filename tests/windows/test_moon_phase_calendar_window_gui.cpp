// The moon phase calendar as painted, and the window around it.
#include <QCalendarWidget>
#include <QDateEdit>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <gtest/gtest.h>

#include "window_tests.h"
#include "platform/pictures.h"
#include "windows/moon_phase_calendar_window.h"

using namespace noctaris;
using namespace noctaris::mooncal;
using test::Child;

namespace {

const QRgb kYellow = qRgb(255, 255, 160);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

void SaveGrab(const QImage& image, const char* name) {
    const QString dir = qEnvironmentVariable("NOCTARIS_GRAB_DIR");
    if (!dir.isEmpty()) image.save(QDir(dir).filePath(name));
}

QImage Paint(const MonthView& view) {
    QImage image(view.size, QImage::Format_RGB32);
    image.fill(Qt::magenta);  // anything left unpainted would show
    QPainter p(&image);
    PaintMonth(p, view);
    return image;
}

// Counts pixels in a rectangle that satisfy a predicate.
template <class F>
int Count(const QImage& image, QRect r, F pred) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) n += pred(QColor(image.pixel(x, y)));
    return n;
}

bool IsRed(const QColor& c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }
bool IsLight(const QColor& c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; }

class MoonCalendarPaint : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sheet_ = new QImage(LoadPicture("s3").convertToFormat(QImage::Format_RGB32));
        pictures_ = new MonthPictures(ComputeMonthPictures(2026, 12));
    }
    static void TearDownTestSuite() {
        delete sheet_;
        delete pictures_;
    }
    MonthView December2026(int day) const {
        MonthView v;
        v.size = QSize(784, 578);
        v.year = 2026;
        v.month = 12;
        v.day = day;
        v.pictures = *pictures_;
        v.sheet = sheet_;
        return v;
    }
    static QImage* sheet_;
    static MonthPictures* pictures_;
};
QImage* MoonCalendarPaint::sheet_ = nullptr;
MonthPictures* MoonCalendarPaint::pictures_ = nullptr;

}  // namespace

TEST_F(MoonCalendarPaint, BarsAndGridAtTheirPixels) {
    const QImage img = Paint(December2026(24));
    SaveGrab(img, "moon_calendar_december_2026.png");
    // Title bar (49, 24)-(735, 60) yellow inside a grey frame; weekday bar below it white.
    EXPECT_EQ(img.pixel(730, 40), kYellow);
    EXPECT_EQ(img.pixel(49, 40), kGrey);
    EXPECT_EQ(img.pixel(734, 40), kGrey);
    EXPECT_EQ(img.pixel(735, 40), kWhite);
    EXPECT_EQ(img.pixel(400, 24), kGrey);
    EXPECT_EQ(img.pixel(400, 59), kGrey);
    EXPECT_EQ(img.pixel(400, 61), kGrey);
    EXPECT_EQ(img.pixel(30, 40), kWhite);
    // The grid spans x = 49..735 and y = 98..554, cells of 98 x 76 sharing their border lines.
    EXPECT_EQ(img.pixel(48, 150), kWhite);
    EXPECT_EQ(img.pixel(49, 150), kGrey);
    EXPECT_EQ(img.pixel(147, 150), kGrey);
    EXPECT_EQ(img.pixel(735, 150), kGrey);
    EXPECT_EQ(img.pixel(736, 150), kWhite);
    EXPECT_EQ(img.pixel(60, 98), kGrey);
    EXPECT_EQ(img.pixel(60, 174), kGrey);
    EXPECT_EQ(img.pixel(60, 554), kGrey);
    EXPECT_EQ(img.pixel(60, 555), kWhite);
    // Cells 0 and 1 are empty in December 2026 (it begins on a Tuesday): black inside.
    EXPECT_EQ(Count(img, QRect(50, 99, 96, 74), [](const QColor& c) { return c.rgb() != kBlack; }), 0);
    EXPECT_EQ(Count(img, QRect(148, 99, 96, 74), [](const QColor& c) { return c.rgb() != kBlack; }), 0);
    // No pixel of the surface is left unpainted.
    EXPECT_EQ(Count(img, img.rect(), [](const QColor& c) { return c == QColor(Qt::magenta); }), 0);
}

TEST_F(MoonCalendarPaint, TextsAndDayNumbers) {
    const QImage img = Paint(December2026(24));
    // The title "December 2026" is black on the yellow bar, the headings black on white.
    EXPECT_GT(Count(img, QRect(59, 27, 200, 30), [](const QColor& c) { return c.value() < 60; }), 100);
    for (int i = 0; i < 7; ++i) {
        const int x = 98 * (i + 1);
        EXPECT_GT(Count(img, QRect(x - 20, 64, 40, 30), [](const QColor& c) { return c.value() < 60; }), 20) << i;
        // ... centred on x: about as much ink left as right of it.
        const int left = Count(img, QRect(x - 25, 62, 25, 34), [](const QColor& c) { return c.value() < 128; });
        const int right = Count(img, QRect(x, 62, 25, 34), [](const QColor& c) { return c.value() < 128; });
        EXPECT_NEAR(left, right, (left + right) / 3 + 5) << i;
    }
    // Sunday 6 December: cell 7 (row 1, column 0), a red number at (52, 177).
    const QRect six(52, 177, 34, 30);
    EXPECT_GT(Count(img, six, IsRed), 20);
    // Monday 7 December: cell 8, a light grey number, nothing red.
    const QRect seven(150, 177, 34, 30);
    EXPECT_GT(Count(img, seven, IsLight), 20);
    EXPECT_EQ(Count(img, seven, IsRed), 0);
    // Cell 33 (the 32nd day) would be at row 4, column 5: December has only 31 days.
    EXPECT_EQ(Count(img, QRect(49 + 98 * 5 + 3, 4 * 76 + 101, 34, 30), IsLight), 0);
}

TEST_F(MoonCalendarPaint, PhasePicturesCopiedFromTheSheet) {
    const QImage img = Paint(December2026(1));
    auto pictureAt = [&](int day) {
        const int cell = 2 + day - 1;  // December 2026 starts in cell 2
        const int v = 49 + 98 * (cell % 7 + 1);
        return img.copy(v - 60, (cell / 7) * 76 + 118, 52, 52);
    };
    auto sheetPicture = [&](int n) { return sheet_->copy(QRect(SheetPictureOrigin(n), QSize(52, 52))); };
    EXPECT_EQ(pictureAt(9), sheetPicture(0));    // new moon
    EXPECT_EQ(pictureAt(24), sheetPicture(14));  // full moon
    for (int day = 1; day <= 31; ++day) EXPECT_EQ(pictureAt(day), sheetPicture((*pictures_)[day - 1])) << day;
}

TEST_F(MoonCalendarPaint, SouthOfTheEquatorTheMoonStandsOnItsHead) {
    // From the south each picture is the northern one turned half round: the waxing Moon lit on
    // the left. The window takes the hemisphere from the observer's latitude.
    MonthView south = December2026(1);
    south.southern = true;
    const QImage img = Paint(December2026(1)), turned = Paint(south);
    int changed = 0;
    for (int day = 1; day <= 31; ++day) {
        const int cell = 2 + day - 1;
        const int v = 49 + 98 * (cell % 7 + 1), top = (cell / 7) * 76 + 118;
        const QImage a = img.copy(v - 60, top, 52, 52), b = turned.copy(v - 60, top, 52, 52);
        EXPECT_EQ(b, a.mirrored(true, true)) << day;
        changed += a != b;
    }
    EXPECT_EQ(changed, 31);  // no phase picture looks the same upside down
    ObserverState sydney;
    sydney.Latitude = -33.87;
    EXPECT_TRUE(MoonPhaseCalendarWindow(sydney).currentView().southern);
    EXPECT_FALSE(MoonPhaseCalendarWindow(ObserverState{}).currentView().southern);
}

TEST_F(MoonCalendarPaint, ChosenDayFramedInYellow) {
    // The 24th is cell 25: row 3, column 4, whose top edge runs along y = 98 + 3 * 76.
    const QImage img = Paint(December2026(24));
    EXPECT_EQ(img.pixel(480, 326), kYellow);
    EXPECT_EQ(img.pixel(382, 326), kGrey);
    const QImage other = Paint(December2026(23));
    EXPECT_EQ(other.pixel(480, 326), kGrey);
    EXPECT_EQ(other.pixel(382, 326), kYellow);
}

TEST_F(MoonCalendarPaint, WithoutSheetTheDaysStillShow) {
    MonthView v = December2026(24);
    v.sheet = nullptr;
    const QImage img = Paint(v);
    EXPECT_GT(Count(img, QRect(52, 177, 34, 30), IsRed), 20);
    EXPECT_EQ(img.pixel(479 + 26, 346 + 26), kBlack);  // where the 24th's picture would be
}

TEST_F(MoonCalendarPaint, AnyMonthPaintsWithinTheGrid) {
    // A 31-day month from a Monday uses rows 1..5 and leaves row 0 empty.
    MonthView v;
    v.size = QSize(784, 578);
    v.year = 2025;
    v.month = 12;
    v.day = 1;
    v.pictures = ComputeMonthPictures(2025, 12);
    v.sheet = sheet_;
    const QImage img = Paint(v);
    EXPECT_EQ(Count(img, QRect(50, 99, 684, 74), [](const QColor& c) { return c.rgb() != kBlack && c.rgb() != kGrey; }), 0);
    // Its 31st lies in cell 38: row 5, column 3.
    EXPECT_GT(Count(img, QRect(49 + 98 * 3 + 3, 5 * 76 + 101, 34, 30), IsLight), 20);
}

TEST(MoonCalendarWindow, ComponentsAsDesigned) {
    MoonPhaseCalendarWindow w;
    QFrame* const panel = Child<QFrame>(w, "datePanel");
    QLabel* const label = Child<QLabel>(w, "dateLabel");
    QDateEdit* const date = Child<QDateEdit>(w, "dateEdit");
    EXPECT_EQ(w.windowTitle(), "Moon phase calendar");
    // The date above the calendar, the label left of its field, both within the panel.
    const QWidget* box = Child<QWidget>(w, "calendarBox");
    EXPECT_EQ(panel->geometry().bottom() + 1, box->y());
    EXPECT_EQ(w.size(), QSize(784, panel->height() + 578));
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(240, 240, 240));
    EXPECT_EQ(label->text(), "Date");
    EXPECT_LT(label->geometry().right(), date->x());
    EXPECT_TRUE(panel->rect().contains(date->geometry()) && panel->rect().contains(label->geometry()));
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_TRUE(date->calendarPopup());
    EXPECT_EQ(date->calendarWidget()->windowTitle(), "Choose a date");
    EXPECT_EQ(date->date(), QDate::currentDate());
    EXPECT_EQ(box->size(), QSize(784, 578));
    EXPECT_FALSE(Child<QLabel>(w, "sheetHolder")->isVisibleTo(&w));
}

TEST(MoonCalendarWindow, ActivationLoadsTheSheetAndRepaintsOnDateChange) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    MoonPhaseCalendarWindow w;
    QDateEdit* const date = Child<QDateEdit>(w, "dateEdit");
    date->setDate(QDate(2020, 1, 1));
    w.showToday();
    EXPECT_EQ(w.sheet().size(), QSize(602, 315));
    EXPECT_EQ(Child<QLabel>(w, "sheetHolder")->size(), QSize(602, 315));
    EXPECT_EQ(date->date(), QDate::currentDate());  // activation shows today

    // Days of one month reuse its pictures; another month computes its own.
    date->setDate(QDate(2026, 12, 5));
    const int before = w.pictureComputations();
    const QImage fifth = w.renderMonth();
    EXPECT_EQ(w.pictureComputations(), before + 1);
    date->setDate(QDate(2026, 12, 24));
    const QImage img = w.renderMonth();
    EXPECT_EQ(w.pictureComputations(), before + 1);
    date->setDate(QDate(2027, 1, 24));
    w.renderMonth();
    EXPECT_EQ(w.pictureComputations(), before + 2);
    date->setDate(QDate(2026, 12, 24));

    // What the window paints is the month view of its date.
    const QImage expected = Paint(w.currentView());
    EXPECT_EQ(img.convertToFormat(QImage::Format_RGB32), expected);
    EXPECT_NE(fifth, img);  // the chosen day's frame moved

    // The window as shown: the paint box below the panel carries the calendar.
    w.show();
    const QImage grab = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    SaveGrab(grab, "moon_calendar_window.png");
    const int top = Child<QWidget>(w, "calendarBox")->y();
    EXPECT_EQ(grab.pixel(730, top + 40), kYellow);
    EXPECT_EQ(grab.copy(0, top, 784, 578), expected);
    w.close();
    QLocale::setDefault(QLocale::system());
}
