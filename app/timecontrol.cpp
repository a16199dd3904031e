#include "app/timecontrol.h"

#include <QCoreApplication>

#include <cmath>

#include "astro/time/timebase.h"
#include "platform/format.h"

namespace noctaris {

namespace {
constexpr long long kMsPerDay = 86'400'000;
}

QString StepCaption(const TimeStep& step) { return QCoreApplication::translate("TimeStep", step.caption); }

long long StepMilliseconds(int index) {
    if (index < 0 || index >= static_cast<int>(kTimeSteps.size())) return kTimeSteps[0].milliseconds;
    return kTimeSteps[static_cast<size_t>(index)].milliseconds;
}

long long MomentMs(const ObserverState& state, int subSecondMs) {
    // DateToJD gives the Julian day of 0 h, n + 0.5 exactly, so the day count is whole.
    const long long day = std::llround(DateToJD(state.Year, state.Month, state.Day) - 0.5L);
    return day * kMsPerDay + ((state.Hour * 60LL + state.Minute) * 60 + state.Second) * 1000 + subSecondMs;
}

void SetMoment(ObserverState& state, long long momentMs, int* subSecondMs) {
    const long long day = momentMs / kMsPerDay;
    long long rest = momentMs % kMsPerDay;
    const CivilDate date = JDToDate(static_cast<long double>(day) + 0.5L);
    state.Year = date.year;
    state.Month = date.month;
    state.Day = date.day;
    state.Hour = static_cast<int>(rest / 3'600'000);
    rest %= 3'600'000;
    state.Minute = static_cast<int>(rest / 60'000);
    rest %= 60'000;
    state.Second = static_cast<int>(rest / 1000);
    if (subSecondMs) *subSecondMs = static_cast<int>(rest % 1000);
}

bool AnimationStep(ObserverState& state, AnimationState& animation, long long stepMs) {
    const long long step = animation.TimeDirection < 0 ? -stepMs : stepMs;
    const long long moment = MomentMs(state, animation.SubSecondMs) + step;
    ObserverState lastDay;
    lastDay.Year = 9999, lastDay.Month = 12, lastDay.Day = 31;
    // Before the start of the Julian day count the calendar has no dates.
    if (moment < 0 || moment >= MomentMs(lastDay, 0) + kMsPerDay) return false;
    SetMoment(state, moment, &animation.SubSecondMs);
    return true;
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
    const CivilDate d = CivilDateOfDay(date);
    state.Year = d.year;
    state.Month = d.month;
    state.Day = d.day;
}

QDate ObserverCalendarDate(const ObserverState& state) {
    return DayOfCivilDate({state.Year, state.Month, state.Day});
}

void SetObserverClock(ObserverState& state, const QTime& time) {
    state.Hour = time.hour();
    state.Minute = time.minute();
    state.Second = time.second();
}

}  // namespace noctaris
