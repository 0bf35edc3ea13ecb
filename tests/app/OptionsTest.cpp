#include <gtest/gtest.h>

#include <sstream>

#include "app/Options.h"

using namespace wf;

// The parsed options as one line: run kind, then what differs from the defaults.
std::string parsed(const std::vector<std::string>& args) {
  Options o;
  std::string error;
  if (!parseOptions(args, o, error)) return "error: " + error;
  std::ostringstream out;
  out << static_cast<int>(o.run) << (o.consoleMode ? " console" : "") << (o.xpMode ? " xp" : "")
      << (o.watch ? " watch" : "") << (o.modeGiven ? " mode " + std::to_string(o.mode.resolution) : "")
      << (o.qualityGiven ? " quality " + std::to_string(o.quality) : "") << (o.output.empty() ? "" : " out " + o.output);
  for (const std::string& in : o.inputs) out << " in " << in;
  if (o.seconds >= 0) out << " seconds " << o.seconds;
  if (o.from != 0) out << " from " << o.from;
  if (o.fps != 60) out << " fps " << o.fps;
  if (o.steps >= 0) out << " steps " << o.steps;
  out << (o.dumpGeometry ? " geometry" : "");
  return out.str();
}

TEST(Options, WhatEachCommandLineMeans) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"quadrix", "roxx"}, "0 console"},  // the two switches match the whole line exactly
      {{"Quadrix", "roxx"}, "0"},
      {{"quadrix", "roxx", "x"}, "0"},
      {{"quadrix", "roxx", "--watch"}, "0 console watch"},
      {{"-XP"}, "0 xp"},
      {{"-xp"}, "0"},
      {{"--mode", "1024x768", "--quality", "1", "--watch"}, "0 watch mode 3 quality 1"},
      {{"--render", "out", "--seconds", "1.5", "--fps", "30", "--mode", "800x600", "--quality", "high", "--from", "90.25"},
       "1 mode 2 quality 2 out out seconds 1.5 from 90.25 fps 30"},
      {{"--render", "x", "--mode", "windowed"}, "1 mode 0 out x"},
      {{"--dump-scene", "-", "--steps", "10", "--dump-geometry"}, "2 out - steps 10 geometry"},
      {{"--check"}, "3"},
      {{"--check", "demo.cs", "--quality", "low"}, "3 quality 0 in demo.cs"},
      {{"--timeline", "t.svg", "demo.cs"}, "4 out t.svg in demo.cs"},
      {{"--module-wav", "a.mod", "a.wav", "--seconds", "3"}, "6 out a.wav in a.mod seconds 3"},
      {{"--texture-png", "o.png", "a.tex", "b.tex"}, "7 out o.png in a.tex in b.tex"},
  };
  for (const auto& [args, want] : cases) EXPECT_EQ(parsed(args), want) << args[0];
  const ModeChoice windowed{0}, large{3};
  EXPECT_EQ(std::vector<int>({windowed.width(), windowed.height(), windowed.fullScreen(), large.width(), large.height()}),
            std::vector<int>({640, 480, 0, 1024, 768}));
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
