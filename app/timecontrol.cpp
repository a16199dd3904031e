#include "app/timecontrol.h"

#include <cmath>

#include "astro/timebase.h"
#include "platform/format.h"

namespace noctaris {

double StepDays(int index) {
    if (index < 0 || index >= static_cast<int>(kTimeSteps.size())) return 1.0 / 5760;
    return kTimeSteps[static_cast<size_t>(index)].days;
}

void AnimationStep(ObserverState& state, double direction, double stepDays) {
    long double x = DateToJD(state.Year, state.Month, state.Day) + state.Hour / 24.0L +
                    state.Minute / 1440.0L + state.Second / 86400.0L - 0.5L;
    x += static_cast<long double>(direction) * stepDays;
    // Before the start of the Julian day count the time of day would come out negative.
    if (!(x >= 0)) throw ConversionError("Error!");
    int year, month, day;
    JDToDate(x + 0.5L, year, month, day);
    long double t = (x - std::trunc(x)) * 24.0L;
    const int hour = static_cast<int>(t);
    t = (t - std::trunc(t)) * 60.0L;
    const int minute = static_cast<int>(t);
    t = (t - std::trunc(t)) * 60.0L;
    const int second = static_cast<int>(t);
    state.Year = year;
    state.Month = month;
    state.Day = day;
    state.Hour = hour;
    state.Minute = minute;
    state.Second = second;
}

QStringList TimeOfDayCaptions() {
    QStringList captions;
    for (int k = 0; k < kTimesOfDay; ++k) captions << FormatDateTime("hh:nn", EncodeTime(k / 12, (k % 12) * 5, 0, 0));
    return captions;
}

void SetTimeOfDay(ObserverState& state, int index) {
    state.Hour = index / 12;
    state.Minute = (index % 12) * 5;
}

void SetObserverDate(ObserverState& state, const QDate& date) {
    const TDateTime serial = static_cast<double>(QDate(1899, 12, 30).daysTo(date));
    DateTimeToDate(serial, state.Year, state.Month, state.Day);
}

void SetObserverClock(ObserverState& state, const QTime& time) {
    state.Hour = time.hour();
    state.Minute = time.minute();
    state.Second = time.second();
}

}  // namespace noctaris
