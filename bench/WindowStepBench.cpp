// The window's work for one step of the folder walk (Next with Autosave on), through the real
// main window on Qt's offscreen platform, and its parts: reading the file, writing the outputs,
// drawing the chart. Folders of 1000-point native files and of instrument recordings of 20000
// raw samples are made once in a temporary folder.
#include <benchmark/benchmark.h>

#include "BenchApplication.h"

#include <QAction>
#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "analysis/PFResults.h"
#include "analysis/gui/Resform.h"
#include "app/Autosave.h"
#include "app/LoadSequence.h"
#include "app/Settings.h"
#include "app/ShellCommands.h"
#include "app/gui/AppForm.h"
#include "data/FolderList.h"
#include "synth/GeneratorCommand.h"
#include "ui/ScriptedFeedback.h"

namespace {

namespace fs = std::filesystem;
constexpr int kFiles = 40;

class NoDialogs : public tolmek::FileDialogs {
 public:
  std::vector<std::string> ChooseFilesToOpen(const std::string&) override { return {}; }
  std::vector<std::string> ChooseFilesForBatch(const std::string&) override { return {}; }
  std::optional<std::string> ChooseFileToSave(const std::string&, const std::string&) override {
    return {};
  }
  std::optional<std::string> ChooseExportFile(const std::string&, const std::string&,
                                              const std::string&,
                                              const std::vector<std::string>&) override {
    return {};
  }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return {};
  }
};

// A fresh folder of kFiles measurements of one kind ("tmk" or "dat"), or of 10000 native files
// ("tmk10000": ten files linked round); its path.
std::string MakeFolder(const std::string& kind) {
  const fs::path folder = fs::temp_directory_path() / ("tolmek-step-bench-" + kind);
  fs::remove_all(folder);
  fs::create_directories(folder);
  if (kind == "tmk10000") {
    const std::string ten = MakeFolder("tmk");
    for (int i = 0; i < 10000; ++i)
      fs::create_hard_link(fs::path(ten) / ("leaf" + std::to_string(100 + i % 10) + ".tmk"),
                           folder / ("leaf" + std::to_string(100 + i) + ".tmk"));
    return folder.string();
  }
  for (int i = 0; i < kFiles; ++i) {
    std::vector<std::string> arguments = {"--seed", std::to_string(i % 10 + 1)};
    std::string name = "leaf" + std::to_string(100 + i);
    if (kind == "tmk") {
      arguments.insert(arguments.end(), {"--points", "1000", "--format", "tmk13"});
      name += ".tmk";
    } else {
      arguments.insert(arguments.end(), {"--format", "dat1", "--M", "20000"});
      name += ".dat";
    }
    std::ofstream(folder / name, std::ios::binary) << tolmek::synth::GenerateContent(arguments);
  }
  return folder.string();
}

tolmek::Session StartSession(const std::string& folder) {
  tolmek::Session session;
  tolmek::SetStartValues(session);
  tolmek::FillResultColumnNames(session.Results);
  session.Shell.ProgramFolder = folder;
  session.Options.AutosaveEnabled = true;
  return session;
}

// Next with Autosave on, turning back at either end of the folder: the command, then the event
// loop until the chart is painted.
void BM_WindowStep(benchmark::State& state) {
  tolmek::bench::NeedApplication<QApplication>();
  const std::string folder = MakeFolder(state.range(0) == 2   ? "tmk10000"
                                        : state.range(0) != 0 ? "tmk"
                                                              : "dat");
  tolmek::Session session = StartSession(folder);
  tolmek::ScriptedFeedback feedback;
  NoDialogs dialogs;
  AppForm form(session, feedback, dialogs);
  form.resize(1400, 900);
  form.show();
  form.LoadCommandLineFile(QString::fromStdString(
      (fs::path(folder) / (state.range(0) != 0 ? "leaf100.tmk" : "leaf100.dat")).string()));
  QApplication::processEvents();
  const char* direction = "next";
  using Clock = std::chrono::steady_clock;
  Clock::duration command{}, events{};
  for (auto _ : state) {
    if (!form.Command(direction)->isEnabled())
      direction = direction == std::string("next") ? "previous" : "next";
    const auto start = Clock::now();
    form.Command(direction)->trigger();
    const auto commandEnd = Clock::now();
    QApplication::processEvents();
    command += commandEnd - start;
    events += Clock::now() - commandEnd;
  }
  // The command itself (autosave, reading, the windows made and the chart drawn) and the event
  // loop's turn after it (layout and painting).
  const auto perStep = [&](Clock::duration total) {
    return std::chrono::duration<double, std::milli>(total).count() /
           static_cast<double>(state.iterations());
  };
  state.counters["command_ms"] = perStep(command);
  state.counters["events_ms"] = perStep(events);
  // Walking back over recordings meets the .tmk files the autosave wrote on the way out, and says
  // that their previous versions are kept: messages, not failures.
  state.counters["messages"] = static_cast<double>(feedback.Messages.size());
  if (!tolmek::IsLoaded(session)) state.SkipWithError("the walk ended with nothing loaded");
}
// native: 1 native files, 0 recordings, 2 a folder of 10000 native files.
BENCHMARK(BM_WindowStep)->ArgName("native")->Arg(1)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ListFolder10000(benchmark::State& state) {
  const std::string folder = MakeFolder("tmk10000");
  for (auto _ : state) benchmark::DoNotOptimize(tolmek::ListFolder(folder, "*.tmk"));
}
BENCHMARK(BM_ListFolder10000)->Unit(benchmark::kMillisecond);

// The parts without the window: reading the file, and writing its outputs.
void BM_StepLoad(benchmark::State& state) {
  const std::string folder = MakeFolder(state.range(0) != 0 ? "tmk" : "dat");
  tolmek::Session session = StartSession(folder);
  tolmek::ScriptedFeedback feedback;
  const std::string path =
      (fs::path(folder) / (state.range(0) != 0 ? "leaf100.tmk" : "leaf100.dat")).string();
  for (auto _ : state) {
    session.Record.CurrentFilePath = path;
    tolmek::LoadCurrentFile(session, feedback);
    if (!tolmek::IsLoaded(session)) state.SkipWithError("the file was not read");
  }
}
BENCHMARK(BM_StepLoad)->ArgName("native")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_StepAutosave(benchmark::State& state) {
  const std::string folder = MakeFolder(state.range(0) != 0 ? "tmk" : "dat");
  tolmek::Session session = StartSession(folder);
  tolmek::ScriptedFeedback feedback;
  session.Options.DataFolder = folder;
  session.Record.CurrentFilePath =
      (fs::path(folder) / (state.range(0) != 0 ? "leaf100.tmk" : "leaf100.dat")).string();
  tolmek::LoadCurrentFile(session, feedback);
  for (auto _ : state) {
    session.Record.AutosaveDone = false;
    tolmek::AutosaveOutputs(session, feedback);
  }
}
BENCHMARK(BM_StepAutosave)->ArgName("native")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The results window's refresh (after every command while it is open) over 10000 rows.
void BM_ResultsRefresh(benchmark::State& state) {
  tolmek::bench::NeedApplication<QApplication>();
  tolmek::Session session = StartSession(".");
  tolmek::ScriptedFeedback feedback;
  const int rows = static_cast<int>(state.range(0));
  for (int r = 1; r <= rows; ++r) {
    session.Results.Cell(r, 0) = "/data/leaf/leaf" + std::to_string(r) + ".tmk";
    for (int c = 1; c < tolmek::kResultColumnCount; ++c)
      session.Results.Cell(r, c) = std::to_string(100 + (r * 37 + c * 11) % 900) + ".25";
  }
  session.Results.ResultRowCount = static_cast<int16_t>(rows);
  tolmek::Resform window(session, feedback);
  window.resize(1000, 600);
  window.show();
  QApplication::processEvents();
  for (auto _ : state) {
    window.Refresh();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ResultsRefresh)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
