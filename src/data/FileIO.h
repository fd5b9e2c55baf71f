// Whole-file reads and safe writes, with failures turned into the user-facing error texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tolmek {

// Reads the whole file into memory. Throws ErrorText ("File not found", ...) on failure.
std::string ReadWholeFile(const std::string& path);

// Writes the text to the file, replacing an existing one through a temporary file beside it and
// a rename, so a failed write never destroys the old file. A file of a new name is written
// directly and removed again when the write fails. Throws ErrorText on failure.
void WriteFileReplacing(const std::string& path, std::string_view content);

// Opens the file for reading and closes it at once; throws ErrorText ("File not found", ...)
// when it cannot be read. Cheaper than reading a file that may be large just to see it is there.
void CheckReadable(const std::string& path);

// What a file looked like when it was last seen: any change to it moves its size or its
// modification and change times, and a replaced file has another inode.
struct FileState {
  bool Exists = false;
  bool IsFolder = false;
  uint64_t Device = 0;
  uint64_t Inode = 0;
  uint64_t Size = 0;
  int64_t ModifiedNs = 0;
  int64_t ChangedNs = 0;
  bool operator==(const FileState&) const = default;
};

// The state of the file; a missing file has Exists false. Throws ErrorText when the file cannot be
// looked at (a folder on the way that may not be read, ...).
FileState StatFile(const std::string& path);

// Appends the text to the file, creating it when missing, and returns the file's state after the
// write. A write that fails cuts the file back to its length before, so the file never keeps part
// of the text. Throws ErrorText on failure.
FileState AppendToFile(const std::string& path, std::string_view content);

// The entry of the folder whose name equals name in any case (the exact spelling first); name
// itself when there is none. A result file written on another system keeps its spelling.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

// Copies source to target, replacing the target. Throws ErrorText on failure.
void CopyWholeFile(const std::string& source, const std::string& target);

bool FileExists(const std::string& path);

// Last-modified date and time of the file as "dd.mm.yyyy hh:mm:ss" (empty when unknown).
std::string FileDateTimeText(const std::string& path);

// Paths: folders are written without a trailing separator.
std::string JoinPath(const std::string& folder, const std::string& name);
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);
// The text without its last n characters (empty when shorter).
std::string DropLast(const std::string& text, size_t n);
// The last n characters of the text (all of it when shorter).
std::string LastChars(const std::string& text, size_t n);

}  // namespace tolmek
