// The choice of reader and writer by the file name, the backup copy of a result file and the
// message for a file that is not in the expected format.
#pragma once

#include <string>

#include "Session.h"
#include "ui/Feedback.h"

namespace tolmek {

enum class ReaderKind { Instrument, Native, Ascii, OjipText };

// How a reader ended. Failed: reported to the user; Cancelled: Esc or a cancelled question, no
// message; Exported: a temperature recording was written as an ASCII file and nothing is loaded.
// Every outcome but Loaded leaves the empty state (CurrentFilePath empty).
enum class ReadOutcome { Loaded, Failed, Cancelled, Exported };

// By the last three characters of the path in upper case: "DAT" or ".DA" the instrument reader,
// "TMK" the native reader, anything else the ASCII reader; a "TXT" file whose first line ends in
// "ASCII Export File" the OJIP text export reader.
ReaderKind ChooseReader(const std::string& path);

// The path with its last three characters replaced by the extension, each letter in the case of
// the character it replaces: REC01.DAT gives REC01.TMK, leaf.asc gives leaf.tmk, so an output
// of a file from a system that ignores case is that file itself, not a second one beside it.
std::string SiblingPath(const std::string& path, const std::string& extension);

// True when the save command writes the native format for this name ("TMK" at its end).
bool SavesAsNative(const std::string& path);

// Copies the file to the same name with "bak" as its last three characters. A file that does not
// exist yet has nothing to back up. Throws ErrorText when the copy fails.
void BackupFile(const std::string& path);

constexpr const char* kUnreadableFileText =
    "Cannot read file. The file is not in the correct format or is corrupt.\r"
    "If this is a text file, please change its extension.";

// The message for a file of the wrong structure, then the empty state.
void ReportUnreadableFile(Session& session, Feedback& feedback);

}  // namespace tolmek
