// The MOD loader: layout, decoding, guard bytes, and what it does with files
// that lie about themselves.
#include <gtest/gtest.h>

#include <cstring>

#include "music/ModuleLoader.h"
#include "music/Tables.h"
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
  const struct {
    int period;
    int index;
  } cases[] = {
      {0, -1},   {1712, 8},  {856, 103}, {428, 199}, {113, 384}, {1800, 1},
      {1814, 0}, {4095, -112}, {1, 1039}, {54, 486},  {907, 95},
  };
  for (const auto& c : cases) EXPECT_EQ(noteIndexForPeriod(c.period), c.index) << "period " << c.period;
}

TEST(PeriodTable, AnchorsAndClampedLookUps) {
  EXPECT_EQ(periodTable[0], 1814);
  EXPECT_EQ(periodTable[8], 1712);
  EXPECT_EQ(periodTable[16], 1616);
  EXPECT_EQ(periodTable[104], 856);
  EXPECT_EQ(periodTable[200], 428);
  EXPECT_EQ(periodTable[487], 54);
  EXPECT_EQ(periodAt(-5), 1814);
  EXPECT_EQ(periodAt(1039), 54);
  for (int i = 1; i < kPeriodTableSize; ++i) EXPECT_LE(periodTable[i], periodTable[i - 1]) << "index " << i;
  EXPECT_EQ(waveTable[16], 255);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(waveTable[32 + i], -waveTable[i]) << "index " << i;
}

TEST(ModuleLoader, SignatureDecidesTheSampleCount) {
  const struct {
    const char* signature;
    int samples;
  } cases[] = {{"M.K.", 31}, {"FLT4", 31}, {"M!K!", 15}, {"m.k.", 15}, {"FLT8", 15}};
  for (const auto& c : cases) {
    ModWriter writer;
    writer.setSignature(c.signature);
    EXPECT_EQ(load(writer.build()).sampleCount, c.samples) << c.signature;
  }
}

TEST(ModuleLoader, PatternsStartAfterTheHeaderOfEachLayout) {
  for (int count : {15, 31}) {
    ModWriter writer(count);
    writer.setSong({0});
    writer.setCell(0, 0, 0, ModCell{428, 1, 0xC, 0x20});
    const std::vector<uint8_t> bytes = writer.build();
    const size_t start = count == 31 ? 1084 : 600;
    ASSERT_GE(bytes.size(), start + 4);
    EXPECT_EQ(bytes[start + 1], 428 & 0xFF) << count << " samples";
    const Module module = load(bytes);
    EXPECT_EQ(module.sampleCount, count);
    const PatternCell& cell = module.cell(0, 0, 0);
    EXPECT_EQ(cell.sample, 1);
    EXPECT_EQ(cell.noteIndex, 199);
    EXPECT_EQ(cell.effect, 0xC);
    EXPECT_EQ(cell.param, 0x20);
  }
}

TEST(ModuleLoader, CellBitsAreSplitAsTheLayoutSays) {
  ModWriter writer;
  writer.setSong({0});
  writer.sample(0x1F).data = rampSample(8);
  writer.setCell(0, 63, 3, ModCell{0xABC, 0x1F, 0xE, 0xD5});
  writer.setCell(0, 5, 2, ModCell{0, 5, 0, 0});
  const Module module = load(writer.build());
  const PatternCell& last = module.cell(0, 63, 3);
  EXPECT_EQ(last.sample, 0x1F);
  EXPECT_EQ(last.noteIndex, noteIndexForPeriod(0xABC));
  EXPECT_EQ(last.effect, 0xE);
  EXPECT_EQ(last.param, 0xD5);
  // A sample without a note.
  EXPECT_EQ(module.cell(0, 5, 2).sample, 5);
  EXPECT_EQ(module.cell(0, 5, 2).noteIndex, -1);
  // Empty cells.
  EXPECT_EQ(module.cell(0, 0, 0).sample, 0);
  EXPECT_EQ(module.cell(0, 0, 0).noteIndex, -1);
}

TEST(ModuleLoader, TitleAndNamesAreCutAndTerminated) {
  ModWriter writer;
  writer.setTitle("abcdefghijklmnopqrstuvwxyz");
  writer.sample(1).name = "a name longer than twenty-two";
  writer.sample(2).name = std::string("ab\0cd", 5);
  const Module module = load(writer.build());
  EXPECT_EQ(module.title, "abcdefghijklmnopqrst");
  EXPECT_EQ(module.samples[1].name, "a name longer than twe");
  EXPECT_EQ(module.samples[2].name, "ab");
}

TEST(ModuleLoader, SampleHeaderFieldsAndFinetuneNibble) {
  const struct {
    int written;
    int read;
  } finetunes[] = {{0, 0}, {7, 7}, {-8, -8}, {-1, -1}, {0x18, -8}, {0x27, 7}};
  for (const auto& f : finetunes) {
    ModWriter writer;
    ModSample& s = writer.sample(3);
    s.data = rampSample(200);
    s.finetune = f.written;
    s.volume = 40;
    s.loopStart = 20;
    s.loopLength = 100;
    const Module module = load(writer.build());
    const SampleHeader& h = module.samples[3];
    EXPECT_EQ(h.finetune, f.read) << "written " << f.written;
    EXPECT_EQ(h.length, 200);
    EXPECT_EQ(h.volume, 40);
    EXPECT_EQ(h.loopStart, 20);
    EXPECT_EQ(h.loopLength, 100);
    EXPECT_EQ(h.loopEnd, 120);
  }
}

TEST(ModuleLoader, OrderEntriesBeyondTheSongRaiseThePatternCount) {
  ModWriter writer;
  writer.setSong({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
  writer.setOrder(60, 40);
  writer.setCell(40, 10, 1, ModCell{856, 1, 0, 0});
  writer.sample(1).data = rampSample(16);
  const Module module = load(writer.build());
  EXPECT_EQ(module.songLength, 10);
  EXPECT_EQ(module.patternCount, 41);
  EXPECT_EQ(module.orders[60], 40);
  EXPECT_EQ(module.cell(40, 10, 1).noteIndex, 103);
  EXPECT_EQ(module.samples[1].data[0], 0) << "sample data follows all 41 patterns";
  EXPECT_EQ(module.samples[1].data[15], 15);
}

TEST(ModuleLoader, GuardBytesAfterTheSampleAndAtTheLoopEnd) {
  ModWriter writer;
  writer.sample(1).data = rampSample(100, 1, 10);  // 10..109
  writer.sample(1).loopStart = 20;
  writer.sample(1).loopLength = 40;
  writer.sample(2).data = rampSample(100, 1, 10);
  writer.sample(2).loopStart = 20;
  writer.sample(2).loopLength = 2;  // too short for a loop guard
  writer.sample(3).data = rampSample(50, 1, 10);
  writer.sample(3).loopStart = 10;
  writer.sample(3).loopLength = 40;  // loop ends at the sample end
  const Module module = load(writer.build());
  const SampleHeader& a = module.samples[1];
  ASSERT_EQ(a.data.size(), 101u);
  EXPECT_EQ(a.data[100], 109) << "end guard repeats the last byte";
  EXPECT_EQ(a.data[60], 30) << "loop guard at loopEnd repeats loopStart";
  EXPECT_EQ(a.data[59], 69);
  const SampleHeader& b = module.samples[2];
  EXPECT_EQ(b.data[22], 32) << "a 2-byte loop gets no guard";
  const SampleHeader& c = module.samples[3];
  EXPECT_EQ(c.data[50], 20) << "the loop guard overwrites the end guard";
}

TEST(ModuleLoader, EmptySampleHasNoData) {
  ModWriter writer;
  writer.sample(1).lengthWords = 0;
  writer.sample(1).loopLength = 2;
  const Module module = load(writer.build());
  EXPECT_EQ(module.samples[1].length, 0);
  EXPECT_TRUE(module.samples[1].data.empty());
}

// --- bad input -----------------------------------------------------------

TEST(ModuleLoaderBadInput, EmptyAndShortFilesReadAsZeros) {
  for (size_t size : {size_t{0}, size_t{1}, size_t{19}, size_t{400}, size_t{599}}) {
    ModWriter writer;
    writer.setTitle("short file test");
    std::vector<uint8_t> bytes = writer.build();
    bytes.resize(size);
    LoadResult result;
    const Module module = load(bytes, &result);
    EXPECT_EQ(module.sampleCount, 15) << size << " bytes: no signature";
    EXPECT_GE(module.patternCount, 1) << size;
    EXPECT_EQ(module.patterns.size(), static_cast<size_t>(module.patternCount) * 256) << size;
    EXPECT_TRUE(mentions(result, "inside the header")) << size;
  }
}

TEST(ModuleLoaderBadInput, WithoutSignatureA1083ByteFileIsAWhole15SampleModule) {
  ModWriter writer;
  std::vector<uint8_t> bytes = writer.build();
  bytes.resize(1083);
  LoadResult result;
  const Module module = load(bytes, &result);
  EXPECT_EQ(module.sampleCount, 15);
  EXPECT_FALSE(mentions(result, "inside the header"));
}

TEST(ModuleLoaderBadInput, MissingPatternsAreEmpty) {
  ModWriter writer;
  writer.setSong({0, 1});
  writer.setCell(0, 0, 0, ModCell{428, 0, 0, 0});
  writer.setCell(1, 63, 3, ModCell{428, 0, 0, 0});
  std::vector<uint8_t> bytes = writer.build();
  bytes.resize(1084 + 1024 + 6);  // pattern 1 has one cell and a half
  LoadResult result;
  const Module module = load(bytes, &result);
  EXPECT_EQ(module.patternCount, 2);
  EXPECT_EQ(module.cell(0, 0, 0).noteIndex, 199);
  EXPECT_EQ(module.cell(1, 63, 3).noteIndex, -1);
  EXPECT_TRUE(mentions(result, "pattern data ends after 1030 of 2048 bytes"));
}

TEST(ModuleLoaderBadInput, MissingSampleDataIsSilence) {
  ModWriter writer;
  writer.sample(1).data = rampSample(100, 1, 1);
  writer.sample(1).lengthWords = 200;  // claims 400 bytes, the file holds 100
  writer.sample(2).data = rampSample(10, 1, 1);  // lies in the file where sample 1 wants it
  LoadResult result;
  const Module module = load(writer.build(), &result);
  const SampleHeader& a = module.samples[1];
  ASSERT_EQ(a.length, 400);
  ASSERT_EQ(a.data.size(), 401u);
  EXPECT_EQ(a.data[99], 100);
  EXPECT_EQ(a.data[100], 1) << "sample 2's bytes are the next bytes of the file";
  EXPECT_EQ(a.data[110], 0) << "past the file: silence";
  EXPECT_EQ(a.data[400], 0);
  const SampleHeader& b = module.samples[2];
  ASSERT_EQ(b.data.size(), 11u);
  for (int i = 0; i < 11; ++i) EXPECT_EQ(b.data[i], 0) << "byte " << i;
  EXPECT_TRUE(mentions(result, "sample 1: 110 of 400 data bytes"));
  EXPECT_TRUE(mentions(result, "sample 2: 0 of 10 data bytes"));
}

TEST(ModuleLoaderBadInput, SampleNumbersAboveTheCountMeanNoSample) {
  ModWriter writer(15);
  writer.setSong({0});
  writer.setCell(0, 0, 0, ModCell{428, 16, 0, 0});
  writer.setCell(0, 0, 1, ModCell{428, 255, 0, 0});
  writer.setCell(0, 0, 2, ModCell{428, 15, 0, 0});
  LoadResult result;
  const Module module = load(writer.build(), &result);
  EXPECT_EQ(module.cell(0, 0, 0).sample, 0);
  EXPECT_EQ(module.cell(0, 0, 0).noteIndex, 199) << "the note stays";
  EXPECT_EQ(module.cell(0, 0, 1).sample, 0);
  EXPECT_EQ(module.cell(0, 0, 2).sample, 15);
  EXPECT_TRUE(mentions(result, "2 cells name a sample above 15"));
}

TEST(ModuleLoaderBadInput, VolumesAreClampedTo64) {
  for (int volume : {64, 65, 200, 255}) {
    ModWriter writer;
    writer.sample(1).data = rampSample(10);
    writer.sample(1).volume = volume;
    EXPECT_EQ(load(writer.build()).samples[1].volume, 64) << "volume " << volume;
  }
}

TEST(ModuleLoaderBadInput, LoopsAreKeptInsideTheSample) {
  const struct {
    int loopStart, loopLength;
    int wantStart, wantLength;
  } cases[] = {
      {10, 20, 10, 20},  // inside: kept
      {80, 40, 80, 20},  // end beyond the sample: clipped
      {0, 200, 0, 100},  // longer than the sample
      {100, 10, 0, 0},   // start at the end: no loop
      {150, 2, 0, 0},    // start beyond: no loop
      {50, 0, 50, 0},    // zero length stays (the mixer ends the sample there)
  };
  for (const auto& c : cases) {
    ModWriter writer;
    writer.sample(1).data = rampSample(100);
    writer.sample(1).loopStart = c.loopStart;
    writer.sample(1).loopLength = c.loopLength;
    const Module module = load(writer.build());
    const SampleHeader& h = module.samples[1];
    EXPECT_EQ(h.loopStart, c.wantStart) << c.loopStart << "+" << c.loopLength;
    EXPECT_EQ(h.loopLength, c.wantLength) << c.loopStart << "+" << c.loopLength;
    EXPECT_EQ(h.loopEnd, h.loopStart + h.loopLength);
    EXPECT_LE(h.loopEnd, h.length);
  }
}

TEST(ModuleLoaderBadInput, SongLengthIsCutTo128AndZeroReadsAsOne) {
  const struct {
    int written, read;
    const char* note;
  } cases[] = {{200, 128, "song length 200 cut"}, {0, 1, "song length 0 read as 1"}, {1, 1, nullptr}};
  for (const auto& c : cases) {
    ModWriter writer;
    writer.setSongLength(c.written);
    LoadResult result;
    EXPECT_EQ(load(writer.build(), &result).songLength, c.read) << "written " << c.written;
    EXPECT_EQ(result.notes.size(), c.note ? 1u : 0u) << "written " << c.written;
    EXPECT_TRUE(!c.note || mentions(result, c.note)) << "written " << c.written;
  }
}

TEST(ModuleLoaderBadInput, LoadingAgainReplacesEverything) {
  ModWriter big;
  big.setTitle("first");
  big.sample(7).data = rampSample(300);
  big.setSong({0, 5});
  Module module;
  const std::vector<uint8_t> first = big.build();
  loadModuleData(first.data(), first.size(), module);
  ASSERT_EQ(module.patternCount, 6);
  ModWriter small(15);
  const std::vector<uint8_t> second = small.build();
  loadModuleData(second.data(), second.size(), module);
  EXPECT_EQ(module.title, "");
  EXPECT_EQ(module.sampleCount, 15);
  EXPECT_EQ(module.patternCount, 1);
  EXPECT_TRUE(module.samples[7].data.empty());
}

}  // namespace
}  // namespace wf
