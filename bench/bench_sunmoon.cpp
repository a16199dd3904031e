// Sun and Moon theory: one Earth position from the full VSOP87D series (and its terms alone),
// a Sun and a Moon place, a month of Moon ages (one repaint of the moon phase calendar) and a
// sunrise.
#include <benchmark/benchmark.h>

#include "astro/events/apsides.h"
#include "astro/events/seasons.h"
#include "astro/reports/sunmoon_reports.h"
#include "astro/time/calendar_dates.h"
#include "astro/theories/moon.h"
#include "astro/events/sun_rise_set.h"
#include "astro/theories/sun.h"
#include "astro/theories/vsop.h"
#include "astro/theories/vsop87_earth_tables.h"

namespace {

using namespace noctaris;

void BM_EarthHeliocentric(benchmark::State& state) {
    TDateTime t = 33890;
    for (auto _ : state) {
        benchmark::DoNotOptimize(EarthHeliocentric(t));
        t += 0.001;
    }
}
BENCHMARK(BM_EarthHeliocentric)->Unit(benchmark::kMicrosecond);

// The 2425 terms alone, with the SSE2 code every x86-64 processor runs (Arg 1) and with the
// processor's widest (Arg 0; the same where AVX2 with fused multiply-adds is missing).
void BM_EarthSeriesTerms(benchmark::State& state) {
    const bool baseline = state.range(0) == 1;
    double tau = -0.07;
    for (auto _ : state) {
        long double sum = 0;
        for (const auto* table : {vsop87_earth::kLongitude, vsop87_earth::kLatitude, vsop87_earth::kRadius})
            for (int n = 0; n < 6; ++n) sum += SumVsopTerms(table[n].arrays, tau, baseline);
        benchmark::DoNotOptimize(sum);
        tau += 1e-6;
    }
}
BENCHMARK(BM_EarthSeriesTerms)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SunPosition(benchmark::State& state) {
    TDateTime t = 33890;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SunPosition(Instant::FromTT(DateTimeToJD(t))));
        t += 0.001;
    }
}
BENCHMARK(BM_SunPosition)->Unit(benchmark::kMicrosecond);

void BM_MoonPosition(benchmark::State& state) {
    TDateTime t = 33706;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MoonPosition(Instant::FromTT(DateTimeToJD(t))));
        t += 0.001;
    }
}
BENCHMARK(BM_MoonPosition)->Unit(benchmark::kMicrosecond);

// The moon phase calendar computes the age at noon of every day of a month.
void BM_MoonAgeMonth(benchmark::State& state) {
    const TDateTime first = EncodeDate(2012, 1, 1);
    for (auto _ : state) {
        for (int day = 0; day < 31; ++day) benchmark::DoNotOptimize(MoonAge(Instant::FromTT(DateTimeToJD(first + day + 0.5))));
    }
}
BENCHMARK(BM_MoonAgeMonth)->Unit(benchmark::kMillisecond);

// One event with the day's positions computed for it (three Sun positions and sidereal time).
void BM_SunRiseTime(benchmark::State& state) {
    const TDateTime day = EncodeDate(2012, 6, 21);
    for (auto _ : state) benchmark::DoNotOptimize(SunRiseTransitSet(HorizonEvent::Rise, -13.4L, 52.5L, day));
}
BENCHMARK(BM_SunRiseTime)->Unit(benchmark::kMicrosecond);

// The Sun window's three events of a day from one set of positions.
void BM_SunDayEvents(benchmark::State& state) {
    const TDateTime day = EncodeDate(2012, 6, 21);
    for (auto _ : state) {
        const SunDayPositions positions = SunPositionsOfDay(day);
        benchmark::DoNotOptimize(SunRiseTransitSet(HorizonEvent::Rise, -13.4L, 52.5L, positions));
        benchmark::DoNotOptimize(SunRiseTransitSet(HorizonEvent::Set, -13.4L, 52.5L, positions));
        benchmark::DoNotOptimize(SunRiseTransitSet(HorizonEvent::Transit, -13.4L, 52.5L, positions));
    }
}
BENCHMARK(BM_SunDayEvents)->Unit(benchmark::kMicrosecond);

void BM_NextPerigee(benchmark::State& state) {
    TDateTime t = EncodeDate(2012, 1, 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(NextLunarApsis(LunarApsis::Perigee, Instant::FromTT(DateTimeToJD(t))));
        t += 1.3;
    }
}
BENCHMARK(BM_NextPerigee)->Unit(benchmark::kMicrosecond);

// The Moon window's rise, culmination and set for every local day of a month (Chemnitz,
// December 2026); bench/events_vs_reference.sh times the same with the reference libraries.
void BM_MoonEventsMonth(benchmark::State& state) {
    for (auto _ : state) {
        for (int day = 1; day <= 31; ++day)
            benchmark::DoNotOptimize(
                MoonEventsOfDay(LocalMidnightJD(2026, 12, day, 1), 50.836667, 12.854444));
    }
}
BENCHMARK(BM_MoonEventsMonth)->Unit(benchmark::kMillisecond);

// A year's perihelion and aphelion as the calendar asks for them, a year later each time.
void BM_EarthApsidesYear(benchmark::State& state) {
    int year = 1990;
    for (auto _ : state) {
        const Instant t0 = Instant::FromTT(DateTimeToJD(EncodeDate(year, 1, 1)));
        benchmark::DoNotOptimize(NextEarthApsis(EarthApsis::Perihelion, t0));
        benchmark::DoNotOptimize(NextEarthApsis(EarthApsis::Aphelion, t0));
        year = year < 2060 ? year + 1 : 1990;
    }
}
BENCHMARK(BM_EarthApsidesYear)->Unit(benchmark::kMicrosecond);

// A year's equinoxes and solstices.
void BM_SeasonsYear(benchmark::State& state) {
    int year = 1990;
    for (auto _ : state) {
        for (int s = 0; s < 4; ++s) benchmark::DoNotOptimize(SeasonJDE(year, static_cast<Season>(s)));
        year = year < 2060 ? year + 1 : 1990;
    }
}
BENCHMARK(BM_SeasonsYear)->Unit(benchmark::kMicrosecond);

}  // namespace
