// The module composer's score reader: good scores read back through the
// engine's own loader cell by cell, every malformed line is named by file
// and line, and no input crashes it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "modcompose/ScoreCompiler.h"
#include "music/ModEngine.h"
#include "music/ModuleLoader.h"
#include "music/ModuleInfo.h"
#include "music/Tables.h"
#include "support/TempDir.h"

namespace wf {
namespace {

const char* const kInstruments =
    "instrument 01 kick kick\n"
    "instrument 02 bass bass volume=40\n"
    "instrument 03 lead lead detune=0 volume=50\n";

// A module read back by the engine's loader.
Module loadBack(const ScoreResult& result) {
  Module module;
  loadModuleData(result.bytes.data(), result.bytes.size(), module);
  return module;
}

int noteOf(int semitone) { return 8 + 8 * semitone; }

TEST(ScoreCompiler, SmallScoreReadsBackThroughTheEngineLoader) {
  const std::string score = std::string("title Test Song ; a comment\n") + kInstruments +
                            "pattern 00\n"
                            "00 | C-3 01 ... | C-1 02 C20 | F#2 03 ... |            \n"
                            "04 | --- .. ... | --- .. A04 | G-2 .. 305 | --- .. ...\n"
                            "63 | ... .. D00 |            | c#3 03 4a4 |\n"
                            "pattern 01\n"
                            "00 | C-3 01 ... |            |            | B-3 03 0E1\n"
                            "order 00 01 00\n";
  const ScoreResult result = compileScore(score, "test.score");
  ASSERT_TRUE(result.ok()) << result.errors.front();
  const Module m = loadBack(result);
  EXPECT_EQ(m.title, "Test Song");
  EXPECT_EQ(m.sampleCount, 31);
  EXPECT_EQ(m.songLength, 3);
  EXPECT_EQ(m.patternCount, 2);
  EXPECT_EQ(m.orders[0], 0);
  EXPECT_EQ(m.orders[1], 1);
  EXPECT_EQ(m.orders[2], 0);
  EXPECT_EQ(m.samples[1].name, "kick");
  EXPECT_EQ(m.samples[2].volume, 40);
  EXPECT_EQ(m.samples[3].volume, 50);
  EXPECT_EQ(m.samples[1].volume, 64) << "default volume";
  EXPECT_EQ(m.samples[4].length, 0) << "undefined instruments are empty";

  struct Expect {
    int pattern, row, channel, sample, note, effect, param;
  };
  const Expect cells[] = {
      {0, 0, 0, 1, noteOf(36), 0, 0},     {0, 0, 1, 2, noteOf(12), 0xC, 0x20}, {0, 0, 2, 3, noteOf(30), 0, 0},
      {0, 0, 3, 0, -1, 0, 0},             {0, 4, 0, 0, -1, 0, 0},              {0, 4, 1, 0, -1, 0xA, 0x04},
      {0, 4, 2, 0, noteOf(31), 3, 5},     {0, 63, 0, 0, -1, 0xD, 0},           {0, 63, 2, 3, noteOf(37), 4, 0xA4},
      {0, 10, 2, 0, -1, 0, 0},            {1, 0, 3, 3, noteOf(47), 0, 0xE1},   {1, 0, 0, 1, noteOf(36), 0, 0},
  };
  for (const Expect& e : cells) {
    const PatternCell& c = m.cell(e.pattern, e.row, e.channel);
    const std::string where = "pattern " + std::to_string(e.pattern) + " row " + std::to_string(e.row) +
                              " channel " + std::to_string(e.channel + 1);
    EXPECT_EQ(c.sample, e.sample) << where;
    EXPECT_EQ(c.noteIndex, e.note) << where;
    EXPECT_EQ(c.effect, e.effect) << where;
    EXPECT_EQ(c.param, e.param) << where;
  }
}

TEST(ScoreCompiler, EveryNoteReadsBackAsItself) {
  // C-0 .. B-3: every note reads back exactly, from a period at most one
  // away from the table's.
  for (int semitone = 0; semitone < 48; ++semitone) {
    const int period = periodForSemitone(semitone);
    EXPECT_EQ(noteIndexForPeriod(period), noteOf(semitone)) << "semitone " << semitone << " period " << period;
    EXPECT_LE(std::abs(period - periodAt(noteOf(semitone))), 1) << "semitone " << semitone;
  }
  // Octave 4: periods are too coarse for some notes; those stay within one
  // fine step (an eighth of a semitone).
  int inexact = 0;
  for (int semitone = 48; semitone < 60; ++semitone) {
    const int index = noteIndexForPeriod(periodForSemitone(semitone));
    EXPECT_LE(std::abs(index - noteOf(semitone)), 1) << "semitone " << semitone;
    inexact += index != noteOf(semitone);
  }
  EXPECT_EQ(inexact, 7) << "C-4 C#4 D#4 E-4 F#4 A-4 B-4";
  EXPECT_EQ(periodForSemitone(0), 1712) << "1712 reads back as itself";
  EXPECT_EQ(periodForSemitone(12), 855) << "856 would read back one fine step flat";
  EXPECT_EQ(periodForSemitone(24), 427) << "428 would read back one fine step flat";
}

TEST(ScoreCompiler, HeaderTimingGoesIntoTheLastFreeColumnOfTheFirstPatternPlayed) {
  const std::string score = std::string(kInstruments) +
                            "speed 5\ntempo 140\n"
                            "pattern 03\n00 | C-3 01 ... |            |            | C-2 02 C10\n"
                            "pattern 00\n00 | C-3 01 ... |\n"  // error: too few cells
                            ;
  // (the malformed row above is checked elsewhere; here a clean variant)
  const std::string clean = std::string(kInstruments) +
                            "speed 5\ntempo 140\n"
                            "pattern 03\n00 | C-3 01 ... |            |            | C-2 02 C10\n"
                            "pattern 00\n00 | C-3 01 ... |            |            |\n"
                            "order 03 00\n";
  const ScoreResult result = compileScore(clean, "t.score");
  ASSERT_TRUE(result.ok()) << result.errors.front();
  const Module m = loadBack(result);
  EXPECT_EQ(m.cell(3, 0, 3).effect, 0xC) << "channel 4 is busy";
  EXPECT_EQ(m.cell(3, 0, 2).effect, 0xF);
  EXPECT_EQ(m.cell(3, 0, 2).param, 5) << "speed first";
  EXPECT_EQ(m.cell(3, 0, 1).effect, 0xF);
  EXPECT_EQ(m.cell(3, 0, 1).param, 140);
  EXPECT_EQ(m.cell(0, 0, 3).effect, 0) << "only the first pattern played gets the timing";
  EXPECT_FALSE(compileScore(score, "t.score").ok());

  ModEngine engine;
  engine.load(result.bytes.data(), result.bytes.size());
  engine.step();
  EXPECT_EQ(engine.speed(), 5);
  EXPECT_EQ(engine.tempo(), 140);
}

TEST(ScoreCompiler, HeaderTimingAlreadyInTheRowIsKeptOnce) {
  const std::string same = std::string(kInstruments) + "speed 4\npattern 00\n00 | --- .. F04 | | |\norder 00\n";
  const ScoreResult ok = compileScore(same, "t.score");
  ASSERT_TRUE(ok.ok()) << ok.errors.front();
  const Module m = loadBack(ok);
  EXPECT_EQ(m.cell(0, 0, 0).param, 4);
  EXPECT_EQ(m.cell(0, 0, 3).effect, 0) << "no second F04";

  const std::string clash = std::string(kInstruments) + "speed 4\npattern 00\n00 | --- .. F03 | | |\norder 00\n";
  const ScoreResult bad = compileScore(clash, "t.score");
  ASSERT_EQ(bad.errors.size(), 1u);
  EXPECT_EQ(bad.errors[0], "t.score:4: row 00 of pattern 00 sets the speed to F03 against the header's F04; keep one of them");

  const std::string full = std::string(kInstruments) +
                           "tempo 130\npattern 00\n00 | --- .. C10 | --- .. C10 | --- .. C10 | --- .. C10\norder 00\n";
  const ScoreResult none = compileScore(full, "t.score");
  ASSERT_EQ(none.errors.size(), 1u);
  EXPECT_EQ(none.errors[0], "t.score:4: no free effect column in row 00 of pattern 00 for the tempo (F82)");
}

TEST(ScoreCompiler, TracksCopiesBlankAndClearedCells) {
  const std::string score = std::string(kInstruments) +
                            "track beat\n00 C-3 01 ...\n08 C-3 01 C20\n16\n"
                            "pattern 00\n"
                            "00 | | C-1 02 ... | | \n"
                            "08 | | --- .. A01 | | \n"
                            "pattern 01\n"
                            "copy 00\n"
                            "use 1 beat\n"
                            "08 | --- .. ... | | D-2 03 ... | \n"   // clears channel 1, row 8
                            "10 |            | ... .. ... | | \n"   // clears nothing there: already empty
                            "pattern 02\n"
                            "use 2 beat 03\n"
                            "order 00 01 02\n";
  const ScoreResult result = compileScore(score, "t.score");
  ASSERT_TRUE(result.ok()) << result.errors.front();
  const Module m = loadBack(result);
  EXPECT_EQ(m.cell(1, 0, 0).sample, 1) << "from the track";
  EXPECT_EQ(m.cell(1, 0, 1).sample, 2) << "from the copy";
  EXPECT_EQ(m.cell(1, 8, 1).effect, 0xA) << "a blank cell keeps the copied one";
  EXPECT_EQ(m.cell(1, 8, 0).sample, 0) << "an explicit empty cell clears the track's";
  EXPECT_EQ(m.cell(1, 8, 0).noteIndex, -1);
  EXPECT_EQ(m.cell(1, 8, 2).sample, 3);
  EXPECT_EQ(m.cell(0, 0, 0).sample, 0) << "pattern 00 itself is untouched";
  EXPECT_EQ(m.cell(2, 0, 1).sample, 3) << "the track played by instrument 03";
  EXPECT_EQ(m.cell(2, 8, 1).sample, 3);
  EXPECT_EQ(m.cell(2, 8, 1).effect, 0xC) << "notes and effects stay";
  EXPECT_EQ(m.cell(2, 8, 1).param, 0x20);
  EXPECT_EQ(m.cell(2, 8, 1).noteIndex, noteOf(36));
  EXPECT_EQ(m.cell(2, 16, 1).sample, 0) << "empty cells stay empty";

  const ScoreResult undefined = compileScore("track t\n00 C-1 01 ...\npattern 00\nuse 1 t 09\norder 00\n", "u");
  ASSERT_EQ(undefined.errors.size(), 2u);
  EXPECT_EQ(undefined.errors[1], "u:4: sample 09 is used but no instrument 09 is defined");
}

TEST(ScoreCompiler, ByteOrderMarkWindowsLineEndsAndSharpsAreFine) {
  const std::string score = std::string("\xEF\xBB\xBFinstrument 01 lead lead\r\n") +
                            "pattern 00\r\n00 | C#2 01 ... | D#2 01 ... | F#2 01 ... | A#2 01 ...\r\norder 00\r\n";
  const ScoreResult result = compileScore(score, "t.score");
  ASSERT_TRUE(result.ok()) << result.errors.front();
  const Module m = loadBack(result);
  EXPECT_EQ(m.cell(0, 0, 0).noteIndex, noteOf(25));
  EXPECT_EQ(m.cell(0, 0, 3).noteIndex, noteOf(34));
}

struct BadLine {
  const char* line;     // appended after a good preamble, as line 5
  const char* message;  // the whole text after "bad.score:5: "
};

// Preamble: 3 instruments (lines 1-3) and "pattern 00" (line 4); the bad
// line is line 5; an order list follows.
const BadLine kBadLines[] = {
    {"play loud", "unknown directive 'play' (expected title, speed, tempo, instrument, track, pattern, copy, use, order or a row)"},
    {"00 | H-2 01 ... | | |", "channel 1: 'H-2' is not a note (C-2, F#3, ... or --- for none)"},
    {"00 | | E#2 01 ... | |", "channel 2: there is no 'E#2'; write F-2"},
    {"00 | | B#2 01 ... | |", "channel 2: there is no 'B#2'; write C-3"},
    {"00 | | | C-5 01 ... |", "channel 3: 'C-5' is above the period table (notes run from C-0 to B-4)"},
    {"00 | C-2 32 ... | | |", "channel 1: '32' is not a sample number (01..31, or .. for none)"},
    {"00 | C-2 1 ... | | |", "channel 1: '1' is not a sample number (01..31, or .. for none)"},
    {"00 | C-2 01 G00 | | |", "channel 1: 'G00' is not an effect (three hex digits like A04, or ... for none)"},
    {"00 | C-2 01 A4 | | |", "channel 1: 'A4' is not an effect (three hex digits like A04, or ... for none)"},
    {"00 | C-2 01 800 | | |", "channel 1: '800': effect 8 does nothing in this player"},
    {"00 | C-2 01 E62 | | |", "channel 1: 'E62': E6x (pattern loop) is not played by this player"},
    {"00 | C-2 01 EE2 | | |", "channel 1: 'EE2': EEx (pattern delay) is not played by this player"},
    {"00 | C-2 01 E31 | | |", "channel 1: 'E31': E3x is not played by this player (it plays E1 E2 E9 EA EB EC ED)"},
    {"00 | C-2 01 A12 | | |",
     "channel 1: 'A12': a volume slide with both digits set slides by x - y here but by x alone in other players; give one digit"},
    {"00 | C-2 01 C41 | | |", "channel 1: 'C41': volume above 64 (C40 is the loudest)"},
    {"00 | C-2 01 D64 | | |", "channel 1: 'D64': the pattern break row is written in decimal digits 00..63"},
    {"00 | C-2 01 D0A | | |", "channel 1: 'D0A': the pattern break row is written in decimal digits 00..63"},
    {"00 | C-2 01 F00 | | |", "channel 1: 'F00': F00 stops other players; speed is F01..F1F, tempo F20..FFF"},
    {"00 | C-2 01 | | |", "channel 1: a cell is NOTE SAMPLE EFFECT (e.g. 'C-3 01 A04' or '--- .. ...') or blank, not 'C-2 01'"},
    {"00 | C-2 01 ... 7 | | |",
     "channel 1: a cell is NOTE SAMPLE EFFECT (e.g. 'C-3 01 A04' or '--- .. ...') or blank, not 'C-2 01 ... 7'"},
    {"00 | | |", "a pattern row is 'RR | cell | cell | cell | cell' with 4 cells; found 3"},
    {"00 | | | | | |", "a pattern row is 'RR | cell | cell | cell | cell' with 4 cells; found 6"},
    {"64 | | | |", "row number '64' is not 00..63"},
    {"0x | | | |", "row number '0x' is not 00..63"},
    {"007 | | | |", "row number '007' is not 00..63"},
    {"00 | C-3 04 ... | | |", "sample 04 is used but no instrument 04 is defined"},
    {"00 | C-3 01 B05 | | |", "B05 jumps beyond the order list (1 entries)"},
    {"instrument 00 x kick", "instrument number '00' is not 01..31"},
    {"instrument 32 x kick", "instrument number '32' is not 01..31"},
    {"instrument 01 x kick", "instrument 01 is defined twice (first on line 1)"},
    {"instrument 04 x", "instrument wants a number, a name and a kind, e.g. 'instrument 01 kick kick decay=0.3'"},
    {"instrument 04 x gong", "unknown instrument kind 'gong' (known: kick, snare, hat, bass, lead, pad, bell, noise)"},
    {"instrument 04 abcdefghijklmnopqrstuvw hat", "the instrument name 'abcdefghijklmnopqrstuvw' is longer than 22 characters"},
    {"instrument 04 x hat boom=1", "kind 'hat' has no option 'boom' (options: volume, decay, seed, gain)"},
    {"instrument 04 x hat decay", "option 'decay' is not written as name=value"},
    {"instrument 04 x hat decay=2", "option 'decay' of kind 'hat' wants a number from 0.01 to 1.5, not '2'"},
    {"instrument 04 x hat decay=.", "option 'decay' of kind 'hat' wants a number from 0.01 to 1.5, not '.'"},
    {"instrument 04 x hat decay=0.1s", "option 'decay' of kind 'hat' wants a number from 0.01 to 1.5, not '0.1s'"},
    {"instrument 04 x hat decay=0.1 decay=0.2", "option 'decay' is given twice"},
    {"instrument 04 x hat volume=65", "volume wants a whole number from 0 to 64, not '65'"},
    {"instrument 04 x lead detune=1.5", "option 'detune' of kind 'lead' wants a whole number from 0 to 3, not '1.5'"},
    {"instrument 04 x lead cycle=33", "option 'cycle' wants an even number of bytes, not '33'"},
    {"instrument 04 x pad chord=ninth",
     "option 'chord' wants one of single, fifth, major, minor, sus2, sus4, maj7, min7, not 'ninth'"},
    {"title abcdefghijklmnopqrstu", "the title has 21 characters; a module title holds 20"},
    {"speed 0", "speed wants one whole number from 1 to 31 (ticks per row)"},
    {"speed 32", "speed wants one whole number from 1 to 31 (ticks per row)"},
    {"tempo 31", "tempo wants one whole number from 32 to 255 (beats per minute)"},
    {"tempo", "tempo wants one whole number from 32 to 255 (beats per minute)"},
    {"pattern 64", "pattern number '64' is not 00..63"},
    {"pattern 00", "pattern 00 is defined twice (first on line 4)"},
    {"pattern", "pattern wants one number, e.g. 'pattern 03'"},
    {"copy 05", "pattern 05 is not defined before this line"},
    {"copy 00", "pattern 00 is not defined before this line"},
    {"use 5 beat", "use wants a channel 1..4, a track name and maybe a sample number, e.g. 'use 1 groove' or 'use 3 tune 07'"},
    {"use 1", "use wants a channel 1..4, a track name and maybe a sample number, e.g. 'use 1 groove' or 'use 3 tune 07'"},
    {"use 1 beat 1", "use: '1' is not a sample number (01..31)"},
    {"use 1 beat 32", "use: '32' is not a sample number (01..31)"},
    {"use 1 beat", "track 'beat' is not defined before this line"},
    {"order 07", "the order list names pattern 07, which is not defined"},
    {"order xx", "pattern number 'xx' is not 00..63"},
};

TEST(ScoreCompiler, EveryMalformedLineIsNamedByFileAndLine) {
  const std::string preamble = std::string(kInstruments) + "pattern 00\n";
  for (const BadLine& bad : kBadLines) {
    const std::string score = preamble + bad.line + "\norder 00\n";
    const ScoreResult result = compileScore(score, "bad.score");
    ASSERT_EQ(result.errors.size(), 1u) << bad.line << (result.errors.empty() ? "" : ": " + result.errors[0]);
    EXPECT_EQ(result.errors[0], std::string("bad.score:5: ") + bad.message) << bad.line;
    EXPECT_TRUE(result.bytes.empty()) << bad.line << ": nothing is built from a bad score";
  }
}

TEST(ScoreCompiler, LinesOutsideTheirPlace) {
  struct Case {
    const char* score;
    const char* error;
  };
  const Case cases[] = {
      {"00 | | | |\norder 00\n", "s:1: a row outside a pattern or track (start one with 'pattern NN' or 'track NAME')"},
      {"copy 00\n", "s:1: copy belongs inside a pattern"},
      {"use 1 x\n", "s:1: use belongs inside a pattern"},
      {"pattern 00\norder 00\n00 | | | |\n", "s:3: a row outside a pattern or track (start one with 'pattern NN' or 'track NAME')"},
      {"pattern 00\n\n\n", "s:4: the score has no order list (add e.g. 'order 00')"},
      {"track a\n00 C-1 01 ... 5\npattern 00\norder 00\n",
       "s:2: the track: a cell is NOTE SAMPLE EFFECT (e.g. 'C-3 01 A04' or '--- .. ...') or blank, not 'C-1 01 ... 5'"},
      {"track a\ntrack A\n", "s:2: track 'A' is defined twice"},
      {"track a\n03\n03 C-1 .. ...\npattern 00\norder 00\n", "s:3: row 03 is given twice (first on line 2)"},
      {"title a\ntitle b\npattern 00\norder 00\n", "s:2: a second title (the first is on line 1)"},
      {"title Grüße\npattern 00\norder 00\n", "s:1: the title may hold plain ASCII characters only"},
  };
  for (const Case& c : cases) {
    const ScoreResult result = compileScore(c.score, "s");
    ASSERT_FALSE(result.errors.empty()) << c.score;
    EXPECT_EQ(result.errors[0], c.error) << c.score;
  }
}

TEST(ScoreCompiler, RowsOfABrokenPatternOrTrackAreNotReportedAgain) {
  const std::string score = std::string(kInstruments) +
                            "pattern 00\n00 | C-3 01 ... | | |\n"
                            "pattern 00\n00 | C-3 01 ... | | |\n01 | | | |\nuse 1 x\ncopy 01\n"
                            "track\n00 C-3 01 ...\n"
                            "pattern 01\n00 | X-3 01 ... | | |\n"
                            "order 00 01\n";
  const ScoreResult result = compileScore(score, "b");
  ASSERT_EQ(result.errors.size(), 3u);
  EXPECT_EQ(result.errors[0], "b:6: pattern 00 is defined twice (first on line 4)");
  EXPECT_EQ(result.errors[1], "b:11: track wants one name, e.g. 'track groove'");
  EXPECT_EQ(result.errors[2].rfind("b:14: channel 1: 'X-3'", 0), 0u) << result.errors[2];
}

TEST(ScoreCompiler, TrackCountIsBounded) {
  std::string score;
  for (int i = 0; i <= 1024; ++i) score += "track t" + std::to_string(i) + "\n";
  const ScoreResult result = compileScore(score + "pattern 00\norder 00\n", "t");
  ASSERT_EQ(result.errors.size(), 1u);
  EXPECT_EQ(result.errors[0], "t:1025: a score holds at most 1024 tracks");
}

TEST(ScoreCompiler, ManyErrorsAreAllReportedInLineOrderUpToALimit) {
  std::string score = "pattern 00\n";
  for (int i = 0; i < 3; ++i) score += "00 | X-1 01 ... | | |\n";
  score += "order 00\n";
  const ScoreResult three = compileScore(score, "m");
  ASSERT_EQ(three.errors.size(), 3u);
  EXPECT_EQ(three.errors[0].rfind("m:2: channel 1: 'X-1'", 0), 0u) << three.errors[0];
  EXPECT_EQ(three.errors[1].rfind("m:3: ", 0), 0u) << three.errors[1];
  EXPECT_EQ(three.errors[2].rfind("m:4: ", 0), 0u) << three.errors[2];

  std::string many;
  for (int i = 0; i < 200; ++i) many += "nonsense\n";
  const ScoreResult capped = compileScore(many, "m");
  ASSERT_EQ(capped.errors.size(), static_cast<size_t>(kMaxScoreErrors) + 1);
  EXPECT_EQ(capped.errors.back(), "m:51: too many errors, giving up");
}

TEST(ScoreCompiler, OrderListHoldsAtMost128Entries) {
  std::string score = "pattern 00\norder";
  for (int i = 0; i < 129; ++i) score += " 00";
  const ScoreResult result = compileScore(score + "\n", "o");
  ASSERT_EQ(result.errors.size(), 1u);
  EXPECT_EQ(result.errors[0], "o:2: the order list holds at most 128 entries");

  std::string full = "pattern 00\n";
  for (int i = 0; i < 128; ++i) full += "order 00\n";
  const ScoreResult ok = compileScore(full, "o");
  ASSERT_TRUE(ok.ok()) << ok.errors.front();
  EXPECT_EQ(loadBack(ok).songLength, 128);
}

// Arbitrary bytes never crash the reader, and a message always has a line.
TEST(ScoreCompiler, GarbageNeverCrashes) {
  const std::string alphabet = "0123456789ABCDEF|.-#; \n\t\r\x01\xff" "patrenuscoyid=CDEFGAB";
  uint32_t state = 12345;
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int length = round * 7 % 400;
    for (int i = 0; i < length; ++i) {
      state = state * 214013u + 2531011u;
      text += alphabet[(state >> 16) % alphabet.size()];
    }
    if (round % 3 == 0) text = "pattern 00\n" + text;  // rows get read too
    const ScoreResult result = compileScore(text, "g");
    for (const std::string& e : result.errors) EXPECT_EQ(e.rfind("g:", 0), 0u) << e;
    if (result.ok()) {
      EXPECT_FALSE(result.bytes.empty());
    }
  }
  static const char kWithNul[] = "pattern 00\n00 | C-2\0 01 ... | | |\norder 00\n";
  const std::string withNul(kWithNul, sizeof kWithNul - 1);
  EXPECT_FALSE(compileScore(withNul, "g").ok());
  EXPECT_FALSE(compileScore("", "g").ok());
}

TEST(ScoreCompiler, CommandLineRun) {
  test::TempDir dir;
  const std::string good = dir.write("good.score", std::string(kInstruments) + "pattern 00\n00 | C-3 01 ... | | |\norder 00\n");
  const std::string bad = dir.write("bad.score", "pattern 00\n00 | X-3 01 ... | | |\norder 00\n");
  std::FILE* err = std::tmpfile();
  ASSERT_NE(err, nullptr);
  EXPECT_EQ(runModCompose(good, dir.file("good.mod"), err), 0);
  const std::vector<uint8_t> expected = compileScore(test::readTextFile(good), good).bytes;
  const std::string written = test::readTextFile(dir.file("good.mod"));
  EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), expected);

  EXPECT_EQ(runModCompose(bad, dir.file("bad.mod"), err), 1);
  EXPECT_TRUE(test::readTextFile(dir.file("bad.mod")).empty()) << "no module from a bad score";
  EXPECT_EQ(runModCompose(dir.file("missing.score"), dir.file("m.mod"), err), 2);
  EXPECT_EQ(runModCompose(good, dir.file("no/such/folder/x.mod"), err), 2);

  std::rewind(err);
  char text[512] = {};
  const size_t got = std::fread(text, 1, sizeof text - 1, err);
  std::fclose(err);
  const std::string messages(text, got);
  EXPECT_NE(messages.find(bad + ":2: channel 1: 'X-3' is not a note"), std::string::npos) << messages;
  EXPECT_NE(messages.find("cannot read score '" + dir.file("missing.score") + "'"), std::string::npos) << messages;
  EXPECT_NE(messages.find("cannot write module"), std::string::npos) << messages;
}

TEST(ScoreCompiler, PatternBreakShortensTheSongForTheEngine) {
  // Speed 6, tempo 125: 5292 frames a row. Pattern 00 breaks after row 31
  // into pattern 01, which plays 64 rows: 96 rows in all.
  const std::string score = std::string(kInstruments) +
                            "pattern 00\n00 | C-3 01 ... | | |\n31 | | | | --- .. D00\n"
                            "pattern 01\n00 | C-3 01 ... | | |\n"
                            "order 00 01\n";
  const ScoreResult result = compileScore(score, "d");
  ASSERT_TRUE(result.ok()) << result.errors.front();
  ModEngine engine;
  engine.load(result.bytes.data(), result.bytes.size());
  EXPECT_EQ(engine.framesUntilRepeat(44100 * 60), 96 * 5292);
  const std::string json = moduleInfoJson(engine);
  EXPECT_NE(json.find("\"effects\": [\"D\"]"), std::string::npos) << json;
}

}  // namespace
}  // namespace wf

namespace wf {
namespace {

// Frequency of the right channel (channels 2 and 3) from its rising zero
// crossings over one second, after a quarter second of settling.
double measuredPitch(const std::string& score) {
  const ScoreResult result = compileScore(score, "p");
  if (!result.ok()) return -1.0;
  ModEngine engine;
  engine.load(result.bytes.data(), result.bytes.size());
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
  std::vector<int16_t> right;
  while (right.size() < 44100 * 5 / 4) {
    engine.renderBlock(block.data(), ModEngine::kBlockBytes);
    for (int i = 0; i < ModEngine::kBlockFrames; ++i) right.push_back(block[2 * static_cast<size_t>(i) + 1]);
  }
  int crossings = 0;
  for (size_t i = 44100 / 4 + 1; i < 44100 * 5 / 4; ++i) crossings += right[i - 1] < 0 && right[i] >= 0;
  return crossings;
}

TEST(ScoreCompiler, NotesSoundAtThePitchesTheGuideGives) {
  struct Case {
    const char* instrument;
    const char* note;
    double hertz;
  };
  // A near-sine: a pad of one tone, no detune, no harmonics to speak of.
  const Case cases[] = {
      {"pad chord=single spread=0 bright=1", "C-2", 261.36},
      {"pad chord=single spread=0 bright=1", "A-2", 439.46},
      {"pad chord=single spread=0 bright=1", "C-3", 522.72},
      {"pad chord=single spread=0 bright=1 cycle=64", "A-2", 219.73},
      {"pad chord=single spread=0 bright=1 cycle=128", "D-2", 73.36},
  };
  for (const Case& c : cases) {
    const std::string score = std::string("instrument 01 tone ") + c.instrument + " attack=0\npattern 00\n00 | | " + c.note +
                              " 01 ... | |\norder 00\n";
    EXPECT_NEAR(measuredPitch(score), c.hertz, 1.5) << c.instrument << " " << c.note;
  }
}

}  // namespace
}  // namespace wf

namespace wf {
namespace {

// The example in docs/module-composer.md is a working score.
TEST(ScoreCompiler, GuideExampleCompiles) {
  const std::string guide = test::readTextFile(std::string(WF_SOURCE_DIR) + "/docs/module-composer.md");
  const size_t begin = guide.find("    ; a two-pattern loop");
  const size_t end = guide.find("    order 00 01\n", begin);
  ASSERT_NE(begin, std::string::npos);
  ASSERT_NE(end, std::string::npos);
  std::string score;
  size_t at = begin;
  while (at < end + 1) {
    const size_t eol = guide.find('\n', at);
    const std::string line = guide.substr(at, eol - at);
    score += (line.size() >= 4 ? line.substr(4) : std::string()) + "\n";
    at = eol + 1;
  }
  const ScoreResult result = compileScore(score, "guide");
  ASSERT_TRUE(result.ok()) << result.errors.front();
  const Module m = loadBack(result);
  EXPECT_EQ(m.title, "Tiny Song");
  EXPECT_EQ(m.songLength, 2);
  ModEngine engine;
  engine.load(result.bytes.data(), result.bytes.size());
  EXPECT_EQ(engine.framesUntilRepeat(44100 * 60), (64 + 32) * 5292) << "pattern 01 breaks after row 31";
}

}  // namespace
}  // namespace wf
