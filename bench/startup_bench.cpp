// Start-up of the program up to the first painted window (settings, windows, the data file,
// pictures registered, the pane and the view drawn), on a copy of the sample collection and on a
// generated one of 100,000 radios; and the selection dialog opened on all 100,000. In
// ProgramStartUp only the first iteration of a case starts in a fresh heap (later ones reuse the
// pages the earlier runs freed); ProgramStartUpFreshProcess times what a user waits for: a new
// process, from its start to the first painted window, libraries loaded and heap untouched.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/program.h"
#include "collection/data_file.h"
#include "collection_generator.h"
#include "dal/dal.h"
#include "ui/dialogs/qt_dal_host.h"
#include "ui/frame/command_ids.h"
#include "ui/windows/window_frame.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLarge = 100000;

// The sample's settings and pictures; with `radios` > 0, a generated data file of that many.
fs::path WorkDirectory(int radios) {
  const fs::path work = fs::temp_directory_path() / ("korvel-startup-bench-" + std::to_string(radios));
  fs::remove_all(work);
  fs::copy(KORVEL_SAMPLE, work, fs::copy_options::recursive);
  if (radios > 0) {
    // Generated in a child, so that this process's heap never holds the generator's collection.
    const pid_t child = ::fork();
    if (child == 0) {
      _exit(korvel::WriteDataFile((work / "radata.dat").string(), korvel::bench::GenerateCollection(radios))
                ? 0
                : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
  }
  return work;
}

void EndRun(korvel::Program& program) {
  program.Finish();
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  korvel::ui::PostQuitMessage();
  korvel::ui::RunMessageLoop();
}

void ProgramStartUp(benchmark::State& state) {
  const fs::path work = WorkDirectory(static_cast<int>(state.range(0)));
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
    EndRun(program);
    state.ResumeTiming();
  }
  fs::current_path(previous);
  fs::remove_all(work);
}
BENCHMARK(ProgramStartUp)->Arg(0)->Arg(kLarge)->Unit(benchmark::kMillisecond)->Iterations(3);

// A new process of this program that starts Korvel in the directory and ends at its first paint.
void ProgramStartUpFreshProcess(benchmark::State& state) {
  const fs::path work = WorkDirectory(static_cast<int>(state.range(0)));
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const std::string directory = work.string();
  for (auto _ : state) {
    char* argv[] = {const_cast<char*>(self.c_str()), const_cast<char*>("--first-paint"),
                    const_cast<char*>(directory.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = 1;
    if (::posix_spawn(&child, self.c_str(), nullptr, nullptr, argv, environ) == 0) ::waitpid(child, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program did not start");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  fs::remove_all(work);
}
BENCHMARK(ProgramStartUpFreshProcess)->Arg(0)->Arg(kLarge)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

// The child of ProgramStartUpFreshProcess: Korvel started in the directory, ended at its first paint.
int FirstPaint(int argc, char** argv) {
  QApplication application(argc, argv);
  fs::current_path(argv[2]);
  korvel::QtDalHost dialogs;
  auto* program = new korvel::Program;  // never freed: the process ends at the first paint
  if (!program->Start()) return 1;
  QCoreApplication::processEvents();
  std::fflush(nullptr);
  _exit(0);
}

// View > New with every radio selected, until the dialog stands filled (then cancelled).
void SelectionDialogOnAll(benchmark::State& state) {
  const fs::path work = WorkDirectory(kLarge);
  const fs::path previous = fs::current_path();
  fs::current_path(work);
  korvel::QtDalHost dialogs;
  korvel::Program program;
  if (!program.Start()) {
    state.SkipWithError("the windows could not be made");
    return;
  }
  QCoreApplication::processEvents();
  for (auto _ : state) {
    program.state().selection.current = program.state().collection.radios;
    std::chrono::steady_clock::time_point shown;
    korvel::DalQueueScript(korvel::DalScript()
                               .Do([&](korvel::DalDialog&) { shown = std::chrono::steady_clock::now(); })
                               .Cancel());
    const auto start = std::chrono::steady_clock::now();
    korvel::ui::SendCommand(program.mainWindow(), korvel::kCommandViewNew);
    state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
    QCoreApplication::processEvents();
  }
  EndRun(program);
  fs::current_path(previous);
  fs::remove_all(work);
}
BENCHMARK(SelectionDialogOnAll)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  if (argc == 3 && std::string(argv[1]) == "--first-paint") return FirstPaint(argc, argv);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
