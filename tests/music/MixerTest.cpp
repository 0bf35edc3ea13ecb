// The mixer: volume table, interpolation, loops, panning, silence, and the
// odd corners (zero frequency, empty loops); far positions are the fuzz replay's.
#include <gtest/gtest.h>

#include "music/ModEngine.h"
#include "music/Tables.h"
#include "support/ModWriter.h"

namespace wf {
namespace {

using test::flatSample;
using test::rampSample;

// An engine whose sample 1 is `data`; play() puts channel c on sample s at a
// rate of `step` source bytes per output frame.
struct MixerRig {
  MixerRig(const std::vector<int8_t>& data, int loopStart, int loopLength) {
    ModWriter writer;
    writer.sample(1) = ModSample{"", data, 0, 64, loopStart, loopLength};
    test::loadInto(engine, writer);
  }
  void play(int c, int sample, double step, double position = 0.0, int volume = 64) {
    ChannelState& ch = engine.channel(c);
    ch.sample = sample;
    ch.frequency = step * 44100.0;
    ch.position = position;
    ch.volume = ch.effectiveVolume = volume;
  }
  // Mixes n frames between sentinels; returns the left frames.
  std::vector<int32_t> mix(int n) {
    std::vector<int32_t> l(static_cast<size_t>(n) + 2, 0x5A5A5A5A), r = l;
    engine.mixSpan(n, l.data() + 1, r.data() + 1);
    EXPECT_EQ(std::vector<int32_t>({l.front(), l.back(), r.front(), r.back()}), std::vector<int32_t>(4, 0x5A5A5A5A));
    EXPECT_EQ(std::vector<int32_t>(r.begin() + 1, r.end() - 1), std::vector<int32_t>(static_cast<size_t>(n), 0))
        << "channel 0 adds nothing to the right";
    return std::vector<int32_t>(l.begin() + 1, l.end() - 1);
  }
  ModEngine engine;
};

std::vector<int32_t> times(int factor, std::vector<int32_t> bytes, size_t silentFrames = 0) {
  for (int32_t& b : bytes) b *= factor;
  bytes.resize(bytes.size() + silentFrames, 0);
  return bytes;
}

// One channel (0, left) over sample 1: the exact sums of a span and where
// the position ends. Volume v adds v x byte (the volume table's entry).
TEST(Mixer, SpansOfOneChannel) {
  const struct {
    const char* what;
    std::vector<int8_t> data;
    int loopStart, loopLength;
    double step, start;
    int volume;
    std::vector<int32_t> want;  // one value per frame of the span
    double end;
  } cases[] = {
      {"step 1 gives the bytes, then silence", {5, -7, 100, -128, 127, 3, 0, 9, -1, 44}, 0, 0, 1.0, 0.0, 64,
       times(64, {5, -7, 100, -128, 127, 3, 0, 9, -1, 44}, 6), 10.0},
      {"half a byte in: interpolated, the last against the guard byte", {0, 10, 20, 30}, 0, 0, 1.0, 0.5, 33,
       {165, 495, 825, 990, 0, 0}, 4.5},
      {"step 0.75: trunc(9 / 0.75 + 1) = 13 frames", flatSample(10, -2), 0, 0, 0.75, 0.0, 1,
       times(-2, std::vector<int32_t>(13, 1), 7), 9.75},
      {"the fraction left over plays in the next span", flatSample(10, 2), 0, 0, 0.75, 9.75, 64, times(64, {2}, 4), 10.5},
      {"a 2-byte loop at the start is no loop", rampSample(6, 1, 1), 0, 2, 1.0, 0.0, 64, times(64, {1, 2, 3, 4, 5, 6}, 3), 6.0},
      {"a 2-byte loop further in loops those 2 bytes", rampSample(12, 1, 1), 8, 2, 1.0, 6.0, 64,
       times(64, {7, 8, 9, 10, 9, 10, 9, 10}), 10.0},
      {"the loop wraps; the byte after its end reads its start", rampSample(12, 1, 1), 4, 4, 0.5, 7.0, 64,
       {64 * 8, (64 * 8 + 64 * 5) / 2, 64 * 5, (64 * 5 + 64 * 6) / 2}, 5.0},
      {"a zero-length loop ends the sample there and never stalls", rampSample(100, 1, 1), 50, 0, 1.0, 45.0, 64,
       times(64, {46, 47, 48, 49, 50}, 15), 50.0},
      {"volume 0 adds exactly nothing, the position moves on", rampSample(256, 1, -128), 0, 256, 0.5, 0.0, 0,
       std::vector<int32_t>(300, 0), 150.0},
      {"frequency 0 (a sample number before any note) is silence", flatSample(100, 50), 0, 100, 0.0, 3.0, 64,
       std::vector<int32_t>(10, 0), 3.0},
      {"a 2-byte sample is not mixed", flatSample(2, 50), 0, 0, 1.0, 0.0, 64, std::vector<int32_t>(10, 0), 0.0},
  };
  for (const auto& c : cases) {
    MixerRig rig(c.data, c.loopStart, c.loopLength);
    rig.play(0, 1, c.step, c.start, c.volume);
    EXPECT_EQ(rig.mix(static_cast<int>(c.want.size())), c.want) << c.what;
    EXPECT_EQ(rig.engine.channel(0).position, c.end) << c.what;
  }
}

// Four notes, each channel on its own flat sample (10, 20, 40, 80): 0 and 3
// sound left, 1 and 2 right. Channel 0 has ED2: silent and still for two ticks.
TEST(Mixer, PanningAndNoteDelayThroughRenderBlock) {
  ModWriter writer;
  for (int c = 0; c < 4; ++c) {
    writer.sample(c + 1).data = flatSample(60000, 10 << c);
    writer.setCell(0, 0, c, ModCell{428, c + 1, c == 0 ? 0xE : 0, c == 0 ? 0xD2 : 0});
  }
  ModEngine engine;
  test::loadInto(engine, writer);
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
  engine.renderBlock(block.data(), ModEngine::kBlockBytes);
  for (int j = 0; j < ModEngine::kBlockFrames; ++j) {
    // a x (1 - f) + b x f in single precision may land a hair below a x 1.
    ASSERT_NEAR(block[2 * j], 640 * (j < 2 * 882 ? 8 : 9), 2) << "left: channel 3, from tick 2 also 0; frame " << j;
    ASSERT_NEAR(block[2 * j + 1], 640 * 6, 2) << "right: channels 1 and 2, frame " << j;
  }
  const double step = kPeriodClock / 431 / 44100;
  EXPECT_NEAR(engine.channel(3).position, 4000 * step, 0.01);
  EXPECT_NEAR(engine.channel(0).position, (4000 - 2 * 882) * step, 0.01) << "the delayed ticks do not advance";
}

}  // namespace
}  // namespace wf
