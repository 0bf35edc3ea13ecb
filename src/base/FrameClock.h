// Turns time into the script's fixed timeline of 10 ms steps.
//
// tick() runs one step for every 0.01 s that has passed: steps run while
// the next step time is strictly below now. While paused the next step time
// still advances, so un-pausing causes no burst.
// deliberate: no catch-up bound; after a stall every missed step runs in one
// frame, so the timeline never falls behind the music
// (FrameClock.CatchesUpEveryMissedStepAfterAStall).
#pragma once
#include <chrono>
#include <functional>

namespace wf {

// Seconds on some monotonic scale.
class TimeSource {
 public:
  virtual ~TimeSource() = default;
  virtual double now() = 0;
};

class SteadyTimeSource : public TimeSource {
 public:
  double now() override;
};

// Time that moves only when told: headless rendering and tests.
class VirtualTimeSource : public TimeSource {
 public:
  double now() override { return seconds_; }
  void set(double seconds) { seconds_ = seconds; }
  void advance(double seconds) { seconds_ += seconds; }

 private:
  double seconds_ = 0.0;
};

class FrameClock {
 public:
  static constexpr double kStepSeconds = 0.01;

  // `step` runs one script step. Construction is time zero of the timeline.
  FrameClock(TimeSource& time, std::function<void()> step);
  virtual ~FrameClock();
  FrameClock(const FrameClock&) = delete;
  FrameClock& operator=(const FrameClock&) = delete;

  void tick() { tickAt(time_.now()); }
  // tick() as if the time source said `seconds`: fast-forwards run the
  // steps a run at that time would have run, whatever the source says.
  void tickAt(double seconds);
  double now() { return time_.now(); }
  // One clock step: a script step unless paused, and the step time advances.
  void clockStep();
  // Clock steps that ran a script step: the timeline position an engine
  // built anew reaches by running as many (the reload and the seek keys).
  long long scriptSteps() const { return scriptSteps_; }
  // The steps run so far stand for the time up to now: after a fast-forward
  // of a freshly built engine, the next step is due at once, not after the
  // time the fast-forward stood for.
  void resync() { nextStepTime_ = time_.now(); }

  // The one switch for stopping the timeline: the Pause key, ENDE, START's
  // fast-forward and the console's input mode all go through it.
  void pause() { paused_ = true; }
  void resume() { paused_ = false; }
  void togglePause() { paused_ = !paused_; }
  bool isPaused() const { return paused_; }

  static FrameClock* current();

 private:
  TimeSource& time_;
  std::function<void()> step_;
  bool paused_ = false;
  double nextStepTime_ = 0.0;  // while paused it still advances: no burst on resuming
  long long scriptSteps_ = 0;
};

}  // namespace wf
