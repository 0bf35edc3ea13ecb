#include <gtest/gtest.h>

#include <cmath>

#include "base/FcvtText.h"

using namespace wf;

TEST(FcvtText, DigitsAndPointAsFcvtGivesThem) {
  struct Case { double value; const char* digits; int point; };
  const Case cases[] = {
      {1.5, "150", 1},       {0.5, "50", 0},        {0.05, "5", -1},      {2.25, "225", 1},
      {-2.25, "225", 1},     {0.0, "00", 0},        {-0.0, "00", 0},      {123.456, "12346", 3},
      {0.125, "13", 0},      // half-up on the decimal digits
      {9.999, "1000", 2},    // carry into a new leading digit
      {0.996, "100", 1},     {0.006, "1", -1},      // rounds up into the first place
      {0.004, "", -2},       // nothing left: empty digits
      {0.0004, "", -3},      // the rounding digit lies beyond what is shown
      {1e20, "10000000000000000000000", 21}, {1234567.891, "123456789", 7},
      {2.675, "267", 1},     // the binary value lies below 2.675
  };
  for (const Case& c : cases) {
    const FcvtDigits d = fcvtDigits(c.value, 2);
    EXPECT_EQ(std::make_pair(d.digits, d.decimalPoint), std::make_pair(std::string(c.digits), c.point)) << c.value;
  }
}

TEST(FcvtText, OtherPrecisionsAndNonNumbers) {
  EXPECT_EQ(fcvtDigits(3.14159, 4).digits, "31416");
  EXPECT_EQ(fcvtDigits(3.7, 0).digits, "4");
  EXPECT_EQ(fcvtDigits(NAN, 2).digits, "1#QNAN");
  EXPECT_EQ(fcvtDigits(-INFINITY, 2).digits, "1#INF");
  EXPECT_EQ(fcvtDigits(1e300, 2).digits.size(), 303u) << "long but bounded";
}
