// The reader of hand-held OJIP fluorometer text exports on arbitrary bytes; the JIP-test of what
// it loaded must compute without touching memory outside the curve.
#include "ReaderFuzz.h"
#include "analysis/JipTest.h"
#include "data/OjipTextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The reader is chosen only for files that start as an export does; the seeds do.
  tolmek::fuzz::FuzzReader("leaf.txt", data, size);
  const std::string path = tolmek::fuzz::WriteInput("leaf.txt", data, size);
  if (path.empty()) return 0;
  tolmek::Session session;
  tolmek::ScriptedFeedback feedback;
  if (tolmek::ReadOjipTextFile(session, feedback, path) == tolmek::ReadOutcome::Loaded)
    tolmek::ComputeJipTest(session.Record);
  return 0;
}
