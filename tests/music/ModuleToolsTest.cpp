// --module-info and --module-wav.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "app/Runs.h"
#include "music/ModuleInfo.h"
#include "support/ModWriter.h"
#include "support/TempDir.h"

namespace wf {
namespace {

using test::TempDir;

// What --module-info writes for the module file at `path`; its status in `status`.
std::string infoOf(const std::string& path, int* status = nullptr) {
  TempDir dir;
  std::FILE* out = std::fopen(dir.file("info.json").c_str(), "w");
  const int rc = runModuleInfo(path, out);
  std::fclose(out);
  if (status) *status = rc;
  return test::readTextFile(dir.file("info.json"));
}

double numberAfter(const std::string& text, const std::string& key) {
  const size_t at = text.find("\"" + key + "\": ");
  if (at == std::string::npos) return NAN;
  return std::strtod(text.c_str() + at + key.size() + 4, nullptr);
}

TEST(ModuleInfo, ReportsHeaderSamplesOrdersEffectsAndDuration) {
  TempDir dir;
  ModWriter writer = test::basicWriter();
  writer.setTitle(std::string("i\"n\x01\xE9\\f", 7));
  writer.sample(1).finetune = -2, writer.sample(1).volume = 40;
  writer.setSong({0, 2, 0});
  writer.setCell(0, 3, 1, ModCell{428, 1, 0xA, 0x01});
  writer.setCell(2, 5, 2, ModCell{0, 0, 0xE, 0xC3});
  writer.setCell(1, 0, 0, ModCell{0, 0, 0x4, 0x11});  // pattern 1 is not in the song
  int status = -1;
  const std::string json = infoOf(dir.write("i.mod", writer.build()), &status);
  EXPECT_EQ(status, 0);
  for (const char* part : {"\"title\": \"i\\\"n\\u0001\\u00e9\\\\f\"", "\"sampleCount\": 31",
                           "{\"name\": \"ramp\", \"length\": 1000, \"finetune\": -2, \"volume\": 40, "
                           "\"loopStart\": 0, \"loopLength\": 1000}",
                           "\"songLength\": 3", "\"patternCount\": 3", "\"orders\": [0, 2, 0]",
                           "\"effects\": [\"A\", \"EC\"]"})
    EXPECT_NE(json.find(part), std::string::npos) << part << " in " << json;
  EXPECT_DOUBLE_EQ(numberAfter(json, "durationSeconds"), 3 * 64 * 5292 / 44100.0) << json;
}

TEST(ModuleInfo, DurationEndsBeforeTheFirstRepeatedRow) {
  std::vector<int> longSong;  // patterns 0..63 twice
  for (int i = 0; i < 128; ++i) longSong.push_back(i % 64);
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
      {"speed 31, the last speed", {0}, 0, 0, 0, ModCell{0, 0, 0xF, 0x1F}, 64 * 31 * 882 / 44100.0},
      {"speed 0: every tick is a row", {0}, 0, 0, 0, ModCell{0, 0, 0xF, 0}, 64 * 882 / 44100.0},
      {"capped at 30 minutes", longSong, 0, 0, 0, ModCell{0, 0, 0xF, 32}, 1800.0},  // else 128 x 64 x 6 x 3445 frames
  };
  TempDir dir;
  for (const auto& c : cases) {
    ModWriter writer = test::basicWriter();
    writer.setSong(c.song);
    writer.setCell(c.pattern, c.row, c.channel, c.cell);
    EXPECT_DOUBLE_EQ(numberAfter(infoOf(dir.write("d.mod", writer.build())), "durationSeconds"), c.seconds) << c.what;
  }
}

// Every run of --module-wav: status and file size; the samples of a run are
// the engine's own blocks, the last one cut.
TEST(ModuleRuns, StatusOutputAndSamplesOfEveryRun) {
  TempDir dir;
  ModWriter writer = test::basicWriter();
  writer.setCell(0, 0, 0, ModCell{428, 1, 0, 0});
  writer.setCell(0, 4, 1, ModCell{214, 1, 0, 0});
  const std::string in = dir.write("w.mod", writer.build()), missing = dir.file("missing.mod");
  const struct {
    std::string in, out;
    double seconds;
    int status;
    long wavBytes;  // -1: no file
  } cases[] = {{in, dir.file("b.wav"), 0.5, 0, 44 + 22050 * 4}, {in, dir.file("zero.wav"), 0.0, 0, 44},
               {in, dir.file("n.wav"), -1.0, 2, -1},           {in, dir.file("nan.wav"), NAN, 2, -1},
               {missing, dir.file("m.wav"), 1.0, 2, -1},       {in, dir.file("no/such/folder/a.wav"), 1.0, 1, -1}};
  for (const auto& c : cases) {
    EXPECT_EQ(runModuleWav(c.in, c.out, c.seconds), c.status) << c.in << " to " << c.out << ", " << c.seconds << " s";
    std::ifstream wav(c.out, std::ios::binary | std::ios::ate);
    EXPECT_EQ(wav ? static_cast<long>(wav.tellg()) : -1L, c.wavBytes) << c.out;
  }
  int status = 0;
  EXPECT_EQ(infoOf(missing, &status), "");
  EXPECT_EQ(status, 2) << "--module-info of a missing module";
  ModEngine engine;  // the same blocks, rows starting every 5292 frames (6 ticks of 882)
  test::loadInto(engine, writer);
  struct : StepObserver {
    void afterStep(const ModEngine& e, int64_t frame) override { if (e.lastStepPlayedRow()) rows.push_back(frame); }
    std::vector<int64_t> rows;
  } starts;
  engine.setStepObserver(&starts);
  std::vector<int16_t> pcm(6 * ModEngine::kBlockFrames * 2), got(22050 * 2);
  for (int b = 0; b < 6; ++b) engine.renderBlock(&pcm[static_cast<size_t>(b) * 8000], ModEngine::kBlockBytes);
  EXPECT_EQ(starts.rows, std::vector<int64_t>({0, 5292, 10584, 15876, 21168}));
  EXPECT_EQ(engine.samplesLeftInTick(), 28 * 882 - 24000) << "the 28th tick began at frame 23814";
  pcm.resize(got.size());
  std::ifstream(dir.file("b.wav"), std::ios::binary).seekg(44).read(reinterpret_cast<char*>(got.data()), 22050 * 4);
  EXPECT_EQ(got, pcm) << "the engine's blocks, the last one cut (little-endian host)";
  engine.buildVolumeTable(32);
  EXPECT_EQ(engine.volumeEntry(63, 0xFF), -31) << "the volume table: (32 x 63 x -1) / 64 truncates toward zero";
}

}  // namespace
}  // namespace wf
