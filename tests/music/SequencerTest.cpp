// The sequencer: song position, timing and every effect's row and tick part.
// Tests call step() directly (one tick per call) unless they need frames.
#include <gtest/gtest.h>

#include <sstream>

#include "music/ModEngine.h"
#include "music/ModuleLoader.h"
#include "music/Tables.h"
#include "support/ModWriter.h"

namespace wf {
namespace {

using test::basicWriter;
using test::loadInto;
using test::runTicks;

// The period a written note period plays at (the truncated note index).
int playedPeriod(int writtenPeriod, int finetune = 0) {
  return periodAt(noteIndexForPeriod(writtenPeriod) + finetune);
}

double frequencyOf(int period) { return kPeriodClock / period; }

// Records the frame and song position of every row.
class RowRecorder : public StepObserver {
 public:
  void afterStep(const ModEngine& engine, int64_t startFrame) override {
    if (!engine.lastStepPlayedRow()) return;
    frames.push_back(startFrame);
    positions.emplace_back(engine.playingOrder(), engine.playingRow());
  }
  std::vector<int64_t> frames;
  std::vector<std::pair<int, int>> positions;
};

TEST(SequencerTiming, DefaultsAre882FramesPerTickAnd5292PerRow) {
  EXPECT_EQ(ModEngine::framesPerTick(125), 882);
  ModEngine engine;
  loadInto(engine, basicWriter());
  RowRecorder rows;
  engine.setStepObserver(&rows);
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
  for (int i = 0; i < 4; ++i) engine.renderBlock(block.data(), ModEngine::kBlockBytes);
  EXPECT_EQ(engine.speed(), 6);
  EXPECT_EQ(engine.tempo(), 125);
  EXPECT_EQ(engine.samplesPerTick(), 882);
  ASSERT_EQ(rows.frames.size(), 4u);  // 16000 frames: rows at 0, 5292, 10584, 15876
  for (size_t i = 0; i < rows.frames.size(); ++i) {
    EXPECT_EQ(rows.frames[i], static_cast<int64_t>(i) * 5292) << "row " << i;
    EXPECT_EQ(rows.positions[i], std::make_pair(0, static_cast<int>(i))) << "row " << i;
  }
}

TEST(SequencerTiming, TempoTableIsTruncated) {
  const struct {
    int tempo, frames;
  } cases[] = {{125, 882}, {32, 3445}, {133, 828}, {255, 432}, {150, 735}};
  for (const auto& c : cases) EXPECT_EQ(ModEngine::framesPerTick(c.tempo), c.frames) << "tempo " << c.tempo;
}

TEST(SequencerTiming, SpeedAndTempoFromEffectF) {
  ModWriter writer = basicWriter();
  writer.setCell(0, 0, 0, ModCell{0, 0, 0xF, 0x1F});
  writer.setCell(0, 1, 2, ModCell{0, 0, 0xF, 0x20});
  writer.setCell(0, 2, 3, ModCell{0, 0, 0xF, 0x00});
  ModEngine engine;
  loadInto(engine, writer);
  engine.step();
  EXPECT_EQ(engine.speed(), 31);
  runTicks(engine, 30);
  EXPECT_EQ(engine.tick(), 0) << "31 ticks in a row at speed 31";
  EXPECT_EQ(engine.row(), 1);
  engine.step();  // row 1: F20
  EXPECT_EQ(engine.tempo(), 32);
  EXPECT_EQ(engine.samplesPerTick(), 3445) << "recomputed at once";
  EXPECT_EQ(engine.samplesLeftInTick(), 3445);
  runTicks(engine, 30);
  engine.step();  // row 2: F00
  EXPECT_EQ(engine.speed(), 0);
  for (int r = 3; r < 8; ++r) {
    engine.step();
    EXPECT_TRUE(engine.lastStepPlayedRow()) << "F00: every tick is a row";
    EXPECT_EQ(engine.playingRow(), r);
  }
}

TEST(SequencerPosition, RowsAdvanceThroughOrdersAndTheSongLoopsWithAReset) {
  ModWriter writer = basicWriter();
  writer.setSong({0, 1});
  writer.setCell(0, 0, 0, ModCell{0, 0, 0xF, 3});
  writer.setCell(1, 63, 0, ModCell{0, 0, 0xF, 0x40});
  ModEngine engine;
  loadInto(engine, writer);
  engine.setPosition(1, 63);
  engine.step();
  EXPECT_EQ(engine.tempo(), 0x40);
  EXPECT_EQ(engine.order(), 0);
  EXPECT_EQ(engine.row(), 0);
  runTicks(engine, 5);
  engine.step();  // order 0, row 0 again: resetPlayback first, then F03
  EXPECT_EQ(engine.playingOrder(), 0);
  EXPECT_EQ(engine.tempo(), 125) << "the restart resets the tempo";
  EXPECT_EQ(engine.speed(), 3);
  EXPECT_EQ(engine.samplesPerTick(), ModEngine::framesPerTick(0x40)) << "deliberate: kept until the next block";
}

TEST(SequencerPosition, SongLengthZeroPlaysTheRowsOfOrderZero) {
  ModWriter writer = basicWriter();
  writer.setSong({});
  writer.setCell(0, 0, 0, ModCell{0, 0, 0xF, 3});
  ModEngine engine;
  loadInto(engine, writer);
  for (int r = 0; r < 4; ++r) {
    runTicks(engine, 3);
    EXPECT_EQ(engine.playingRow(), r) << "row " << r;
    EXPECT_EQ(engine.speed(), 3) << "row " << r << ": no restart resets the speed";
  }
}

TEST(SequencerPosition, PatternBreakOnAnyRowGoesToTheNextOrder) {
  const struct {
    int row, param, wantOrder, wantRow;
  } cases[] = {
      {63, 0x10, 2, 10}, {0, 0x00, 2, 0}, {5, 0x63, 2, 63}, {5, 0x64, 2, 0}, {5, 0x1F, 2, 25},
  };
  for (const auto& c : cases) {
    ModWriter writer = basicWriter();
    writer.setSong({0, 1, 2});
    writer.setCell(1, c.row, 2, ModCell{0, 0, 0xD, c.param});
    ModEngine engine;
    loadInto(engine, writer);
    engine.setPosition(1, c.row);
    engine.step();
    EXPECT_EQ(engine.order(), c.wantOrder) << "D" << std::hex << c.param << " on row " << std::dec << c.row;
    EXPECT_EQ(engine.row(), c.wantRow) << "D" << std::hex << c.param << " on row " << std::dec << c.row;
  }
}

TEST(SequencerPosition, PatternBreakInTheLastOrderGoesToTheStart) {
  ModWriter writer = basicWriter();
  writer.setSong({0, 1});
  writer.setCell(1, 7, 0, ModCell{0, 0, 0xD, 0x05});
  ModEngine engine;
  loadInto(engine, writer);
  engine.setPosition(1, 7);
  engine.step();
  EXPECT_EQ(engine.order(), 0);
  EXPECT_EQ(engine.row(), 5);
}

TEST(SequencerPosition, PositionJumpIsClampedToTheLastOrder) {
  const struct {
    int param, wantOrder;
  } cases[] = {{0x00, 0}, {0x01, 1}, {0x02, 2}, {0x03, 2}, {0xFF, 2}};
  for (const auto& c : cases) {
    ModWriter writer = basicWriter();
    writer.setSong({0, 1, 0});
    writer.setCell(1, 9, 1, ModCell{0, 0, 0xB, c.param});
    ModEngine engine;
    loadInto(engine, writer);
    engine.setPosition(1, 9);
    engine.step();
    EXPECT_EQ(engine.order(), c.wantOrder) << "B" << c.param;
    EXPECT_EQ(engine.row(), 0) << "B" << c.param;
  }
}

TEST(SequencerPosition, LaterChannelsOverrideJumps) {
  ModWriter writer = basicWriter();
  writer.setSong({0, 1, 2, 3});
  writer.setCell(0, 0, 0, ModCell{0, 0, 0xB, 3});
  writer.setCell(0, 0, 2, ModCell{0, 0, 0xD, 0x12});
  ModEngine engine;
  loadInto(engine, writer);
  engine.step();
  EXPECT_EQ(engine.order(), 1);
  EXPECT_EQ(engine.row(), 12);
}

// --- channel effects ------------------------------------------------------

struct Channel0 {
  explicit Channel0(const ModWriter& writer) { loadInto(engine, writer); }
  const ChannelState& ch() const { return engine.channel(0); }
  ModEngine engine;
};

ModWriter withCells(std::initializer_list<std::pair<int, ModCell>> rows, int volume = 64) {
  ModWriter writer = basicWriter();
  writer.sample(1).volume = volume;
  for (const auto& r : rows) writer.setCell(0, r.first, 0, r.second);
  return writer;
}

TEST(SequencerEffects, NoteTriggersSampleVolumeAndFrequency) {
  Channel0 t(withCells({{0, ModCell{428, 1, 0, 0}}}, 50));
  t.engine.step();
  EXPECT_EQ(t.ch().sample, 1);
  EXPECT_EQ(t.ch().note, 199);
  EXPECT_EQ(t.ch().period, 431) << "428 reads as index 199, one fine step low";
  EXPECT_EQ(t.ch().volume, 50);
  EXPECT_EQ(t.ch().effectiveVolume, 50);
  EXPECT_DOUBLE_EQ(t.ch().frequency, frequencyOf(431));
}

TEST(SequencerEffects, FinetuneShiftsTheNoteAndLookUpsAreClamped) {
  ModWriter writer = withCells({{0, ModCell{428, 1, 0, 0}}, {1, ModCell{113, 1, 0, 0}}, {2, ModCell{1, 1, 0, 0}}});
  writer.sample(1).finetune = -8;
  Channel0 t(writer);
  t.engine.step();
  EXPECT_EQ(t.ch().period, periodAt(199 - 8));
  runTicks(t.engine, 6);
  EXPECT_EQ(t.ch().period, periodAt(384 - 8));
  runTicks(t.engine, 6);
  EXPECT_EQ(t.ch().note, 1039);
  EXPECT_EQ(t.ch().period, 54) << "clamped to the table's last entry";
}

TEST(SequencerEffects, NoteWithoutSampleRestartsOnlyUnderEffect0) {
  ModWriter writer = withCells({{0, ModCell{428, 1, 0, 0}},
                                {1, ModCell{214, 0, 0xC, 0x20}},
                                {2, ModCell{856, 0, 0, 0}},
                                {3, ModCell{0, 1, 0xC, 0x10}}});
  Channel0 t(writer);
  t.engine.step();
  t.engine.channel(0).position = 500.0;
  runTicks(t.engine, 6);  // row 1: note and C, no sample
  EXPECT_EQ(t.ch().position, 500.0) << "pitch changes, sample plays on";
  EXPECT_EQ(t.ch().period, playedPeriod(214));
  EXPECT_EQ(t.ch().volume, 32);
  runTicks(t.engine, 6);  // row 2: note alone, effect 0
  EXPECT_EQ(t.ch().position, 0.0);
  t.engine.channel(0).position = 77.0;
  runTicks(t.engine, 6);  // row 3: sample alone restarts at its volume, then C
  EXPECT_EQ(t.ch().position, 0.0);
  EXPECT_EQ(t.ch().volume, 16);
  EXPECT_EQ(t.ch().period, playedPeriod(856)) << "no note: period stays";
}

TEST(SequencerEffects, Arpeggio) {
  Channel0 t(withCells({{0, ModCell{856, 1, 0x0, 0x37}}}));
  t.engine.step();
  const int note = 103;
  const double expected[] = {frequencyOf(periodAt(note + 24)), frequencyOf(periodAt(note + 56)),
                             frequencyOf(periodAt(note)),      frequencyOf(periodAt(note + 24)),
                             frequencyOf(periodAt(note + 56))};
  for (int tick = 1; tick <= 5; ++tick) {
    t.engine.step();
    EXPECT_DOUBLE_EQ(t.ch().frequency, expected[tick - 1]) << "tick " << tick;
    EXPECT_EQ(t.ch().period, periodAt(note)) << "tick " << tick;
  }
}

TEST(SequencerEffects, SlidesUpAndDown) {
  Channel0 t(withCells({{0, ModCell{113, 1, 0x1, 0x20}}, {1, ModCell{113, 1, 0x2, 0x30}}}));
  const int start = playedPeriod(113);
  t.engine.step();
  t.engine.step();
  EXPECT_EQ(t.ch().period, std::max(start - 0x20, 54));
  runTicks(t.engine, 4);
  EXPECT_EQ(t.ch().period, 54) << "slide up stops at 54";
  EXPECT_DOUBLE_EQ(t.ch().frequency, frequencyOf(54));
  runTicks(t.engine, 6);
  EXPECT_EQ(t.ch().period, start + 5 * 0x30);
  EXPECT_DOUBLE_EQ(t.ch().frequency, frequencyOf(start + 5 * 0x30));
}

TEST(SequencerEffects, VolumeSlideA) {
  const struct {
    int param, want;
  } cases[] = {{0x04, 12}, {0x40, 52}, {0x42, 42}, {0x0F, 0}, {0xF0, 64}, {0x24, 22}};
  for (const auto& c : cases) {
    Channel0 t(withCells({{0, ModCell{428, 1, 0xA, c.param}}}, 32));
    runTicks(t.engine, 6);
    EXPECT_EQ(t.ch().volume, c.want) << "A" << std::hex << c.param;
    EXPECT_EQ(t.ch().effectiveVolume, c.want) << "A" << std::hex << c.param;
  }
}

TEST(SequencerEffects, TonePortamentoSlidesToTheNoteWithoutRestarting) {
  Channel0 t(withCells({{0, ModCell{428, 1, 0, 0}}, {1, ModCell{856, 0, 0x3, 0x10}}, {2, ModCell{0, 0, 0x3, 0}},
                        {3, ModCell{214, 1, 0x5, 0x02}}}));
  const int from = playedPeriod(428);
  const int target = playedPeriod(856);
  t.engine.step();
  runTicks(t.engine, 5);
  t.engine.channel(0).position = 300.0;
  t.engine.step();  // row 1
  EXPECT_EQ(t.ch().period, from) << "the note only sets the target";
  EXPECT_EQ(t.ch().portaTarget, target);
  EXPECT_EQ(t.ch().portaSpeed, 16);
  for (int tick = 1; tick <= 5; ++tick) {
    t.engine.step();
    EXPECT_EQ(t.ch().period, std::min(from + 16 * tick, target)) << "tick " << tick;
  }
  EXPECT_EQ(t.ch().position, 300.0);
  runTicks(t.engine, 6);  // row 2: 300 keeps speed 16
  EXPECT_EQ(t.ch().period, std::min(from + 160, target));
  runTicks(t.engine, 6);  // row 3: 5 with a sample: volume reset, no restart, speed kept, slide down 2/tick... up
  EXPECT_EQ(t.ch().portaTarget, playedPeriod(214));
  EXPECT_EQ(t.ch().portaSpeed, 16);
  EXPECT_EQ(t.ch().position, 300.0);
  EXPECT_EQ(t.ch().period, std::max(std::min(from + 160, target) - 16 * 5, playedPeriod(214)));
  EXPECT_EQ(t.ch().volume, 64 - 2 * 5);
}

TEST(SequencerEffects, VibratoIsClearedByANewNote) {
  Channel0 t(withCells({{0, ModCell{428, 1, 0x4, 0x48}}, {1, ModCell{428, 1, 0x6, 0x00}}, {2, ModCell{0, 0, 0x4, 0}}}));
  const int period = playedPeriod(428);
  t.engine.step();
  EXPECT_EQ(t.ch().vibratoSpeed, 4);
  EXPECT_EQ(t.ch().vibratoDepth, 8);
  const int wantDelta[] = {0, (97 * 8) >> 7, (180 * 8) >> 7, (235 * 8) >> 7, (255 * 8) >> 7};
  for (int tick = 1; tick <= 5; ++tick) {
    t.engine.step();
    EXPECT_DOUBLE_EQ(t.ch().frequency, frequencyOf(period + wantDelta[tick - 1])) << "tick " << tick;
    EXPECT_EQ(t.ch().period, period);
  }
  EXPECT_EQ(t.ch().wavePos, 20);
  for (int tick = 0; tick <= 5; ++tick) {  // row 1: new note with 6: no vibrato
    t.engine.step();
    EXPECT_DOUBLE_EQ(t.ch().frequency, frequencyOf(period)) << "tick " << tick;
  }
  EXPECT_EQ(t.ch().vibratoDepth, 0);
  t.engine.step();  // row 2: 400 keeps the (cleared) depth
  t.engine.step();
  t.engine.step();
  EXPECT_DOUBLE_EQ(t.ch().frequency, frequencyOf(period));
}

TEST(SequencerEffects, VibratoWrapsAndSwingsNegative) {
  Channel0 t(withCells({{0, ModCell{428, 1, 0x4, 0xF7}}}));
  const int period = playedPeriod(428);
  t.engine.step();
  int wavePos = 0;
  for (int tick = 1; tick <= 5; ++tick) {
    t.engine.step();
    EXPECT_DOUBLE_EQ(t.ch().frequency, frequencyOf(period + ((waveTable[wavePos] * 7) >> 7))) << "tick " << tick;
    wavePos += 15;
    if (wavePos > 63) wavePos -= 64;
    EXPECT_EQ(t.ch().wavePos, wavePos) << "tick " << tick;
  }
}

TEST(SequencerEffects, TremoloChangesOnlyTheEffectiveVolume) {
  Channel0 t(withCells({{0, ModCell{428, 1, 0x7, 0x48}}}, 32));
  t.engine.step();
  const int want[] = {32, 32 + ((97 * 8) >> 6), 32 + ((180 * 8) >> 6), 32 + ((235 * 8) >> 6), 32 + ((255 * 8) >> 6)};
  for (int tick = 1; tick <= 5; ++tick) {
    t.engine.step();
    EXPECT_EQ(t.ch().effectiveVolume, std::min(want[tick - 1], 64)) << "tick " << tick;
    EXPECT_EQ(t.ch().volume, 32);
  }
}

TEST(SequencerEffects, SampleOffset) {
  ModWriter writer = withCells({{0, ModCell{428, 1, 0x9, 0x10}}, {1, ModCell{0, 0, 0x9, 0xFF}}});
  Channel0 t(writer);
  t.engine.step();
  EXPECT_EQ(t.ch().position, 4096.0);
  runTicks(t.engine, 6);
  EXPECT_EQ(t.ch().position, 0xFF * 256.0) << "even without a note";
}

TEST(SequencerEffects, FineSlidesAndFineVolume) {
  Channel0 t(withCells({{0, ModCell{428, 1, 0xE, 0x13}},
                        {1, ModCell{0, 0, 0xE, 0x2A}},
                        {2, ModCell{0, 0, 0xE, 0xA5}},
                        {3, ModCell{0, 0, 0xE, 0xAF}},
                        {4, ModCell{0, 0, 0xE, 0xB7}}},
                       40));
  const int period = playedPeriod(428);
  t.engine.step();
  EXPECT_EQ(t.ch().period, period - 3);
  EXPECT_DOUBLE_EQ(t.ch().frequency, frequencyOf(period - 3));
  runTicks(t.engine, 5);
  EXPECT_EQ(t.ch().period, period - 3) << "row part only";
  runTicks(t.engine, 6);
  EXPECT_EQ(t.ch().period, period - 3 + 10);
  runTicks(t.engine, 6);
  EXPECT_EQ(t.ch().volume, 45);
  runTicks(t.engine, 6);
  EXPECT_EQ(t.ch().volume, 60);
  runTicks(t.engine, 6);
  EXPECT_EQ(t.ch().volume, 53);
  EXPECT_EQ(t.ch().effectiveVolume, 53);
}

TEST(SequencerEffects, FineSlideHasNoLowerBoundAndKeepsTheFrequency) {
  ModWriter writer = basicWriter();
  writer.setCell(0, 0, 0, ModCell{113, 1, 0, 0});
  for (int r = 1; r < 20; ++r) writer.setCell(0, r, 0, ModCell{0, 0, 0xE, 0x1F});
  Channel0 t(writer);
  t.engine.step();
  const int start = t.ch().period;
  double lastGood = 0;
  for (int r = 1; r < 20; ++r) {
    runTicks(t.engine, 6);
    if (t.ch().period > 0) lastGood = frequencyOf(t.ch().period);
    EXPECT_EQ(t.ch().period, start - 15 * r) << "row " << r;
    EXPECT_DOUBLE_EQ(t.ch().frequency, lastGood) << "row " << r;
  }
}

TEST(SequencerEffects, NoteCut) {
  const struct {
    int lo, cutTick;
  } cases[] = {{0, 1}, {1, 1}, {3, 3}, {5, 5}, {6, -1}};
  for (const auto& c : cases) {
    Channel0 t(withCells({{0, ModCell{428, 1, 0xE, 0xC0 | c.lo}}}, 48));
    t.engine.step();
    for (int tick = 1; tick <= 5; ++tick) {
      t.engine.step();
      const bool cut = c.cutTick >= 0 && tick >= c.cutTick;
      EXPECT_EQ(t.ch().volume, cut ? 0 : 48) << "EC" << c.lo << " tick " << tick;
      EXPECT_EQ(t.ch().effectiveVolume, cut ? 0 : 48) << "EC" << c.lo << " tick " << tick;
    }
  }
}

TEST(SequencerEffects, NoteDelayCountsDownAndEveryRowClearsIt) {
  Channel0 t(withCells({{0, ModCell{428, 1, 0xE, 0xD2}}, {1, ModCell{0, 0, 0, 0}}}));
  t.engine.step();
  EXPECT_EQ(t.ch().noteDelay, 2);
  t.engine.step();
  EXPECT_EQ(t.ch().noteDelay, 1);
  t.engine.step();
  EXPECT_EQ(t.ch().noteDelay, 0);
  t.engine.step();
  EXPECT_EQ(t.ch().noteDelay, -1);
  runTicks(t.engine, 3);
  EXPECT_EQ(t.ch().noteDelay, 0) << "the next row";
}

TEST(SequencerEffects, Retrigger) {
  const struct {
    int lo;
    std::vector<int> ticks;
  } cases[] = {{0, {}}, {3, {3}}, {1, {1, 2, 3, 4, 5}}, {2, {2, 4}}, {7, {}}};
  for (const auto& c : cases) {
    Channel0 t(withCells({{0, ModCell{428, 1, 0xE, 0x90 | c.lo}}}));
    t.engine.step();
    std::vector<int> restarted;
    for (int tick = 1; tick <= 5; ++tick) {
      t.engine.channel(0).position = 100.0;
      t.engine.step();
      if (t.ch().position == 0.0) restarted.push_back(tick);
    }
    EXPECT_EQ(restarted, c.ticks) << "E9" << c.lo;
  }
}

TEST(SequencerEffects, SetVolumeIsClamped) {
  Channel0 t(withCells({{0, ModCell{428, 1, 0xC, 0x30}}, {1, ModCell{0, 0, 0xC, 0x90}}}));
  t.engine.step();
  EXPECT_EQ(t.ch().volume, 0x30);
  runTicks(t.engine, 6);
  EXPECT_EQ(t.ch().volume, 64);
}

// A per-tick state trace of one channel: order, row, tick, period,
// frequency (rounded), volume, effective volume.
std::string trace(ModEngine& engine, int ticks) {
  std::ostringstream out;
  for (int i = 0; i < ticks; ++i) {
    engine.step();
    const ChannelState& ch = engine.channel(0);
    out << engine.playingOrder() << ':' << engine.playingRow() << '.' << (engine.tick() + engine.speed() - 1) % std::max(engine.speed(), 1)
        << " p" << ch.period << " f" << static_cast<int>(ch.frequency) << " v" << ch.volume << '/'
        << ch.effectiveVolume << '\n';
  }
  return out.str();
}

TEST(SequencerTrace, SlideThenTremoloThenCut) {
  ModWriter writer = basicWriter();
  writer.setCell(0, 0, 0, ModCell{428, 1, 0xF, 3});  // speed 3
  writer.setCell(0, 1, 0, ModCell{0, 0, 0x1, 0x08});
  writer.setCell(0, 2, 0, ModCell{0, 0, 0x7, 0x88});
  writer.setCell(0, 3, 0, ModCell{0, 0, 0xE, 0xC1});
  ModEngine engine;
  loadInto(engine, writer);
  const std::string expected =
      "0:0.0 p431 f8305 v64/64\n"
      "0:0.1 p431 f8305 v64/64\n"
      "0:0.2 p431 f8305 v64/64\n"
      "0:1.0 p431 f8305 v64/64\n"
      "0:1.1 p423 f8462 v64/64\n"
      "0:1.2 p415 f8625 v64/64\n"
      "0:2.0 p415 f8625 v64/64\n"
      "0:2.1 p415 f8625 v64/64\n"   // wave 0
      "0:2.2 p415 f8625 v64/64\n"   // wave[8] = 180: 64 + 22, clamped
      "0:3.0 p415 f8625 v64/64\n"
      "0:3.1 p415 f8625 v0/0\n"
      "0:3.2 p415 f8625 v0/0\n";
  EXPECT_EQ(trace(engine, 12), expected);
}

}  // namespace
}  // namespace wf
