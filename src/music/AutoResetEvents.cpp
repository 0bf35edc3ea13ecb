#include "music/AutoResetEvents.h"

namespace wf {

void AutoResetEvents::signal(int index) {
  if (index < 0 || index >= kCount) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    set_[index] = true;
  }
  changed_.notify_all();
}

int AutoResetEvents::waitAny() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    for (int i = 0; i < kCount; ++i)
      if (set_[i]) {
        set_[i] = false;
        return i;
      }
    changed_.wait(lock);
  }
}

void AutoResetEvents::resetAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (bool& flag : set_) flag = false;
}

}  // namespace wf
