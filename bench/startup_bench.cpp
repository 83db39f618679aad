// Start-up of the program on a copy of the sample collection, up to the first painted window:
// settings, windows, the data file, pictures registered, the pane and the view drawn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <cstdlib>
#include <filesystem>

#include "app/program.h"
#include "ui/dialogs/qt_dal_host.h"
#include "ui/windows/window_frame.h"

namespace {

namespace fs = std::filesystem;

void ProgramStartUp(benchmark::State& state) {
  const fs::path work = fs::temp_directory_path() / "korvel-startup-bench";
  fs::remove_all(work);
  fs::copy(KORVEL_SAMPLE, work, fs::copy_options::recursive);
  const fs::path previous = fs::current_path();
  fs::current_path(work);
  korvel::QtDalHost dialogs;
  for (auto _ : state) {
    korvel::Program program;
    if (!program.Start()) {
      state.SkipWithError("the windows could not be made");
      break;
    }
    // The posted start-up command draws the pane and the view.
    QCoreApplication::processEvents();
    state.PauseTiming();
    program.Finish();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    korvel::ui::PostQuitMessage();
    korvel::ui::RunMessageLoop();
    state.ResumeTiming();
  }
  fs::current_path(previous);
  fs::remove_all(work);
}
BENCHMARK(ProgramStartUp)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
