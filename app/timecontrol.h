#pragma once
// Time control of the main window: the animation's step table and the step itself, the list of
// times of day and how the date edit and the clock set the observer's moment.
#include <array>

#include <QDate>
#include <QStringList>
#include <QTime>

#include "chart/state.h"

namespace noctaris {

struct TimeStep {
    const char* caption;
    double days;
};

// The entries of the "Time interval" list, in order.
inline constexpr std::array<TimeStep, 16> kTimeSteps = {{
    {"15 seconds", 1.0 / 5760}, {"30 seconds", 1.0 / 2880}, {"1 minute", 1.0 / 1440},
    {"2 minutes", 1.0 / 720},   {"3 minutes", 1.0 / 480},   {"5 minutes", 1.0 / 288},
    {"10 minutes", 1.0 / 144},  {"15 minutes", 1.0 / 96},   {"30 minutes", 1.0 / 48},
    {"1 hour", 1.0 / 24},       {"2 hours", 1.0 / 12},      {"3 hours", 0.125},
    {"6 hours", 0.25},          {"12 hours", 0.5},
    {"23 h 56 min", 0.9972621969282218},  // one sidereal day: 23 h 56 min 3.45 s
    {"24 hours", 1.0},
}};

// The step of list entry `index`; no selection (-1 or out of range) steps 15 seconds.
double StepDays(int index);

struct AnimationState {
    bool AnimationRunning = false;
    double TimeDirection = 1.0;  // +1 forwards, -1 backwards
};

// Advances the displayed local date and time by direction * step days through Julian days.
// Hours, minutes and seconds are truncated. Raises ConversionError ("Error!") when the result
// leaves the range of the time base; the state is then left unchanged.
void AnimationStep(ObserverState& state, double direction, double stepDays);

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

// Sets the observer's date from a calendar date (proleptic Gregorian, as QDate counts); the time
// base shows dates before 1582-10-15 in the Julian calendar.
void SetObserverDate(ObserverState& state, const QDate& date);
// Sets the observer's clock time to whole seconds.
void SetObserverClock(ObserverState& state, const QTime& time);

}  // namespace noctaris
