// The list of the files of a folder that match the opened file's extension, for previous/next.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Session.h"

namespace tolmek {

// The bare names of the regular files in folder that match pattern ("*.dat", "*.*", several
// patterns separated by ";"), compared without regard to case, sorted by name.
std::vector<std::string> ListFolder(const std::string& folder, const std::string& pattern);

// The pattern of the opened file: "*." and everything after the first "." of its bare name.
std::string PatternOf(const std::string& fileName);

// Fills FileList from the folder and sets FileIndex to the entry that equals CurrentFileName
// exactly (case-sensitive); without a match FileIndex keeps its value. A folder that has not
// changed since FileList was read from it with the same pattern is not read again.
// The folder's stamp now; nothing when it cannot be read.
std::optional<FolderStamp> StampOf(const std::string& folder, const std::string& pattern);

void BuildFileList(Session& session, const std::string& folder, const std::string& pattern);

}  // namespace tolmek
