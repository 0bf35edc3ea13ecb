// --module-info, --module-wav and the state dump.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "app/Runs.h"
#include "music/ModPlayer.h"
#include "music/ModuleInfo.h"
#include "music/VirtualSoundOutput.h"
#include "support/ModWriter.h"
#include "support/TempDir.h"

namespace wf {
namespace {

using test::TempDir;

std::string infoOf(const std::string& path, int* status = nullptr) {
  std::FILE* out = std::tmpfile();
  const int rc = runModuleInfo(path, out);
  if (status) *status = rc;
  std::rewind(out);
  std::string text;
  int c;
  while ((c = std::fgetc(out)) != EOF) text.push_back(static_cast<char>(c));
  std::fclose(out);
  return text;
}

double numberAfter(const std::string& text, const std::string& key) {
  const size_t at = text.find("\"" + key + "\": ");
  if (at == std::string::npos) return NAN;
  return std::strtod(text.c_str() + at + key.size() + 4, nullptr);
}

TEST(ModuleInfo, ReportsHeaderSamplesOrdersEffectsAndDuration) {
  TempDir dir;
  ModWriter writer = test::basicWriter();
  writer.setTitle("info \"test\"");
  writer.sample(1).finetune = -2;
  writer.sample(1).volume = 40;
  writer.setSong({0, 2, 0});
  writer.setCell(0, 3, 1, ModCell{428, 1, 0xA, 0x01});
  writer.setCell(2, 5, 2, ModCell{0, 0, 0xE, 0xC3});
  writer.setCell(2, 6, 3, ModCell{0, 0, 0x0, 0x00});
  writer.setCell(1, 0, 0, ModCell{0, 0, 0x4, 0x11});  // pattern 1 is not in the song
  int status = -1;
  const std::string json = infoOf(dir.write("i.mod", writer.build()), &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(json.find("\"title\": \"info \\\"test\\\"\""), std::string::npos) << json;
  EXPECT_EQ(numberAfter(json, "sampleCount"), 31);
  EXPECT_NE(json.find("{\"name\": \"ramp\", \"length\": 1000, \"finetune\": -2, \"volume\": 40, \"loopStart\": 0, "
                      "\"loopLength\": 1000}"),
            std::string::npos)
      << json;
  EXPECT_EQ(numberAfter(json, "songLength"), 3);
  EXPECT_EQ(numberAfter(json, "patternCount"), 3);
  EXPECT_NE(json.find("\"orders\": [0, 2, 0]"), std::string::npos) << json;
  EXPECT_NE(json.find("\"effects\": [\"A\", \"EC\"]"), std::string::npos) << json;
  EXPECT_DOUBLE_EQ(numberAfter(json, "durationSeconds"), 3 * 64 * 5292 / 44100.0) << json;
}

TEST(ModuleInfo, DurationEndsBeforeTheFirstRepeatedRow) {
  const struct {
    const char* what;
    std::vector<int> song;
    int pattern, row, channel;
    ModCell cell;
    double seconds;
  } cases[] = {
      {"plain song", {0}, 0, 0, 0, ModCell{}, 64 * 5292 / 44100.0},
      {"song length 0 plays order 0 once", {}, 0, 0, 0, ModCell{}, 64 * 5292 / 44100.0},
      {"jump back from row 10", {0, 1}, 1, 10, 0, ModCell{0, 0, 0xB, 0}, (64 + 11) * 5292 / 44100.0},
      {"break to row 32 of the next order", {0, 1}, 0, 0, 3, ModCell{0, 0, 0xD, 0x32}, (1 + 32) * 5292 / 44100.0},
      {"speed 3", {0}, 0, 0, 0, ModCell{0, 0, 0xF, 3}, 64 * 2646 / 44100.0},
      // F sets the tick length at once, so even row 0's first tick is 3445 frames.
      {"tempo 32", {0}, 0, 0, 0, ModCell{0, 0, 0xF, 32}, 64 * 6 * 3445 / 44100.0},
  };
  for (const auto& c : cases) {
    TempDir dir;
    ModWriter writer = test::basicWriter();
    writer.setSong(c.song);
    writer.setCell(c.pattern, c.row, c.channel, c.cell);
    const std::string json = infoOf(dir.write("d.mod", writer.build()));
    EXPECT_DOUBLE_EQ(numberAfter(json, "durationSeconds"), c.seconds) << c.what;
  }
}

TEST(ModuleInfo, DurationIsCappedAtThirtyMinutes) {
  TempDir dir;
  ModWriter writer = test::basicWriter();
  std::vector<int> song(128, 0);
  for (int i = 0; i < 128; ++i) song[static_cast<size_t>(i)] = i % 64;
  writer.setSong(song);
  writer.setCell(0, 0, 0, ModCell{0, 0, 0xF, 31});
  writer.setCell(0, 0, 1, ModCell{0, 0, 0xF, 32});
  writer.cell(63, 0, 0);  // all 64 patterns exist
  const std::string json = infoOf(dir.write("long.mod", writer.build()));
  EXPECT_DOUBLE_EQ(numberAfter(json, "durationSeconds"), 1800.0) << json;
}

TEST(ModuleInfo, UnreadableFileIsStatus2) {
  TempDir dir;
  int status = 0;
  const std::string json = infoOf(dir.file("nothing.mod"), &status);
  EXPECT_EQ(status, 2);
  EXPECT_TRUE(json.empty());
}

TEST(ModuleInfo, TextsAreEscapedIntoValidJson) {
  TempDir dir;
  ModWriter writer;
  writer.setTitle(std::string("a\x01\xE9\\b", 5));
  const std::string json = infoOf(dir.write("t.mod", writer.build()));
  EXPECT_NE(json.find("\"title\": \"a\\u0001\\u00e9\\\\b\""), std::string::npos) << json;
}

std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(ModuleWav, RendersTheRequestedTimeThroughRenderBlock) {
  TempDir dir;
  ModWriter writer = test::basicWriter();
  writer.setCell(0, 0, 0, ModCell{428, 1, 0, 0});
  writer.setCell(0, 4, 1, ModCell{214, 1, 0, 0});
  const std::string in = dir.write("w.mod", writer.build());
  const std::string out = dir.file("w.wav");
  ASSERT_EQ(runModuleWav(in, out, 0.25), 0);
  const std::vector<uint8_t> bytes = readBytes(out);
  const size_t frames = 11025;
  ASSERT_EQ(bytes.size(), 44 + frames * 4);
  ModEngine engine;
  test::loadInto(engine, writer);
  std::vector<int16_t> pcm(3 * ModEngine::kBlockFrames * 2);
  for (int b = 0; b < 3; ++b) engine.renderBlock(&pcm[static_cast<size_t>(b) * 8000], ModEngine::kBlockBytes);
  bool audible = false;
  for (size_t i = 0; i < frames * 2; ++i) {
    const int16_t v = static_cast<int16_t>(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8);
    ASSERT_EQ(v, pcm[i]) << "sample " << i;
    audible = audible || v != 0;
  }
  EXPECT_TRUE(audible);
}

TEST(ModuleWav, BadArgumentsAndFiles) {
  TempDir dir;
  const std::string in = dir.write("w.mod", test::basicWriter().build());
  EXPECT_EQ(runModuleWav(in, dir.file("a.wav"), -1.0), 2);
  EXPECT_EQ(runModuleWav(in, dir.file("a.wav"), NAN), 2);
  EXPECT_EQ(runModuleWav(dir.file("missing.mod"), dir.file("a.wav"), 1.0), 2);
  EXPECT_EQ(runModuleWav(in, dir.file("no/such/folder/a.wav"), 1.0), 1);
  EXPECT_EQ(runModuleWav(in, dir.file("zero.wav"), 0.0), 0);
  EXPECT_EQ(runModuleWav(in, dir.file("b.wav"), 0.5), 0);
  EXPECT_EQ(readBytes(dir.file("b.wav")).size(), 44u + 22050 * 4);
  EXPECT_EQ(readBytes(dir.file("zero.wav")).size(), 44u);
}

TEST(MusicStateJson, DescribesThePlayer) {
  TempDir dir;
  auto device = std::make_unique<VirtualSoundOutput>();
  VirtualSoundOutput* output = device.get();
  ModPlayer player(std::move(device));
  ModWriter writer = test::basicWriter();
  writer.setTitle("state");
  writer.setCell(0, 0, 0, ModCell{428, 1, 0, 0});
  player.loadModule(dir.write("s.mod", writer.build()));
  player.play();
  output->advanceTo(8000 / 44100.0);
  const std::string json = musicStateJson(player);
  EXPECT_EQ(json.front(), '{');
  EXPECT_EQ(json.back(), '}');
  for (const char* part : {"\"initialised\": true", "\"playing\": true", "\"loaded\": true", "\"title\": \"state\"",
                           "\"speed\": 6", "\"tempo\": 125", "\"framesRendered\": 8000", "\"blocksRendered\": 2",
                           "\"order\": 0", "\"row\": 2", "\"period\": 431"})
    EXPECT_NE(json.find(part), std::string::npos) << part << " in " << json;
  char frequency[64];
  std::snprintf(frequency, sizeof frequency, "\"frequency\": %.17g,", 3579545.25 / 431);
  EXPECT_NE(json.find(frequency), std::string::npos) << frequency << " in " << json;
}

}  // namespace
}  // namespace wf
