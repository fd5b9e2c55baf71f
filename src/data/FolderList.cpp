#include "FolderList.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <limits>
#include <string_view>

#include "NumberText.h"

namespace tolmek {

namespace {

// "*" any run of characters, "?" any one character; both texts already in upper case.
bool GlobMatches(std::string_view pattern, std::string_view name) {
  size_t p = 0;
  size_t n = 0;
  size_t starAt = std::string_view::npos;
  size_t resumeAt = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starAt = p++;
      resumeAt = n;
    } else if (starAt != std::string_view::npos) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// Whether an entry whose type the folder does not give (or a link) is a regular file, as
// following links finds it.
bool IsRegularFile(const std::string& folder, const dirent* entry) {
  if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return false;
  struct stat status {};
  const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + entry->d_name;
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// A folder's time says nothing of a change made in the same tick of the file system's clock
// (coarse on some: two seconds on FAT), so a stamp counts only when the folder last changed
// longer ago than that.
bool Settled(const FolderStamp& stamp) {
  constexpr int64_t kTickNs = 2'000'000'000;
  const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::system_clock::now().time_since_epoch())
                          .count();
  return stamp.ModifiedNs < now - kTickNs;
}

// A pattern ending in "." stands for names without an extension, as the platform's list box has it.
bool NameMatches(const std::string& pattern, const std::string& name) {
  if (!pattern.empty() && pattern.back() == '.' && name.find('.') == std::string::npos)
    return GlobMatches(pattern, name + ".");
  return GlobMatches(pattern, name);
}

std::vector<std::string> SplitPatterns(const std::string& patterns) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start <= patterns.size()) {
    size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    const std::string piece = ToUpper(Trim(std::string_view(patterns).substr(start, end - start)));
    if (!piece.empty()) pieces.push_back(piece);
    start = end + 1;
  }
  return pieces;
}

}  // namespace

std::vector<std::string> ListFolder(const std::string& folder, const std::string& pattern) {
  const std::vector<std::string> patterns = SplitPatterns(pattern);
  std::vector<std::string> names;
  DIR* entries = opendir(folder.empty() ? "." : folder.c_str());
  if (entries == nullptr) return names;
  std::string upper;
  while (const dirent* entry = readdir(entries)) {
    const std::string_view name = entry->d_name;
    if (entry->d_type != DT_REG && !IsRegularFile(folder, entry)) continue;
    upper.assign(name);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (std::any_of(patterns.begin(), patterns.end(),
                    [&](const std::string& p) { return NameMatches(p, upper); }))
      names.emplace_back(name);
  }
  closedir(entries);
  std::sort(names.begin(), names.end());
  return names;
}

std::string PatternOf(const std::string& fileName) {
  const size_t dot = fileName.find('.');
  return "*." + (dot == std::string::npos ? std::string() : fileName.substr(dot + 1));
}

std::optional<FolderStamp> StampOf(const std::string& folder, const std::string& pattern) {
  struct stat status {};
  if (stat(folder.empty() ? "." : folder.c_str(), &status) != 0) return std::nullopt;
  return FolderStamp{
      folder, pattern,
      static_cast<int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
      static_cast<uint64_t>(status.st_ino), static_cast<uint64_t>(status.st_dev)};
}

void BuildFileList(Session& session, const std::string& folder, const std::string& pattern) {
  FolderWalk& walk = session.Folder;
  // Taken before the reading, so that a file added while the folder is read moves it again.
  const std::optional<FolderStamp> stamp = StampOf(folder, pattern);
  if (!stamp || walk.Listed != stamp) {
    walk.FileList = ListFolder(folder, pattern);
    walk.Listed = stamp && Settled(*stamp) ? stamp : std::nullopt;
  }
  // FileIndex is 16-bit: entries beyond its range cannot be the loaded file's position.
  const size_t reachable =
      std::min(walk.FileList.size(), static_cast<size_t>(std::numeric_limits<int16_t>::max()) + 1);
  for (size_t i = 0; i < reachable; ++i) {
    if (walk.FileList[i] == session.Record.CurrentFileName) {
      walk.FileIndex = static_cast<int16_t>(i);
      return;
    }
  }
}

}  // namespace tolmek
