#pragma once
// Time control of the main window: the animation's step table and the step itself, the list of
// times of day and how the date edit and the clock set the observer's moment.
#include <array>

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include "chart/state.h"

namespace noctaris {

struct TimeStep {
    const char* caption;
    long long milliseconds;
};

// The entries of the "Time interval" list, in order; the captions are English and shown through
// StepCaption. Steps are whole milliseconds, so that n steps move the clock by exactly n times
// the step.
inline constexpr std::array<TimeStep, 16> kTimeSteps = {{
    {QT_TRANSLATE_NOOP("TimeStep", "15 seconds"), 15'000},
    {QT_TRANSLATE_NOOP("TimeStep", "30 seconds"), 30'000},
    {QT_TRANSLATE_NOOP("TimeStep", "1 minute"), 60'000},
    {QT_TRANSLATE_NOOP("TimeStep", "2 minutes"), 120'000},
    {QT_TRANSLATE_NOOP("TimeStep", "3 minutes"), 180'000},
    {QT_TRANSLATE_NOOP("TimeStep", "5 minutes"), 300'000},
    {QT_TRANSLATE_NOOP("TimeStep", "10 minutes"), 600'000},
    {QT_TRANSLATE_NOOP("TimeStep", "15 minutes"), 900'000},
    {QT_TRANSLATE_NOOP("TimeStep", "30 minutes"), 1'800'000},
    {QT_TRANSLATE_NOOP("TimeStep", "1 hour"), 3'600'000},
    {QT_TRANSLATE_NOOP("TimeStep", "2 hours"), 7'200'000},
    {QT_TRANSLATE_NOOP("TimeStep", "3 hours"), 10'800'000},
    {QT_TRANSLATE_NOOP("TimeStep", "6 hours"), 21'600'000},
    {QT_TRANSLATE_NOOP("TimeStep", "12 hours"), 43'200'000},
    {QT_TRANSLATE_NOOP("TimeStep", "23 h 56 min"), 86'163'454},  // 0.9972621969282218 d (23 h 56 min 3.45 s)
    {QT_TRANSLATE_NOOP("TimeStep", "24 hours"), 86'400'000},
}};

// An entry's caption as the list shows it, in the program's language.
QString StepCaption(const TimeStep& step);

// The step of list entry `index` in milliseconds; no selection (-1 or out of range) steps 15 seconds.
long long StepMilliseconds(int index);

struct AnimationState {
    bool AnimationRunning = false;
    double TimeDirection = 1.0;  // +1 forwards, -1 backwards
    // The animated clock's milliseconds past the observer's whole second (0..999): a step that is
    // not whole seconds (the sidereal day) carries them on to the next step instead of losing them.
    int SubSecondMs = 0;
};

// The observer's displayed local moment as a count of milliseconds since 0 h of -4712-01-02
// (Julian calendar; local Julian day 0.5, the first midnight of the day count), with
// `subSecondMs` added. Raises ConversionError for a date the calendar does not have.
long long MomentMs(const ObserverState& state, int subSecondMs);
// Sets the observer's date and clock time to the moment `momentMs` (>= 0, as MomentMs counts);
// the milliseconds past the whole second go to *subSecondMs.
void SetMoment(ObserverState& state, long long momentMs, int* subSecondMs);

// Advances the displayed local date and time by one step of `stepMs` milliseconds in the
// animation's direction, exactly. Returns false, leaving the state unchanged, when the result
// would lie outside the calendar: before the start of the time base or after 31 December 9999,
// the last day the program's dates (and with them its windows) can hold.
bool AnimationStep(ObserverState& state, AnimationState& animation, long long stepMs);

// Animation timer interval in milliseconds for a speed of 1..100.
inline int IntervalForSpeed(int speed) { return 101 - speed; }
// The interval for a speed restored from the settings file: one millisecond shorter than the
// same speed chosen in the spin box, as it has always been.
inline int IntervalForStoredSpeed(int speed) { return 100 - speed; }

// The "Time" list: 288 entries "00:00" to "23:55", five minutes apart.
inline constexpr int kTimesOfDay = 288;
QStringList TimeOfDayCaptions();
// The entry at or before the observer's clock time.
inline int TimeOfDayIndex(const ObserverState& state) { return state.Minute / 5 + 12 * state.Hour; }
// Sets hours and minutes from list entry `index` (>= 0); the seconds stay.
void SetTimeOfDay(ObserverState& state, int index);

// Sets the observer's date to the day of a QDate, named in the civil calendar (Julian before
// 1582-10-15).
void SetObserverDate(ObserverState& state, const QDate& date);
// Sets the observer's clock time to whole seconds.
void SetObserverClock(ObserverState& state, const QTime& time);
// The day of the observer's date; the inverse of SetObserverDate. Invalid when the observer's
// date is not a day of the calendar.
QDate ObserverCalendarDate(const ObserverState& state);

}  // namespace noctaris
