// The reports the information windows rebuild after every chart redraw while they are visible.
#include <benchmark/benchmark.h>

#include "chart/bodies.h"
#include "tests/support.h"
#include "windows/sun_window.h"

namespace {

using namespace noctaris;

// One refresh of the Sun window's report: distance, diameter, sunrise, sunset and culmination
// of the Sun for the chart's moment, one minute further each time as in an animation.
void BM_SunWindowReport(benchmark::State& state) {
    const ObserverState observer = test::Chemnitz();
    InfoSnapshot snapshot;
    static_cast<MomentSnapshot&>(snapshot) = MomentSnapshot::Of(observer);
    SunChartPosition sun;
    sun.RightAscension = 4.4;
    sun.Declination = -0.4;
    int minute = 0;
    for (auto _ : state) {
        snapshot.Minute = minute % 60;
        snapshot.Hour = 21 + (minute / 60) % 3;
        ++minute;
        benchmark::DoNotOptimize(BuildSunReport(snapshot, observer, sun));
    }
}
BENCHMARK(BM_SunWindowReport)->Unit(benchmark::kMicrosecond);

}  // namespace
