#include "base/FrameClock.h"

namespace wf {
namespace {
FrameClock* theClock = nullptr;
}

double SteadyTimeSource::now() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

FrameClock* FrameClock::current() { return theClock; }

FrameClock::FrameClock(TimeSource& time, std::function<void()> step) : time_(time), step_(std::move(step)) {
  theClock = this;
  nextStepTime_ = time_.now();
}

FrameClock::~FrameClock() {
  if (theClock == this) theClock = nullptr;
}

void FrameClock::clockStep() {
  if (!paused_ && step_) {
    step_();
    scriptSteps_ += 1;
  }
  nextStepTime_ += kStepSeconds;
}

void FrameClock::tickAt(double seconds) {
  while (nextStepTime_ < seconds) clockStep();
}

}  // namespace wf
