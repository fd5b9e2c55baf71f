// A text file the program appends to and keeps a backup of (FL.RES and DF.RES): before each
// change the backup ("bak" as the last three characters of the name) holds the file's previous
// content, byte for byte.
#pragma once

#include <string>
#include <string_view>

#include "Session.h"

namespace tolmek {

// The file name in folder, found whatever the case of its name; the memo remembers where it was
// found, so a batch looks for it once. state receives the file's state (Exists false when there is
// none yet; it will then be created under name).
std::string LocateResultFile(ResultFileMemo& memo, const std::string& folder,
                             const std::string& name, FileState& state);

// Backs the file up, then appends the text. When the file and its backup are as the last call
// left them, the backup is brought up to date by appending what changed since; otherwise it is a
// full copy. The backup is complete before the file is touched, and a failed append leaves the
// file as it was. Throws ErrorText on failure.
void AppendBackedUp(ResultFileMemo& memo, const std::string& path, const FileState& state,
                    std::string_view text);

// Backs the file up (when it exists), then replaces its content with the text.
void ReplaceBackedUp(ResultFileMemo& memo, const std::string& path, std::string_view text);

}  // namespace tolmek
