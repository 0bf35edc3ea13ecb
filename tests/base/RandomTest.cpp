#include <gtest/gtest.h>

#include "base/Random.h"

using namespace wf;

TEST(Random, ReproducesTheMicrosoftRuntimeSequence) {
  // Known first draws of the classic runtime: srand(1) gives 41, 18467, 6334.
  crtSrand(1);
  EXPECT_EQ(crtRand(), 41);
  EXPECT_EQ(crtRand(), 18467);
  EXPECT_EQ(crtRand(), 6334);
  crtSrand(0);
  EXPECT_EQ(crtRand(), 38);
  EXPECT_EQ(crtRand(), 7719);
}

TEST(Random, StaysWithinFifteenBits) {
  crtSrand(46346);
  for (int i = 0; i < 100000; ++i) {
    const int v = crtRand();
    ASSERT_GE(v, 0);
    ASSERT_LE(v, kRandMax);
  }
}
