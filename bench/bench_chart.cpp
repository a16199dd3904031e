// Full redraws of the sky chart at the design size into a reused QImage.
#include <benchmark/benchmark.h>

#include <QImage>

#include "catalog/catalog.h"
#include "chart/bodies.h"
#include "chart/skychart.h"
#include "platform/pictures.h"
#include "tests/support.h"

namespace {

using namespace noctaris;
using namespace noctaris::test;

void RunRedraws(benchmark::State& bs, const DisplayOptions& options, bool bodies = false) {
    SkyChart chart(SharedCatalogs());
    ChartBodies chartBodies;
    if (bodies) chartBodies.InstallOn(chart);
    chart.SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
    ObserverState s = Chemnitz();
    ChartObjectLists lists;
    QImage image;
    const QSize size(1029, 664);
    int minute = 0;
    for (auto _ : bs) {
        // An animation: one minute further each frame.
        s.Minute = minute % 60;
        s.Hour = 21 + (minute / 60) % 3;
        ++minute;
        chart.Redraw(image, size, s, options, 0, lists);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_RedrawDefault(benchmark::State& bs) { RunRedraws(bs, DisplayOptions{}); }

void BM_RedrawEverything(benchmark::State& bs) {
    DisplayOptions o;
    o.ShowEcliptic = o.ShowEquator = o.ShowGrid = o.ShowMeridian = o.ShowAltitudeLines = true;
    o.ShowMoon = o.ShowHorizonFigure = o.ShowConstellationLines = o.ShowConstellationBorders = true;
    o.WhiteStars = o.ShowStarInfo = o.ShowZodiac = o.ShowJupiterMoons = o.ShowVenusPhase = true;
    o.StarNameMode = 3;
    o.ConstellationNameMode = static_cast<int>(bs.range(0));
    RunRedraws(bs, o);
}

// The bodies, constellation lines and borders, classic (0) or with precise positions (1): the
// frame of date, the places of the bodies and the turn of the catalogue at every redraw.
void BM_RedrawBodies(benchmark::State& bs) {
    DisplayOptions o;
    o.PrecisePositions = bs.range(0) != 0;
    o.ShowMoon = o.ShowConstellationLines = o.ShowConstellationBorders = true;
    RunRedraws(bs, o, true);
}

}  // namespace

BENCHMARK(BM_RedrawBodies)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawDefault)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawEverything)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
