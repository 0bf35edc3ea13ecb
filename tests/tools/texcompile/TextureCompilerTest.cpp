// The texture-description compiler: records, errors with file and line, the readable form, the command line.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "support/TempDir.h"
#include "texcompile/TextureCompiler.h"

using namespace wf;

// A description: the count, then the records, each padded to 9 bytes (parameters left out are 0).
static std::vector<uint8_t> file(uint32_t count, const std::vector<std::vector<uint8_t>>& records) {
  std::vector<uint8_t> bytes = {uint8_t(count), uint8_t(count >> 8), uint8_t(count >> 16), uint8_t(count >> 24)};
  for (const auto& r : records) {
    bytes.insert(bytes.end(), r.begin(), r.end());
    bytes.resize(bytes.size() + 9 - r.size());
  }
  return bytes;
}

TEST(TextureCompiler, EveryOperationFillsItsBytes) {
  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"plasma layer=1 xfreq=2 yfreq=3 xphase=4 yphase=5 red=6 green=7 blue=8", {0, 1, 2, 3, 4, 5, 6, 7, 8}},
      {"cloud layer=2 roughness=40 seed=255", {1, 2, 40, 255}},         {"twirl layer=4 x=1 y=2 radius=3 softness=4", {3, 4, 1, 2, 3, 4}},
      {"spot layer=3 x=10 y=20 radius=30 red=40 green=50 blue=60", {2, 3, 10, 20, 30, 40, 50, 60}},
      {"invert layer=5", {4, 5}},        {"blur layer=3 // comment", {5, 3}},  {"emboss layer=7", {6, 7}},
      {"combine layer=0 source=8 mode=sub amount=200", {7, 0, 8, 1, 200}}, {"combine layer=0 source=1 mode=MUL", {7, 0, 1, 2}},
      {"combine layer=0 source=1 mode=add amount=3", {7, 0, 1, 0, 3}},    {"combine layer=0 source=1 mode=7", {7, 0, 1, 7}},
      {"modulate layer=1 source=2", {8, 1, 2}},                           {"wave layer=0 width=30 divisor=3", {9, 0, 30, 0, 3}},
      {"raw code=200 p1=1 p8=9", {200, 1, 0, 0, 0, 0, 0, 0, 9}},          {"  PLASMA   Layer = 2   RED=255  # comment", {0, 2, 0, 0, 0, 0, 255}},
      {"cloud seed=007", {1, 0, 0, 7}},
  };
  for (const auto& [text, record] : cases) EXPECT_EQ(compileTextureDescription(text, "t.txt").bytes, file(1, {record})) << text;
  const std::string text = "# a sky\n\ncloud layer=1 roughness=50 seed=9\r\n   // nothing here\ninvert layer=1\nblur layer=1";
  EXPECT_EQ(compileTextureDescription(text, "sky.txt").bytes, file(3, {{1, 1, 50, 9}, {4, 1}, {5, 1}}))
      << "blank and comment lines skipped; CR LF; no newline at the end";
  EXPECT_EQ(compileTextureDescription("", "e.txt").bytes, file(0, {}));
}

TEST(TextureCompiler, ErrorsNameFileLineAndProblem) {
  const std::pair<const char*, const char*> cases[] = {
      {"plasm layer=0", "sky.txt:1: unknown operation \"plasm\" (operations: plasma, cloud, spot, twirl, invert, blur, emboss, "
                        "combine, modulate, wave, raw)"},
      {"\n\ncloud layer=0 rough=3", "sky.txt:3: cloud has no parameter \"rough\" (parameters: layer, roughness, seed)"},
      {"spot radius=256", "sky.txt:1: radius \"256\" is not a whole number 0..255"},
      {"spot radius=1.5", "sky.txt:1: radius \"1.5\" is not a whole number 0..255"},
      {"invert layer=9", "sky.txt:1: layer 9 is not a layer 0..8"},
      {"combine layer=0 source=12", "sky.txt:1: source 12 is not a layer 0..8"},
      {"combine mode=xor", "sky.txt:1: mode \"xor\" is not add, sub, mul or a number 0..255"},
      {"blur layer=1 layer=2", "sky.txt:1: layer is given twice"},  {"blur layer", "sky.txt:1: expected '=' after \"layer\""},
      {"blur layer=", "sky.txt:1: layer needs a value"},             {"blur 3", "sky.txt:1: expected name=value, found \"3\""},
      {"= 3", "sky.txt:1: expected an operation name, found \"= 3\""},
  };
  for (const auto& [text, error] : cases) {
    const TextureCompileResult result = compileTextureDescription(text, "sky.txt");
    EXPECT_EQ(result.errors, std::vector<std::string>{error}) << text;
    EXPECT_TRUE(result.bytes.empty()) << text;
  }
  const auto every = compileTextureDescription("blur layer=1\nfoo\ninvert layer=1\nwave width=999 divisor=x\n", "w.txt").errors;
  ASSERT_EQ(every.size(), 3u) << "every bad line and every bad value is reported";
  EXPECT_EQ(every[0].rfind("w.txt:2: ", 0), 0u) << every[0];
  EXPECT_EQ(every[1], "w.txt:4: width \"999\" is not a whole number 0..255");
  EXPECT_EQ(every[2], "w.txt:4: divisor \"x\" is not a whole number 0..255");
}

TEST(TextureDecompiler, GivesLinesThatCompileBackAndNotesWhatTheEngineSkips) {
  const std::vector<uint8_t> bytes =
      file(7, {{0, 1, 2, 3, 4, 5, 6, 7, 8}, {7, 0, 1, 2, 99}, {7, 0, 1, 9}, {4, 2, 5}, {12, 1, 2}, {4, 9}, {8, 0, 9}});
  std::vector<uint8_t> longCount = file(1000, {{5, 0}});
  longCount.push_back(4);
  const std::string text = decompileTextureDescription(bytes), notes = decompileTextureDescription(longCount);
  for (const char* line : {"plasma layer=1 xfreq=2 yfreq=3 xphase=4 yphase=5 red=6 green=7 blue=8\n",
                           "combine layer=0 source=1 mode=mul amount=99\n", "combine layer=0 source=1 mode=9 amount=0\n",
                           "raw code=4 p1=2 p2=5 p3=0 p4=0 p5=0 p6=0 p7=0 p8=0  # invert layer=2, unused parameters set",
                           "# skipped by the engine: code 12 is no operation", "# skipped by the engine: layer 9 does not exist",
                           "raw code=8 p1=0 p2=9 p3=0 p4=0 p5=0 p6=0 p7=0 p8=0  # skipped by the engine: source layer 9 does not exist"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
  EXPECT_EQ(compileTextureDescription(text, "back.txt").bytes, bytes) << "compiled back";
  for (const char* note : {"# the count says 1000; 1 complete records follow, and the engine runs 1",
                           "# 1 bytes of an incomplete record follow (never run)"})
    EXPECT_NE(notes.find(note), std::string::npos) << note << " in\n" << notes;
  EXPECT_NE(decompileTextureDescription({1, 0}).find("shorter than its 4-byte count"), std::string::npos);
  EXPECT_NE(decompileTextureDescription(file(uint32_t(-3), {{4, 0}})).find("the engine runs 0"), std::string::npos);
}

TEST(TextureCompilerCommand, CompilesDecompilesAndReportsErrors) {
  test::TempDir dir;
  const std::string out = dir.file("good.tex"), bad = dir.write("bad.txt", "invert layer=0\nswirl layer=0\n");
  testing::internal::CaptureStdout();
  EXPECT_EQ(runTextureCompiler({dir.write("good.txt", "cloud layer=0 roughness=3 seed=4\ninvert layer=0\n"), out}), 0);
  EXPECT_EQ(test::readTextFile(out), std::string("\x02\0\0\0\x01\0\x03\x04\0\0\0\0\0\x04\0\0\0\0\0\0\0\0", 22));
  EXPECT_EQ(runTextureCompiler({"--decompile", dir.write("x.tex", file(1, {{6, 3}}))}), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), out + ": 2 operations\nemboss layer=3\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(runTextureCompiler({bad, dir.file("bad.tex")}), 1);
  EXPECT_FALSE(std::ifstream(dir.file("bad.tex")).good()) << "nothing written on errors";
  EXPECT_EQ(runTextureCompiler({dir.file("missing.txt"), out}), 1);
  EXPECT_EQ(runTextureCompiler({}), 2);
  EXPECT_EQ(runTextureCompiler({"--help", "x"}), 2);
  const std::string errors = testing::internal::GetCapturedStderr();
  for (const std::string& part : {bad + ":2: unknown operation \"swirl\"", std::string("cannot read"), std::string("usage")})
    EXPECT_NE(errors.find(part), std::string::npos) << part << " in\n" << errors;
}

TEST(TextureLanguageGuide, ExampleCompiles) {
  const std::string guide = test::readTextFile(std::string(WF_SOURCE_DIR) + "/docs/texture-language.md");
  const size_t start = guide.find("```\n", guide.find("## The text form"));
  ASSERT_NE(start, std::string::npos);
  const std::string example = guide.substr(start + 4, guide.find("```", start + 4) - start - 4);
  EXPECT_EQ(compileTextureDescription(example, "guide").bytes.size(), 4u + 5u * 9u) << example;
}
