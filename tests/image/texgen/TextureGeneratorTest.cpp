// Exact bytes of every generator operation on small, hand-checked inputs.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "base/Random.h"
#include "image/texgen/TextureGenerator.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

using Generator = TextureGenerator;

struct Pixel {
  int b, g, r;
};

Pixel at(const Generator& gen, int layer, int x, int y) {
  const uint8_t* p = gen.layer(layer) + size_t(y) * 768 + size_t(x) * 3;
  return {p[0], p[1], p[2]};
}

void put(Generator& gen, int layer, int x, int y, int b, int g, int r) {
  uint8_t* p = gen.layer(layer) + size_t(y) * 768 + size_t(x) * 3;
  p[0] = uint8_t(b);
  p[1] = uint8_t(g);
  p[2] = uint8_t(r);
}

// A layer whose pixels say where they are: blue = x, green = y, red = x ^ y.
void fillCoordinates(Generator& gen, int layer) {
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) put(gen, layer, x, y, x, y, x ^ y);
}

void fillUniform(Generator& gen, int layer, int value) {
  std::memset(gen.layer(layer), value, Generator::kLayerBytes);
}

std::vector<uint8_t> copyOf(const Generator& gen, int layer) {
  return std::vector<uint8_t>(gen.layer(layer), gen.layer(layer) + Generator::kLayerBytes);
}

bool layerEquals(const Generator& gen, int layer, const std::vector<uint8_t>& bytes) {
  return std::memcmp(gen.layer(layer), bytes.data(), Generator::kLayerBytes) == 0;
}

// A description: the count, then the records.
std::vector<uint8_t> description(int32_t count, const std::vector<std::array<uint8_t, 9>>& records) {
  std::vector<uint8_t> bytes;
  const uint32_t c = uint32_t(count);
  for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(c >> (8 * i)));
  for (const auto& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
  return bytes;
}

#define EXPECT_PIXEL(pixel, B, G, R, what)                                         \
  do {                                                                             \
    const Pixel p_ = (pixel);                                                      \
    EXPECT_EQ(p_.b, (B)) << what << " (blue)";                                     \
    EXPECT_EQ(p_.g, (G)) << what << " (green)";                                    \
    EXPECT_EQ(p_.r, (R)) << what << " (red)";                                      \
  } while (0)

}  // namespace

// --- creation, the current generator, the file reader -----------------------

TEST(TextureGenerator, StartsWithAllNineLayersBlack) {
  Generator gen;
  for (int l = 0; l < 9; ++l)
    EXPECT_TRUE(layerEquals(gen, l, std::vector<uint8_t>(Generator::kLayerBytes, 0))) << "layer " << l;
}

TEST(TextureGenerator, IsCurrentWhileItLives) {
  EXPECT_EQ(Generator::current(), nullptr);
  {
    auto gen = std::make_unique<Generator>();
    EXPECT_EQ(Generator::current(), gen.get());
    {
      Generator tool;  // e.g. a --texture-png run inside a test of the engine
      EXPECT_EQ(Generator::current(), &tool);
    }
    EXPECT_EQ(Generator::current(), gen.get()) << "the outer generator is current again";
  }
  EXPECT_EQ(Generator::current(), nullptr);
}

TEST(TextureGenerator, CountZeroChangesNothing) {
  Generator gen;
  fillCoordinates(gen, 0);
  const auto before = copyOf(gen, 0);
  const auto file = description(0, {{4, 0}});
  gen.runDescription(file.data(), file.size());
  EXPECT_TRUE(layerEquals(gen, 0, before));
}

TEST(TextureGenerator, NegativeCountRunsNothing) {
  Generator gen;
  const auto file = description(-1, {{4, 0}});
  gen.runDescription(file.data(), file.size());
  EXPECT_EQ(at(gen, 0, 0, 0).b, 0);
}

TEST(TextureGenerator, RunsRecordsInOrderAndLayersCarryOverBetweenFiles) {
  Generator gen;
  // invert layer 0, then add layer 0 at amount 128 to layer 1: (255*128)>>8 = 127
  const auto first = description(2, {{4, 0}, {7, 1, 0, 0, 128}});
  gen.runDescription(first.data(), first.size());
  EXPECT_PIXEL(at(gen, 0, 9, 9), 255, 255, 255, "inverted layer 0");
  EXPECT_PIXEL(at(gen, 1, 9, 9), 127, 127, 127, "layer 1 after combine");
  // A second file starts from what the first left.
  const auto second = description(1, {{7, 1, 0, 0, 128}});
  gen.runDescription(second.data(), second.size());
  EXPECT_PIXEL(at(gen, 1, 9, 9), 254, 254, 254, "layer 1 after the second file");
}

TEST(TextureGenerator, CountBeyondTheRecordsRunsOnlyCompleteRecords) {
  Generator gen;
  auto file = description(1000, {{4, 0}, {4, 1}});
  file.insert(file.end(), {4, 2, 0, 0});  // a truncated third record
  gen.runDescription(file.data(), file.size());
  EXPECT_EQ(at(gen, 0, 0, 0).b, 255);
  EXPECT_EQ(at(gen, 1, 0, 0).b, 255);
  EXPECT_EQ(at(gen, 2, 0, 0).b, 0) << "a truncated record must not run";
}

TEST(TextureGenerator, ShortFilesRunNothing) {
  Generator gen;
  const uint8_t bytes[] = {1, 0, 0};
  for (size_t n = 0; n <= sizeof bytes; ++n) gen.runDescription(bytes, n);
  gen.runDescription(nullptr, 0);
  EXPECT_EQ(at(gen, 0, 0, 0).b, 0);
}

TEST(TextureGenerator, SkipsUnknownCodesAndLayersAboveEight) {
  struct Case {
    std::array<uint8_t, 9> record;
    bool runs;
  };
  const Case cases[] = {
      {{10, 0}, false},          {{255, 0}, false},         {{4, 9}, false},
      {{4, 255}, false},         {{7, 0, 9, 0, 255}, false}, {{8, 0, 200}, false},
      {{4, 8}, true},            {{7, 0, 8, 0, 255}, true},  {{8, 0, 8}, true},
      {{2, 0, 9, 9, 9, 9}, true},  // p2..p5 of a light spot are no layers
  };
  for (const Case& c : cases) {
    Generator gen;
    EXPECT_EQ(gen.runRecord(c.record.data()), c.runs) << "code " << int(c.record[0]) << " p1 "
                                                      << int(c.record[1]) << " p2 " << int(c.record[2]);
  }
  // A skipped record changes nothing.
  Generator gen;
  const uint8_t skipped[9] = {4, 9};
  gen.runRecord(skipped);
  for (int l = 0; l < 9; ++l) EXPECT_EQ(at(gen, l, 0, 0).b, 0) << "layer " << l;
}

TEST(TextureGenerator, RunFileReadsTheWholeFile) {
  test::TempDir dir;
  const auto bytes = description(1, {{4, 3}});
  const std::string path = dir.write("sky.tex", bytes);
  Generator gen;
  EXPECT_TRUE(gen.runFile(path));
  EXPECT_EQ(at(gen, 3, 100, 100).r, 255);
  EXPECT_FALSE(gen.runFile(dir.file("missing.tex")));
}

// --- sine plasma --------------------------------------------------------------

TEST(TextureGeneratorPlasma, ZeroFrequenciesAndPhasesGiveUniform127Scaled) {
  Generator gen;
  gen.sinePlasma(0, 0, 0, 0, 0, 255, 128, 1);
  // v = 127: red = 255 * 127 / 255 = 127, green = trunc(128 * 127 / 255) = 63,
  // blue = trunc(127 / 255) = 0.
  for (int y : {0, 100, 255})
    for (int x : {0, 77, 255}) EXPECT_PIXEL(at(gen, 0, x, y), 0, 63, 127, "x " << x << " y " << y);
}

TEST(TextureGeneratorPlasma, FollowsBothSines) {
  Generator gen;
  // x frequency 128: x = 4 is a quarter turn (sin = 1), x = 12 three quarters.
  // y frequency 64: y = 8 is a quarter turn.
  gen.sinePlasma(2, 128, 64, 0, 0, 255, 255, 255);
  EXPECT_PIXEL(at(gen, 2, 4, 0), 190, 190, 190, "u = 190.5, v = u");
  EXPECT_PIXEL(at(gen, 2, 12, 0), 63, 63, 63, "u = 63.5");
  EXPECT_PIXEL(at(gen, 2, 4, 8), 254, 254, 254, "v = 63.5 + 190.5 = 254");
  EXPECT_PIXEL(at(gen, 2, 12, 24), 0, 0, 0, "v = -63.5 + 63.5");
  EXPECT_PIXEL(at(gen, 2, 0, 0), 127, 127, 127, "both sines 0");
}

TEST(TextureGeneratorPlasma, PhasesShiftTheSines) {
  Generator gen;
  // x phase 255: p4 / 255 * 2 * PI = 2 PI, sine just below 0 at x = 0:
  // u = 127 - tiny, so the red weight 255 gives 126.
  gen.sinePlasma(0, 0, 0, 255, 0, 255, 0, 0);
  EXPECT_PIXEL(at(gen, 0, 0, 0), 0, 0, 126, "full phase");
}

// --- cloud ----------------------------------------------------------------------

TEST(TextureGeneratorCloud, CornersComeFromTheSeededSequence) {
  Generator gen;
  crtSrand(7);
  int corner[4];
  for (int& c : corner) c = crtRand() % 255;
  gen.cloud(1, 0, 7);
  EXPECT_PIXEL(at(gen, 1, 0, 0), corner[0], corner[0], corner[0], "corner (0,0)");
  EXPECT_PIXEL(at(gen, 1, 255, 0), corner[1], corner[1], corner[1], "corner (255,0)");
  EXPECT_PIXEL(at(gen, 1, 0, 255), corner[2], corner[2], corner[2], "corner (0,255)");
  EXPECT_PIXEL(at(gen, 1, 255, 255), corner[3], corner[3], corner[3], "corner (255,255)");
  EXPECT_EQ(gen.cloudTarget(), 1);
}

TEST(TextureGeneratorCloud, RoughnessZeroInterpolatesWithoutDrawing) {
  Generator gen;
  crtSrand(3);
  int c[4];
  for (int& v : c) v = crtRand() % 255;
  const uint32_t stateAfterCorners = crtRandState();
  gen.cloud(0, 0, 3);
  EXPECT_EQ(crtRandState(), stateAfterCorners) << "no rand() call without an amplitude";
  ASSERT_NE(c[0], 0);
  ASSERT_NE(c[1], 0);
  const int top = (c[0] + c[1]) >> 1;
  const int left = (c[0] + c[2]) >> 1;
  const int centre = (c[0] + c[1] + c[2] + c[3]) >> 2;
  EXPECT_EQ(at(gen, 0, 127, 0).b, top);
  EXPECT_EQ(at(gen, 0, 0, 127).b, left);
  EXPECT_EQ(at(gen, 0, 127, 127).b, centre);
  EXPECT_EQ(at(gen, 0, 127, 127).r, centre);
  EXPECT_EQ(at(gen, 0, 63, 0).b, (c[0] + top) >> 1);
}

TEST(TextureGeneratorCloud, DrawsOncePerPointWhileTheAmplitudeLasts) {
  // Roughness 1: amplitude 2 for the whole square (5 points) and 1 for its
  // four quarters (4 x 5 points), then 0: 4 + 5 + 20 draws in all.
  Generator gen;
  gen.cloud(0, 1, 11);
  const uint32_t after = crtRandState();
  crtSrand(11);
  for (int i = 0; i < 29; ++i) crtRand();
  EXPECT_EQ(after, crtRandState());
}

TEST(TextureGeneratorCloud, SharedEdgePointKeepsItsFirstValue) {
  // (127, 63) is the right midpoint of the first quarter (draw 13: 4 corners,
  // 5 points of the whole square, then top, bottom, left, right of the
  // quarter) and later the left midpoint of the second quarter, which draws
  // again but must not overwrite it.
  const int seed = 5, roughness = 40;
  Generator gen;
  gen.cloud(4, roughness, seed);
  crtSrand(seed);
  int draw13 = 0;
  for (int i = 0; i < 13; ++i) draw13 = crtRand();
  const int a = 2 * roughness >> 1;  // amplitude of the quarters
  const int base = (at(gen, 4, 127, 0).b + at(gen, 4, 127, 127).b) >> 1;
  int expected = base + draw13 % a - (a >> 1);
  expected = expected < 0 ? 0 : (expected > 255 ? 255 : expected);
  ASSERT_NE(expected, 0) << "pick another seed: a 0 could be set again";
  EXPECT_EQ(at(gen, 4, 127, 63).b, expected);
}

TEST(TextureGeneratorCloud, SameSeedSameLayerOtherSeedOtherLayer) {
  Generator gen;
  fillUniform(gen, 5, 99);
  gen.cloud(5, 60, 1234);
  const auto first = copyOf(gen, 5);
  crtSrand(999);  // the state before the operation does not matter
  gen.cloud(5, 60, 1234);
  EXPECT_TRUE(layerEquals(gen, 5, first)) << "the layer is cleared and reseeded";
  gen.cloud(5, 60, 1235);
  EXPECT_FALSE(layerEquals(gen, 5, first));
  // Every pixel is set and grey.
  for (int y = 0; y < 256; y += 17)
    for (int x = 0; x < 256; x += 13) {
      const Pixel p = at(gen, 5, x, y);
      EXPECT_TRUE(p.b == p.g && p.g == p.r) << x << "," << y;
    }
}

// --- light spot ------------------------------------------------------------------

TEST(TextureGeneratorLightSpot, RadiusZeroGivesBlack) {
  Generator gen;
  fillUniform(gen, 0, 200);
  gen.lightSpot(0, 128, 128, 0, 255, 255, 255);
  EXPECT_TRUE(layerEquals(gen, 0, std::vector<uint8_t>(Generator::kLayerBytes, 0)));
}

TEST(TextureGeneratorLightSpot, FallsOffLinearlyPerChannel) {
  Generator gen;
  fillUniform(gen, 0, 200);
  gen.lightSpot(0, 10, 10, 127, 10, 20, 30);
  EXPECT_PIXEL(at(gen, 0, 10, 10), 30, 20, 10, "centre: o = 127");
  // (13, 14) is 5 away: o = 122; blue 30 * 122 / 127 = 28.8, green 19.2, red 9.6
  EXPECT_PIXEL(at(gen, 0, 13, 14), 28, 19, 9, "5 pixels out");
  EXPECT_PIXEL(at(gen, 0, 137, 10), 0, 0, 0, "exactly on the radius");
  EXPECT_PIXEL(at(gen, 0, 138, 10), 0, 0, 0, "outside");
  EXPECT_PIXEL(at(gen, 0, 200, 200), 0, 0, 0, "far outside");
}

TEST(TextureGeneratorLightSpot, BrightValuesWrapAround) {
  Generator gen;
  gen.lightSpot(0, 0, 0, 255, 255, 127, 0);
  // centre: 255 * 255 / 127 = 512.0 -> low 8 bits 0; green 127 * 255 / 127 = 255
  EXPECT_PIXEL(at(gen, 0, 0, 0), 0, 255, 0, "centre");
  // one pixel out: o = 254, red 255 * 254 / 127 = 510 -> 254
  EXPECT_PIXEL(at(gen, 0, 1, 0), 0, 254, 254, "next pixel");
  // o = 127.5 at distance 127.5 is not on the grid; distance 127: o = 128,
  // red 255 * 128 / 127 = 257.007 -> 1
  EXPECT_PIXEL(at(gen, 0, 127, 0), 0, 128, 1, "distance 127");
}

// --- twirl -------------------------------------------------------------------------

TEST(TextureGeneratorTwirl, RadiusZeroLeavesTheLayer) {
  Generator gen;
  fillCoordinates(gen, 3);
  const auto before = copyOf(gen, 3);
  gen.twirl(3, 128, 128, 0, 0);
  EXPECT_TRUE(layerEquals(gen, 3, before));
  EXPECT_TRUE(layerEquals(gen, 8, before)) << "the scratch layer holds the copy";
}

TEST(TextureGeneratorTwirl, RotatesByTheGrowingAngle) {
  Generator gen;
  fillCoordinates(gen, 0);
  // softness 0: angle = t * PI / 32; t = 16 is a quarter turn, t = 32 a half.
  gen.twirl(0, 128, 128, 26, 0);
  // (138,128): dx 10, dy 0, t 16: c ~ -4e-8, s = 1 -> source (128, 138)
  EXPECT_PIXEL(at(gen, 0, 138, 128), 128, 138, 128 ^ 138, "quarter turn");
  // centre: angle 26 PI / 32; dx = dy = 0 -> itself
  EXPECT_PIXEL(at(gen, 0, 128, 128), 128, 128, 0, "centre");
  // beyond the radius: unchanged
  EXPECT_PIXEL(at(gen, 0, 160, 128), 160, 128, 160 ^ 128, "outside");

  Generator half;
  fillCoordinates(half, 0);
  half.twirl(0, 128, 128, 37, 0);
  // (128,133): dx 0, dy 5, t 32: c = -1, s ~ -9e-8 -> source (128, 123)
  EXPECT_PIXEL(at(half, 0, 128, 133), 128, 123, 128 ^ 123, "half turn");
}

TEST(TextureGeneratorTwirl, SourcesAreClampedToTheLayer) {
  Generator gen;
  fillCoordinates(gen, 0);
  // centre (252,128), pixel (247,128): dx -5, half turn -> source x 257 -> 255
  gen.twirl(0, 252, 128, 37, 0);
  EXPECT_PIXEL(at(gen, 0, 247, 128), 255, 128, 255 ^ 128, "clamped right");
}

TEST(TextureGeneratorTwirl, SoftnessWidensTheDivisor) {
  Generator gen;
  fillCoordinates(gen, 0);
  // softness 8: divisor 48; t = 24 is a quarter turn
  gen.twirl(0, 100, 100, 34, 8);
  EXPECT_PIXEL(at(gen, 0, 110, 100), 100, 110, 100 ^ 110, "quarter turn");
}

// --- invert, blur, emboss ------------------------------------------------------

TEST(TextureGeneratorInvert, TwiceRestores) {
  Generator gen;
  fillCoordinates(gen, 6);
  const auto before = copyOf(gen, 6);
  gen.invert(6);
  EXPECT_PIXEL(at(gen, 6, 3, 200), 252, 55, 255 - (3 ^ 200), "inverted");
  gen.invert(6);
  EXPECT_TRUE(layerEquals(gen, 6, before));
}

TEST(TextureGeneratorBlur, AveragesTheEightNeighboursWrapping) {
  Generator gen;
  put(gen, 0, 0, 0, 80, 16, 0);
  gen.blur(0);
  const int neighbours[8][2] = {{255, 255}, {0, 255}, {1, 255}, {255, 0},
                                {1, 0},     {255, 1}, {0, 1},   {1, 1}};
  for (const auto& n : neighbours)
    EXPECT_PIXEL(at(gen, 0, n[0], n[1]), 10, 2, 0, "neighbour " << n[0] << "," << n[1]);
  EXPECT_PIXEL(at(gen, 0, 0, 0), 0, 0, 0, "the pixel itself is excluded");
  EXPECT_PIXEL(at(gen, 0, 2, 0), 0, 0, 0, "two away");
}

TEST(TextureGeneratorBlur, SumIsShiftedNotRounded) {
  Generator gen;
  fillUniform(gen, 1, 255);
  gen.blur(1);
  EXPECT_PIXEL(at(gen, 1, 50, 50), 255, 255, 255, "8 * 255 >> 3");
  put(gen, 1, 10, 10, 7, 7, 7);  // one neighbour of (11, 10) drops by 248
  gen.blur(1);
  EXPECT_PIXEL(at(gen, 1, 11, 10), 224, 224, 224, "(7 * 255 + 7) >> 3 = 224");
  EXPECT_PIXEL(at(gen, 1, 10, 10), 255, 255, 255, "the changed pixel itself");
}

TEST(TextureGeneratorEmboss, UniformGives127) {
  Generator gen;
  fillUniform(gen, 2, 90);
  gen.emboss(2);
  EXPECT_TRUE(layerEquals(gen, 2, std::vector<uint8_t>(Generator::kLayerBytes, 127)));
}

TEST(TextureGeneratorEmboss, RightMinusLeftOverSixTruncated) {
  Generator gen;
  put(gen, 0, 5, 5, 60, 7, 255);
  put(gen, 0, 0, 100, 0, 0, 200);
  gen.emboss(0);
  EXPECT_PIXEL(at(gen, 0, 4, 5), 137, 128, 169, "left of it: +60/6, +7/6 = 1, +255/6 = 42");
  EXPECT_PIXEL(at(gen, 0, 4, 4), 137, 128, 169, "upper left: R3");
  EXPECT_PIXEL(at(gen, 0, 4, 6), 137, 128, 169, "lower left: R1");
  EXPECT_PIXEL(at(gen, 0, 6, 5), 117, 126, 85, "right of it: -7/6 = -1 toward zero");
  EXPECT_PIXEL(at(gen, 0, 5, 5), 127, 127, 127, "the pixel itself is not used");
  EXPECT_PIXEL(at(gen, 0, 255, 100), 127, 127, 160, "wraps: (0,100) is right of (255,100)");
  EXPECT_PIXEL(at(gen, 0, 1, 100), 127, 127, 94, "left neighbour: 127 - 33");
}

// --- combine, modulate ------------------------------------------------------------

TEST(TextureGeneratorCombine, ModesAmountsAndClamping) {
  struct Case {
    int mode, amount, d, s, expected;
  };
  const Case cases[] = {
      {0, 100, 100, 200, 178},  // k = 20000 >> 8 = 78
      {1, 100, 100, 200, 22},   {2, 100, 100, 200, 255},
      {2, 2, 3, 200, 3},        // k = 400 >> 8 = 1
      {0, 255, 200, 255, 255},  {1, 255, 20, 255, 0},
      {0, 0, 77, 255, 77},      {1, 0, 77, 255, 77},
      {2, 0, 77, 255, 0},       {3, 255, 77, 255, 77},  // no such mode: unchanged
      {255, 255, 77, 255, 77},
  };
  for (const Case& c : cases) {
    Generator gen;
    fillUniform(gen, 0, c.d);
    fillUniform(gen, 4, c.s);
    gen.combine(0, 4, c.mode, c.amount);
    EXPECT_PIXEL(at(gen, 0, 31, 41), c.expected, c.expected, c.expected,
                 "mode " << c.mode << " amount " << c.amount << " d " << c.d << " s " << c.s);
  }
}

TEST(TextureGeneratorCombine, SourceMayBeTheDestination) {
  Generator gen;
  fillUniform(gen, 0, 100);
  gen.combine(0, 0, 0, 128);  // 100 + (100 * 128 >> 8) = 150
  EXPECT_PIXEL(at(gen, 0, 0, 0), 150, 150, 150, "self");
}

TEST(TextureGeneratorModulate, ScalesBySourceOver127) {
  struct Case {
    int d, s, expected;
  };
  const Case cases[] = {{100, 127, 100}, {100, 254, 200}, {200, 254, 255},
                        {100, 50, 39},   {0, 255, 0},     {255, 0, 0},
                        {1, 128, 1},     {127, 255, 255}};
  for (const Case& c : cases) {
    Generator gen;
    fillUniform(gen, 1, c.d);
    fillUniform(gen, 2, c.s);
    gen.modulate(1, 2);
    EXPECT_EQ(at(gen, 1, 9, 9).g, c.expected) << "d " << c.d << " s " << c.s;
  }
}

// --- wave ------------------------------------------------------------------------------

TEST(TextureGeneratorWave, DivisorZeroAndWidthZeroDisplaceNothing) {
  for (const auto& params : {std::array<int, 2>{8, 0}, std::array<int, 2>{0, 2}}) {
    Generator gen;
    fillCoordinates(gen, 0);
    const auto before = copyOf(gen, 0);
    gen.wave(0, params[0], params[1]);
    EXPECT_TRUE(layerEquals(gen, 0, before)) << "width " << params[0] << " divisor " << params[1];
  }
}

TEST(TextureGeneratorWave, PushesTheBandSideways) {
  Generator gen;
  fillCoordinates(gen, 0);
  gen.wave(0, 8, 2);  // e = 128, o = 8 at the band's centre
  EXPECT_PIXEL(at(gen, 0, 128, 32), 136, 32, 136 ^ 32, "a quarter period down: f = 8");
  EXPECT_PIXEL(at(gen, 0, 128, 96), 120, 96, 120 ^ 96, "three quarters: f = -8");
  EXPECT_PIXEL(at(gen, 0, 128, 0), 128, 0, 128, "top row: f = 0");
  EXPECT_PIXEL(at(gen, 0, 119, 32), 119, 32, 119 ^ 32, "outside the band");
  // x = 120: o = sin(0) * 8 = 0
  EXPECT_PIXEL(at(gen, 0, 120, 32), 120, 32, 120 ^ 32, "band edge");
  // x = 124: o = sin(4 PI / 16) * 8 = 5.66 -> f = 5
  EXPECT_PIXEL(at(gen, 0, 124, 32), 129, 32, 129 ^ 32, "half way");
}

TEST(TextureGeneratorWave, WrapsAroundTheRow) {
  Generator gen;
  fillCoordinates(gen, 0);
  gen.wave(0, 8, 1);  // e = 256: x 248..255 are in the band
  // x = 255: o = sin(7 PI / 16) * 8 = 7.85 -> f = 7 -> source x 262 mod 256 = 6
  EXPECT_PIXEL(at(gen, 0, 255, 32), 6, 32, 6 ^ 32, "wrapped right");
  // the same column pushed left
  EXPECT_PIXEL(at(gen, 0, 255, 96), 248, 96, 248 ^ 96, "pushed left");
}

TEST(TextureGeneratorWave, RecordUsesParameterFourAsDivisor) {
  Generator gen;
  fillCoordinates(gen, 0);
  const uint8_t record[9] = {9, 0, 8, 77, 2};
  gen.runRecord(record);
  EXPECT_PIXEL(at(gen, 0, 128, 32), 136, 32, 136 ^ 32, "p3 is not used");
}

// --- the scratch layer ------------------------------------------------------------------

TEST(TextureGeneratorScratch, FiltersLeaveTheirResultInLayerEight) {
  Generator gen;
  fillCoordinates(gen, 2);
  gen.blur(2);
  EXPECT_TRUE(layerEquals(gen, 8, copyOf(gen, 2)));
  fillUniform(gen, 3, 40);
  gen.emboss(3);
  EXPECT_EQ(at(gen, 8, 17, 17).b, 127);
}

TEST(TextureGeneratorScratch, FilteringLayerEightWorksInPlace) {
  // deliberate: with L = 8 the filter reads the pixels it has already
  // written in this pass. A lone bright pixel at (0, 0) is replaced by the
  // mean of its (black) neighbours first, so every later pixel sees black.
  Generator gen;
  put(gen, 8, 0, 0, 80, 80, 80);
  gen.blur(8);
  EXPECT_PIXEL(at(gen, 8, 1, 0), 0, 0, 0, "in place");
  EXPECT_PIXEL(at(gen, 8, 255, 255), 0, 0, 0, "in place, last pixel");
  // The record form does the same and stays inside the layers.
  const uint8_t records[][9] = {{3, 8, 128, 128, 200, 3}, {5, 8}, {6, 8}, {9, 8, 30, 0, 3},
                                {7, 8, 8, 1, 255},        {8, 8, 8}};
  for (const auto& r : records) EXPECT_TRUE(gen.runRecord(r)) << "code " << int(r[0]);
}
