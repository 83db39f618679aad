// The Cost/Value graph of 100,000 radios: its data (date range, running totals, series and graph
// object) and its drawing into a 1280 x 900 window image, as the view paints it.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

#include "collection_generator.h"
#include "graphs/current_graph.h"
#include "ui/painting/qt_device.h"
#include "ui/painting/window_fonts.h"

namespace korvel::bench {
namespace {

const Collection& LargeCollection() {
  static const Collection collection = GenerateCollection(100000);
  return collection;
}

void CostValueData(benchmark::State& state) {
  const Collection& collection = LargeCollection();
  std::unique_ptr<graphs::LineGraph> graph;
  for (auto _ : state) {
    graphs::BuildLineGraph(graphs::LineGraphKind::kCostValue, collection.radios, graph);
    benchmark::DoNotOptimize(graph.get());
  }
  state.counters["months"] = graph ? graph->counters.range.Months() : 0;
}
BENCHMARK(CostValueData)->Unit(benchmark::kMillisecond);

void CostValueDrawing(benchmark::State& state) {
  std::unique_ptr<graphs::LineGraph> graph;
  graphs::BuildLineGraph(graphs::LineGraphKind::kCostValue, LargeCollection().radios, graph);
  ui::QtDevice device(QSize(1280, 900));
  draw::Surface surface(&device, {0, 0, 1280, 900});
  draw::Font font;
  font.faceName = "Courier";
  font.pointSize = 12;
  surface.SetFonts({font});
  ui::SelectCurrentFont(surface, device);
  for (auto _ : state) benchmark::DoNotOptimize(graphs::DrawGraph(*graph->graph, surface));
}
BENCHMARK(CostValueDrawing)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::bench

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
