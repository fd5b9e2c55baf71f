// What every harness shares: the fuzzer's bytes as a file of a given name in a folder of this
// process, and a check that aborts (so the fuzzer keeps the input) when an invariant breaks.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tolmek::fuzz {

inline void Check(bool condition) {
  if (!condition) std::abort();
}

// A folder of this process that holds one input file at a time.
inline const std::string& ScratchFolder() {
  static const std::string folder = [] {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("tolmek-fuzz-" + std::to_string(getpid())))
            .string();
    std::filesystem::create_directories(path);
    return path;
  }();
  return folder;
}

// Writes the bytes to name in the scratch folder and returns its path (empty when that failed).
inline std::string WriteInput(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = ScratchFolder() + "/" + name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return {};
  const bool written = std::fwrite(data, 1, size, file) == size;
  return std::fclose(file) == 0 && written ? path : std::string();
}

}  // namespace tolmek::fuzz
