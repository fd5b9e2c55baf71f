#include "BackedUpFile.h"

#include "Errors.h"
#include "FileChoice.h"

namespace tolmek {

namespace {

std::string BackupPath(const std::string& path) {
  return DropLast(path, 3) + "bak";
}

void Forget(ResultFileMemo& memo) {
  memo.BackupBehind = false;
  memo.Tail.clear();
}

}  // namespace

std::string LocateResultFile(ResultFileMemo& memo, const std::string& folder,
                             const std::string& name, FileState& state) {
  if (memo.Folder == folder && !memo.Path.empty()) {
    state = StatFile(memo.Path);
    if (state.Exists) return memo.Path;
  }
  Forget(memo);
  memo.Folder = folder;
  memo.Path = FindFileIgnoringCase(folder, name);
  state = StatFile(memo.Path);
  if (!state.Exists) memo.Path = JoinPath(folder, name);
  return memo.Path;
}

void AppendBackedUp(ResultFileMemo& memo, const std::string& path, const FileState& state,
                    std::string_view text) {
  if (state.IsFolder) throw ErrorText(errors::kFileAccessError);
  const std::string backup = BackupPath(path);
  const bool behind = memo.BackupBehind && memo.Path == path && memo.Result == state &&
                      StatFile(backup) == memo.Backup;
  const std::string tail = std::move(memo.Tail);
  Forget(memo);
  FileState backupState;
  if (behind) {
    backupState = AppendToFile(backup, tail);
  } else {
    BackupFile(path);
    backupState = StatFile(backup);
  }
  const FileState after = AppendToFile(path, text);
  memo.Path = path;
  memo.Result = after;
  memo.Backup = backupState;
  memo.Tail.assign(text);
  memo.BackupBehind = after.Exists && backupState.Exists;
}

void ReplaceBackedUp(ResultFileMemo& memo, const std::string& path, std::string_view text) {
  Forget(memo);
  BackupFile(path);
  WriteFileReplacing(path, text);
}

}  // namespace tolmek
