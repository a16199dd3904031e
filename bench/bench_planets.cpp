// Cost of the bodies of one chart redraw: every planet's ephemeris, the Moon, Jupiter's moons.
#include <benchmark/benchmark.h>

#include "astro/theories/moonseries.h"
#include "astro/theories/planets.h"

namespace {
using namespace noctaris;

constexpr double kJulianDay = 2461391.5 + 20.5 / 24;
constexpr const auto& kNames = kPlanets;

void BM_PlanetEphemerisAllPlanets(benchmark::State& state) {
    double jd = kJulianDay;
    for (auto _ : state) {
        for (const Body name : kNames) {
            const PlanetEphemerisResult e = PlanetEphemeris(name, jd, 52.52, 13.40, 1);
            benchmark::DoNotOptimize(e);
        }
        jd += 1e-6;
    }
}
BENCHMARK(BM_PlanetEphemerisAllPlanets);

void BM_MoonPositionShort(benchmark::State& state) {
    double jd = kJulianDay;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MoonPositionShort(Instant::FromTT(jd)));
        jd += 1e-6;
    }
}
BENCHMARK(BM_MoonPositionShort);

void BM_GalileanMoons(benchmark::State& state) {
    double jd = kJulianDay;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GalileanMoons(Instant::FromTT(jd)));
        jd += 1e-6;
    }
}
BENCHMARK(BM_GalileanMoons);

// Everything the chart asks of these modules per redraw (the Sun needs Earth twice more).
void BM_ChartRedrawBodies(benchmark::State& state) {
    double jd = kJulianDay;
    for (auto _ : state) {
        for (const Body name : kNames) {
            const PlanetEphemerisResult e = PlanetEphemeris(name, jd, 52.52, 13.40, 1);
            benchmark::DoNotOptimize(e);
        }
        benchmark::DoNotOptimize(MoonPositionShort(Instant::FromTT(jd)));
        benchmark::DoNotOptimize(GalileanMoons(Instant::FromTT(jd)));
        jd += 1e-6;
    }
}
BENCHMARK(BM_ChartRedrawBodies);

}  // namespace
