// Exact bytes of every generator operation on small, hand-checked inputs; a layer as the texture's image.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <tuple>
#include <vector>

#include "base/Json.h"
#include "base/Random.h"
#include "image/texgen/LayerImage.h"
#include "image/texgen/TextureGenerator.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

using Generator = TextureGenerator;
using Record = std::array<uint8_t, 9>;

uint8_t* pixel(Generator& gen, int layer, int x, int y) { return gen.layer(layer) + y * 768 + x * 3; }

std::string hashOf(const Generator& gen, int layer) { return fnv1a64Hex(gen.layer(layer), Generator::kLayerBytes); }

// fill < 0: every pixel says where it is (blue x, green y, red x ^ y). Otherwise every
// byte is `fill` but for the dots (60, 7, 255) at (5, 5) and (0, 0, 200) at (0, 100).
void prepare(Generator& gen, int layer, int fill) {
  std::memset(gen.layer(layer), fill < 0 ? 0 : fill, Generator::kLayerBytes);
  for (int y = 0; y < 256 && fill < 0; ++y)
    for (int x = 0; x < 256; ++x) std::memcpy(pixel(gen, layer, x, y), Record{uint8_t(x), uint8_t(y), uint8_t(x ^ y)}.data(), 3);
  if (fill >= 0) {
    std::memcpy(pixel(gen, layer, 5, 5), Record{60, 7, 255}.data(), 3);
    std::memcpy(pixel(gen, layer, 0, 100), Record{0, 0, 200}.data(), 3);
  }
}

std::vector<uint8_t> description(int32_t count, const std::vector<Record>& records) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(uint32_t(count) >> (8 * i)));
  for (const Record& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
  return bytes;
}

}  // namespace

TEST(TextureGenerator, EveryOperationGivesTheHandCheckedBytes) {
  // Layer 2 prepared with `fill`, layer 4 all `source`; one record, then
  // pixels {x, y, blue, green, red} of layer 2.
  struct Case {
    const char* what;
    int fill, source;
    Record record;
    std::vector<std::array<int, 5>> pixels;
  };
  const Case cases[] = {
      {"plasma flat: v = 127, times (1, 128, 255) / 255", -1, 0, {0, 2, 0, 0, 0, 0, 255, 128, 1}, {{9, 9, 0, 63, 127}}},
      {"plasma quarter turns at x = 4 (v = 190.5) and y = 8 (254), three quarters (0)", -1, 0, {0, 2, 128, 64, 0, 0, 255, 255, 255},
       {{4, 0, 190, 190, 190}, {4, 8, 254, 254, 254}, {12, 24, 0, 0, 0}}},
      {"plasma x phase 255: a full turn leaves v just below 127", -1, 0, {0, 2, 0, 0, 255, 0, 255, 0, 0}, {{0, 0, 0, 0, 126}}},
      {"spot: o = 127 at the centre, 122 five out (30 * 122 / 127 = 28.8), 0 on the radius, black outside", -1, 0,
       {2, 2, 10, 10, 127, 10, 20, 30}, {{10, 10, 30, 20, 10}, {13, 14, 28, 19, 9}, {137, 10, 0, 0, 0}, {200, 200, 0, 0, 0}}},
      {"spot wraps: 255 * 255 / 127 = 512 -> 0, 510 -> 254, at distance 127 257 -> 1", -1, 0, {2, 2, 0, 0, 255, 255, 127, 0},
       {{0, 0, 0, 255, 0}, {1, 0, 0, 254, 254}, {127, 0, 0, 128, 1}}},
      {"twirl t = 16: a quarter turn from (128, 138); the centre and outside stay", -1, 0, {3, 2, 128, 128, 26, 0},
       {{138, 128, 128, 138, 128 ^ 138}, {128, 128, 128, 128, 0}, {160, 128, 160, 128, 160 ^ 128}}},
      {"twirl t = 32: a half turn from (128, 123)", -1, 0, {3, 2, 128, 128, 37, 0}, {{128, 133, 128, 123, 128 ^ 123}}},
      {"twirl source x 257 clamped to 255", -1, 0, {3, 2, 252, 128, 37, 0}, {{247, 128, 255, 128, 255 ^ 128}}},
      {"invert", -1, 0, {4, 2}, {{3, 200, 252, 55, 255 - (3 ^ 200)}}},
      {"blur: (7 * 255 + 60) >> 3 = 230, the pixel itself left out, edges wrapping", 255, 0, {5, 2},
       {{4, 4, 230, 224, 255}, {5, 5, 255, 255, 255}, {255, 99, 223, 223, 248}}},
      {"emboss: (right column - left column) / 6 + 127 over rows y - 1..y + 1, toward zero, wrapping", 0, 0, {6, 2},
       {{4, 5, 137, 128, 169}, {4, 4, 137, 128, 169}, {6, 5, 117, 126, 85}, {5, 5, 127, 127, 127}, {255, 100, 127, 127, 160}}},
      {"combine add, clamped: + (200 * 100 >> 8) = + 78", 100, 200, {7, 2, 4, 0, 100}, {{9, 9, 178, 178, 178}, {5, 5, 138, 85, 255}}},
      {"combine sub, clamped: - 78", 100, 200, {7, 2, 4, 1, 100}, {{9, 9, 22, 22, 22}, {5, 5, 0, 0, 177}}},
      {"combine mul, clamped: * (200 * 3 >> 8) = * 2", 100, 200, {7, 2, 4, 2, 3}, {{9, 9, 200, 200, 200}, {5, 5, 120, 14, 255}}},
      {"combine mode 3 does nothing", 77, 255, {7, 2, 4, 3, 255}, {{9, 9, 77, 77, 77}}},
      {"combine with itself: 100 + 50", 100, 0, {7, 2, 2, 0, 128}, {{9, 9, 150, 150, 150}}},
      {"modulate by 254 doubles, clamped", 100, 254, {8, 2, 4}, {{9, 9, 200, 200, 200}, {5, 5, 120, 14, 255}}},
      {"modulate truncates: 100 * 50 / 127 = 39.4; 23.6, 2.8, 100.4", 100, 50, {8, 2, 4}, {{9, 9, 39, 39, 39}, {5, 5, 23, 2, 100}}},
      {"wave: f = 8 a quarter period down, -8 three quarters, 5 half way into the band, 0 outside (p3 unused)", -1, 0,
       {9, 2, 8, 77, 2}, {{128, 32, 136, 32, 136 ^ 32}, {128, 96, 120, 96, 120 ^ 96}, {124, 32, 129, 32, 129 ^ 32}, {119, 32, 119, 32, 119 ^ 32}}},
      {"wave wraps the row: f = 7 from x 6, pushed left", -1, 0, {9, 2, 8, 0, 1}, {{255, 32, 6, 32, 6 ^ 32}, {255, 96, 248, 96, 248 ^ 96}}},
      {"wave divisor 0", -1, 0, {9, 2, 8, 0, 0}, {{128, 32, 128, 32, 128 ^ 32}}},
      {"wave width 0", -1, 0, {9, 2, 0, 0, 2}, {{128, 32, 128, 32, 128 ^ 32}}},
  };
  for (const Case& c : cases) {
    Generator gen;
    prepare(gen, 2, c.fill);
    std::memset(gen.layer(4), c.source, Generator::kLayerBytes);
    ASSERT_TRUE(gen.runRecord(c.record.data())) << c.what;
    for (const auto& e : c.pixels) {
      const uint8_t* p = pixel(gen, 2, e[0], e[1]);
      EXPECT_EQ((std::array<int, 3>{p[0], p[1], p[2]}), (std::array<int, 3>{e[2], e[3], e[4]})) << c.what << " at " << e[0] << "," << e[1];
    }
  }
}

TEST(TextureGenerator, CloudIsSeededMidpointDisplacement) {
  Generator gen;
  std::memset(gen.layer(5), 99, Generator::kLayerBytes);
  crtSrand(999);  // the state before the operation does not matter
  gen.cloud(5, 200, 5);
  EXPECT_EQ(gen.cloudTarget(), 5);
  EXPECT_EQ((std::array<int, 4>{*pixel(gen, 5, 0, 0), *pixel(gen, 5, 255, 0), *pixel(gen, 5, 0, 255), *pixel(gen, 5, 255, 255)}),
            (std::array<int, 4>{54, 133, 15, 224})) << "corners: rand() % 255 after seeding with 5";
  // Amplitude 400 clamps often: points that got 0 are set again by later squares.
  EXPECT_EQ(hashOf(gen, 5), "f67f03229ee6680b") << "golden: grey, on a cleared layer";
  // Roughness 0: the corners 48, 56, 114, 166 and their plain means, no more draws.
  gen.cloud(0, 0, 3);
  EXPECT_EQ(crtRandState(), 0xa38311b7u) << "4 draws from seed 3";
  for (const auto& m : {std::array<int, 3>{127, 0, 52}, {0, 127, 81}, {127, 127, 96}, {63, 0, 50}})
    EXPECT_EQ(pixel(gen, 0, m[0], m[1])[2], m[2]) << m[0] << "," << m[1];
  // Roughness 1: amplitude 2 for the square (5 points), 1 for its quarters (4 x 5), then 0: 4 + 5 + 20 draws.
  gen.cloud(0, 1, 11);
  EXPECT_EQ(crtRandState(), 0xd3601e9eu) << "29 draws from seed 11";
}

TEST(TextureGenerator, ScratchLayerEightHoldsTheLastFilterResult) {
  Generator gen;
  prepare(gen, 2, -1);
  const std::string coordinates = hashOf(gen, 2);
  gen.twirl(2, 128, 128, 0, 0);
  EXPECT_EQ(hashOf(gen, 2) + hashOf(gen, 8), coordinates + coordinates) << "radius 0 turns nothing; the copy stays in layer 8";
  gen.blur(2);
  EXPECT_EQ(hashOf(gen, 8), hashOf(gen, 2)) << "the blur's result stays in layer 8 too";
  // Kept on purpose: a filter of layer 8 itself reads the pixels it has already
  // written; the lone dot at (0, 0) turns black first, so (1, 0) gets 0, not 80 / 8.
  std::memset(gen.layer(8), 0, Generator::kLayerBytes);
  pixel(gen, 8, 0, 0)[0] = 80;
  gen.blur(8);
  EXPECT_EQ(pixel(gen, 8, 1, 0)[0], 0);
}

TEST(TextureGenerator, SkipsUnknownCodesAndLayersAboveEight) {
  const std::pair<Record, bool> cases[] = {
      {{10, 0}, false}, {{4, 9}, false}, {{7, 0, 9, 0, 255}, false}, {{8, 0, 200}, false}, {{4, 8}, true}, {{7, 0, 8, 0, 255}, true},
      {{8, 0, 8}, true}, {{2, 0, 9, 9, 9, 9}, true} /* p2..p5 of a light spot are no layers */, {{3, 8, 128, 128, 200, 3}, true},
      {{6, 8}, true}, {{9, 8, 30, 0, 3}, true}, {{7, 8, 8, 1, 255}, true},
  };
  for (const auto& [record, runs] : cases) {
    Generator gen;
    EXPECT_EQ(gen.runRecord(record.data()), runs) << "code " << int(record[0]) << " p1 " << int(record[1]) << " p2 " << int(record[2]);
    EXPECT_EQ(*pixel(gen, 0, 0, 0), 0) << "code " << int(record[0]) << " changed nothing of layer 0";
  }
}

TEST(TextureGenerator, RunsTheCompleteRecordsOfAPositiveCountInOrder) {
  auto truncated = description(1000, {{4, 0}, {4, 1}});  // each record inverts a layer: 255 where it ran
  truncated.insert(truncated.end(), {4, 2, 0, 0});
  const std::pair<std::vector<uint8_t>, std::array<int, 3>> cases[] = {
      {description(1, {{4, 0}, {4, 1}, {4, 2}}), {255, 0, 0}}, {description(0, {{4, 0}}), {0, 0, 0}},
      {description(-1, {{4, 0}}), {0, 0, 0}}, {truncated, {255, 255, 0}}, {{1, 0, 0}, {0, 0, 0}},
  };
  for (const auto& [file, layers] : cases) {
    Generator gen;
    gen.runDescription(file.data(), file.size());
    gen.runDescription(nullptr, 0);
    EXPECT_EQ((std::array<int, 3>{*pixel(gen, 0, 7, 7), *pixel(gen, 1, 7, 7), *pixel(gen, 2, 7, 7)}), layers)
        << file.size() << " bytes, count " << int(file[0]);
  }
  Generator gen;
  const auto file = description(11, {{1, 0, 90, 17}, {0, 1, 40, 90, 10, 200, 255, 140, 30}, {7, 0, 1, 0, 128},
                                     {2, 1, 100, 140, 120, 255, 200, 90}, {8, 0, 1}, {3, 0, 128, 128, 120, 10},
                                     {9, 0, 20, 0, 3}, {6, 1}, {7, 0, 1, 1, 60}, {5, 0}, {4, 0}});
  gen.runDescription(file.data(), file.size());
  EXPECT_EQ(hashOf(gen, 0), "d6082c607291fd75") << "a file of every operation: golden, checked against a separate model";
}

TEST(TextureGenerator, StartsBlackAndFilesBuildOnWhatTheFilesBeforeLeft) {
  Generator gen;
  for (int l = 0; l < 9; ++l) EXPECT_EQ(hashOf(gen, l), "1a0564b2e8de2325") << "all black at creation: " << l;
  test::TempDir dir;
  // Invert layer 0, then add layer 0 at amount 128 to layer 1: (255 * 128) >> 8.
  const std::string path = dir.write("sky.tex", description(2, {{4, 0}, {7, 1, 0, 0, 128}}));
  for (const int layer0 : {255, 0}) {
    EXPECT_TRUE(gen.runFile(path));
    EXPECT_EQ((std::array<int, 2>{*pixel(gen, 0, 9, 9), *pixel(gen, 1, 9, 9)}), (std::array<int, 2>{layer0, 127}));
  }
  EXPECT_FALSE(gen.runFile(dir.file("missing.tex")));
}

TEST(LayerImage, PacksDividedBy256ThenTimes255InTheLayersOrder) {
  // Layer bytes blue, green, red -> packed red, green, blue, alpha.
  const std::tuple<std::array<int, 3>, std::array<int, 4>, const char*> cases[] = {
      {{0, 0, 255}, {254, 0, 0, 254}, "pure red: 255 becomes 254"},  {{0, 0, 0}, {0, 0, 0, 0}, "black is transparent"},
      {{128, 128, 128}, {127, 127, 127, 223}, "grey 128: alpha 1 - 1/8"}, {{255, 0, 0}, {0, 0, 254, 254}, "blue from the first byte"},
      {{0, 1, 0}, {0, 0, 0, 0}, "1 / 256 * 255 truncates to 0"},    {{0, 2, 0}, {0, 1, 0, 1}, "2 / 256 * 255 = 1.99"},
      {{10, 20, 30}, {29, 19, 9, 55}, "mixed"},
  };
  Generator gen;  // case i at pixel (3 + i, 2 + i) of layer 0
  for (size_t i = 0; i < std::size(cases); ++i)
    for (size_t k = 0; k < 3; ++k) pixel(gen, 0, int(3 + i), int(2 + i))[k] = uint8_t(std::get<0>(cases[i])[k]);
  const RgbaImage image = imageFromLayer(gen.layer(0));
  EXPECT_EQ((std::array<double, 5>{double(image.width), double(image.height), image.origin.x, image.origin.y, image.origin.w}),
            (std::array<double, 5>{256, 256, 0, 0, 0}));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const PackedPixel p = image.at(int(3 + i), int(2 + i));
    EXPECT_EQ((std::array<int, 4>{p.r, p.g, p.b, p.a}), std::get<1>(cases[i])) << std::get<2>(cases[i]);
  }
  gen.invert(0);
  EXPECT_EQ(makeGeneratedImage(&gen, "/nonexistent/sky.tex").at(0, 0).g, 254) << "a missing file shows layer 0 as it is";
  EXPECT_EQ(makeGeneratedImage(nullptr, "sky.tex").pixels, std::vector<uint8_t>(256 * 256 * 4, 0)) << "no generator: black";
}
