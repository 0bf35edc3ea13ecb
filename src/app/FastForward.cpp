#include "app/FastForward.h"

#include "app/DemoApp.h"
#include "base/FrameClock.h"
#include "music/ModPlayer.h"

namespace wf {

double TimelinePace::tickEnd(long long tick) const {
  const double t = static_cast<double>(tick);
  return ticksPerSecond > 0 ? t / ticksPerSecond : t * FrameClock::kStepSeconds;
}

void runTick(DemoApp& app, long long tick, const TimelinePace& pace) {
  const double end = pace.tickEnd(tick);
  if (pace.ticksPerSecond > 0)
    app.clock().tickAt(end);  // what a frame shown at `end` runs first
  else
    app.clock().clockStep();
  if (SoundOutput* output = app.music().output()) output->advanceTo(end);
}

void fastForward(DemoApp& app, long long ticks, const TimelinePace& pace) {
  for (long long tick = 1; tick <= ticks; ++tick) runTick(app, tick, pace);
}

}  // namespace wf
