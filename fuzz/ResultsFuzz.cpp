// The averaging of FL.RES on arbitrary bytes: it either writes both average files or reports
// one error, never more.
#include "FuzzSupport.h"
#include "analysis/Averaging.h"
#include "ui/ScriptedFeedback.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tolmek;
  if (fuzz::WriteInput("fl.res", data, size).empty()) return 0;
  ScriptedFeedback feedback;
  const bool averaged = AverageResults(feedback, fuzz::ScratchFolder(), 1);
  fuzz::Check(feedback.Messages.size() == (averaged ? 0u : 1u));
  return 0;
}
