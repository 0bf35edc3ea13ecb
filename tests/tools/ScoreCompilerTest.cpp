// The module composer: scores read back through the engine's own loader, every
// malformed line is named by file and line, the instruments have exact bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "modcompose/SampleSynth.h"
#include "modcompose/ScoreCompiler.h"
#include "music/ModEngine.h"
#include "music/ModuleLoader.h"
#include "music/Tables.h"
#include "support/TempDir.h"

namespace wf {
namespace {

int noteOf(int semitone) { return 8 + 8 * semitone; }

struct CellWant {
  int pattern, row, channel;
  PatternCell want;  // sample, note index, effect, param
};

// Compiles the score, checks the cells the engine's loader reads back and
// returns the module file.
std::vector<uint8_t> compileAndCheck(const std::string& score, std::initializer_list<CellWant> cells) {
  const ScoreResult result = compileScore(score, "t.score");
  Module m;
  EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.errors.front());
  loadModuleData(result.bytes.data(), result.bytes.size(), m);
  for (const CellWant& c : cells) {
    const PatternCell& got = m.cell(c.pattern, c.row, c.channel);
    EXPECT_EQ(std::vector<int>({got.sample, got.noteIndex, got.effect, got.param}),
              std::vector<int>({c.want.sample, c.want.noteIndex, c.want.effect, c.want.param}))
        << "pattern " << c.pattern << " row " << c.row << " channel " << c.channel + 1;
  }
  return result.bytes;
}

// The example in docs/module-composer.md is a working score.
TEST(ScoreCompiler, GuideExampleCompiles) {
  const std::string guide = test::readTextFile(std::string(WF_SOURCE_DIR) + "/docs/module-composer.md");
  const size_t begin = guide.find("    ; a two-pattern loop"), end = guide.find("    order 00 01\n", begin);
  ASSERT_NE(end, std::string::npos);
  std::string score;
  for (size_t at = begin, eol; at <= end; at = eol + 1) {
    eol = guide.find('\n', at);
    score += guide.substr(std::min(at + 4, eol), eol - std::min(at + 4, eol)) + "\n";
  }
  const std::vector<uint8_t> bytes = compileAndCheck(score, {{1, 31, 3, {0, -1, 0xD, 0}}});
  ModEngine engine;
  engine.load(bytes.data(), bytes.size());
  EXPECT_EQ(engine.framesUntilRepeat(44100 * 60), (64 + 32) * 5292) << "two patterns, the second breaks after row 31";
}

// Byte order mark, Windows line ends, sharps, header timing beside a row's
// own, tracks played with another sample, copies, blank and cleared cells.
TEST(ScoreCompiler, TracksCopiesAndTimingReadBack) {
  const std::string score =
      "\xEF\xBB\xBFinstrument 01 lead lead\r\ninstrument 02 bass bass\r\ninstrument 03 pad pad\r\n"
      "speed 4\r\ntempo 130\r\ntrack beat\r\n00 C-3 01 ...\r\n08 C-3 01 C20\r\n16\r\n"
      "pattern 03\r\n00 | C#2 01 ... | --- .. F04 |            | A#2 01 C10\r\n"
      "pattern 00\r\n00 | | C-1 02 ... | |\r\n08 | | --- .. A01 | |\r\n"
      "pattern 01\r\ncopy 00\r\nuse 1 beat\r\n08 | --- .. ... | | D-2 03 ... |\r\n"
      "pattern 02\r\nuse 2 beat 03\r\norder 03 00 01 02\r\n";
  compileAndCheck(score, {{3, 0, 0, {1, noteOf(25), 0, 0}},    {3, 0, 1, {0, -1, 0xF, 4}},  // the row's F04 counts once
                          {3, 0, 2, {0, -1, 0xF, 130}},        {3, 0, 3, {1, noteOf(34), 0xC, 0x10}},
                          {1, 0, 0, {1, noteOf(36), 0, 0}},    {1, 0, 1, {2, noteOf(12), 0, 0}},  // track, copy
                          {1, 8, 0, {0, -1, 0, 0}},            {1, 8, 1, {0, -1, 0xA, 1}},  // cleared, blank keeps
                          {1, 8, 2, {3, noteOf(26), 0, 0}},    {0, 0, 0, {0, -1, 0, 0}},    // 00 untouched
                          {2, 8, 1, {3, noteOf(36), 0xC, 0x20}}, {2, 16, 1, {0, -1, 0, 0}}});
}

// The composer writes the period the engine's loader reads back as the note
// (not always the table's: 856 and 428 would read back one fine step flat);
// octave 4's periods are too coarse for C-4 C#4 D#4 E-4 F#4 A-4 B-4, which
// read back one fine step flat.
TEST(ScoreCompiler, EveryNoteReadsBackAsItselfUpToOctave3) {
  std::vector<int> offsets, want(60, 0);
  for (int semitone = 0; semitone < 60; ++semitone)
    offsets.push_back(noteIndexForPeriod(periodForSemitone(semitone)) - noteOf(semitone));
  for (int s : {48, 49, 51, 52, 54, 57, 59}) want[static_cast<size_t>(s)] = -1;
  EXPECT_EQ(offsets, want);
  EXPECT_EQ(std::vector<int>({periodForSemitone(0), periodForSemitone(12), periodForSemitone(24)}),
            std::vector<int>({1712, 855, 427}));
}

// Each bad line follows 3 instruments (lines 1-3) and "pattern 00" (line 4),
// with an order list after it. The message is the whole text after "bad.score:5: ".
const char* const kBadLines[][2] = {
    {"play loud", "unknown directive 'play' (expected title, speed, tempo, instrument, track, pattern, copy, use, order or a row)"},
    {"00 | H-2 01 ... | | |", "channel 1: 'H-2' is not a note (C-2, F#3, ... or --- for none)"},
    {"00 | | E#2 01 ... | |", "channel 2: there is no 'E#2'; write F-2"},
    {"00 | | | C-5 01 ... |", "channel 3: 'C-5' is above the period table (notes run from C-0 to B-4)"},
    {"00 | C-2 32 ... | | |", "channel 1: '32' is not a sample number (01..31, or .. for none)"},
    {"00 | C-2 01 E31 | | |", "channel 1: 'E31': E3x is not played by this player (it plays E1 E2 E9 EA EB EC ED)"},
    {"00 | C-2 01 A12 | | |",
     "channel 1: 'A12': a volume slide with both digits set slides by x - y here but by x alone in other players; give one digit"},
    {"00 | C-2 01 D0A | | |", "channel 1: 'D0A': the pattern break row is written in decimal digits 00..63"},
    {"00 | C-2 01 F00 | | |", "channel 1: 'F00': F00 stops other players; speed is F01..F1F, tempo F20..FFF"},
    {"00 | C-2 01 ... 7 | | |",
     "channel 1: a cell is NOTE SAMPLE EFFECT (e.g. 'C-3 01 A04' or '--- .. ...') or blank, not 'C-2 01 ... 7'"},
    {"007 | | | |", "row number '007' is not 00..63"}, {"00 | C-3 01 B05 | | |", "B05 jumps beyond the order list (1 entries)"},
    {"00 | C-3 04 ... | | |", "sample 04 is used but no instrument 04 is defined"},
    {"instrument 01 x kick", "instrument 01 is defined twice (first on line 1)"},
    {"instrument 04 x gong", "unknown instrument kind 'gong' (known: kick, snare, hat, bass, lead, pad, bell, noise)"},
    {"instrument 04 abcdefghijklmnopqrstuvw hat", "the instrument name 'abcdefghijklmnopqrstuvw' is longer than 22 characters"},
    {"instrument 04 x hat decay=2", "option 'decay' of kind 'hat' wants a number from 0.01 to 1.5, not '2'"},
    {"instrument 04 x pad chord=ninth", "option 'chord' wants one of single, fifth, major, minor, sus2, sus4, maj7, min7, not 'ninth'"},
    {"title abcdefghijklmnopqrstu", "the title has 21 characters; a module title holds 20"},
    {"speed 32", "speed wants one whole number from 1 to 31 (ticks per row)"},
    {"copy 05", "pattern 05 is not defined before this line"}, {"pattern 00", "pattern 00 is defined twice (first on line 4)"},
    {"order 07", "the order list names pattern 07, which is not defined"},
    {"use 5 beat", "use wants a channel 1..4, a track name and maybe a sample number, e.g. 'use 1 groove' or 'use 3 tune 07'"},
    {"use 1 beat", "track 'beat' is not defined before this line"}, {"instrument 32 x kick", "instrument number '32' is not 01..31"},
};

TEST(ScoreCompiler, EveryMalformedLineIsNamedByFileAndLine) {
  for (const auto& bad : kBadLines) {
    const ScoreResult result = compileScore(
        std::string("instrument 01 kick kick\ninstrument 02 bass bass\ninstrument 03 lead lead\npattern 00\n") + bad[0] +
            "\norder 00\n",
        "bad.score");
    ASSERT_EQ(result.errors.size(), 1u) << bad[0] << (result.errors.empty() ? "" : ": " + result.errors[0]);
    EXPECT_EQ(result.errors[0], std::string("bad.score:5: ") + bad[1]) << bad[0];
    EXPECT_TRUE(result.bytes.empty()) << bad[0] << ": nothing is built from a bad score";
  }
}

// Lines that are wrong where they stand, and the limits.
TEST(ScoreCompiler, LinesOutOfPlaceAndLimits) {
  std::string tracks, order = "pattern 00\norder", nonsense, full = "pattern 00\n";
  for (int i = 0; i <= 1024; ++i) tracks += "track t" + std::to_string(i) + "\n";
  for (int i = 0; i < 200; ++i) nonsense += "nonsense\n";
  for (int i = 0; i < 128; ++i) full += "order 00\n", order += " 00";
  const std::pair<std::string, std::string> cases[] = {  // a score, its first error
      {"pattern 00\n\n\n", "s:4: the score has no order list (add e.g. 'order 00')"},
      {"speed 4\npattern 00\n00 | --- .. F03 | | |\norder 00\n",
       "s:1: row 00 of pattern 00 sets the speed to F03 against the header's F04; keep one of them"},
      {"tempo 130\npattern 00\n00 | --- .. C10 | --- .. C10 | --- .. C10 | --- .. C10\norder 00\n",
       "s:1: no free effect column in row 00 of pattern 00 for the tempo (F82)"},
      {tracks + "pattern 00\norder 00\n", "s:1025: a score holds at most 1024 tracks"},
      {order + " 00\n", "s:2: the order list holds at most 128 entries"},
  };
  for (const auto& c : cases) {
    const ScoreResult result = compileScore(c.first, "s");
    EXPECT_EQ(result.errors.empty() ? "" : result.errors[0], c.second);
  }
  const ScoreResult many = compileScore(nonsense, "s");
  EXPECT_EQ(many.errors.size(), kMaxScoreErrors + 1u);
  EXPECT_EQ(many.errors.back(), "s:51: too many errors, giving up");
  EXPECT_EQ(compileAndCheck(full, {}).at(950), 128) << "128 entries are fine (the song length byte)";
}

TEST(ScoreCompiler, CommandLineRun) {
  test::TempDir dir;
  const std::string good = dir.write("good.score", "instrument 01 kick kick\npattern 00\n00 | C-3 01 ... | | |\norder 00\n");
  const std::string bad = dir.write("bad.score", "pattern 00\n00 | X-3 01 ... | | |\norder 00\n");
  std::FILE* err = std::fopen(dir.file("err.txt").c_str(), "w");
  EXPECT_EQ(std::vector<int>({runModCompose(good, dir.file("good.mod"), err), runModCompose(bad, dir.file("bad.mod"), err),
                              runModCompose(dir.file("missing.score"), dir.file("m.mod"), err),
                              runModCompose(good, dir.file("no/such/folder/x.mod"), err)}),
            std::vector<int>({0, 1, 2, 2}));
  std::fclose(err);
  const std::vector<uint8_t> module = compileScore(test::readTextFile(good), good).bytes;
  EXPECT_EQ(test::readTextFile(dir.file("good.mod")), std::string(module.begin(), module.end()));
  EXPECT_EQ(test::readTextFile(dir.file("bad.mod")), "") << "no module from a bad score";
  const std::string messages = test::readTextFile(dir.file("err.txt"));
  for (const std::string& part : {bad + ":2: channel 1: 'X-3' is not a note", "cannot read score '" + dir.file("missing.score") + "'",
                                  std::string("cannot write module")})
    EXPECT_NE(messages.find(part), std::string::npos) << part << " in " << messages;
}

// The sample of `kind` with its defaults, option `option` (if any) set to `value`.
ModSample build(const std::string& kindName, const char* option = nullptr, double value = 0) {
  const SynthKind* kind = findSynthKind(kindName);
  ModSample sample;
  SynthValues values = defaultSynthValues(*kind);
  if (option) values.at(static_cast<size_t>(findSynthOption(*kind, option))) = value;
  kind->build(values, sample);
  return sample;
}

// Every kind with its default options. A change here changes the
// production's music: update the values only on purpose.
TEST(SampleSynth, DefaultSamplesHaveTheirExactBytes) {
  const struct {
    const char* kind;
    size_t length, loopStart, loopLength;
    uint64_t hash;  // FNV-1a of the bytes
  } golden[] = {
      {"kick", 6690, 0, 0, 0x4ae63959d4d832c1ull},       {"snare", 4180, 0, 0, 0x41290f35251ee414ull},
      {"hat", 1002, 0, 0, 0x6320f2663c1bf96dull},        {"bass", 2154, 2090, 64, 0xb7af7b211f0568feull},
      {"lead", 6604, 2508, 4096, 0x911fdc3b4ec78275ull}, {"pad", 11536, 3344, 8192, 0xc3c317c0ad081021ull},
      {"bell", 16056, 0, 0, 0xac3b1a89a46b12cdull},      {"noise", 16726, 0, 16726, 0x9026ebd0a8f506c7ull},
  };
  ASSERT_EQ(synthKinds().size(), std::size(golden));
  for (const auto& g : golden) {
    const ModSample s = build(g.kind);
    uint64_t hash = 1469598103934665603ull;
    for (int8_t v : s.data) hash = (hash ^ static_cast<uint8_t>(v)) * 1099511628211ull;
    EXPECT_EQ(std::vector<size_t>({s.data.size(), size_t(s.loopStart), size_t(s.loopLength)}),
              std::vector<size_t>({g.length, g.loopStart, g.loopLength})) << g.kind;
    EXPECT_EQ(hash, g.hash) << g.kind << ": hash 0x" << std::hex << hash;
  }
}

TEST(SampleSynth, OptionsChangeTheSound) {
  EXPECT_EQ(build("kick", "decay", 0.2).data.size(), 3344u) << "0.2 s at 16726.84 bytes a second, in whole words";
  EXPECT_NE(build("hat", "seed", 99).data, build("hat").data) << "another seed, another noise";
  EXPECT_EQ(findSynthKind("pad")->options[0].words[3], "minor");
  EXPECT_EQ(build("pad", "chord", 3).loopLength, 260 * 32) << "a minor chord needs 260 periods of 32 bytes";
  const std::vector<int8_t> half = build("hat", "gain", 0.5).data;
  EXPECT_EQ(std::max(-*std::min_element(half.begin(), half.end()), +*std::max_element(half.begin(), half.end())), 64)
      << "gain 0.5 puts the peak at half scale (63.5, rounded)";
  EXPECT_EQ(findSynthOption(*findSynthKind("pad"), "volume"), -1) << "volume is the compiler's, not the synth's";
  EXPECT_EQ(findSynthKind("Kick"), nullptr) << "the compiler lower-cases kinds before looking";
}

}  // namespace
}  // namespace wf
