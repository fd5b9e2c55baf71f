#include "FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>

#include "Errors.h"
#include "NumberText.h"

namespace tolmek {

namespace {

namespace fs = std::filesystem;

std::string ErrorTextFor(int error, const std::string& path) {
  switch (error) {
    case ENOENT: {
      const std::string folder = FolderOf(path);
      std::error_code ec;
      if (!folder.empty() && !fs::is_directory(folder, ec)) return errors::kPathNotFound;
      return errors::kFileNotFound;
    }
    case ENOTDIR:
      return errors::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return errors::kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
      return errors::kDiskFull;
    case EISDIR:
      return errors::kFileAccessError;
    default:
      return std::strerror(error);
  }
}

[[noreturn]] void Fail(int error, const std::string& path) {
  throw ErrorText(ErrorTextFor(error, path));
}

// Opens without blocking (a FIFO would wait for a writer) and looks at what was opened, so a
// folder, a device or a FIFO is refused before a single byte is read from it. What is left is a
// regular file, which never blocks, so the flag can stay. Returns the descriptor.
int OpenForReading(const std::string& path, int64_t* size = nullptr) {
  errno = 0;
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    const int error = errno ? errno : EIO;
    // A missing file is named as the failed writes name theirs: the reader that reports it may
    // have been given the name by a command line, a dropped file or a list gone stale.
    if (error == ENOENT) throw ErrorText(FileNameOf(path) + ": " + ErrorTextFor(error, path));
    Fail(error, path);
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    const bool folder = S_ISDIR(status.st_mode);
    ::close(descriptor);
    throw ErrorText(folder ? errors::kIsAFolder : errors::kNotARegularFile);
  }
  if (size) *size = static_cast<int64_t>(status.st_size);
  return descriptor;
}

// Writes all of the content to the descriptor; false with errno set when that failed.
bool WriteDescriptor(int descriptor, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(descriptor, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    content.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

int64_t Nanoseconds(const timespec& time) {
  return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

FileState StateOf(const struct stat& info) {
  FileState state;
  state.Exists = true;
  state.IsFolder = S_ISDIR(info.st_mode);
  state.Device = info.st_dev;
  state.Inode = info.st_ino;
  state.Size = static_cast<uint64_t>(info.st_size);
  state.ModifiedNs = Nanoseconds(info.st_mtim);
  state.ChangedNs = Nanoseconds(info.st_ctim);
  return state;
}

// A file of a name that does not exist yet needs no temporary file: nothing can be lost when its
// write fails, and the half-written file is removed. False when the name exists after all.
bool WriteNewFile(const std::string& path, std::string_view content) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) {
    if (errno == EEXIST) return false;
    Fail(errno, path);
  }
  bool written = WriteDescriptor(descriptor, content);
  int error = written ? 0 : errno;
  if (::close(descriptor) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(path.c_str());
    Fail(error ? error : EIO, path);
  }
  return true;
}

// The append itself; the caller names the file in its errors.
FileState AppendUnnamed(const std::string& path, std::string_view content) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (descriptor < 0) Fail(errno, path);
  struct stat before {};
  if (::fstat(descriptor, &before) != 0) {
    const int error = errno;
    ::close(descriptor);
    Fail(error, path);
  }
  bool written = WriteDescriptor(descriptor, content);
  int error = written ? 0 : errno;
  // Whole rows only: what a failed write left of the text goes again.
  if (!written) (void)!::ftruncate(descriptor, before.st_size);
  struct stat after {};
  const bool known = written && ::fstat(descriptor, &after) == 0;
  if (::close(descriptor) != 0 && written) {
    written = false;
    error = errno;
  }
  if (!written) Fail(error ? error : EIO, path);
  // A state that could not be taken matches no later one.
  return known ? StateOf(after) : FileState{};
}

}  // namespace

InputFile::InputFile(const std::string& path, int64_t& bytesRead)
    : descriptor_(OpenForReading(path, &size_)), bytesRead_(bytesRead) {}

InputFile::~InputFile() {
  ::close(descriptor_);
}

size_t InputFile::ReadMore(std::string& text, size_t count) {
  if (ended_) return 0;
  // Within the length the file had when it was opened, room for one byte more than is left is
  // enough to meet its end.
  if (offset_ < size_) count = std::min(count, static_cast<size_t>(size_ - offset_) + 1);
  const size_t before = text.size();
  text.resize(before + count);
  size_t got = 0;
  while (got < count) {
    const ssize_t piece = ::read(descriptor_, text.data() + before + got, count - got);
    if (piece < 0 && errno == EINTR) continue;
    if (piece <= 0) {
      text.resize(before + got);
      bytesRead_ += static_cast<int64_t>(got);
      offset_ += static_cast<int64_t>(got);
      if (piece < 0) throw ErrorText(std::strerror(EIO));
      ended_ = true;
      return got;
    }
    got += static_cast<size_t>(piece);
  }
  bytesRead_ += static_cast<int64_t>(got);
  offset_ += static_cast<int64_t>(got);
  return got;
}

void InputFile::ReadUpTo(std::string& text, size_t size) {
  constexpr size_t kPiece = 65536;
  while (text.size() < size && ReadMore(text, std::min(kPiece, size - text.size())) > 0) {
  }
}

std::string ReadWholeFile(const std::string& path) {
  int64_t bytesRead = 0;
  InputFile file(path, bytesRead);
  std::string content;
  content.reserve(static_cast<size_t>(file.Size()));
  while (file.ReadMore(content, 65536) > 0) {
  }
  return content;
}

// The file a write to path really changes: a symbolic link stays a link to the new content.
std::string ResolvedTarget(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  const fs::path target = fs::weakly_canonical(path, ec);
  return ec ? path : target.string();
}

// A file the user may not change is not replaced behind its back: opening it for appending
// (which changes nothing) fails exactly when writing it in place would.
void CheckWritable(const std::string& path) {
  const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (descriptor < 0) Fail(errno ? errno : EIO, path);
  ::close(descriptor);
}

void CheckReadable(const std::string& path) {
  ::close(OpenForReading(path));
}

// A hidden name in the target's folder that is never longer than the target's own name (a name
// at the system's length limit must stay replaceable), created exclusively so that it never
// overwrites another file. Only a one-character target gets a two-character name. Returns the
// descriptor open for writing.
int CreateTemporaryBeside(const std::string& path, std::string& temporary) {
  static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
  constexpr size_t kLongest = 8;
  constexpr int kAttempts = 100;
  const size_t length = std::clamp<size_t>(FileNameOf(path).size(), 2, kLongest);
  static std::minstd_rand random(std::random_device{}());
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    std::string name = ".";
    while (name.size() < length) name += kLetters[random() % kLetters.size()];
    temporary = JoinPath(FolderOf(path), name);
    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) return descriptor;
    if (errno != EEXIST) Fail(errno ? errno : EIO, path);
  }
  Fail(EEXIST, path);
}

// A name that does not exist yet is written directly; any other (a file, a link, even one that
// leads nowhere) is replaced through a temporary file and a rename.
void ReplaceFile(const std::string& requested, std::string_view content) {
  if (WriteNewFile(requested, content)) return;
  // A symbolic link stays a link to the new content: the file it leads to is replaced.
  std::string path = requested;
  struct stat target {};
  bool replacing = ::lstat(path.c_str(), &target) == 0;
  if (replacing && S_ISLNK(target.st_mode)) {
    path = ResolvedTarget(requested);
    replacing = ::stat(path.c_str(), &target) == 0;
  }
  if (replacing) CheckWritable(path);
  std::string temporary;
  const int descriptor = CreateTemporaryBeside(path, temporary);
  bool written = WriteDescriptor(descriptor, content);
  int error = written ? 0 : errno;
  // The new file keeps the permissions of the one it replaces.
  if (written && replacing) (void)!::fchmod(descriptor, target.st_mode & 07777);
  if (::close(descriptor) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    ::unlink(temporary.c_str());
    Fail(error ? error : EIO, path);
  }
}

void WriteFileReplacing(const std::string& path, std::string_view content) {
  NamingFile(path, [&] { ReplaceFile(path, content); });
}

FileState StatFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return StateOf(info);
  if (errno == ENOENT) return {};
  const int error = errno;
  return NamingFile(path, [&]() -> FileState { Fail(error, path); });
}

FileState AppendToFile(const std::string& path, std::string_view content) {
  return NamingFile(path, [&] { return AppendUnnamed(path, content); });
}

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
  const std::string exact = JoinPath(folder, name);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  const std::string wanted = ToUpper(name);
  for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (entry.size() == wanted.size() && ToUpper(entry) == wanted) return JoinPath(folder, entry);
  }
  return exact;
}

void CopyWholeFile(const std::string& source, const std::string& target) {
  WriteFileReplacing(target, NamingFile(source, [&] { return ReadWholeFile(source); }));
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::string FileDateTimeText(const std::string& path) {
  std::error_code ec;
  const auto written = fs::last_write_time(path, ec);
  if (ec) return {};
  const auto systemTime = std::chrono::file_clock::to_sys(written);
  const std::time_t seconds = std::chrono::system_clock::to_time_t(systemTime);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::strftime(text, sizeof text, "%d.%m.%Y %H:%M:%S", &local);
  return text;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool SameFolder(const std::string& first, const std::string& second) {
  if (first == second) return true;
  const auto normal = [](const std::string& folder) {
    fs::path path = fs::path(folder.empty() ? "." : folder).lexically_normal();
    return path.has_filename() ? path : path.parent_path();
  };
  const fs::path a = normal(first);
  const fs::path b = normal(second);
  if (a == b) return true;
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DropLast(const std::string& text, size_t n) {
  return text.size() <= n ? std::string() : text.substr(0, text.size() - n);
}

std::string LastChars(const std::string& text, size_t n) {
  return text.size() <= n ? text : text.substr(text.size() - n);
}

}  // namespace tolmek
