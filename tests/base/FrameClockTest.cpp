#include <gtest/gtest.h>

#include "base/FrameClock.h"

using namespace wf;

namespace {
struct ClockFixture {
  VirtualTimeSource time;
  int steps = 0;
  FrameClock clock{time, [this] { ++steps; }};
};
}  // namespace

TEST(FrameClock, StepsRunWhileTheStepTimeIsStrictlyBelowNow) {
  ClockFixture f;
  f.clock.tick();
  EXPECT_EQ(f.steps, 0) << "at time zero nothing is due yet";
  f.time.set(0.005);
  f.clock.tick();
  EXPECT_EQ(f.steps, 1) << "step 0 is due as soon as time passes zero";
  f.time.set(0.01);
  f.clock.tick();
  EXPECT_EQ(f.steps, 1) << "0.01 is not strictly below 0.01";
}

TEST(FrameClock, ThirtyFiveMillisecondFramesRunThreeOrFourSteps) {
  ClockFixture f;
  std::vector<int> perFrame;
  for (int frame = 1; frame <= 8; ++frame) {
    const int before = f.steps;
    f.time.set(frame * 0.035);
    f.clock.tick();
    perFrame.push_back(f.steps - before);
  }
  for (int n : perFrame) EXPECT_TRUE(n == 3 || n == 4) << n;
  EXPECT_EQ(f.steps, 28) << "0.280 s: steps at 0.00 .. 0.27";
}

TEST(FrameClock, PauseLetsTimePassWithoutABurstAfterwards) {
  ClockFixture f;
  f.time.set(0.1);
  f.clock.tick();
  const int before = f.steps;
  f.clock.pause();
  f.time.set(2.1);
  f.clock.tick();
  EXPECT_EQ(f.steps, before);
  f.clock.resume();
  f.time.set(2.115);
  f.clock.tick();
  EXPECT_LE(f.steps - before, 2) << "no burst of 200 steps";
}

TEST(FrameClock, CatchesUpEveryMissedStepAfterAStall) {
  ClockFixture f;
  f.time.set(3.0);
  f.clock.tick();
  EXPECT_GE(f.steps, 300);
  EXPECT_LE(f.steps, 301);
}

TEST(FrameClock, MillisecondTimeSourceKeepsTheTenMillisecondStep) {
  // A coarse source (whole milliseconds) still yields one step per 10 ms.
  struct MillisecondSource : TimeSource {
    unsigned ms = 0;
    double now() override { return ms * static_cast<double>(0.001f); }
  } time;
  int steps = 0;
  FrameClock clock(time, [&] { ++steps; });
  for (time.ms = 1; time.ms <= 1000; ++time.ms) clock.tick();
  EXPECT_NEAR(steps, 100, 1);
}

TEST(FrameClock, PublishesItselfWhileItLives) {
  {
    ClockFixture f;
    EXPECT_EQ(FrameClock::current(), &f.clock);
  }
  EXPECT_EQ(FrameClock::current(), nullptr);
}
