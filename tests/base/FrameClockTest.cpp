#include <gtest/gtest.h>

#include "base/FrameClock.h"

using namespace wf;

namespace {
struct ClockFixture {
  VirtualTimeSource time;
  int steps = 0;
  FrameClock clock{time, [this] { ++steps; }};

  // Sets the time, ticks, and returns the steps this tick ran.
  int tickAt(double seconds) { const int before = steps; return time.set(seconds), clock.tick(), steps - before; }
};
}  // namespace

// Step k is due at k * 0.01 s and runs once that is strictly below now. The
// times below stay 2.5 ms away from every step time, so the counts are exact
// whatever rounding the summed step times carry.
TEST(FrameClock, StepsRunWhileTheStepTimeIsStrictlyBelowNow) {
  ClockFixture f;
  EXPECT_EQ(f.tickAt(0.0), 0) << "at time zero nothing is due yet";
  EXPECT_EQ(f.tickAt(0.005), 1) << "step 0 is due as soon as time passes zero";
  // 35 ms frames from 0.0375 s: steps 0..3, 4..7, 8..10, 11..14, ...
  const int perFrame[] = {3, 4, 3, 4, 3, 4, 3, 4};
  for (int frame = 0; frame < 8; ++frame)
    EXPECT_EQ(f.tickAt(0.0375 + 0.035 * frame), perFrame[frame]) << "frame " << frame;
  EXPECT_EQ(f.steps, 29) << "0.2825 s: steps at 0.00 .. 0.28";
  EXPECT_EQ(FrameClock::current(), &f.clock);
}

TEST(FrameClock, PauseLetsTimePassWithoutABurstAfterwards) {
  ClockFixture f;
  EXPECT_EQ(f.tickAt(0.105), 11);
  f.clock.pause();
  EXPECT_TRUE(f.clock.isPaused());
  EXPECT_EQ(f.tickAt(2.105), 0) << "two seconds pass while paused";
  f.clock.togglePause();
  EXPECT_EQ(f.tickAt(2.1275), 2) << "then only steps 2.11 and 2.12, not a burst of 200";
}

TEST(FrameClock, CatchesUpEveryMissedStepAfterAStall) {
  ClockFixture f;
  EXPECT_EQ(f.tickAt(3.005), 301) << "no catch-up bound";
  { ClockFixture other; }
  EXPECT_EQ(FrameClock::current(), nullptr) << "a clock unpublishes itself";
}
