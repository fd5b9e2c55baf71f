// Feeds arbitrary bytes to the three measurement readers and the steps after a load. Whatever
// the bytes, a read must end either loaded with a consistent record or in the empty state,
// without touching memory outside the file or the arrays.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/LoadSequence.h"
#include "data/Session.h"
#include "ui/ScriptedFeedback.h"

namespace {

constexpr const char* kExtensions[] = {".dat", ".tmk", ".asc"};

std::string ScratchPath(const char* extension) {
  return "/tmp/tolmek-fuzz-" + std::to_string(getpid()) + extension;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string path = ScratchPath(kExtensions[data[0] % 3]);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data + 1, 1, size - 1, file);
  std::fclose(file);

  tolmek::Session session;
  tolmek::ScriptedFeedback feedback;
  feedback.GainAnswers.push_back(tolmek::DisplayGains{6, 120});
  session.Record.CurrentFilePath = path;
  session.Record.CurrentFileName = path.substr(path.rfind('/') + 1);
  const auto outcome = tolmek::ReadMeasurement(session, feedback);
  const auto& record = session.Record;
  if (outcome == tolmek::ReadOutcome::Loaded) {
    Check(record.CurrentFilePath == path);
    Check(record.PointCount >= 1);
    Check(record.TimeValues.size() > static_cast<size_t>(record.PointCount));
  } else {
    Check(record.CurrentFilePath.empty());
    Check(record.PointCount == 0);
  }
  std::remove(path.c_str());
  return 0;
}
