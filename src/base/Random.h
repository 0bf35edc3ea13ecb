// The one shared random generator of the engine.
//
// Stored productions depend on the exact sequence of the classic Microsoft C
// runtime generator (tree shapes, cloud textures, ball start positions), so we
// reproduce it instead of using the C library's rand():
//   state = state * 214013 + 2531011 (mod 2^32), result = (state >> 16) & 0x7FFF.
// One state for the whole process, used from the main thread only.
#pragma once
#include <cstdint>

namespace wf {

constexpr int kRandMax = 0x7FFF;

void crtSrand(uint32_t seed);
int crtRand();            // 0..32767
uint32_t crtRandState();  // for tests and scene dumps

}  // namespace wf
