#include <gtest/gtest.h>

#include "app/Options.h"

using namespace wf;

namespace {
Options parse(std::vector<std::string> args, bool expectOk = true) {
  Options o;
  std::string error;
  EXPECT_EQ(parseOptions(args, o, error), expectOk) << error;
  return o;
}
}  // namespace

TEST(Options, TheTwoSwitchesMatchTheWholeLineExactly) {
  EXPECT_TRUE(parse({"quadrix", "roxx"}).consoleMode);
  EXPECT_FALSE(parse({"Quadrix", "roxx"}).consoleMode);
  EXPECT_FALSE(parse({"quadrix", "roxx", "x"}).consoleMode);
  EXPECT_TRUE(parse({"-XP"}).xpMode);
  EXPECT_FALSE(parse({"-xp"}).xpMode);
  Options plain = parse({"hello"});
  EXPECT_EQ(plain.run, RunKind::Interactive);
  EXPECT_FALSE(plain.modeGiven);
}

TEST(Options, RenderWithModeQualityAndRate) {
  Options o = parse({"--render", "out", "--seconds", "1.5", "--fps", "30", "--mode", "800x600", "--quality", "high",
                     "--from", "90.25"});
  EXPECT_EQ(o.run, RunKind::Render);
  EXPECT_EQ(o.output, "out");
  EXPECT_EQ(o.seconds, 1.5);
  EXPECT_EQ(o.from, 90.25);
  EXPECT_EQ(parse({"--render", "x"}).from, 0.0) << "a whole render starts at 0";
  EXPECT_EQ(o.fps, 30.0);
  EXPECT_EQ(o.mode.width(), 800);
  EXPECT_TRUE(o.mode.fullScreen());
  EXPECT_EQ(o.quality, 2);
  EXPECT_EQ(parse({"--render", "x", "--quality", "1"}).quality, 1);
  Options w = parse({"--render", "x", "--mode", "windowed"});
  EXPECT_EQ(w.mode.width(), 640);
  EXPECT_EQ(w.mode.height(), 480);
  EXPECT_FALSE(w.mode.fullScreen());
}

TEST(Options, ToolsTakeTheirArguments) {
  Options check = parse({"--check"});
  EXPECT_EQ(check.run, RunKind::Check);
  EXPECT_TRUE(check.inputs.empty());
  EXPECT_EQ(parse({"--check", "demo.cs"}).inputs, std::vector<std::string>{"demo.cs"});
  Options wav = parse({"--module-wav", "a.mod", "a.wav", "--seconds", "3"});
  EXPECT_EQ(wav.inputs, std::vector<std::string>{"a.mod"});
  EXPECT_EQ(wav.output, "a.wav");
  Options png = parse({"--texture-png", "o.png", "a.tex", "b.tex"});
  EXPECT_EQ(png.inputs.size(), 2u);
  Options dump = parse({"--dump-scene", "-", "--steps", "10", "--dump-geometry"});
  EXPECT_EQ(dump.steps, 10);
  EXPECT_TRUE(dump.dumpGeometry);
}

TEST(Options, BadCommandLinesAreRefused) {
  const std::vector<std::vector<std::string>> bad = {
      {"--frobnicate"},          {"--render"},
      {"--render", "x", "--mode", "320x200"}, {"--render", "x", "--quality", "ultra"},
      {"--render", "x", "--fps", "0"},        {"--render", "x", "--seconds", "-1"},
      {"--dump-scene", "x"},                  {"--dump-scene", "x", "--steps", "1.5"},
      {"--module-wav", "a.mod", "b.wav"},     {"--texture-png", "o.png"},
      {"--render", "x", "--check"},           {"--render", "x", "stray"},
      // Numbers are plain decimals: no hexadecimal, exponent, sign or "inf".
      {"--module-wav", "a.mod", "b.wav", "--seconds", "0x1"}, {"--render", "x", "--seconds", "1e3"},
      {"--render", "x", "--seconds", "inf"},  {"--render", "x", "--fps", "+30"},
      {"--render", "x", "--seconds", "."},    {"--render", "x", "--seconds", "1.2.3"},
      {"--render", "x", "--from", "-2"},      {"--render", "x", "--from", "1e3"},
      {"--dump-scene", "x", "--steps", "5", "--from", "1"},
  };
  for (const auto& args : bad) {
    Options o;
    std::string error;
    EXPECT_FALSE(parseOptions(args, o, error)) << args[0] << " " << args.back();
    EXPECT_FALSE(error.empty()) << args.back();
  }
}
