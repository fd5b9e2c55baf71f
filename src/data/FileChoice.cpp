#include "FileChoice.h"

#include "FileIO.h"
#include "Measurement.h"
#include "NumberText.h"
#include "OjipTextFile.h"

namespace tolmek {

ReaderKind ChooseReader(const std::string& path) {
  const std::string key = ToUpper(LastChars(path, 3));
  if (key == "DAT" || key == ".DA") return ReaderKind::Instrument;
  if (key == "TMK") return ReaderKind::Native;
  if (IsOjipTextExport(path)) return ReaderKind::OjipText;
  return ReaderKind::Ascii;
}

bool SavesAsNative(const std::string& path) {
  return ToUpper(LastChars(path, 3)) == "TMK";
}

void BackupFile(const std::string& path) {
  if (!FileExists(path)) return;
  CopyWholeFile(path, DropLast(path, 3) + "bak");
}

void ReportUnreadableFile(Session& session, Feedback& feedback) {
  feedback.ShowMessage(kUnreadableFileText, MessageIcon::Critical);
  ResetState(session);
}

}  // namespace tolmek
