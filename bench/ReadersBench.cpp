// Reading and writing measurements through the program's own readers and writers: 10000-point
// ASCII and native files, and an instrument recording of 20000 raw samples per channel.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "data/AsciiFile.h"
#include "data/FileIO.h"
#include "data/InstrumentFile.h"
#include "data/NativeFile.h"
#include "synth/Synthetic.h"
#include "ui/ScriptedFeedback.h"

namespace {

namespace fs = std::filesystem;
using namespace tolmek;

constexpr int kPoints = 10000;

// The measurement files every benchmark works on, in a folder of their own that goes at exit.
class BenchFiles {
 public:
  BenchFiles()
      : folder_(fs::temp_directory_path() / ("tolmek-bench-" + std::to_string(getpid()))),
        curves_(synth::MakeInductionCurves({.Points = kPoints})) {
    fs::create_directories(folder_);
    WriteFileReplacing(Path("leaf.asc"), synth::AsciiText(curves_));
    WriteFileReplacing(Path("leaf.tmk"), synth::NativeText(curves_, synth::NativeLayout::Tolmek13,
                                                           synth::MarkPoints(curves_, 4)));
    WriteFileReplacing(Path("leaf.dat"), synth::MakeRecording({}));
  }
  ~BenchFiles() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  BenchFiles(const BenchFiles&) = delete;
  BenchFiles& operator=(const BenchFiles&) = delete;

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  const synth::Curves& Curves() const { return curves_; }

 private:
  fs::path folder_;
  synth::Curves curves_;
};

const BenchFiles& Files() {
  static const BenchFiles files;
  return files;
}

using Reader = ReadOutcome (*)(Session&, Feedback&, const std::string&);

void ReadOnce(benchmark::State& state, const std::string& path, Reader reader, int points) {
  Session session;
  ScriptedFeedback feedback;
  session.Record.CurrentFilePath = path;
  session.Record.CurrentFileName = FileNameOf(path);
  const ReadOutcome outcome = reader(session, feedback, path);
  if (outcome != ReadOutcome::Loaded || (points > 0 && session.Record.PointCount != points))
    state.SkipWithError("the measurement did not load");
  benchmark::DoNotOptimize(session.Record.PFMax);
}

void ReadAscii(benchmark::State& state) {
  const std::string path = Files().Path("leaf.asc");
  for (auto _ : state) ReadOnce(state, path, ReadAsciiFile, kPoints);
}

void ReadNative(benchmark::State& state) {
  const std::string path = Files().Path("leaf.tmk");
  for (auto _ : state) ReadOnce(state, path, ReadNativeFile, kPoints);
}

void ReadInstrument(benchmark::State& state) {
  const std::string path = Files().Path("leaf.dat");
  for (auto _ : state) ReadOnce(state, path, ReadInstrumentFile, 0);
}

void WriteAscii(benchmark::State& state) {
  const synth::Curves& curves = Files().Curves();
  const std::string path = Files().Path("written.asc");
  for (auto _ : state) {
    ScriptedFeedback feedback;
    if (!WriteAsciiFile(feedback, path, curves.Time, curves.PF, curves.DF, 1, kPoints))
      state.SkipWithError("the file was not written");
  }
}

void WriteNative(benchmark::State& state) {
  const synth::Curves& curves = Files().Curves();
  const std::string path = Files().Path("written.tmk");
  Measurement record;
  for (auto _ : state) {
    ScriptedFeedback feedback;
    if (!WriteNativeFile(record, feedback, path, curves.Time, curves.PF, curves.DF, kPoints, path))
      state.SkipWithError("the file was not written");
  }
}

BENCHMARK(ReadAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadNative)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadInstrument)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteNative)->Unit(benchmark::kMillisecond);

}  // namespace
