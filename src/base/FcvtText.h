// Fixed-point digits with the semantics of the classic C runtime's _fcvt,
// which the console's object inspector was written against.
//
// fcvtDigits(v, n) gives the digit string of |v| rounded to n decimals,
// without point and sign, and the position of the decimal point in it. As
// with _fcvt, leading zeros are not part of the string, so the point
// may lie before its start (0.05 with n = 2 gives "5" and -1), and rounding
// is half-up on the decimal digits (0.125 gives "13"). Zero gives n zeros
// and 0. Rounding works on the 17 significant digits of the value.
#pragma once
#include <string>

namespace wf {

struct FcvtDigits {
  std::string digits;
  int decimalPoint = 0;
};

FcvtDigits fcvtDigits(double value, int decimals);

}  // namespace wf
