// Redraws of the sky chart at the design size into a reused QImage, one minute of animation
// further each frame.
#include <benchmark/benchmark.h>

#include <QImage>

#include "catalog/catalog.h"
#include "chart/bodies.h"
#include "chart/panels.h"
#include "chart/skychart.h"
#include "chart/view.h"
#include "platform/pictures.h"
#include "tests/support.h"

namespace {

using namespace noctaris;
using namespace noctaris::test;

// withBodies installs the Sun, Moon and planets and the Jupiter and Venus panels on the chart's
// hooks, as the main window does; without them those steps draw nothing.
void RunRedraws(benchmark::State& bs, const DisplayOptions& options, bool withBodies,
                const ViewState& view = ViewState{}) {
    SkyChart chart(SharedCatalogs());
    chart.SetHorizonPictures(LoadPicture("s36s"), LoadPicture("s37s"));
    ChartBodies bodies;
    ChartPanels panels;
    if (withBodies) {
        bodies.InstallOn(chart);
        panels.InstallOn(chart);
    }
    ObserverState s = Chemnitz();
    ChartObjectLists lists;
    QImage image;
    const QSize size(1029, 664);
    int minute = 0;
    for (auto _ : bs) {
        s.Minute = minute % 60;
        s.Hour = 21 + (minute / 60) % 3;
        ++minute;
        chart.Redraw(image, size, s, options, view, lists);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Every display option on; constellation names in the given mode (1 vernacular, 2 Latin,
// 3 abbreviations).
DisplayOptions EveryOption(int constellationNames) {
    DisplayOptions o;
    o.ShowEcliptic = o.ShowEquator = o.ShowGrid = o.ShowMeridian = o.ShowAltitudeLines = true;
    o.ShowMoon = o.ShowHorizonFigure = o.ShowConstellationLines = o.ShowConstellationBorders = true;
    o.WhiteStars = o.ShowStarInfo = o.ShowZodiac = o.ShowJupiterMoons = o.ShowVenusPhase = true;
    o.StarNameMode = 3;
    o.ConstellationNameMode = constellationNames;
    return o;
}

// The chart as the program starts: default options, the bodies drawn.
void BM_RedrawDefault(benchmark::State& bs) { RunRedraws(bs, DisplayOptions{}, true); }

// Stars, lines, grids, names and the horizon with every option on, but no Sun, Moon, planets
// or panels: the cost of the sky itself.
void BM_RedrawSkyOnlyEveryOption(benchmark::State& bs) {
    RunRedraws(bs, EveryOption(static_cast<int>(bs.range(0))), false);
}

// What a user sees with every option on: the sky, the bodies and both panels.
void BM_RedrawFullEveryOption(benchmark::State& bs) {
    RunRedraws(bs, EveryOption(static_cast<int>(bs.range(0))), true);
}

// The same through a view of the given span (degrees; 180 is the default view), looking south
// 30 degrees up: below 180 with the faint stars down to the magnitude the span allows. Read as a
// ratio to BM_RedrawFullEveryOption/2 of the same run.
void BM_RedrawViewEveryOption(benchmark::State& bs) {
    ViewState view;
    view.HorizontalSpan = static_cast<double>(bs.range(0));
    if (view.HorizontalSpan < ViewState::kWidestSpan) view.CentreAltitude = 30;
    RunRedraws(bs, EveryOption(2), true, view);
}

// The full redraw with every option, classic (0) or smooth with the sky's colour (1): read the
// two as a ratio of the same run.
void BM_RedrawDrawing(benchmark::State& bs) {
    DisplayOptions o = EveryOption(2);
    o.SmoothDrawing = o.SkyColour = bs.range(0) != 0;
    RunRedraws(bs, o, true);
}

// The bodies, constellation lines and borders, classic (0) or with precise positions (1): the
// frame of date, the places of the bodies and the turn of the catalogue at every redraw.
void BM_RedrawBodies(benchmark::State& bs) {
    DisplayOptions o;
    o.PrecisePositions = bs.range(0) != 0;
    o.ShowMoon = o.ShowConstellationLines = o.ShowConstellationBorders = true;
    RunRedraws(bs, o, true);
}

// The full redraw with every option at the default view (180) or zoomed in (10 degrees, 30
// degrees up), without (0) or with (1) the deep-sky objects and the Milky Way, or with the Milky
// Way (2) or the objects (3) alone: read each against 0 of the same run.
void BM_RedrawDeepSky(benchmark::State& bs) {
    DisplayOptions o = EveryOption(2);
    o.SmoothDrawing = o.SkyColour = true;
    o.ShowDeepSky = bs.range(1) == 1 || bs.range(1) == 3;
    o.ShowMilkyWay = bs.range(1) == 1 || bs.range(1) == 2;
    ViewState view;
    view.HorizontalSpan = static_cast<double>(bs.range(0));
    if (view.HorizontalSpan < ViewState::kWidestSpan) view.CentreAltitude = 30;
    RunRedraws(bs, o, true, view);
}

}  // namespace

BENCHMARK(BM_RedrawDeepSky)->Args({180, 0})->Args({180, 1})->Args({180, 2})->Args({180, 3})->Args({10, 0})->Args({10, 1})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawBodies)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawDrawing)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawDefault)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawSkyOnlyEveryOption)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawFullEveryOption)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawViewEveryOption)->Arg(180)->Arg(10)->Unit(benchmark::kMicrosecond);
