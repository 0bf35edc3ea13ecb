// The sequencer: song position and every effect's row and tick part, one step() a tick.
#include <gtest/gtest.h>

#include <cmath>
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

TEST(SequencerPosition, RowsAdvanceThroughOrdersAndTheSongLoopsWithAReset) {
  ModWriter writer = basicWriter();
  writer.setSong({0, 1});
  writer.setCell(0, 0, 0, ModCell{0, 0, 0xF, 3});
  writer.setCell(1, 63, 0, ModCell{0, 0, 0xF, 0x40});
  ModEngine engine;
  loadInto(engine, writer);
  engine.setPosition(1, 63);
  engine.step();
  EXPECT_EQ(std::vector<int>({engine.tempo(), engine.order(), engine.row()}), std::vector<int>({0x40, 0, 0}));
  runTicks(engine, 5);
  engine.step();  // order 0, row 0 again: resetPlayback first, then F03
  EXPECT_EQ(std::vector<int>({engine.playingOrder(), engine.tempo(), engine.speed()}), std::vector<int>({0, 125, 3}))
      << "the restart resets the tempo";
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
    int songLength, row;  // of the song {0, 1, 2}, played from order 1; B past its end goes to the last
    ModCell first, later;  // channels 1 and 3
    int wantOrder, wantRow;
  } cases[] = {
      {3, 63, {0, 0, 0xD, 0x10}, {}, 2, 10}, {3, 5, {0, 0, 0xD, 0x63}, {}, 2, 63}, {3, 5, {0, 0, 0xD, 0x64}, {}, 2, 0},
      {3, 5, {0, 0, 0xD, 0x1F}, {}, 2, 25},  {2, 7, {0, 0, 0xD, 0x05}, {}, 0, 5},  // D in the last order: the start
      {3, 9, {0, 0, 0xB, 0x00}, {}, 0, 0},   {3, 9, {0, 0, 0xB, 0x03}, {}, 2, 0},  {3, 9, {0, 0, 0xB, 0xFF}, {}, 2, 0},
      {3, 9, {0, 0, 0xB, 0x00}, {0, 0, 0xD, 0x12}, 2, 12}, {3, 9, {0, 0, 0xD, 0x12}, {0, 0, 0xB, 0x01}, 1, 0},  // a later channel wins
  };
  for (const auto& c : cases) {
    ModWriter writer = basicWriter();
    writer.setSong({0, 1, 2});
    writer.setSongLength(c.songLength);
    writer.setCell(1, c.row, 0, c.first);
    writer.setCell(1, c.row, 2, c.later);
    ModEngine engine;
    loadInto(engine, writer);
    engine.setPosition(1, c.row);
    engine.step();
    EXPECT_EQ(std::make_pair(engine.order(), engine.row()), std::make_pair(c.wantOrder, c.wantRow))
        << "case " << &c - cases << ": effect " << c.first.effect << "/" << c.first.param << " on row " << c.row;
  }
}

// Plays channel 0's cells (by row) on sample 1, the 1000-byte ramp, with the
// given volume and finetune, speed set by F in channel 2 of row 0 (0: none).
// Traces channel 0 after every tick: "order:row" where a row starts, then a
// token per tick, "=" if it repeats the last: the period; "f" and the period
// of the frequency where they differ; "v" and the volume; "/" and the
// effective volume where it differs; "@" and a sample position; "d" and a note delay.
std::string trace(int speed, int volume, int finetune, const std::vector<std::pair<int, ModCell>>& rows, int ticks) {
  ModWriter writer = basicWriter();
  writer.sample(1).volume = volume;
  writer.sample(1).finetune = finetune;
  if (speed) writer.setCell(0, 0, 1, ModCell{0, 0, 0xF, speed});
  for (const auto& r : rows) writer.setCell(0, r.first, 0, r.second);
  ModEngine engine;
  loadInto(engine, writer);
  std::ostringstream out;
  std::string last;
  for (int i = 0; i < ticks; ++i) {
    engine.step();
    const ChannelState& ch = engine.channel(0);
    if (engine.lastStepPlayedRow()) out << (i ? " | " : "") << engine.playingOrder() << ':' << engine.playingRow();
    const long heard = ch.frequency > 0 ? std::lround(kPeriodClock / ch.frequency) : 0;
    std::ostringstream token;
    token << ch.period;
    if (heard != ch.period) token << 'f' << heard;
    token << 'v' << ch.volume;
    if (ch.effectiveVolume != ch.volume) token << '/' << ch.effectiveVolume;
    if (ch.position != 0.0) token << '@' << ch.position;
    if (ch.noteDelay != 0) token << 'd' << ch.noteDelay;
    out << ' ' << (token.str() == last ? "=" : token.str());
    last = token.str();
  }
  return out.str();
}

// Periods from the table: 428 reads as note 199 (period 431), 856 as 103
// (862), 214 as 295 (216), 113 as 384 (113), 1 as 1039 (beyond the end: 54),
// 1800 as 1; finetune -8 moves them 8 entries (457, 914, 228, 120, 54, 1814).
TEST(SequencerTrace, EveryEffectTickByTick) {
  EXPECT_EQ(trace(1, 50, -8, {{0, {428, 1, 9, 0x10}}, {1, {214, 0, 0xC, 0x20}}, {2, {0, 1, 0, 0}}, {3, {0, 0, 9, 0x20}},
                              {4, {856, 0, 0, 0}}, {5, {0, 0, 0xC, 0x90}}, {6, {1, 1, 0, 0}}, {7, {1800, 1, 0, 0}}}, 8),
            "0:0 457v50@4096 | 0:1 228v32@4096 | 0:2 228v50 | 0:3 228v50@8192 | 0:4 914v50 | 0:5 914v64 | 0:6 54v50"
            " | 0:7 1814v50")
      << "which cells restart the sample; 9xx; Cxx up to 64; finetune; look-ups stay in the table";
  EXPECT_EQ(trace(1, 64, 0, {{0, {428, 1, 0, 0}}, {1, {1814, 0, 0, 0}}}, 2), "0:0 431v64 | 0:1 =")
      << "period 1814 reads as note index 0, which counts as no note";
  EXPECT_EQ(trace(6, 64, 0, {{0, {856, 1, 0, 0x37}}}, 6), "0:0 862v64 862f725v64 862f575v64 862v64 862f725v64 862f575v64")
      << "arpeggio 037: the period stays, the pitch steps";
  EXPECT_EQ(trace(4, 64, 0, {{0, {113, 1, 1, 0x20}}, {1, {113, 1, 2, 0x30}}}, 8),
            "0:0 113v64 81v64 54v64 = | 0:1 113v64 161v64 209v64 257v64")
      << "slide up stops at 54, slide down has no bound";
  EXPECT_EQ(trace(4, 32, 0, {{0, {428, 1, 0xA, 0x0F}}, {1, {0, 0, 0xA, 0x40}}, {2, {0, 0, 0xA, 0xF0}}, {3, {0, 0, 0xA, 0x42}},
                             {4, {0, 0, 0xA, 0x24}}, {5, {0, 0, 0xA, 0x30}}}, 24),
            "0:0 431v32 431v17 431v2 431v0 | 0:1 = 431v4 431v8 431v12 | 0:2 = 431v27 431v42 431v57"
            " | 0:3 = 431v59 431v61 431v63 | 0:4 = 431v61 431v59 431v57 | 0:5 = 431v60 431v63 431v64")
      << "volume slides A0F A40 AF0 A42 A24 A30 within 0..64";
  EXPECT_EQ(trace(4, 64, 0, {{0, {428, 1, 9, 0x01}}, {1, {856, 0, 3, 0x10}}, {2, {0, 0, 3, 0}}, {3, {214, 1, 5, 0x02}}}, 16),
            "0:0 431v64@256 = = = | 0:1 = 447v64@256 463v64@256 479v64@256 | 0:2 = 495v64@256 511v64@256 527v64@256"
            " | 0:3 = 511v62@256 495v60@256 479v58@256")
      << "tone portamento: 310 sets the speed, 300 keeps it, 5 with a sample keeps it and slides the volume";
  EXPECT_EQ(trace(4, 64, 0, {{0, {428, 1, 4, 0x48}}, {1, {428, 1, 6, 0}}, {2, {0, 0, 4, 0}}, {3, {0, 0, 4, 0xF7}},
                             {4, {0, 0, 4, 0}}}, 20),
            "0:0 431v64 = 431f437v64 431f442v64 | 0:1 431v64 = = = | 0:2 = = = = | 0:3 = = 431f444v64 431f433v64"
            " | 0:4 431v64 431f417v64 431f425v64 431f443v64")
      << "vibrato; a new note clears it; the wave wraps and swings below zero (shifts round down)";
  EXPECT_EQ(trace(4, 32, 0, {{0, {428, 1, 7, 0x48}}, {1, {0, 0, 7, 0xFF}}}, 8),
            "0:0 431v32 = 431v32/44 431v32/54 | 0:1 = 431v32/64 431v32/60 431v32/0")
      << "tremolo changes only the effective volume, clamped to 0..64";
  EXPECT_EQ(trace(2, 10, 0, {{0, {428, 1, 0xE, 0x13}}, {1, {0, 0, 0xE, 0x2A}}, {2, {0, 0, 0xE, 0xBF}}, {3, {0, 0, 0xC, 0x3C}},
                             {4, {0, 0, 0xE, 0xAF}}, {5, {0, 0, 0xE, 0xB7}}}, 12),
            "0:0 428v10 = | 0:1 438v10 = | 0:2 438v0 = | 0:3 438v60 = | 0:4 438v64 = | 0:5 438v57 =")
      << "fine slides and fine volume act on the row only";
  EXPECT_EQ(trace(1, 64, 0, {{0, {1, 1, 0, 0}}, {1, {0, 0, 0xE, 0x1F}}, {2, {0, 0, 0xE, 0x1F}}, {3, {0, 0, 0xE, 0x1F}},
                             {4, {0, 0, 0xE, 0x1F}}, {5, {0, 0, 0xE, 0x1F}}}, 6),
            "0:0 54v64 | 0:1 39v64 | 0:2 24v64 | 0:3 9v64 | 0:4 -6f9v64 | 0:5 -21f9v64")
      << "E1F has no lower bound; the pitch stays at the last period above 0";
  EXPECT_EQ(trace(6, 48, 0, {{0, {428, 1, 0xE, 0xC0}}, {1, {428, 1, 0xE, 0xC3}}, {2, {428, 1, 0xE, 0xC6}}}, 18),
            "0:0 431v48 431v0 = = = = | 0:1 431v48 = = 431v0 = = | 0:2 431v48 = = = = =")
      << "note cut EC0 on tick 1, EC3 on tick 3, EC6 never at speed 6";
  EXPECT_EQ(trace(4, 64, 0, {{0, {428, 1, 0xE, 0xD2}}}, 5), "0:0 431v64d2 431v64d1 431v64 431v64d-1 | 0:1 431v64")
      << "note delay counts down; the next row clears it";
  EXPECT_EQ(trace(4, 64, 0, {{0, {428, 1, 9, 1}}, {1, {0, 0, 0xE, 0x93}}, {2, {0, 0, 9, 1}}, {3, {0, 0, 0xE, 0x90}}}, 16),
            "0:0 431v64@256 = = = | 0:1 = = = 431v64 | 0:2 431v64@256 = = = | 0:3 = = = =")
      << "E93 retriggers on tick 3 only, E90 never";
}

}  // namespace
}  // namespace wf
