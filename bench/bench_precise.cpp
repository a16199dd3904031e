// Cost of the precise places: one instant's frame, and the ephemeris table's work with the
// precise switch on (seven planets' apparent and topocentric places and a day of events).
#include <benchmark/benchmark.h>

#include "astro/reports/ephemeris_table.h"
#include "astro/precise/precise.h"

namespace {
using namespace noctaris;

constexpr double kMidnight = 2461391.5 - 1.0 / 24;  // local midnight, one hour east of UT
const Site kBerlin{52.52, 13.40, 0};
constexpr Body kPlanets[] = {Body::Mercury, Body::Venus,  Body::Mars,   Body::Jupiter,
                             Body::Saturn,  Body::Uranus, Body::Neptune};

void BM_PreciseFrame(benchmark::State& state) {
    double jd = kMidnight + 0.8;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MakePreciseFrame(Instant::FromUT(jd)));
        jd += 1e-6;
    }
}
BENCHMARK(BM_PreciseFrame)->Unit(benchmark::kMicrosecond);

void BM_PreciseSevenPlanetsDay(benchmark::State& state) {
    double midnight = kMidnight;
    for (auto _ : state) {
        const PreciseDay day = MakePreciseDay(midnight);
        const PreciseFrame now = FrameInDay(day, midnight + 0.8);
        for (Body b : kPlanets) {
            const ApparentPlace geo = GeocentricPlace(b, now);
            const ApparentPlace topo = TopocentricPlace(b, now, kBerlin);
            const HorizontalPlace h = ObservedPlace(topo, now, kBerlin);
            const RiseTransitSetTimes r = FindRiseTransitSet(b, day, kBerlin);
            benchmark::DoNotOptimize(geo);
            benchmark::DoNotOptimize(h);
            benchmark::DoNotOptimize(r);
        }
        midnight += 1e-6;
    }
}
BENCHMARK(BM_PreciseSevenPlanetsDay)->Unit(benchmark::kMillisecond);

void BM_PreciseMoonDay(benchmark::State& state) {
    double midnight = kMidnight;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindRiseTransitSet(Body::Moon, midnight, kBerlin));
        midnight += 1e-6;
    }
}
BENCHMARK(BM_PreciseMoonDay)->Unit(benchmark::kMillisecond);

// The ephemeris table as the window fills it, with the precise switch on and off.
void BM_EphemerisTable(benchmark::State& state) {
    const bool precise = state.range(0) != 0;
    double midnight = kMidnight;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ComputeEphemerisTable(midnight + 0.8, midnight, 52.52, 13.40, 1, precise));
        midnight += 1e-6;
    }
}
BENCHMARK(BM_EphemerisTable)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
