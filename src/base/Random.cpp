#include "base/Random.h"

namespace wf {
namespace {
uint32_t state = 1;  // the runtime's state before any srand
}

void crtSrand(uint32_t seed) { state = seed; }

int crtRand() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFF);
}

uint32_t crtRandState() { return state; }

}  // namespace wf
