#include "base/FcvtText.h"

#include <cmath>   // Required for: std::isnan(), std::isinf(), std::fabs()
#include <cstdio>  // Required for: std::snprintf()
#include <cstdlib> // Required for: std::atoi()

namespace wf {

FcvtDigits fcvtDigits(double value, int decimals) {
  // _fcvt's texts for values without digits.
  if (std::isnan(value)) return {"1#QNAN", 1};
  if (std::isinf(value)) return {"1#INF", 1};
  if (decimals < 0) decimals = 0;
  if (decimals > 300) decimals = 300;

  // Significant digits and the point's position, as the runtime's float
  // conversion gives them: "d.dddddddddddddddde+XX" read apart.
  std::string mantissa = "0";
  int point = 0;
  const double magnitude = std::fabs(value);
  if (magnitude != 0.0) {
    char text[64];
    std::snprintf(text, sizeof text, "%.16e", magnitude);
    mantissa = std::string(1, text[0]) + std::string(text + 2, 16);
    point = std::atoi(text + 19) + 1;
  }

  // Copy as many digits as the decimals need (zero-padded), behind a spare
  // leading '0' that takes the carry when rounding overflows (9.999 -> 10.00).
  const int count = decimals + point;
  std::string buffer = "0";
  size_t next = 0;
  for (int i = 0; i < count; ++i) buffer += next < mantissa.size() ? mantissa[next++] : '0';
  // No rounding when the point lies more than one digit past the copied
  // ones: the rounding digit is then beyond the precision shown.
  if (count >= 0 && next < mantissa.size() && mantissa[next] >= '5') {
    size_t at = buffer.size() - 1;
    while (buffer[at] == '9') buffer[at--] = '0';
    buffer[at] += 1;
  }
  if (buffer[0] == '1')
    point += 1;
  else
    buffer.erase(0, 1);
  return {buffer, point};
}

}  // namespace wf
