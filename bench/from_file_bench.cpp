// "FromFile" with every window shown (offscreen platform): the batch through
// the windows, its pauses included, and what the pause itself costs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "app/from_file.h"
#include "app/main_window.h"
#include "batch/vector_generator.h"
#include "session/platform.h"

namespace sumaris {
namespace {

constexpr long long kVectors = 2000;

class NoDialogs final : public UserDialogs {
 public:
  void Message(std::string_view) override {}
  bool AskYesNo(std::string_view) override { return true; }
  void Beep() override {}
};

class NoViewer final : public TextViewer {
 public:
  bool Open(const std::filesystem::path&) override { return true; }
};

// One main window for all window benchmarks, started up and shown.
struct Desk {
  NoDialogs dialogs;
  NoViewer viewer;
  FileLocations files;
  std::unique_ptr<MainWindow> window;

  Desk() {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("sumaris-bench-ui-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    files = FileLocations::InFolder(folder);
    {
      std::ofstream out(files.input, std::ios::binary);
      WriteVectors(out, kVectors, 77);
    }
    MainWindowOptions options;
    options.dialogs = &dialogs;
    options.viewer = &viewer;
    options.files = files;
    window = std::make_unique<MainWindow>(options);
    window->show();
    QApplication::processEvents();
    window->StartUp();
    QApplication::processEvents();
  }
  ~Desk() {
    window.reset();
    std::error_code ec;
    std::filesystem::remove_all(files.input.parent_path(), ec);
  }
};

// The desk's windows must go before the application object does, so main
// closes it (CloseWindowBenchmarks) rather than the exit handlers.
std::unique_ptr<Desk>& DeskHolder() {
  static std::unique_ptr<Desk> desk;
  return desk;
}

Desk& TheDesk() {
  if (!DeskHolder()) DeskHolder() = std::make_unique<Desk>();
  return *DeskHolder();
}

// The panel's FromFile as it runs: 2000 vectors, a pause of 20000 turns of
// the window system every 100.
void BM_FromFileWindows(benchmark::State& state) {
  Desk& d = TheDesk();
  for (auto _ : state) {
    RunFromFile(d.window->adder(), d.window->session(), d.dialogs, d.viewer, d.files,
                FromFilePanel{});
  }
  state.SetItemsProcessed(state.iterations() * kVectors);
}
BENCHMARK(BM_FromFileWindows)->Unit(benchmark::kMillisecond);

// The same run with one turn per pause: everything but the pause's length.
void BM_FromFileWindowsOneTurnPauses(benchmark::State& state) {
  Desk& d = TheDesk();
  for (auto _ : state) {
    RunFromFile(d.window->adder(), d.window->session(), d.dialogs, d.viewer, d.files,
                FromFilePanel{}, 1);
  }
  state.SetItemsProcessed(state.iterations() * kVectors);
}
BENCHMARK(BM_FromFileWindowsOneTurnPauses)->Unit(benchmark::kMillisecond);

// One pause with nothing pending: 20000 turns.
void BM_Pause20000Calls(benchmark::State& state) {
  TheDesk();
  for (auto _ : state) {
    for (int i = 0; i < kFromFilePauseTurns; ++i)
      QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_Pause20000Calls)->Unit(benchmark::kMillisecond);

}  // namespace

void CloseWindowBenchmarks() {
  DeskHolder().reset();
}

}  // namespace sumaris
