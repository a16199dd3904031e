#pragma once
// What every window of the program shares: its fonts, white backgrounds and text boxes, date
// fields, the summer-time rule of the Sun and terminator windows, and how a failure is reported.
#include <optional>
#include <string_view>

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

#include "astro/theories/planets.h"
#include "astro/time/local_time.h"

class QDateEdit;
class QPlainTextEdit;
class QWidget;

namespace noctaris {

// Message boxes and modal windows are shown unless a test switched them off with
// SetDialogsAllowed(false): a box would wait for a click that never comes.
bool DialogsAllowed();
void SetDialogsAllowed(bool allowed);

// A failure inside an event handler: a warning box over `parent` titled `title`, or a log line
// when dialogs are off. The program goes on either way.
void ReportFailure(QWidget* parent, const QString& title, const QString& text);
// The same, titled with the window's own title.
void ReportFailure(QWidget* window, const QString& text);

// The bundled DejaVu Sans in a pixel size (it stands for "Verdana" and "MS Sans Serif"). A bold
// font is synthesised from the regular face unless WindowFontFamilyWithBold() has run.
QFont WindowFont(int pixelSize, bool bold = false);
// The bundled family with its bold face registered as well, for windows whose bold texts would
// look smeared when synthesised.
QString WindowFontFamilyWithBold();

// A white window background (Window colour, filled automatically).
void SetWhiteBackground(QWidget* widget);

// How a borderless white text box behaves: the Moon and Sun windows' boxes take focus on a
// click and never scroll; the planet window's take no focus and scroll when their text does
// not fit.
struct TextBoxStyle {
    bool readOnly = true;
    Qt::FocusPolicy focus = Qt::ClickFocus;
    bool scrollBars = false;  // as needed; otherwise never
    int margin = 2;           // pixels around the text
};
// A borderless white text box in the 11 pixel window font, black text.
QPlainTextEdit* MakeTextBox(QWidget* parent, const char* name, QRect geometry,
                            const TextBoxStyle& style = {});
// The size a text box needs to show every line on one line and all lines at once, with tabs
// advancing to the document's tab stops as the box lays them out.
QSize TextBoxExtent(const QPlainTextEdit* box);
// Grows a text box (never below its designed size) until its text fits.
void FitTextBox(QPlainTextEdit* box, QSize designed);
// Shows a text of CR LF lines in a text box, which takes plain line breaks.
void SetCrLfText(QPlainTextEdit* box, const QString& text);

// A date field with a calendar pop-up, the short date format and the dates 1..9999, set to
// today, naming its days in the civil calendar (FollowCivilCalendar).
QDateEdit* MakeDateEdit(QWidget* parent, const char* name, QRect geometry);
// Keeps a date field naming its day as every report does: in the Julian calendar before
// 1582-10-15. A date typed across the reform keeps the day, month and year typed; a date set
// by the program keeps its day. Read the field's date with CivilDateOfDay.
void FollowCivilCalendar(QDateEdit* edit);
// Shows a day in such a field with the calendar that names it, also while its signals are blocked.
void SetCivilDay(QDateEdit* edit, const QDate& day);

// A frame label of the precise reports ("apparent of date", "J2000") in the user's language.
QString FrameShown(std::string_view frame);
// "visible" or "not visible" as the ephemeris table and the planet window say it.
QString VisibilityText(bool visible);
// A rising or setting time of the ephemeris table and the planet window (RiseSetText: "12h34m",
// "-", or whether a planet that never crosses the horizon stays visible) in the user's language.
QString RiseSetShown(const std::optional<double>& clockHours, const RiseSet& day);
// Rising and setting counted in hours from a local midnight read with `assumedOffsetHours`
// (midnightUT) as the first passages of that point of the sky in the civil day of that date
// (from its own midnight to the next, 23 or 25 hours when the clock changes), each read on the
// clock kept at its own instant (HoursOnOwnClock); none when the day has no such passage.
RiseSet RiseSetOnOwnClock(const RiseSet& day, const ZoneDescription& zone, double midnightUT,
                          double assumedOffsetHours);

// Night vision for what a window paints in colour (pictures, maps, plans): each of the window's
// widgets shown through the red filter (brightness to red alone), or, with `on` false, as it
// was. A widget whose "nightRed" property is true (the chart, red already) is left out, and so
// is a widget with an effect of its own.
void SetRedFilter(QWidget* window, bool on);

}  // namespace noctaris
