#include "support/TestSupport.h"

#include <sys/mount.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
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

}  // namespace tolmek::test
