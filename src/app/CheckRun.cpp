#include <algorithm>  // Required for: std::stable_sort()

#include "app/Runs.h"
#include "app/TimelineTrace.h"
#include "base/DisplaySettings.h"

namespace wf {

int runCheck(const std::string& file, int quality, std::FILE* out) {
  TimelineTrace trace = traceTimeline(file, quality);
  // "FILE:LINE: TIME: message", the way compilers print, so editors can jump
  // to the line; reports made while reading have no time.
  for (const TraceReport& r : trace.reports) {
    std::string where = file + (r.line > 0 ? ":" + std::to_string(r.line) : "") + ": ";
    if (r.step > 0) where += timelineTime(r.step) + ": ";
    std::fprintf(out, "%s%s\n", where.c_str(), r.text.c_str());
  }
  std::stable_sort(trace.warnings.begin(), trace.warnings.end(),
                   [](const TraceWarning& a, const TraceWarning& b) { return a.line < b.line; });
  for (const TraceWarning& w : trace.warnings)
    std::fprintf(out, "%s:%d: warning: %s\n", file.c_str(), w.line, w.text.c_str());
  const char* end = trace.ended                              ? "ENDE"
                    : trace.endStep >= kLongestCheckSteps ? "the check's limit"
                                                            : "nothing left to run";
  std::fprintf(out, "%s: %d statements, %zu reports, %zu warnings; ran to %s (%s)\n", file.c_str(),
               trace.statements, trace.reports.size(), trace.warnings.size(), timelineTime(trace.endStep).c_str(),
               end);
  std::fflush(out);
  return trace.reports.empty() && trace.readable ? 0 : 1;
}

}  // namespace wf
