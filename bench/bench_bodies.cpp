// What the bodies and panels add to a chart redraw: the bodies step alone (six planets, the
// Sun, the Moon, pictures, labels, hit entries), the panels step alone, and full redraws with
// and without them at the design size.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "catalog/catalog.h"
#include "chart/bodies.h"
#include "chart/panels.h"
#include "chart/skychart.h"
#include "tests/support.h"

namespace {

using namespace noctaris;
using namespace noctaris::test;

// One step of an animation: one minute further per frame.
void Advance(ObserverState& s, int& minute) {
    s.Minute = minute % 60;
    s.Hour = 18 + (minute / 60) % 3;
    ++minute;
}

// The bodies step on its own, drawn onto a chart-sized image.
void BM_BodiesStep(benchmark::State& bs) {
    ChartBodies bodies;
    ChartFonts fonts;
    QImage image(1029, 664, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    ChartCanvas canvas(painter, fonts);
    ObserverState s = Chemnitz();
    DisplayOptions o;
    o.ShowMoon = true;
    ChartObjectLists lists;
    int minute = 0;
    for (auto _ : bs) {
        Advance(s, minute);
        const ChartFrame frame = MakeChartFrame(s, 1029, 664, 0);
        ChartContext context{canvas, frame, s, o, lists};
        lists.BodyListClear();
        bodies.Draw(context);
        benchmark::DoNotOptimize(lists.bodies.Size());
    }
}
BENCHMARK(BM_BodiesStep)->Unit(benchmark::kMicrosecond);

// The panels step on its own (the Venus panel is kept while the hour does not change).
void PanelsStep(benchmark::State& bs, bool jupiter, bool venus) {
    ChartPanels panels;
    ChartFonts fonts;
    QImage image(1029, 664, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    ChartCanvas canvas(painter, fonts);
    ObserverState s = Chemnitz();
    DisplayOptions o;
    o.ShowJupiterMoons = jupiter;
    o.ShowVenusPhase = venus;
    ChartObjectLists lists;
    int minute = 0;
    for (auto _ : bs) {
        Advance(s, minute);
        const ChartFrame frame = MakeChartFrame(s, 1029, 664, 0);
        ChartContext context{canvas, frame, s, o, lists};
        panels.Draw(context);
        benchmark::DoNotOptimize(image.constBits());
    }
}
void BM_PanelsStep(benchmark::State& bs) { PanelsStep(bs, true, true); }
void BM_JupiterPanel(benchmark::State& bs) { PanelsStep(bs, true, false); }
void BM_VenusPanelKept(benchmark::State& bs) { PanelsStep(bs, false, true); }
BENCHMARK(BM_PanelsStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JupiterPanel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VenusPanelKept)->Unit(benchmark::kMicrosecond);

// A fresh Venus panel (a new hour every frame).
void BM_VenusPanelRender(benchmark::State& bs) {
    ChartFonts fonts;
    double chi = 112;
    for (auto _ : bs) {
        chi += 0.01;
        const QImage panel = RenderVenusPanel(fonts, chi, 109.6, -4.62, 35.2);
        benchmark::DoNotOptimize(panel.constBits());
    }
}
BENCHMARK(BM_VenusPanelRender)->Unit(benchmark::kMicrosecond);

void RunRedraws(benchmark::State& bs, bool withBodies) {
    SkyChart chart(SharedCatalogs());
    ChartBodies bodies;
    ChartPanels panels;
    DisplayOptions o;
    o.ShowConstellationLines = true;
    o.StarNameMode = 1;
    if (withBodies) {
        bodies.InstallOn(chart);
        panels.InstallOn(chart);
        o.ShowMoon = o.ShowJupiterMoons = o.ShowVenusPhase = true;
    }
    ObserverState s = Chemnitz();
    ChartObjectLists lists;
    QImage image;
    int minute = 0;
    for (auto _ : bs) {
        Advance(s, minute);
        chart.Redraw(image, QSize(1029, 664), s, o, 0, lists);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_RedrawWithoutBodies(benchmark::State& bs) { RunRedraws(bs, false); }
void BM_RedrawWithBodiesAndPanels(benchmark::State& bs) { RunRedraws(bs, true); }
BENCHMARK(BM_RedrawWithoutBodies)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RedrawWithBodiesAndPanels)->Unit(benchmark::kMicrosecond);

}  // namespace
