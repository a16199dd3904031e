#pragma once
// EventCalendarWindow: the astronomical calendar. For a year typed by the user it lists every event of
// the year (seasons, moon phases, eclipses, conjunctions, oppositions, elongations, perigee and
// apogee, summer-time changes) as text lines in local standard time of the observation place.
//
// The lines are built by free functions, so they can be checked without a window.
#include <QDialog>
#include <QString>
#include <QStringList>

#include "astro/calendar_events.h"
#include "chart/state.h"

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
// Delta T in days for the whole list, taken at the middle of its window.
double ListDeltaTDays(const EventList& list);
// Julian day of the event in the zone's standard time, rounded to the second, as its line
// shows it; for a summer-time change (a date without a time) the event's own JD.
double EventLocalJD(const CalendarEvent& event, double deltaTDays, double zone);
// One event line: "Tu 20.3.12<TAB>06:13:39<TAB>Beginning of spring" (no time for the
// summer-time changes). deltaTDays is subtracted and the zone (hours east of UT) added.
QString EventLine(const CalendarEvent& event, double deltaTDays, double zone);
// The year's event list with the numbers in its texts in the user's locale.
EventList BuildLocalizedEventList(int year, double zone);
// All event lines of a year for a zone, in time order.
QStringList EventLines(int year, double zone);

}  // namespace eventcal

class EventCalendarWindow : public QDialog {
    Q_OBJECT
public:
    // observer: the place and its zone, read at every listing. placeBox: the main window's
    // place selector, whose text names the place; without it the place name of the observer
    // state is shown.
    explicit EventCalendarWindow(const ObserverState& observer, const QComboBox* placeBox = nullptr,
                                 QWidget* parent = nullptr);

    // On each showing of the window: the current year into the year field, then showYear().
    void showCurrentYear();
    // Header lines, then the event lines of the year in the year field ("Show"). A year that is
    // not an integer (or one the calendar cannot hold) leaves the header alone and reports the
    // error.
    void showYear();

protected:
    void showEvent(QShowEvent* event) override;

private:
    const ObserverState& observer_;
    const QComboBox* placeBox_;
    QListWidget* eventList_ = nullptr;
    QLabel* yearLabel_ = nullptr;
    QLineEdit* yearEdit_ = nullptr;
    QPushButton* showButton_ = nullptr;
};

}  // namespace noctaris
