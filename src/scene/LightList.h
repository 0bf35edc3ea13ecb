// The lights registered during the current frame, in registration order.
// Emptied at every frame start; lights add themselves in update() and meshes
// read the list in their own update() of the same frame. It holds 16 lights:
// further registrations in one frame are ignored.
#pragma once
#include <array>
#include <cstddef>

namespace wf {

class Light;

class LightList {
 public:
  static constexpr int kCapacity = 16;

  void clear() { count_ = 0; }
  // False (and nothing stored) when the list is full.
  bool add(const Light* light) {
    if (count_ >= kCapacity) return false;
    lights_[static_cast<std::size_t>(count_++)] = light;
    return true;
  }
  int count() const { return count_; }
  const Light* at(int index) const { return lights_[static_cast<std::size_t>(index)]; }

 private:
  std::array<const Light*, kCapacity> lights_{};
  int count_ = 0;
};

// The current frame's list (the renderer's); one always exists, so objects
// can be updated without a renderer (tests, scene dumps).
LightList& currentLightList();
void setCurrentLightList(LightList* list);

}  // namespace wf
