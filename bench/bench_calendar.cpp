// The astronomical calendar: one year's event list (what the calendar window computes on each
// "Show"), and the eclipse searches on their own.
#include <benchmark/benchmark.h>

#include "astro/time/calendar_dates.h"
#include "astro/events/calendar_events.h"
#include "astro/events/phenomena.h"

namespace {

using namespace noctaris;

void BM_BuildEventList(benchmark::State& state) {
    int year = 2026;
    for (auto _ : state) {
        EventList list = BuildEventList(year, 1);
        benchmark::DoNotOptimize(list.Entries.data());
        year = year == 2035 ? 2026 : year + 1;
    }
}
BENCHMARK(BM_BuildEventList)->Unit(benchmark::kMicrosecond);

void BM_YearOfEclipses(benchmark::State& state) {
    for (auto _ : state) {
        double jd = JDOfYearStart(2026) - 14;
        for (int i = 0; i < 3; ++i) jd = NextSolarEclipse(jd).JDE;
        for (int i = 0; i < 3; ++i) jd = NextLunarEclipse(jd - 200).JDE;
        benchmark::DoNotOptimize(jd);
    }
}
BENCHMARK(BM_YearOfEclipses)->Unit(benchmark::kMicrosecond);

}  // namespace
