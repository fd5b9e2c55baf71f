// Whole-file reads and safe writes, with failures turned into the user-facing error texts.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "Errors.h"

namespace tolmek {

std::string FileNameOf(const std::string& path);

// A regular file opened for reading, read piece by piece as far as its reader asks. A folder, a
// device or a FIFO is refused at once: such a "file" can block or never end.
class InputFile {
 public:
  // Throws ErrorText ("leaf.asc: File not found", "Permission denied", ...) when the file cannot
  // be opened or is not a regular file. Every byte read is added to bytesRead, the reader's own
  // count of what it took.
  InputFile(const std::string& path, int64_t& bytesRead);

  // Appends up to count further bytes to text; returns how many came (0 at the end, and from then
  // on without asking the system again).
  size_t ReadMore(std::string& text, size_t count);
  // Appends bytes until text holds size bytes or the file ends.
  void ReadUpTo(std::string& text, size_t size);
  // The length of the file when it was opened.
  int64_t Size() const { return size_; }

  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

 private:
  int64_t size_ = 0;  // set by the opening below, so declared before it
  int descriptor_ = -1;
  int64_t offset_ = 0;
  bool ended_ = false;
  int64_t& bytesRead_;
};

// Reads the whole file into memory. Throws ErrorText ("File not found", ...) on failure.
std::string ReadWholeFile(const std::string& path);

// Runs step() on the file; an ErrorText it throws gets the file's bare name in front ("rec01.tmk:
// Permission denied"), so a message about one of several files says which one failed. A text
// that names the file already ("rec01.tmk: File not found") is passed on as it is.
template <typename Step>
auto NamingFile(const std::string& path, Step step) {
  try {
    return step();
  } catch (const ErrorText& error) {
    const std::string named = FileNameOf(path) + ": ";
    if (std::string_view(error.what()).starts_with(named)) throw;
    throw ErrorText(named + error.what());
  }
}

// Writes the text to the file, replacing an existing one through a hidden temporary file beside
// it (a name no longer than the file's own) and a rename, so a failed write never destroys the
// old file. A file of a new name is written directly and removed again when the write fails.
// Throws ErrorText that names the file on failure; so do the other writes below.
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
// The two texts name the same folder (written alike, or the same folder on the disk).
bool SameFolder(const std::string& first, const std::string& second);
std::string FileNameOf(const std::string& path);
// The text without its last n characters (empty when shorter).
std::string DropLast(const std::string& text, size_t n);
// The last n characters of the text (all of it when shorter).
std::string LastChars(const std::string& text, size_t n);

}  // namespace tolmek
