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

std::string SiblingPath(const std::string& path, const std::string& extension) {
  const std::string replaced = LastChars(path, extension.size());
  std::string cased = extension;
  for (size_t i = 0; i < cased.size() && i < replaced.size(); ++i) {
    if (replaced[i] >= 'A' && replaced[i] <= 'Z' && cased[i] >= 'a' && cased[i] <= 'z')
      cased[i] = static_cast<char>(cased[i] - 'a' + 'A');
  }
  return DropLast(path, extension.size()) + cased;
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
