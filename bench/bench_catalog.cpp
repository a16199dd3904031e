// Start-up cost of the catalogs and the cost of one star-information lookup.
#include <benchmark/benchmark.h>

#include "catalog/catalog.h"

namespace {

// Inflating and parsing every catalog once, as the main window does at creation (target <= 20 ms).
void BM_LoadAllCatalogs(benchmark::State& state) {
    for (auto _ : state) {
        noctaris::Catalogs c = noctaris::Catalogs::LoadAll();
        benchmark::DoNotOptimize(c.stars.data());
    }
}
BENCHMARK(BM_LoadAllCatalogs)->Unit(benchmark::kMillisecond);

// Only the places, as a command-line report for one place loads them.
void BM_LoadPlacesOnly(benchmark::State& state) {
    for (auto _ : state) {
        noctaris::Catalogs c = noctaris::Catalogs::Load(noctaris::kCatalogPlaces);
        benchmark::DoNotOptimize(c.places.data());
    }
}
BENCHMARK(BM_LoadPlacesOnly)->Unit(benchmark::kMillisecond);

// One click on a star: STAR6 inflated afresh and scanned (target <= 2 ms). The star is near the
// end of the table, the slow case.
void BM_StarDetailsLookup(benchmark::State& state) {
    const noctaris::Catalogs c = noctaris::Catalogs::LoadAll();
    const std::string name = c.starNames.back().raw;
    for (auto _ : state) {
        auto d = noctaris::FindStarDetails(name);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_StarDetailsLookup)->Unit(benchmark::kMicrosecond);

}  // namespace
