#include "FolderList.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <string_view>

#include "NumberText.h"

namespace tolmek {

namespace {

namespace fs = std::filesystem;

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
  std::error_code ec;
  fs::directory_iterator entries(folder.empty() ? "." : folder, ec);
  if (ec) return names;
  for (const auto& entry : entries) {
    std::error_code typeError;
    if (!entry.is_regular_file(typeError)) continue;
    const std::string name = entry.path().filename().string();
    const std::string upper = ToUpper(name);
    if (std::any_of(patterns.begin(), patterns.end(),
                    [&](const std::string& p) { return NameMatches(p, upper); }))
      names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string PatternOf(const std::string& fileName) {
  const size_t dot = fileName.find('.');
  return "*." + (dot == std::string::npos ? std::string() : fileName.substr(dot + 1));
}

void BuildFileList(Session& session, const std::string& folder, const std::string& pattern) {
  FolderWalk& walk = session.Folder;
  walk.FileList = ListFolder(folder, pattern);
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
