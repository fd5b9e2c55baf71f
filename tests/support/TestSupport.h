// Shared helpers of the test programs: temporary folders and whole-file reads.
#pragma once

#include <string>

namespace tolmek::test {

// A fresh empty folder below the system's temporary folder, removed when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  // Full path of a file in the folder.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Writes a file in the folder and returns its full path.
  std::string Write(const std::string& name, const std::string& content) const;

 private:
  std::string path_;
};

// The whole content of a file ("" when it cannot be read).
std::string Slurp(const std::string& path);

}  // namespace tolmek::test
