// The night's report: the Sun's twilight, the Moon and the seven planets of one night, with the
// classic theories and with the precise places.
#include <benchmark/benchmark.h>

#include "astro/reports/tonight.h"

namespace {

using namespace noctaris;

void BM_TonightReport(benchmark::State& state) {
    const ZoneDescription zone{1, SummerTimeRule::None, nullptr};
    const TonightSite chemnitz{50.836667, 12.854444, 300};
    const bool precise = state.range(0) == 1;
    int day = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeTonight({2026, 12, day}, chemnitz, zone, precise));
        day = day % 28 + 1;
    }
}
BENCHMARK(BM_TonightReport)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
