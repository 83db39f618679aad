// One redraw of the view's description for a radio with every field filled, in a large collection
// (the change flags look the radio up among the as-loaded copies), onto a device that draws nothing.
#include <benchmark/benchmark.h>

#include <string>

#include "collection_generator.h"
#include "reports/radio_description.h"

namespace korvel::bench {
namespace {

class NullDevice : public draw::Device {
 public:
  void FillArea(const draw::DeviceRect&, draw::Rgb) override {}
  void Line(draw::DevicePoint, draw::DevicePoint, const draw::Pen&) override {}
  void Text(draw::DevicePoint, std::string_view text, const draw::TextStyle&) override {
    benchmark::DoNotOptimize(text.data());
  }
  void FillFigures(const std::vector<draw::Figure>&, draw::Rgb) override {}
  void Scroll(int, int, const draw::DeviceRect&) override {}
  draw::BitmapResult StretchBitmap(const draw::DeviceRect&, const draw::BitmapSource&) override {
    return {true, {}};
  }
};

std::string Words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text.append(i % 7 == 0 ? "restoration " : "cap ");
  return text;
}

void Redraw(benchmark::State& state, bool reload) {
  Collection collection = GenerateCollection(20000);
  // The last radio of the collection, so that finding its as-loaded copy is the long way.
  RadioRecord& radio = *collection.radios[collection.radios.Count() - 1];
  radio.damage = Words(30);
  radio.repairsNeeded = Words(40);
  radio.references = Words(60);
  radio.comments = Words(120);
  radio.extras = Words(20);
  radio.status = kStatusRestoredAndSold;
  radio.model = "changed";
  PictureRegistry registry;
  registry.SetDataDirectory(KORVEL_SAMPLE);
  radio.pictureIndex = registry.Register("pictures\\philco\\90.jpg");

  NullDevice device;
  draw::Surface surface(&device, {0, 0, 1024, 700});
  draw::Font font;
  font.faceName = "Courier";
  font.pointSize = 12;
  font.lineHeight = 18;
  font.charWidth = 10;
  surface.SetFonts({font});
  RadioDescription view;
  for (auto _ : state) {
    view.DrawRadioDescription(surface, {collection, &radio, registry, false}, reload);
    benchmark::DoNotOptimize(view.pictureRect());
  }
  if (!view.pictureRect() || view.pictureRect()->left >= 1024)
    state.SkipWithError("the picture was not loaded");
}

void BM_RedrawDescription(benchmark::State& state) {
  Redraw(state, false);
}
BENCHMARK(BM_RedrawDescription)->Unit(benchmark::kMillisecond);

// After editing: the picture is read from its file again.
void BM_RedrawDescriptionReloadingPicture(benchmark::State& state) {
  Redraw(state, true);
}
BENCHMARK(BM_RedrawDescriptionReloadingPicture)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvel::bench

BENCHMARK_MAIN();
