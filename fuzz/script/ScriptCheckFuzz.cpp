// Fuzz target: the whole "--check" path, from the file on disk to the
// statement count.
#include <unistd.h>  // Required for: getpid()

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/Runs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/wf-check-fuzz-" + std::to_string(::getpid()) + ".cs";
  static std::FILE* sink = std::fopen("/dev/null", "w");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
  wf::runCheck(path, sink ? sink : stdout);
  std::remove(path.c_str());
  return 0;
}
