#include "support/TestSupport.h"

#include <sys/mount.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tolmek::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const fs::path base = fs::temp_directory_path() / ("tolmek-test-" + std::to_string(getpid()) +
                                                     "-" + std::to_string(counter++));
  fs::remove_all(base);
  fs::create_directories(base);
  path_ = base.string();
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string TempFolder::Write(const std::string& name, const std::string& content) const {
  const std::string path = File(name);
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

ScopedVariable::ScopedVariable(const char* name, const char* value) : name_(name) {
  if (const char* before = std::getenv(name)) {
    wasSet_ = true;
    before_ = before;
  }
  if (value) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}

ScopedVariable::~ScopedVariable() {
  if (wasSet_) {
    setenv(name_.c_str(), before_.c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
}

SmallFileSystem::SmallFileSystem(const std::string& options) : path_(holder_.File("fs")) {
  fs::create_directory(path_);
  if (geteuid() != 0) {
    why_ = "mounting a small file system needs the superuser";
  } else if (::mount("tmpfs", path_.c_str(), "tmpfs", 0, options.c_str()) != 0) {
    why_ = std::string("a small file system cannot be mounted here: ") + std::strerror(errno);
  }
}

SmallFileSystem::~SmallFileSystem() {
  if (why_.empty()) ::umount2(path_.c_str(), MNT_DETACH);
}

bool SmallFileSystem::MakeReadOnly() const {
  return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1)
    parts.emplace_back(text.substr(start, end - start));
  parts.emplace_back(text.substr(start));
  return parts;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string OjipExportText(int columns, int samples, const std::string& lineEnd) {
  const auto row = [&](const std::string& label, auto field) {
    std::string line = label + "\t";
    for (int c = 1; c <= columns; ++c) line += field(c) + "\t";
    return line + lineEnd;
  };
  std::string text = "Meter ASCII Export File" + lineEnd + "------" + lineEnd + "File Name: test" +
                     lineEnd + lineEnd;
  text += row("index", [](int c) { return std::to_string(c + 4); });
  text += row("time", [](int c) { return "10:0" + std::to_string(c) + ":00  01.02.2024"; });
  text += row("id", [](int) { return std::string("OJIP"); });
  text += row("10", [](int) { return std::string("100"); });
  for (int i = 1; i <= samples; ++i)
    text += row(std::to_string(50 * i), [&](int c) { return std::to_string(1000 * c + i + 100); });
  text += row("Bckg", [](int) { return std::string("100"); });
  text += row("Fo", [](int) { return std::string("1001"); });
  text += row("description", [](int c) { return "leaf " + std::to_string(c); });
  return text;
}

}  // namespace tolmek::test
