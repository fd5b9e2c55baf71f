// Batch processing: read each file and write its outputs as the autosave does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/Session.h"
#include "ui/Feedback.h"

namespace tolmek {

struct BatchSummary {
  int Processed = 0;     // files read whose outputs were all written (temperature exports included)
  int Failed = 0;        // files that could not be read, or whose outputs could not all be written
  bool Stopped = false;  // the run ended early: the user answered No, or an unexpected error
};

// The open dialog's answer: folder, then the bare names, NUL-separated. Nothing when fewer than
// two names were chosen. At most 1000 names are taken.
struct BatchSelection {
  std::string Folder;
  std::vector<std::string> Names;
};
bool SplitBatchSelection(const std::string& dialogResult, BatchSelection& selection);

// Processes the files (full paths) in order with autosave forced on; DataFolder is the folder of
// the file being processed. The autosave setting in force before is put back on every way out.
BatchSummary RunBatch(Session& session, Feedback& feedback, const std::vector<std::string>& paths);

// Called with the bare name of each file before it is processed (the console batch names the file
// its messages are about).
using BatchFileHook = std::function<void(const std::string& fileName)>;
BatchSummary RunBatch(Session& session, Feedback& feedback, const std::vector<std::string>& paths,
                      const BatchFileHook& beforeFile);

// Called with the path of each file that was read, after its outputs were written and before the
// state is reset (the console batch paints its picture); false counts the file as failed. A
// temperature curve, exported rather than loaded, comes with nothing loaded.
using BatchOutputHook = std::function<bool(Session& session, const std::string& path)>;
BatchSummary RunBatch(Session& session, Feedback& feedback, const std::vector<std::string>& paths,
                      const BatchFileHook& beforeFile, const BatchOutputHook& afterOutputs);

}  // namespace tolmek
