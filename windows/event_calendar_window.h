#pragma once
// EventCalendarWindow: the astronomical calendar. For a year typed by the user it lists every event of
// the year (seasons, moon phases, eclipses, conjunctions, oppositions, elongations, perigee and
// apogee, summer-time changes) as text lines in local standard time of the observation place.
//
// The lines and the exported files are built by free functions, so they can be checked without
// a window, and noctaris-cli writes the same files.
#include <vector>

#include <QByteArray>
#include <QDateTime>
#include <QDialog>
#include <QString>
#include <QStringList>

#include "astro/events/calendar_events.h"
#include "chart/state.h"
#include "windows/exports.h"
#include "windows/exports_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QShowEvent;

namespace noctaris {

namespace eventcal {

// The five header lines: place, latitude, longitude, zone and one blank line.
QStringList HeaderLines(const QString& placeName, double latitude, double longitude,
                        double zone);
// The same with the place's zone named and the offsets its clock keeps in the years
// first..last ("Time zone: Australia/Sydney (UTC+10:00, UTC+11:00)"; standard time only when
// the clock is not the legal one); the line above for a zone without a name.
QStringList HeaderLines(const QString& placeName, double latitude, double longitude,
                        const ZoneDescription& zone, const std::string& zoneName, int first, int last);
// Delta T in days for the whole list, taken at the middle of its window.
double ListDeltaTDays(const EventList& list);
// Julian day of the event on the zone's clock (a zone in hours: standard time), rounded to the
// second, as its line shows it; for a summer-time change (a date without a time) the event's
// own JD.
double EventLocalJD(const CalendarEvent& event, double deltaTDays, const ZoneDescription& zone);
double EventLocalJD(const CalendarEvent& event, double deltaTDays, double zone);
// An event's text in the language of the installed translator (the English text without one).
QString EventText(const CalendarEvent& event);
// One event line: "Tu 20.3.12<TAB>06:13:39<TAB>Beginning of spring" (no time for the
// summer-time changes), weekday and text translated. deltaTDays is subtracted and the zone
// (hours east of UT) added.
QString EventLine(const CalendarEvent& event, double deltaTDays, const ZoneDescription& zone);
QString EventLine(const CalendarEvent& event, double deltaTDays, double zone);
// The year's event list with the numbers in its texts in the user's locale. The seasons are
// named for the hemisphere here and below.
EventList BuildLocalizedEventList(int year, const ZoneDescription& zone, Hemisphere hemisphere = Hemisphere::North);
EventList BuildLocalizedEventList(int year, double zone, Hemisphere hemisphere = Hemisphere::North);
// All event lines of a year for a zone, in time order.
QStringList EventLines(int year, const ZoneDescription& zone, Hemisphere hemisphere = Hemisphere::North);
QStringList EventLines(int year, double zone, Hemisphere hemisphere = Hemisphere::North);

// The events of the years first..last as records for CSV and JSON: "utc" and "local" (ISO
// 8601, on the zone's clock) and "event", whose numbers have a decimal point whatever the
// locale, and English in every language. A summer-time change is a date: no "utc", and its day
// as "local".
std::vector<exports::Record> CalendarRecords(int first, int last, const ZoneDescription& zone,
                                             Hemisphere hemisphere = Hemisphere::North);
std::vector<exports::Record> CalendarRecords(int first, int last, double zone,
                                             Hemisphere hemisphere = Hemisphere::North);
// The iCalendar file of the years first..last: one event per calendar line with the line's
// English text (numbers in the user's locale, as a calendar program shows them to people), named
// "Noctaris <years>, <place>"; `stamp` is the DTSTAMP of every event.
QByteArray CalendarIcs(int first, int last, const QString& placeName, const ZoneDescription& zone,
                       const QDateTime& stamp, Hemisphere hemisphere = Hemisphere::North);
QByteArray CalendarIcs(int first, int last, const QString& placeName, double zone,
                       const QDateTime& stamp, Hemisphere hemisphere = Hemisphere::North);

}  // namespace eventcal

class EventCalendarWindow : public QDialog {
    Q_OBJECT
public:
    // observer: the place and its zone, read at every listing. placeBox: the main window's
    // place selector, whose text names the place; without it the place name of the observer
    // state is shown. askFile: asks where "Export…" writes (empty: the file dialog).
    explicit EventCalendarWindow(const ObserverState& observer, const QComboBox* placeBox = nullptr,
                                 SaveFilePrompt askFile = {}, QWidget* parent = nullptr);

    // On each showing of the window: the current year into the year field, then showYear().
    void showCurrentYear();
    // Header lines, then the event lines of the year in the year field ("Show"). A year that is
    // not an integer (or one the calendar cannot hold) leaves the header alone and reports the
    // error.
    void showYear();
    // "Export…": the year shown, as an iCalendar or a CSV file, written where the user says. A
    // failure to write is reported and leaves no file.
    void exportYear();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString placeName() const;
    void widenList();

    const ObserverState& observer_;
    const QComboBox* placeBox_;
    SaveFilePrompt askFile_;
    int shownYear_ = 0;  // the year listed; 0 while none is

    QListWidget* eventList_ = nullptr;
    QLabel* yearLabel_ = nullptr;
    QLineEdit* yearEdit_ = nullptr;
    QPushButton* showButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
};

}  // namespace noctaris
