// The ascii reader on arbitrary bytes.
#include "ReaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return tolmek::fuzz::FuzzReader("leaf.asc", data, size);
}
