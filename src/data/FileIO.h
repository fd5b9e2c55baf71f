// Whole-file reads and safe writes, with failures turned into the user-facing error texts.
#pragma once

#include <string>
#include <string_view>

namespace tolmek {

// Reads the whole file into memory. Throws ErrorText ("File not found", ...) on failure.
std::string ReadWholeFile(const std::string& path);

// Writes the text to the file, replacing an existing one through a temporary file beside it and
// a rename, so a failed write never destroys the old file. Throws ErrorText on failure.
void WriteFileReplacing(const std::string& path, std::string_view content);

// Opens the file for reading and closes it at once; throws ErrorText ("File not found", ...)
// when it cannot be read. Cheaper than reading a file that may be large just to see it is there.
void CheckReadable(const std::string& path);

// Appends the text to the file, creating it when missing. Throws ErrorText on failure.
void AppendToFile(const std::string& path, std::string_view content);

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
