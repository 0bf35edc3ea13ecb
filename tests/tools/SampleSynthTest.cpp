// The composer's synthesised instruments: exact bytes (hashed), loop shape,
// level and pitch.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "modcompose/SampleSynth.h"

namespace wf {
namespace {

uint64_t fnv1a(const std::vector<int8_t>& data) {
  uint64_t hash = 1469598103934665603ull;
  for (int8_t v : data) {
    hash ^= static_cast<uint8_t>(v);
    hash *= 1099511628211ull;
  }
  return hash;
}

ModSample build(const std::string& kindName, const SynthValues* values = nullptr) {
  const SynthKind* kind = findSynthKind(kindName);
  ModSample sample;
  if (!kind) return sample;
  kind->build(values ? *values : defaultSynthValues(*kind), sample);
  return sample;
}

struct Golden {
  const char* kind;
  size_t length;
  int loopStart;
  int loopLength;
  uint64_t hash;
};

// The bytes of every kind with its default options. A change here changes
// the production's music: update the values only on purpose.
const Golden kGolden[] = {
    {"kick", 6690, 0, 0, 0x4ae63959d4d832c1ull},
    {"snare", 4180, 0, 0, 0x41290f35251ee414ull},
    {"hat", 1002, 0, 0, 0x6320f2663c1bf96dull},
    {"bass", 2154, 2090, 64, 0xb7af7b211f0568feull},
    {"lead", 6604, 2508, 4096, 0x911fdc3b4ec78275ull},
    {"pad", 11536, 3344, 8192, 0xc3c317c0ad081021ull},
    {"bell", 16056, 0, 0, 0xac3b1a89a46b12cdull},
    {"noise", 16726, 0, 16726, 0x9026ebd0a8f506c7ull},
};

TEST(SampleSynth, DefaultSamplesHaveTheirExactBytes) {
  for (const Golden& g : kGolden) {
    const ModSample s = build(g.kind);
    EXPECT_EQ(s.data.size(), g.length) << g.kind;
    EXPECT_EQ(s.loopStart, g.loopStart) << g.kind;
    EXPECT_EQ(s.loopLength, g.loopLength) << g.kind;
    EXPECT_EQ(fnv1a(s.data), g.hash) << g.kind << ": hash 0x" << std::hex << fnv1a(s.data);
  }
}

TEST(SampleSynth, EveryKindIsDeterministicAndWellFormed) {
  ASSERT_EQ(synthKinds().size(), std::size(kGolden));
  for (const SynthKind& kind : synthKinds()) {
    const ModSample a = build(kind.name), b = build(kind.name);
    EXPECT_EQ(a.data, b.data) << kind.name;
    EXPECT_GT(a.data.size(), 0u) << kind.name;
    EXPECT_EQ(a.data.size() % 2, 0u) << kind.name << ": MOD samples are whole words";
    EXPECT_LE(static_cast<int>(a.data.size()), kMaxSampleBytes) << kind.name;
    EXPECT_EQ(a.loopStart % 2, 0) << kind.name;
    EXPECT_EQ(a.loopLength % 2, 0) << kind.name;
    if (a.loopLength > 0) {  // sustained kinds loop to their very end
      EXPECT_EQ(a.loopStart + a.loopLength, static_cast<int>(a.data.size())) << kind.name;
    }
    // Normalised: the peak is 127 (gain 1).
    int peak = 0;
    for (int8_t v : a.data) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_EQ(peak, 127) << kind.name;
    for (const SynthOption& o : kind.options) {
      EXPECT_GE(o.defaultValue, o.min) << kind.name << "." << o.name;
      EXPECT_LE(o.defaultValue, o.max) << kind.name << "." << o.name;
    }
  }
}

TEST(SampleSynth, LoopSeamIsNoBiggerThanTheStepsInsideTheLoop) {
  for (const char* name : {"bass", "lead", "pad", "noise"}) {
    const ModSample s = build(name);
    ASSERT_GT(s.loopLength, 2) << name;
    int largestStep = 0;
    for (int i = s.loopStart + 1; i < s.loopStart + s.loopLength; ++i)
      largestStep = std::max(largestStep, std::abs(s.data[static_cast<size_t>(i)] - s.data[static_cast<size_t>(i - 1)]));
    const int seam = std::abs(s.data[static_cast<size_t>(s.loopStart)] - s.data[static_cast<size_t>(s.loopStart + s.loopLength - 1)]);
    EXPECT_LE(seam, largestStep) << name;
  }
}

TEST(SampleSynth, AttackFlowsIntoTheLoopWithoutAStep) {
  for (const char* name : {"bass", "lead", "pad"}) {
    const ModSample s = build(name);
    ASSERT_GT(s.loopStart, 0) << name;
    int largestStep = 0;
    for (int i = s.loopStart + 1; i < s.loopStart + s.loopLength; ++i)
      largestStep = std::max(largestStep, std::abs(s.data[static_cast<size_t>(i)] - s.data[static_cast<size_t>(i - 1)]));
    const int entry = std::abs(s.data[static_cast<size_t>(s.loopStart)] - s.data[static_cast<size_t>(s.loopStart - 1)]);
    EXPECT_LE(entry, largestStep) << name;
  }
}

// The loop repeats with the cycle: shifting by one cycle changes little.
TEST(SampleSynth, TonalLoopsRepeatEveryCycle) {
  struct Case {
    const char* kind;
    int cycle;
  };
  EXPECT_EQ(build("bass").loopLength, 64) << "the bass loops one period";
  // The default pad is a major chord 4:5:6 on a 32-byte root: it repeats every 4 x 32 bytes.
  for (const Case c : {Case{"lead", 32}, Case{"pad", 128}}) {
    const ModSample s = build(c.kind);
    double same = 0.0, power = 0.0;
    for (int i = s.loopStart; i + c.cycle < s.loopStart + s.loopLength; ++i) {
      const double a = s.data[static_cast<size_t>(i)], b = s.data[static_cast<size_t>(i + c.cycle)];
      same += a * b;
      power += a * a;
    }
    ASSERT_GT(power, 0.0) << c.kind;
    EXPECT_GT(same / power, 0.85) << c.kind << ": correlation one cycle apart";
  }
}

TEST(SampleSynth, OptionsChangeTheSound) {
  const SynthKind* kick = findSynthKind("kick");
  ASSERT_NE(kick, nullptr);
  SynthValues values = defaultSynthValues(*kick);
  const int decay = findSynthOption(*kick, "decay");
  ASSERT_GE(decay, 0);
  values[static_cast<size_t>(decay)] = 0.2;
  const ModSample shortKick = build("kick", &values);
  EXPECT_EQ(shortKick.data.size(), static_cast<size_t>(0.2 * 2.0 * kC2Rate) & ~size_t{1});

  const SynthKind* hat = findSynthKind("hat");
  SynthValues seeded = defaultSynthValues(*hat);
  seeded[static_cast<size_t>(findSynthOption(*hat, "seed"))] = 99;
  EXPECT_NE(build("hat", &seeded).data, build("hat").data) << "another seed, another noise";

  const SynthKind* pad = findSynthKind("pad");
  SynthValues minor = defaultSynthValues(*pad);
  minor[static_cast<size_t>(findSynthOption(*pad, "chord"))] = 3;  // "minor"
  EXPECT_EQ(pad->options[0].words[3], "minor");
  // A minor chord needs a root count divisible by 10: 260 periods of 32 bytes.
  EXPECT_EQ(build("pad", &minor).loopLength, 260 * 32);

  SynthValues half = defaultSynthValues(*hat);
  half[static_cast<size_t>(findSynthOption(*hat, "gain"))] = 0.5;
  int peak = 0;
  for (int8_t v : build("hat", &half).data) peak = std::max(peak, std::abs(static_cast<int>(v)));
  EXPECT_EQ(peak, 64) << "gain 0.5 puts the peak at half scale (63.5, rounded)";
}

TEST(SampleSynth, LookUps) {
  EXPECT_EQ(findSynthKind("gong"), nullptr);
  EXPECT_EQ(findSynthKind("Kick"), nullptr) << "the compiler lower-cases kinds before looking";
  ASSERT_NE(findSynthKind("pad"), nullptr);
  EXPECT_EQ(findSynthOption(*findSynthKind("pad"), "chord"), 0);
  EXPECT_EQ(findSynthOption(*findSynthKind("pad"), "volume"), -1) << "volume is the compiler's, not the synth's";
}

}  // namespace
}  // namespace wf
