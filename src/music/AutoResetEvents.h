// A small set of auto-reset events: flags plus one condition variable.
//
// signal(i) sets flag i; waitAny() blocks until a flag is set, clears the
// lowest set one and returns its index, so every signal wakes one waiter
// once, and when several are pending the lowest index is served first.
#pragma once
#include <condition_variable>  // Required for: std::condition_variable
#include <mutex>               // Required for: std::mutex

namespace wf {

class AutoResetEvents {
 public:
  static constexpr int kCount = 3;

  void signal(int index);
  int waitAny();
  // Clears every flag without waking anyone.
  void resetAll();

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool set_[kCount] = {};
};

}  // namespace wf
