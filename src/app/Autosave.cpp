#include "Autosave.h"

#include <filesystem>
#include <optional>

#include "analysis/JipResFile.h"
#include "analysis/ResultFiles.h"
#include "data/AsciiFile.h"
#include "data/FileChoice.h"
#include "data/FileIO.h"
#include "data/NativeFile.h"
#include "data/ReaderExit.h"

namespace tolmek {

namespace {

// True when writing target would overwrite the file at source (same name, or the same file under
// another spelling on a file system that ignores case).
bool IsSameFile(const std::string& source, const std::string& target) {
  if (source == target) return true;
  std::error_code ec;
  return std::filesystem::exists(target, ec) && std::filesystem::equivalent(source, target, ec);
}

// A native file beside the measurement that is not the loaded file may hold work done on it (points
// set by hand, a gain changed) that a load of the raw data does not have: it is copied to
// <name>.tmk.bak before it is replaced, a name that no folder pattern of the program lists.
// Returns the backup's path (empty when none was needed), nothing when the copy failed.
std::optional<std::string> KeepNativeBackup(Feedback& feedback, const std::string& source,
                                            const std::string& target) {
  if (!FileExists(target) || IsSameFile(source, target)) return std::string();
  const std::string backup = target + "." + LastChars(SiblingPath(target, "bak"), 3);
  if (!RunWriter(feedback, [&] { CopyWholeFile(target, backup); })) return std::nullopt;
  return backup;
}

// Writes the native file; one that would replace another's work is backed up first and not
// written at all when that fails.
bool WriteNativeOutput(Measurement& record, Feedback& feedback) {
  const std::string& source = record.CurrentFilePath;
  const std::string target = SiblingPath(source, "tmk");
  const auto backup = KeepNativeBackup(feedback, source, target);
  if (!backup) return false;
  if (!WriteNativeFile(record, feedback, target, record.TimeValues, record.PFValues,
                       record.DFValues, record.PointCount, source))
    return false;
  if (!backup->empty())
    feedback.ShowMessage(
        "The previous " + FileNameOf(target) + " is kept as " + FileNameOf(*backup) + ".",
        MessageIcon::Information);
  return true;
}

}  // namespace

bool AutosaveOutputs(Session& session, Feedback& feedback) {
  Measurement& record = session.Record;
  if (!session.Options.AutosaveEnabled || !record.DataLoaded || record.AutosaveDone) return true;
  const std::string source = record.CurrentFilePath;
  // Each writer reports its own failure; the next step is tried all the same.
  bool written = WriteNativeOutput(record, feedback);
  written = WriteFLRes(session, feedback, true) && written;
  written = WriteDFRes(session, feedback, true) && written;
  if (session.Options.JipTest) written = WriteJipRes(session, feedback) && written;
  // A loaded ASCII file is not replaced by its own copy rounded to fewer decimals.
  const std::string asciiTarget = SiblingPath(source, "asc");
  if (!IsSameFile(source, asciiTarget))
    written = WriteAsciiFile(feedback, asciiTarget, record.TimeValues, record.PFValues,
                             record.DFValues, 1, record.PointCount) &&
              written;
  record.AutosaveDone = true;
  return written;
}

}  // namespace tolmek
