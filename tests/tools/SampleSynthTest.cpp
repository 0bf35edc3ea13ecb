// The composer's synthesised instruments: the exact bytes of every kind
// (hashed), and what the options change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "modcompose/SampleSynth.h"

namespace wf {
namespace {

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
