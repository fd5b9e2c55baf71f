#include "Autosave.h"

#include <filesystem>

#include "analysis/JipResFile.h"
#include "analysis/ResultFiles.h"
#include "data/AsciiFile.h"
#include "data/FileIO.h"
#include "data/NativeFile.h"

namespace tolmek {

namespace {

// True when writing target would overwrite the file at source (same name, or the same file under
// another spelling on a file system that ignores case).
bool IsSameFile(const std::string& source, const std::string& target) {
  if (source == target) return true;
  std::error_code ec;
  return std::filesystem::exists(target, ec) && std::filesystem::equivalent(source, target, ec);
}

}  // namespace

bool AutosaveOutputs(Session& session, Feedback& feedback) {
  Measurement& record = session.Record;
  if (session.Options.AutosaveEnabled != 1 || record.DataLoaded != kTrue ||
      record.AutosaveDone != kFalse)
    return true;
  const std::string source = record.CurrentFilePath;
  const std::string base = DropLast(source, 3);
  // Each writer reports its own failure; the next step is tried all the same.
  bool written = WriteNativeFile(record, feedback, base + "tmk", record.TimeValues, record.PFValues,
                                 record.DFValues, record.PointCount, source);
  written = WriteFLRes(session, feedback, 1) && written;
  written = WriteDFRes(session, feedback, 1) && written;
  if (session.Options.JipTest == 1) written = WriteJipRes(session, feedback) && written;
  // A loaded ASCII file is not replaced by its own copy rounded to fewer decimals.
  const std::string asciiTarget = base + "asc";
  if (!IsSameFile(source, asciiTarget))
    written = WriteAsciiFile(feedback, asciiTarget, record.TimeValues, record.PFValues,
                             record.DFValues, 1, record.PointCount) &&
              written;
  record.AutosaveDone = kTrue;
  return written;
}

}  // namespace tolmek
