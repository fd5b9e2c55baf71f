// The settings reader on arbitrary bytes: every line is applied or skipped, and whatever was
// taken is written back in a form that reads back to the same settings.
#include "FuzzSupport.h"
#include "app/Settings.h"
#include "data/Session.h"
#include "ui/ScriptedFeedback.h"

namespace {

std::string ReadBack(const std::string& path) {
  tolmek::Session session;
  tolmek::ScriptedFeedback feedback;
  tolmek::SetStartValues(session);
  tolmek::ReadSettings(session, feedback, path);
  return tolmek::SettingsText(session);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tolmek;
  const std::string path = fuzz::WriteInput("tolmek.ini", data, size);
  if (path.empty()) return 0;
  const std::string written = ReadBack(path);
  const auto* bytes = reinterpret_cast<const uint8_t*>(written.data());
  if (fuzz::WriteInput("tolmek.ini", bytes, written.size()).empty()) return 0;
  fuzz::Check(ReadBack(path) == written);
  return 0;
}
