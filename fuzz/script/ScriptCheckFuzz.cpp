// Fuzz target: the "--check" path, from the file on disk through the
// timeline run (a few seconds of timeline, so each input stays quick) to
// the report lines.
#include <unistd.h>  // Required for: getpid()

#include <cstdint>
#include <cstdio>
#include <string>

#include "app/TimelineTrace.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/wf-check-fuzz-" + std::to_string(::getpid()) + ".cs";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  if (size > 0) std::fwrite(data, 1, size, file);
  std::fclose(file);
  const wf::TimelineTrace trace = wf::traceTimeline(path, 0, 500);
  for (const wf::TraceReport& report : trace.reports)
    if (report.step > trace.endStep) __builtin_trap();  // a report from a step that never ran
  std::remove(path.c_str());
  return 0;
}
