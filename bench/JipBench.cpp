// The OJIP text export reader on a full export, the JIP-test of a 10000-point curve and the
// jip.res append of a batch, through the program's own functions.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "analysis/JipResFile.h"
#include "analysis/JipTest.h"
#include "data/FileIO.h"
#include "data/OjipTextFile.h"
#include "ui/ScriptedFeedback.h"

namespace {

namespace fs = std::filesystem;
using namespace tolmek;

constexpr int kSamples = 10000;

// An export of `columns` measurements with kSamples samples from 41 us on, 10 us apart.
std::string ExportText(int columns) {
  std::string text = "Meter ASCII Export File\r\n\r\nindex\t";
  for (int c = 1; c <= columns; ++c) text += std::to_string(c) + "\t";
  text += "\r\n";
  for (int i = 0; i < kSamples; ++i) {
    text += std::to_string(41 + 10 * i) + "\t";
    for (int c = 1; c <= columns; ++c) text += std::to_string(20000 + (i * c) % 30000) + "\t";
    text += "\r\n";
  }
  text += "Bckg\t";
  for (int c = 1; c <= columns; ++c) text += "325\t";
  return text + "\r\ndescription\t\t\r\n";
}

class BenchFolder {
 public:
  BenchFolder()
      : path_(fs::temp_directory_path() / ("tolmek-jip-bench-" + std::to_string(getpid()))) {
    fs::create_directories(path_);
  }
  ~BenchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Path() const { return path_.string(); }

 private:
  fs::path path_;
};

const BenchFolder& Folder() {
  static const BenchFolder folder;
  return folder;
}

void ReadExport(benchmark::State& state) {
  const int columns = static_cast<int>(state.range(0));
  const std::string path = Folder().File("export" + std::to_string(columns) + ".txt");
  WriteFileReplacing(path, ExportText(columns));
  for (auto _ : state) {
    Session session;
    ScriptedFeedback feedback;
    if (ReadOjipTextFile(session, feedback, path) != ReadOutcome::Loaded)
      state.SkipWithError("the export did not load");
    benchmark::DoNotOptimize(session.Record.PFMax);
  }
}

Session LoadedSession() {
  const std::string path = Folder().File("export1.txt");
  WriteFileReplacing(path, ExportText(1));
  Session session;
  ScriptedFeedback feedback;
  ReadOjipTextFile(session, feedback, path);
  session.Record.CurrentFileName = "leaf.txt";
  session.Options.DataFolder = Folder().Path();
  return session;
}

void ComputeJip(benchmark::State& state) {
  const Session session = LoadedSession();
  for (auto _ : state) benchmark::DoNotOptimize(ComputeJipTest(session.Record));
}

// One row per iteration onto a growing jip.res, as a batch run appends them.
void AppendJipRes(benchmark::State& state) {
  Session session = LoadedSession();
  ScriptedFeedback feedback;
  std::error_code ec;
  fs::remove(Folder().File("jip.res"), ec);
  for (auto _ : state)
    if (!WriteJipRes(session, feedback)) state.SkipWithError("jip.res was not written");
}

BENCHMARK(ReadExport)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(ComputeJip)->Unit(benchmark::kMicrosecond);
BENCHMARK(AppendJipRes)->Iterations(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
