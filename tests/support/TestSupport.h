// Shared helpers of the test programs: temporary folders and whole-file reads.
#pragma once

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

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

// A small file system of its own (tmpfs with the given mount options) in a temporary folder, for
// tests of a full disk or a folder that turns read-only. Mounting needs the superuser; where it
// cannot be done, SkipReason says why.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::string& options);
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  const std::string& SkipReason() const { return why_; }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  bool MakeReadOnly() const;

 private:
  TempFolder holder_;
  std::string path_;
  std::string why_;
};

// Sets an environment variable (unsets it for nullptr) until the object goes, then puts back
// what was there before.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value);
  ~ScopedVariable();
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  std::string name_;
  std::string before_;
  bool wasSet_ = false;
};

// The one tolerance for computed coordinates and values compared outside EXPECT_NEAR (in searches
// and predicates): equal but for rounding.
inline bool IsNear(double a, double b, double tolerance = 1e-9) {
  return std::abs(a - b) <= tolerance;
}

// The pieces of text between separators (an empty last piece after a final separator).
std::vector<std::string> Split(std::string_view text, char separator);

// How often part occurs in text (overlapping occurrences included).
size_t Count(const std::string& text, const std::string& part);

// The whole content of a file ("" when it cannot be read).
std::string Slurp(const std::string& path);

// A hand-held OJIP fluorometer text export of `columns` measurements, samples at 10 us (ignored
// by the readers), then 50, 100, 150 ... us (`samples` of them). Measurement c (1-based) has the
// signal 1000 * c + sample number + background 100; lines end in lineEnd.
std::string OjipExportText(int columns, int samples, const std::string& lineEnd = "\r\n");

}  // namespace tolmek::test
