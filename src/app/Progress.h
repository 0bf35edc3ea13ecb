// What a long run tells the person waiting for it, on stderr: a status line
// rewritten in place while it works (only on a terminal) and the frame
// timings at its end.
#pragma once
#include <chrono>

namespace wf {

struct FrameTimings;

class Progress {
 public:
  // `totalSeconds` of demo time to go, 0 when unknown (no ETA then).
  explicit Progress(double totalSeconds);
  void update(long long frames, double demoSeconds);
  // Ends the status line.
  void done();

 private:
  double total_;
  bool terminal_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  double lastPrint_ = 0.0;
};

// "per frame: script … ms, updates … ms, drawing … ms[, capture … ms] (N frames)".
void logTimings(const FrameTimings& timings);

}  // namespace wf
