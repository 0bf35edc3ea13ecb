// The MOD loader: layout, decoding, guard bytes, and what it does with files
// that lie about themselves.
#include <gtest/gtest.h>

#include <tuple>

#include "music/ModuleLoader.h"
#include "support/ModWriter.h"

namespace wf {
namespace {

using test::rampSample;

Module load(const std::vector<uint8_t>& bytes, LoadResult* result = nullptr) {
  Module module;
  LoadResult r = loadModuleData(bytes.data(), bytes.size(), module);
  if (result) *result = r;
  return module;
}

bool mentions(const LoadResult& result, const std::string& text) {
  for (const std::string& note : result.notes)
    if (note.find(text) != std::string::npos) return true;
  return false;
}

TEST(NoteIndex, EdgeValuesOfTheLogarithm) {
  const int notes[][2] = {{0, -1},   {1712, 8},    {856, 103}, {428, 199}, {113, 384}, {1800, 1},
                          {1814, 0}, {4095, -112}, {1, 1039},  {54, 486},  {907, 95}};  // period, note index
  for (const auto& n : notes) EXPECT_EQ(noteIndexForPeriod(n[0]), n[1]) << "period " << n[0];
}

// Every field of both layouts read back into one Module (the second load
// replaces everything), with long texts, volumes above 64, sample numbers above the count.
TEST(ModuleLoader, EveryFieldOfBothLayoutsReadsBack) {
  Module m;
  for (int count : {31, 15}) {
    const std::string layout = std::to_string(count) + " samples";
    ModWriter writer(count);
    writer.setSignature("FLT4");  // the other tag of 31 samples; 15-sample files have none
    writer.setTitle(count == 31 ? "abcdefghijklmnopqrstuvwxyz" : "");
    writer.sample(1).name = "a name longer than twenty-two";
    writer.sample(2).name = std::string("ab\0cd", 5);
    writer.sample(3) = ModSample{"", rampSample(200), 0, 40, 20, 100};
    const int finetunes[] = {0, 7, -8, -1, 0x18, 0x27};  // samples 4..9; the file keeps the low nibble
    for (int i = 0; i < 6; ++i) writer.sample(4 + i).finetune = finetunes[i];
    writer.sample(10).volume = 65;
    writer.sample(11).volume = 255;
    writer.sample(12) = ModSample{"", rampSample(100, 1, 10), 0, 64, 20, 2};  // too short a loop for a guard
    writer.sample(13) = ModSample{"", rampSample(50, 1, 10), 0, 64, 10, 40};  // the loop ends at the sample end
    writer.sample(14) = ModSample{"", {}, 0, 64, 0, 2};
    if (count == 31) writer.sample(20).data = rampSample(300);
    writer.setSong({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    writer.setOrder(60, 40);  // beyond the song, still counted
    const struct {
      int pattern, row, channel;
      ModCell written;
      PatternCell read;
    } cells[] = {{0, 0, 0, {428, 1, 0xC, 0x20}, {1, 199, 0xC, 0x20}}, {0, 63, 3, {0xABC, count, 0xE, 0xD5}, {count, -57, 0xE, 0xD5}},
                 {0, 5, 2, {0, 5, 0, 0}, {5, -1, 0, 0}},             {40, 10, 1, {856, 3, 0, 0}, {3, 103, 0, 0}},
                 {0, 1, 1, {428, count + 1, 0, 0}, {0, 199, 0, 0}},  {0, 1, 2, {428, 255, 0, 0}, {0, 199, 0, 0}},
                 {0, 1, 0, {}, {0, -1, 0, 0}}};  // sample numbers above the count mean none
    for (const auto& c : cells) writer.setCell(c.pattern, c.row, c.channel, c.written);
    const std::vector<uint8_t> bytes = writer.build();
    const LoadResult result = loadModuleData(bytes.data(), bytes.size(), m);
    EXPECT_EQ(std::vector<std::string>({m.title, m.samples[1].name, m.samples[2].name}),
              std::vector<std::string>({count == 31 ? "abcdefghijklmnopqrst" : "", "a name longer than twe", "ab"}));
    const SampleHeader& h = m.samples[3];
    std::vector<int> read({m.sampleCount, h.length, h.volume, h.loopStart, h.loopLength, h.loopEnd, m.songLength,
                           m.patternCount, m.orders[60], m.samples[10].volume, m.samples[11].volume});
    for (int i = 4; i <= 9; ++i) read.push_back(m.samples[i].finetune);
    EXPECT_EQ(read, std::vector<int>({count, 200, 40, 20, 100, 120, 10, 41, 40, 64, 64, 0, 7, -8, -1, -8, 7})) << layout;
    for (const auto& c : cells) {
      const PatternCell& got = m.cell(c.pattern, c.row, c.channel);
      EXPECT_EQ(std::vector<int>({got.sample, got.noteIndex, got.effect, got.param}),
                std::vector<int>({c.read.sample, c.read.noteIndex, c.read.effect, c.read.param}))
          << layout << ", pattern " << c.pattern << " row " << c.row << " channel " << c.channel;
    }
    EXPECT_TRUE(mentions(result, "2 cells name a sample above " + std::to_string(count))) << layout;
    // Data follow all 41 patterns; guard bytes repeat a sample's last byte and a loop's (above 2 bytes) start.
    EXPECT_EQ(std::vector<int>({h.data[0], h.data[20], h.data[119], h.data[120], h.data[199], h.data[200],
                                m.samples[12].data[22], m.samples[13].data[50]}),
              std::vector<int>({0, 20, 119, 20, -57, -57, 32, 20})) << layout;
    EXPECT_EQ(std::vector<size_t>({m.samples[14].data.size(), m.samples[20].data.size()}),
              std::vector<size_t>({0, count == 31 ? 301u : 0u})) << layout << ": an empty sample has not even a guard";
  }
}

TEST(ModuleLoaderBadInput, TruncatedFilesReadAsZerosAndSayWhere) {
  const struct {
    size_t size;
    int samples;
    const char* note;
  } cases[] = {{0, 15, "file ends at byte 0 inside the header"},     {1, 15, "file ends at byte 1 inside the header"},
               {599, 15, "file ends at byte 599 inside the header"},
               {1083, 15, "pattern data ends after 483 of 66560 bytes"},  // no signature: a whole 15-sample header
               {1084 + 1024 + 6, 31, "pattern data ends after 1030 of 2048 bytes"}};
  for (const auto& c : cases) {
    ModWriter writer;
    writer.setSong({0, 1});
    writer.setCell(0, 0, 0, ModCell{428, 0, 0, 0});
    writer.setCell(1, 63, 3, ModCell{428, 0, 0, 0});
    std::vector<uint8_t> bytes = writer.build();
    bytes.resize(c.size);
    LoadResult result;
    const Module module = load(bytes, &result);
    EXPECT_EQ(std::make_tuple(module.sampleCount, mentions(result, c.note), mentions(result, "inside the header")),
              std::make_tuple(c.samples, true, c.size < 600)) << c.size << " bytes: " << c.note;
    ASSERT_GE(module.patternCount, 1) << c.size << " bytes";
    EXPECT_EQ(module.patterns.size(), static_cast<size_t>(module.patternCount) * 256) << c.size << " bytes";
    EXPECT_TRUE(c.samples != 31 || (module.cell(0, 0, 0).noteIndex == 199 && module.cell(1, 63, 3).noteIndex == -1))
        << "the cells that are there, and empty ones past the end";
  }
}

TEST(ModuleLoaderBadInput, MissingSampleDataIsSilence) {
  ModWriter writer;
  writer.sample(1).data = rampSample(100, 1, 1);
  writer.sample(1).lengthWords = 200;  // claims 400 bytes, the file holds 100
  writer.sample(2).data = rampSample(10, 1, 1);  // lies in the file where sample 1 wants it
  LoadResult result;
  const Module module = load(writer.build(), &result);
  const SampleHeader& a = module.samples[1];
  ASSERT_EQ(std::make_pair(a.length, a.data.size()), std::make_pair(400, size_t{401}));
  EXPECT_EQ(std::vector<int>({a.data[99], a.data[100], a.data[110], a.data[400]}), std::vector<int>({100, 1, 0, 0}))
      << "then sample 2's bytes, which are the next bytes of the file, then silence";
  EXPECT_EQ(module.samples[2].data, std::vector<int8_t>(11, 0));
  EXPECT_TRUE(mentions(result, "sample 1: 110 of 400 data bytes"));
  EXPECT_TRUE(mentions(result, "sample 2: 0 of 10 data bytes"));
}

// Loops on a 100-byte sample (written start and length, then read): one past
// the end is clipped, one starting there dropped, length 0 kept (the mixer
// ends the sample there). Song lengths above 128 are cut, 0 reads as 1.
TEST(ModuleLoaderBadInput, LoopsAndSongLengthAreKeptInBounds) {
  const int cases[][4] = {{10, 20, 10, 20}, {80, 40, 80, 20}, {0, 200, 0, 100}, {100, 10, 0, 0}, {150, 2, 0, 0}, {50, 0, 50, 0}};
  for (const auto& c : cases) {
    ModWriter writer;
    writer.sample(1) = ModSample{"", rampSample(100), 0, 64, c[0], c[1]};
    const SampleHeader h = load(writer.build()).samples[1];
    EXPECT_EQ(std::vector<int>({h.loopStart, h.loopLength, h.loopEnd}), std::vector<int>({c[2], c[3], c[2] + c[3]}))
        << c[0] << "+" << c[1];
  }
  const std::tuple<int, int, const char*> lengths[] = {
      {200, 128, "song length 200 cut"}, {0, 1, "song length 0 read as 1"}, {1, 1, nullptr}};
  for (const auto& [written, read, note] : lengths) {
    ModWriter writer;
    writer.setSongLength(written);
    LoadResult result;
    EXPECT_EQ(load(writer.build(), &result).songLength, read) << "written " << written;
    EXPECT_EQ(result.notes.size(), note ? 1u : 0u) << "written " << written;
    EXPECT_TRUE(!note || mentions(result, note)) << "written " << written;
  }
}

}  // namespace
}  // namespace wf
