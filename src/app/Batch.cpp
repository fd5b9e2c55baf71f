#include "Batch.h"

#include <exception>

#include "Autosave.h"
#include "LoadSequence.h"
#include "data/FileIO.h"
#include "data/Measurement.h"

namespace tolmek {

namespace {

constexpr size_t kMaxBatchNames = 1000;
constexpr const char* kContinueQuestion = "Do you want to continue with the next files?";

// Forces autosave on for the run and puts the user's setting back on every way out.
class ForcedAutosave {
 public:
  explicit ForcedAutosave(bool& setting) : setting_(setting), kept_(setting) { setting_ = true; }
  ~ForcedAutosave() { setting_ = kept_; }
  ForcedAutosave(const ForcedAutosave&) = delete;
  ForcedAutosave& operator=(const ForcedAutosave&) = delete;

 private:
  bool& setting_;
  bool kept_;
};

std::string ProgressText(const std::string& name, size_t number, size_t count) {
  return "Processing " + name + " (file " + std::to_string(number) + " of " +
         std::to_string(count) + ").";
}

enum class FileResult { Processed, Failed, Stop };

FileResult ProcessFile(Session& session, Feedback& feedback, const std::string& path,
                       const BatchOutputHook& afterOutputs) {
  Measurement& record = session.Record;
  record.CurrentFileName = FileNameOf(path);
  session.Options.DataFolder = FolderOf(path);
  record.CurrentFilePath = path;
  const ReadOutcome outcome = ReadMeasurement(session, feedback);
  record.DataLoaded = true;
  FileResult result = FileResult::Processed;
  if (outcome == ReadOutcome::Loaded) {
    if (!AutosaveOutputs(session, feedback)) result = FileResult::Failed;
    if (afterOutputs && !afterOutputs(session, path)) result = FileResult::Failed;
  } else if (outcome == ReadOutcome::Exported) {
    if (afterOutputs && !afterOutputs(session, path)) result = FileResult::Failed;
  } else {
    // Nothing is written for a file that could not be read; the user decides whether to go on.
    const Answer answer =
        feedback.Ask(kContinueQuestion, Buttons::YesNo, MessageIcon::Exclamation, Answer::Yes);
    result = answer == Answer::No ? FileResult::Stop : FileResult::Failed;
  }
  ResetState(session);
  return result;
}

}  // namespace

bool SplitBatchSelection(const std::string& dialogResult, BatchSelection& selection) {
  const size_t firstNul = dialogResult.find('\0');
  if (firstNul == std::string::npos) return false;
  BatchSelection split;
  split.Folder = dialogResult.substr(0, firstNul);
  size_t start = firstNul + 1;
  while (start <= dialogResult.size() && split.Names.size() < kMaxBatchNames) {
    size_t end = dialogResult.find('\0', start);
    if (end == std::string::npos) end = dialogResult.size();
    if (end > start) split.Names.push_back(dialogResult.substr(start, end - start));
    start = end + 1;
  }
  if (split.Names.size() < 2) return false;
  selection = std::move(split);
  return true;
}

BatchSummary RunBatch(Session& session, Feedback& feedback, const std::vector<std::string>& paths) {
  return RunBatch(session, feedback, paths, {});
}

BatchSummary RunBatch(Session& session, Feedback& feedback, const std::vector<std::string>& paths,
                      const BatchFileHook& beforeFile) {
  return RunBatch(session, feedback, paths, beforeFile, {});
}

BatchSummary RunBatch(Session& session, Feedback& feedback, const std::vector<std::string>& paths,
                      const BatchFileHook& beforeFile, const BatchOutputHook& afterOutputs) {
  BatchSummary summary;
  AutosaveOutputs(session, feedback);
  ForcedAutosave forced(session.Options.AutosaveEnabled);
  ResetState(session);
  try {
    for (size_t j = 0; j < paths.size(); ++j) {
      const std::string name = FileNameOf(paths[j]);
      if (beforeFile) beforeFile(name);
      feedback.SetProgressText(ProgressText(name, j + 1, paths.size()));
      const FileResult result = ProcessFile(session, feedback, paths[j], afterOutputs);
      if (result == FileResult::Processed) {
        ++summary.Processed;
      } else {
        ++summary.Failed;
      }
      if (result == FileResult::Stop) {
        summary.Stopped = true;
        break;
      }
    }
  } catch (const std::exception& error) {
    // An unexpected failure ends the run; the file it happened in counts as not processed.
    feedback.ShowMessage(error.what(), MessageIcon::Critical);
    ++summary.Failed;
    summary.Stopped = true;
    ResetState(session);
  }
  feedback.HideProgress();
  return summary;
}

}  // namespace tolmek
