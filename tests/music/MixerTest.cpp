// The mixer: volume table, interpolation, loops, panning, silence, and the
// odd corners (zero frequency, far positions, empty loops).
#include <gtest/gtest.h>

#include "music/ModEngine.h"
#include "music/Tables.h"
#include "support/ModWriter.h"

namespace wf {
namespace {

using test::flatSample;
using test::loadInto;
using test::rampSample;

// An engine with the given samples. play() puts channel c on sample s at a
// rate that gives `step` source bytes per output frame; mix() mixes n frames
// into buffers with a sentinel on either side and checks the sentinels.
struct MixerRig {
  explicit MixerRig(const ModWriter& writer) { loadInto(engine, writer); }
  ChannelState& play(int c, int sample, double step, double position = 0.0, int volume = 64) {
    ChannelState& ch = engine.channel(c);
    ch.sample = sample;
    ch.frequency = step * 44100.0;
    ch.position = position;
    ch.volume = ch.effectiveVolume = volume;
    return ch;
  }
  void mix(int n) {
    std::vector<int32_t> l(static_cast<size_t>(n) + 2, 0x5A5A5A5A), r = l;
    engine.mixSpan(n, l.data() + 1, r.data() + 1);
    EXPECT_EQ(std::vector<int32_t>({l.front(), l.back(), r.front(), r.back()}), std::vector<int32_t>(4, 0x5A5A5A5A));
    left.assign(l.begin() + 1, l.end() - 1);
    right.assign(r.begin() + 1, r.end() - 1);
  }
  ModEngine engine;
  std::vector<int32_t> left, right;
};

ModWriter oneSample(const std::vector<int8_t>& data, int loopStart = 0, int loopLength = 0) {
  ModWriter writer;
  writer.sample(1) = ModSample{"", data, 0, 64, loopStart, loopLength};
  return writer;
}

// 64 x each byte (volume 64), then `silentFrames` zeros.
std::vector<int32_t> times64(std::vector<int32_t> bytes, size_t silentFrames = 0) {
  for (int32_t& b : bytes) b *= 64;
  bytes.resize(bytes.size() + silentFrames, 0);
  return bytes;
}

TEST(MixerVolumeTable, ProductsOfVolumeAndSignedByte) {
  ModEngine engine;
  const int cases[][3] = {{64, 0x80, -8192}, {64, 0x7F, 8128}, {0, 0x7F, 0}, {0, 0x80, 0},
                          {32, 0xFF, -32},   {1, 0x01, 1},     {64, 0x00, 0}, {33, 0x81, 33 * -127}};  // volume, byte, entry
  for (const auto& c : cases) EXPECT_EQ(engine.volumeEntry(c[0], c[1]), c[2]) << "volume " << c[0] << " byte " << c[1];
  engine.buildVolumeTable(32);
  EXPECT_EQ(engine.volumeEntry(63, 0xFF), -31) << "(32 x 63 x -1) / 64 truncates toward zero";
}

// One channel (0, left) over one sample: the exact sums of a span and where
// the position ends.
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
       times64({5, -7, 100, -128, 127, 3, 0, 9, -1, 44}, 6), 10.0},
      {"half a byte in: interpolated, the last against the guard byte", {0, 10, 20, 30}, 0, 0, 1.0, 0.5, 64,
       {320, 960, 1600, 1920, 0, 0}, 4.5},
      {"step 0.75: trunc(9 / 0.75 + 1) = 13 frames", flatSample(10, 2), 0, 0, 0.75, 0.0, 64,
       times64({2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}, 7), 9.75},
      {"the fraction left over plays in the next span", flatSample(10, 2), 0, 0, 0.75, 9.75, 64,
       times64({2}, 4), 10.5},
      {"a 2-byte loop at the start is no loop", rampSample(6, 1, 1), 0, 2, 1.0, 0.0, 64,
       times64({1, 2, 3, 4, 5, 6}, 3), 6.0},
      {"a 2-byte loop further in loops those 2 bytes", rampSample(12, 1, 1), 8, 2, 1.0, 6.0, 64,
       times64({7, 8, 9, 10, 9, 10, 9, 10}), 10.0},
      {"the loop wraps; the byte after its end reads its start", rampSample(12, 1, 1), 4, 4, 0.5, 7.0, 64,
       {64 * 8, (64 * 8 + 64 * 5) / 2, 64 * 5, (64 * 5 + 64 * 6) / 2}, 5.0},
      {"a zero-length loop ends the sample there and never stalls", rampSample(100, 1, 1), 50, 0, 1.0, 45.0, 64,
       times64({46, 47, 48, 49, 50}, 15), 50.0},
      {"volume 0 adds exactly nothing, the position moves on", rampSample(256, 1, -128), 0, 256, 0.5, 0.0, 0,
       std::vector<int32_t>(300, 0), 150.0},
      {"frequency 0 is silence and keeps the position", flatSample(100, 50), 0, 100, 0.0, 3.0, 64,
       std::vector<int32_t>(10, 0), 3.0},
      {"a 2-byte sample is not mixed", flatSample(2, 50), 0, 0, 1.0, 0.0, 64, std::vector<int32_t>(10, 0), 0.0},
  };
  for (const auto& c : cases) {
    MixerRig rig(oneSample(c.data, c.loopStart, c.loopLength));
    rig.play(0, 1, c.step, c.start, c.volume);
    rig.mix(static_cast<int>(c.want.size()));
    EXPECT_EQ(rig.left, c.want) << c.what;
    EXPECT_EQ(rig.right, std::vector<int32_t>(c.want.size(), 0)) << c.what;
    EXPECT_EQ(rig.engine.channel(0).position, c.end) << c.what;
  }
}

TEST(Mixer, FarPositionsComeBackIntoTheLoop) {
  for (double start : {1.0e6, 65280.0, 164.0, 5000.25}) {
    MixerRig rig(oneSample(rampSample(200, 1, 1), 100, 64));
    rig.play(0, 1, 1.0, start);
    rig.mix(4000);
    const double p = rig.engine.channel(0).position;
    EXPECT_GE(p, 100.0) << "start " << start;
    EXPECT_LT(p, 165.0) << "start " << start;
    for (int j = 0; j < 4000; ++j) ASSERT_NE(rig.left[static_cast<size_t>(j)], 0) << "start " << start << " frame " << j;
  }
}

TEST(Mixer, RenderBlockClipsTo16Bits) {
  ModWriter writer = oneSample(flatSample(100, 127), 0, 100);
  writer.sample(2) = ModSample{"", flatSample(100, -128), 0, 64, 0, 100};
  MixerRig rig(writer);
  rig.engine.step();  // row 0 (empty), so the block below does not reset the channels
  rig.engine.buildVolumeTable(256);  // four times louder: two channels clip
  for (int c = 0; c < 4; ++c) rig.play(c, c == 0 || c == 3 ? 1 : 2, 1.0);
  std::vector<int16_t> block(200);
  rig.engine.renderBlock(block.data(), 400);
  for (int j = 0; j < 100; ++j)
    ASSERT_EQ(std::make_pair(block[2 * j], block[2 * j + 1]), (std::make_pair<int16_t, int16_t>(32767, -32768))) << j;
}

TEST(Mixer, NoModuleOrASampleNumberBeforeAnyNoteRendersSilence) {
  // A real module gives a sample number on a row before any note: the
  // channel has no frequency yet.
  ModWriter writer = oneSample(flatSample(200, 60), 0, 200);
  writer.setCell(0, 0, 1, ModCell{0, 1, 0, 0});
  for (bool loaded : {false, true}) {
    ModEngine engine;
    if (loaded) loadInto(engine, writer);
    std::vector<int16_t> block(ModEngine::kBlockFrames * 2, 99);
    engine.renderBlock(block.data(), ModEngine::kBlockBytes);
    EXPECT_EQ(block, std::vector<int16_t>(block.size(), 0)) << (loaded ? "sample number alone" : "no module");
    EXPECT_EQ(engine.framesRendered(), loaded ? ModEngine::kBlockFrames : 0) << "no module: time stands still";
  }
}

// Four notes on row 0, each channel with its own flat sample (1, 2, 4, 8 x
// 10): channels 0 and 3 sound left, 1 and 2 right. Channel 0 has ED2 and
// stays silent, without moving, for two ticks.
TEST(Mixer, PanningAndNoteDelayThroughRenderBlock) {
  ModWriter writer;
  for (int c = 0; c < 4; ++c) {
    writer.sample(c + 1).data = flatSample(60000, 10 << c);
    writer.setCell(0, 0, c, ModCell{428, c + 1, c == 0 ? 0xE : 0, c == 0 ? 0xD2 : 0});
  }
  ModEngine engine;
  loadInto(engine, writer);
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
