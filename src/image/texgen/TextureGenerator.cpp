// The texture generator's operations. Every formula is kept exactly as the
// stored texture descriptions were made with: operand order, double versus
// single precision, truncations and 8-bit wrap-around all change pixels, so
// none of them is "tidied".
#include "image/texgen/TextureGenerator.h"

#include <cmath>    // Required for: std::sin(), std::cos(), std::sqrt()
#include <cstdlib>  // Required for: std::abs()
#include <cstring>  // Required for: std::memset(), std::memcpy()

#include "base/Random.h"      // Required for: crtSrand(), crtRand()
#include "base/FileBuffer.h"

namespace wf {
namespace {

// deliberate: the generator's own pi and 2 pi, slightly below the true
// values, as stored textures were computed with
// (TextureGenerator.RunsTheCompleteRecordsOfAPositiveCountInOrder).
constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;

TextureGenerator* currentGenerator = nullptr;

inline size_t offsetOf(int x, int y) { return size_t(y) * TextureGenerator::kRowBytes + size_t(x) * 3; }

inline int clampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// Truncation toward zero for values every operation keeps well inside the
// 32-bit range (at most a few thousand in size, never NaN): the plain cast,
// inlined, which is what truncToInt() gives for such values.
inline int truncSmall(double v) { return static_cast<int>(v); }

// Low 8 bits of an integer result, as the layers store every value.
inline uint8_t low8(int v) { return static_cast<uint8_t>(v & 0xFF); }

}  // namespace

TextureGenerator::TextureGenerator()
    : layers_(new uint8_t[kLayerBytes * kLayerCount]),
      twirlTurns_(new TwirlTurn[kTwirlDistances]),
      twirlStamps_(new uint32_t[kTwirlDistances]()) {
  // All nine layers start black (the scratch layer too, so nothing is ever
  // undefined), and this is the only time they are cleared.
  std::memset(layers_.get(), 0, kLayerBytes * kLayerCount);
  previous_ = currentGenerator;
  currentGenerator = this;
}

TextureGenerator::~TextureGenerator() {
  if (currentGenerator == this) currentGenerator = previous_;
}

TextureGenerator* TextureGenerator::current() { return currentGenerator; }

bool TextureGenerator::runFile(const std::string& path) {
  FileBuffer file(path);
  if (file.failed()) return false;
  runDescription(file.data(), file.size());
  return true;
}

void TextureGenerator::runDescription(const uint8_t* data, size_t size) {
  if (data == nullptr || size < 4) return;
  const uint32_t raw = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                       uint32_t(data[3]) << 24;
  const int32_t count = static_cast<int32_t>(raw);
  if (count <= 0) return;
  // Safety: the count is not trusted; only complete records present run.
  const size_t present = (size - 4) / kRecordBytes;
  const size_t runs = size_t(count) < present ? size_t(count) : present;
  for (size_t k = 0; k < runs; ++k) runRecord(data + 4 + k * kRecordBytes);
}

bool TextureGenerator::runRecord(const uint8_t* r) {
  const int code = r[0];
  const int p1 = r[1], p2 = r[2], p3 = r[3], p4 = r[4], p5 = r[5], p6 = r[6], p7 = r[7], p8 = r[8];
  if (code >= kOperationCount) return false;
  // Safety: a layer number above 8 would address memory outside the layers;
  // such a record is skipped whole.
  if (p1 >= kLayerCount) return false;
  if ((code == 7 || code == 8) && p2 >= kLayerCount) return false;
  switch (code) {
    case 0: sinePlasma(p1, p2, p3, p4, p5, p6, p7, p8); break;
    case 1: cloud(p1, p2, p3); break;
    case 2: lightSpot(p1, p2, p3, p4, p5, p6, p7); break;
    case 3: twirl(p1, p2, p3, p4, p5); break;
    case 4: invert(p1); break;
    case 5: blur(p1); break;
    case 6: emboss(p1); break;
    case 7: combine(p1, p2, p3, p4); break;
    case 8: modulate(p1, p2); break;
    case 9: wave(p1, p2, p4); break;
  }
  return true;
}

// u = sin(p4 / 255 * 2 * PI + x * 2PI * p2 / 2048) * 63.5 + 127
// v = sin(p5 / 255 * 2 * PI + y * 2PI * p3 / 2048) * 63.5 + u     (0..254)
// blue = trunc(p8 * v / 255), green = trunc(p7 * v / 255), red = trunc(p6 * v / 255)
void TextureGenerator::sinePlasma(int L, int xFrequency, int yFrequency, int xPhase, int yPhase,
                                  int red, int green, int blue) {
  // u depends on x only and the sine of v on y only: computing them once per
  // column and row gives the same doubles as computing them per pixel.
  double u[kSize];
  for (int x = 0; x < kSize; ++x)
    u[x] = std::sin(xPhase / 255.0 * 2 * kPi + x * kTwoPi * xFrequency / 2048) * 63.5 + 127;
  uint8_t* out = layer(L);
  for (int y = 0; y < kSize; ++y) {
    const double rowSine = std::sin(yPhase / 255.0 * 2 * kPi + y * kTwoPi * yFrequency / 2048);
    for (int x = 0; x < kSize; ++x) {
      const double v = rowSine * 63.5 + u[x];
      uint8_t* p = out + offsetOf(x, y);
      p[0] = low8(truncSmall(blue * v / 255));
      p[1] = low8(truncSmall(green * v / 255));
      p[2] = low8(truncSmall(red * v / 255));
    }
  }
}

// Grey midpoint displacement: the layer is cleared, the generator reseeded
// with the seed, four random corners set, then the square (0,0)-(255,255)
// is subdivided with amplitude 2 * roughness.
void TextureGenerator::cloud(int L, int roughness, int seed) {
  uint8_t* out = layer(L);
  std::memset(out, 0, kLayerBytes);
  crtSrand(uint32_t(seed));
  cloudTarget_ = uint8_t(L);
  const int corners[4][2] = {{0, 0}, {255, 0}, {0, 255}, {255, 255}};
  for (const auto& c : corners) {
    const uint8_t grey = uint8_t(crtRand() % 255);
    uint8_t* p = out + offsetOf(c[0], c[1]);
    p[0] = p[1] = p[2] = grey;
  }
  subdivideCloud(0, 0, 255, 255, 2 * roughness);
}

// One point of the subdivision: the base value plus rand() % A - A / 2 when
// A is not 0, clamped to 0..255, written only while the point's first byte
// is still 0. deliberate: 0 doubles as "not yet set", so a point that
// received 0 can be set again by a later square; the rand() call is made
// whether or not the point is written, which keeps the sequence
// (TextureGenerator.CloudIsSeededMidpointDisplacement).
void TextureGenerator::setCloudPoint(int x, int y, int value, int amplitude) {
  if (amplitude != 0) value += crtRand() % amplitude - (amplitude >> 1);
  value = clampByte(value);
  uint8_t* p = layer(cloudTarget_) + offsetOf(x, y);
  if (p[0] == 0) p[0] = p[1] = p[2] = uint8_t(value);
}

void TextureGenerator::subdivideCloud(int x0, int y0, int x1, int y1, int amplitude) {
  // Both sides halve together, so the depth is at most 8.
  if (std::abs(x1 - x0) <= 1 && std::abs(y1 - y0) <= 1) return;
  const int xm = (x0 + x1) >> 1;
  const int ym = (y0 + y1) >> 1;
  const uint8_t* in = layer(cloudTarget_);
  auto P = [in](int x, int y) { return int(in[offsetOf(x, y)]); };
  // Each point is computed just before it is written: in the smallest
  // squares a midpoint can be a corner that a later point reads.
  setCloudPoint(xm, y0, (P(x0, y0) + P(x1, y0)) >> 1, amplitude);
  setCloudPoint(xm, y1, (P(x0, y1) + P(x1, y1)) >> 1, amplitude);
  setCloudPoint(x0, ym, (P(x0, y0) + P(x0, y1)) >> 1, amplitude);
  setCloudPoint(x1, ym, (P(x1, y0) + P(x1, y1)) >> 1, amplitude);
  setCloudPoint(xm, ym, (P(x0, y0) + P(x1, y0) + P(x0, y1) + P(x1, y1)) >> 2, amplitude);
  const int half = amplitude >> 1;
  subdivideCloud(x0, y0, xm, ym, half);
  subdivideCloud(xm, y0, x1, ym, half);
  subdivideCloud(x0, ym, xm, y1, half);
  subdivideCloud(xm, ym, x1, y1, half);
}

// d = sqrt((x - cx)^2 + (y - cy)^2); black where radius < d, otherwise with
// o = radius - d: blue = trunc(blue * o / 127), green and red alike.
void TextureGenerator::lightSpot(int L, int centreX, int centreY, int radius, int red, int green,
                                 int blue) {
  uint8_t* out = layer(L);
  for (int y = 0; y < kSize; ++y) {
    const int dy = y - centreY;
    for (int x = 0; x < kSize; ++x) {
      const int dx = x - centreX;
      const double d = std::sqrt(double(dx * dx + dy * dy));
      uint8_t* p = out + offsetOf(x, y);
      if (radius < d) {
        p[0] = p[1] = p[2] = 0;
        continue;
      }
      const double o = radius - d;
      // deliberate: no clamp; a weight * o / 127 of 256 or more wraps (a
      // bright spot of radius 255 has dark rings near its centre)
      // (TextureGenerator.EveryOperationGivesTheHandCheckedBytes).
      p[0] = low8(truncSmall(blue * o / 127));
      p[1] = low8(truncSmall(green * o / 127));
      p[2] = low8(truncSmall(red * o / 127));
    }
  }
}

// Rotates each pixel within the radius about the centre by an angle that
// grows toward the centre: (radius - dist) * PI / (2 * softness + 32).
// deliberate: distance, angle, sine, cosine and the rotated offsets are all
// single precision, as the stored twirls were made
// (TextureGenerator.EveryOperationGivesTheHandCheckedBytes).
void TextureGenerator::twirl(int L, int centreX, int centreY, int radius, int softness) {
  uint8_t* out = layer(L);
  uint8_t* scratch = layer(kScratchLayer);
  if (out != scratch) std::memcpy(scratch, out, kLayerBytes);
  const int divisor = 2 * softness + 32;
  if (++twirlNumber_ == 0) {  // after 2^32 twirls: forget every mark
    std::memset(twirlStamps_.get(), 0, sizeof(uint32_t) * kTwirlDistances);
    twirlNumber_ = 1;
  }
  const TwirlTurn none;
  for (int y = 0; y < kSize; ++y) {
    const int dy = y - centreY;
    for (int x = 0; x < kSize; ++x) {
      const int dx = x - centreX;
      const int squared = dx * dx + dy * dy;
      // sqrt(255^2 + 1) > 255 >= radius: beyond the table no pixel turns.
      const TwirlTurn& turn = squared < kTwirlDistances ? twirlTurn(squared, radius, divisor) : none;
      const float fx = float(dx) * turn.c - float(dy) * turn.s;
      const float fy = float(dx) * turn.s + float(dy) * turn.c;
      const int sx = clampByte(centreX + truncSmall(fx));
      const int sy = clampByte(centreY + truncSmall(fy));
      // deliberate: with L = 8 this reads pixels already rotated in this
      // pass (an in-place rotation); stored textures look that way
      // (TextureGenerator.ScratchLayerEightHoldsTheLastFilterResult).
      const uint8_t* from = scratch + offsetOf(sx, sy);
      uint8_t* to = out + offsetOf(x, y);
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
  }
}

// dist = sqrt(dx^2 + dy^2) and t = radius - dist in single precision;
// angle = 0 when t < 0, else t * PI / divisor rounded to single precision;
// c = cos(angle), s = sin(angle), single precision.
const TextureGenerator::TwirlTurn& TextureGenerator::twirlTurn(int squared, int radius, int divisor) {
  TwirlTurn& turn = twirlTurns_[size_t(squared)];
  if (twirlStamps_[size_t(squared)] == twirlNumber_) return turn;
  twirlStamps_[size_t(squared)] = twirlNumber_;
  const float dist = static_cast<float>(std::sqrt(double(squared)));
  const float t = static_cast<float>(radius) - dist;
  const float angle = t < 0 ? 0.0f : static_cast<float>(t * kPi / divisor);
  turn.c = static_cast<float>(std::cos(double(angle)));
  turn.s = static_cast<float>(std::sin(double(angle)));
  return turn;
}

void TextureGenerator::invert(int L) {
  uint8_t* out = layer(L);
  for (size_t i = 0; i < kLayerBytes; ++i) out[i] = uint8_t(255 - out[i]);
}

// Scratch = (sum of the 8 neighbours, the pixel itself excluded) >> 3 per
// byte, neighbours wrapping around the edges; then copied over L.
void TextureGenerator::blur(int L) {
  const uint8_t* in = layer(L);
  uint8_t* scratch = layer(kScratchLayer);
  for (int y = 0; y < kSize; ++y) {
    const uint8_t* up = in + offsetOf(0, (y - 1) & 255);
    const uint8_t* row = in + offsetOf(0, y);
    const uint8_t* down = in + offsetOf(0, (y + 1) & 255);
    for (int x = 0; x < kSize; ++x) {
      const int l = ((x - 1) & 255) * 3, m = x * 3, r = ((x + 1) & 255) * 3;
      uint8_t* to = scratch + offsetOf(x, y);
      for (int c = 0; c < 3; ++c) {
        const int sum = up[l + c] + up[m + c] + up[r + c] + row[l + c] + row[r + c] +
                        down[l + c] + down[m + c] + down[r + c];
        to[c] = uint8_t(sum >> 3);
      }
    }
  }
  copyScratchTo(L);
}

// Scratch = (R1 + R2 + R3 - L1 - L2 - L3) / 6 + 127 per byte, with the right
// column x + 1 and the left column x - 1 over the rows y - 1, y, y + 1,
// wrapping; the division truncates toward zero (results 0..254).
void TextureGenerator::emboss(int L) {
  const uint8_t* in = layer(L);
  uint8_t* scratch = layer(kScratchLayer);
  for (int y = 0; y < kSize; ++y) {
    const uint8_t* up = in + offsetOf(0, (y - 1) & 255);
    const uint8_t* row = in + offsetOf(0, y);
    const uint8_t* down = in + offsetOf(0, (y + 1) & 255);
    for (int x = 0; x < kSize; ++x) {
      const int l = ((x - 1) & 255) * 3, r = ((x + 1) & 255) * 3;
      uint8_t* to = scratch + offsetOf(x, y);
      for (int c = 0; c < 3; ++c) {
        const int diff = up[r + c] + row[r + c] + down[r + c] - up[l + c] - row[l + c] - down[l + c];
        to[c] = low8(diff / 6 + 127);
      }
    }
  }
  copyScratchTo(L);
}

// k = (s * amount) >> 8 with s the byte of the source layer; mode 0: d + k,
// 1: d - k, 2: d * k, clamped to 0..255. Other modes leave L unchanged.
void TextureGenerator::combine(int L, int source, int mode, int amount) {
  if (mode > 2) return;
  uint8_t* out = layer(L);
  const uint8_t* in = layer(source);
  // One loop per mode, so each is a plain loop the compiler can vectorise
  // (the source may be the destination: every byte is read before written).
  switch (mode) {
    case 0:
      for (size_t i = 0; i < kLayerBytes; ++i) out[i] = uint8_t(clampByte(out[i] + ((in[i] * amount) >> 8)));
      break;
    case 1:
      for (size_t i = 0; i < kLayerBytes; ++i) out[i] = uint8_t(clampByte(out[i] - ((in[i] * amount) >> 8)));
      break;
    default:
      for (size_t i = 0; i < kLayerBytes; ++i) out[i] = uint8_t(clampByte(out[i] * ((in[i] * amount) >> 8)));
      break;
  }
}

// d = trunc(min(255, s * d / 127)) in double precision: 127 in the source
// keeps the destination, 254 doubles it.
void TextureGenerator::modulate(int L, int source) {
  uint8_t* out = layer(L);
  const uint8_t* in = layer(source);
  for (size_t i = 0; i < kLayerBytes; ++i) {
    const double v = in[i] * out[i] / 127.0;
    out[i] = uint8_t(truncSmall(v < 255 ? v : 255));
  }
}

// A band of columns centred on e = 256 / divisor and `width` wide on each
// side, pushed sideways along two sine periods down the image:
//   o = sin((x - e + width) * PI / (2 * width)) * width   where |e - x| <= width
//   f = trunc(sin(y * PI * 4 / 256) * o), else f = 0
//   scratch(x, y) = L((x + f) mod 256, y); then copied over L.
void TextureGenerator::wave(int L, int width, int divisor) {
  // Safety: divisor 0 would divide by zero and width 0 would divide 0 by 0;
  // both displace nothing.
  const bool displaces = divisor != 0 && width != 0;
  const int e = displaces ? 256 / divisor : 0;
  double columnAmount[kSize];
  bool inBand[kSize];
  for (int x = 0; x < kSize; ++x) {
    inBand[x] = displaces && std::abs(e - x) <= width;
    columnAmount[x] = inBand[x] ? std::sin((x - e + width) * kPi / (2 * width)) * width : 0.0;
  }
  const uint8_t* in = layer(L);
  uint8_t* scratch = layer(kScratchLayer);
  for (int y = 0; y < kSize; ++y) {
    const double rowSine = std::sin(y * kPi * 4 / 256);
    const uint8_t* row = in + offsetOf(0, y);
    for (int x = 0; x < kSize; ++x) {
      const int f = inBand[x] ? truncSmall(rowSine * columnAmount[x]) : 0;
      const uint8_t* from = row + size_t((x + f) & 255) * 3;
      uint8_t* to = scratch + offsetOf(x, y);
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
  }
  copyScratchTo(L);
}

void TextureGenerator::copyScratchTo(int L) {
  if (L != kScratchLayer) std::memcpy(layer(L), layer(kScratchLayer), kLayerBytes);
}

}  // namespace wf
