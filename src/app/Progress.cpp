#include "app/Progress.h"

#include <unistd.h>  // Required for: isatty()

#include <cstdio>

#include "app/DemoApp.h"
#include "base/Report.h"

namespace wf {

Progress::Progress(double totalSeconds) : total_(totalSeconds), terminal_(isatty(fileno(stderr)) != 0) {}

void Progress::update(long long frames, double demoSeconds) {
  if (!terminal_) return;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  if (wall - lastPrint_ < 0.25) return;
  lastPrint_ = wall;
  const double speed = wall > 0 ? demoSeconds / wall : 0.0;
  std::fprintf(stderr, "\r%lld frames, %.1f s of demo, %.2fx real time", frames, demoSeconds, speed);
  if (total_ > 0 && speed > 0) std::fprintf(stderr, ", ETA %.0f s   ", (total_ - demoSeconds) / speed);
  std::fflush(stderr);
}

void Progress::done() {
  if (terminal_ && lastPrint_ > 0) std::fputc('\n', stderr);
}

void logTimings(const FrameTimings& t) {
  if (t.frames <= 0) return;
  const double n = static_cast<double>(t.frames);
  char line[200];
  int used = std::snprintf(line, sizeof line, "per frame: script %.2f ms, updates %.2f ms, drawing %.2f ms",
                           1000.0 * t.scriptSeconds / n, 1000.0 * t.updateSeconds / n, 1000.0 * t.drawSeconds / n);
  if (t.captureSeconds > 0)
    used += std::snprintf(line + used, sizeof line - used, ", capture %.2f ms", 1000.0 * t.captureSeconds / n);
  std::snprintf(line + used, sizeof line - used, " (%lld frames)", t.frames);
  logDiagnostic(line);
}

}  // namespace wf
