// The mixer: volume table, interpolation, loops, panning, silence, and the
// odd corners (zero frequency, far positions, empty loops).
#include <gtest/gtest.h>

#include <cmath>

#include "music/ModEngine.h"
#include "music/Tables.h"
#include "support/ModWriter.h"

namespace wf {
namespace {

using test::flatSample;
using test::loadInto;
using test::rampSample;

constexpr int kSentinel = 0x5A5A5A5A;

// An engine with the given samples, and a helper that puts channel c on
// sample s at a rate that gives `step` source bytes per output frame.
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

  // Mixes n frames into guarded buffers and checks the guards.
  void mix(int n) {
    left.assign(static_cast<size_t>(n) + 2, kSentinel);
    right.assign(static_cast<size_t>(n) + 2, kSentinel);
    engine.mixSpan(n, left.data() + 1, right.data() + 1);
    EXPECT_EQ(left.front(), kSentinel);
    EXPECT_EQ(left.back(), kSentinel);
    EXPECT_EQ(right.front(), kSentinel);
    EXPECT_EQ(right.back(), kSentinel);
  }
  int32_t l(int j) const { return left[static_cast<size_t>(j) + 1]; }
  int32_t r(int j) const { return right[static_cast<size_t>(j) + 1]; }

  ModEngine engine;
  std::vector<int32_t> left, right;
};

ModWriter oneSample(const std::vector<int8_t>& data, int loopStart = 0, int loopLength = 0) {
  ModWriter writer;
  writer.sample(1).data = data;
  writer.sample(1).loopStart = loopStart;
  writer.sample(1).loopLength = loopLength;
  return writer;
}

TEST(MixerVolumeTable, ProductsOfVolumeAndSignedByte) {
  ModEngine engine;
  const struct {
    int volume, byte, value;
  } cases[] = {{64, 0x80, -8192}, {64, 0x7F, 8128}, {0, 0x7F, 0}, {0, 0x80, 0},
               {32, 0xFF, -32}, {1, 0x01, 1},     {64, 0x00, 0}, {33, 0x81, 33 * -127}};
  for (const auto& c : cases)
    EXPECT_EQ(engine.volumeEntry(c.volume, c.byte), c.value) << "volume " << c.volume << " byte " << c.byte;
  engine.buildVolumeTable(32);
  EXPECT_EQ(engine.volumeEntry(63, 0xFF), -31) << "(32 x 63 x -1) / 64 truncates toward zero";
}

TEST(Mixer, StepOneGivesTheExactBytesThenSilence) {
  const std::vector<int8_t> data = {5, -7, 100, -128, 127, 3, 0, 9, -1, 44};
  MixerRig rig(oneSample(data));
  rig.play(0, 1, 1.0);
  rig.mix(16);
  for (int j = 0; j < 16; ++j) {
    const int want = j < 10 ? 64 * data[static_cast<size_t>(j)] : 0;
    EXPECT_EQ(rig.l(j), want) << "frame " << j;
    EXPECT_EQ(rig.r(j), 0) << "frame " << j;
  }
  EXPECT_DOUBLE_EQ(rig.engine.channel(0).position, 10.0);
}

TEST(Mixer, HalfStepInterpolatesAgainstTheGuardByte) {
  const std::vector<int8_t> data = {0, 10, 20, 30};
  MixerRig rig(oneSample(data));
  rig.play(0, 1, 1.0, 0.5);
  rig.mix(6);
  // 3.5 reads data[3] and the guard data[4] = data[3].
  const int want[] = {320, 960, 1600, 1920, 0, 0};
  for (int j = 0; j < 6; ++j) EXPECT_EQ(rig.l(j), want[j]) << "frame " << j;
}

TEST(Mixer, SpanEndsWhereTheCountFormulaSays) {
  // Length 10, step 0.75: trunc(9 / 0.75 + 1) = 13 frames in this span, the
  // position 9.75 is left for the next span.
  MixerRig rig(oneSample(flatSample(10, 2)));
  rig.play(0, 1, 0.75);
  rig.mix(20);
  for (int j = 0; j < 20; ++j) EXPECT_EQ(rig.l(j), j < 13 ? 128 : 0) << "frame " << j;
  EXPECT_DOUBLE_EQ(rig.engine.channel(0).position, 9.75);
  rig.mix(5);
  EXPECT_EQ(rig.l(0), 128) << "the fraction plays in the next span";
  for (int j = 1; j < 5; ++j) EXPECT_EQ(rig.l(j), 0) << "frame " << j;
}

TEST(Mixer, ChannelsZeroAndThreeLeftOneAndTwoRight) {
  ModWriter writer;
  for (int s = 1; s <= 4; ++s) {
    writer.sample(s).data = flatSample(100, s);
    writer.sample(s).loopLength = 100;
  }
  MixerRig rig(writer);
  for (int c = 0; c < 4; ++c) rig.play(c, c + 1, 1.0);
  rig.mix(50);
  for (int j = 0; j < 50; ++j) {
    EXPECT_EQ(rig.l(j), 64 * (1 + 4)) << "frame " << j;
    EXPECT_EQ(rig.r(j), 64 * (2 + 3)) << "frame " << j;
  }
}

TEST(Mixer, VolumeZeroAddsExactlyNothing) {
  MixerRig rig(oneSample(rampSample(256, 1, -128), 0, 256));
  rig.play(0, 1, 0.37, 0.0, 0);
  rig.play(1, 1, 1.3, 5.5, 0);
  rig.mix(300);
  for (int j = 0; j < 300; ++j) {
    EXPECT_EQ(rig.l(j), 0) << "frame " << j;
    EXPECT_EQ(rig.r(j), 0) << "frame " << j;
  }
  EXPECT_GT(rig.engine.channel(0).position, 100.0) << "the position still moves";
}

TEST(Mixer, TwoByteLoopAtTheStartIsNoLoop) {
  MixerRig rig(oneSample(rampSample(20, 1, 1), 0, 2));
  rig.play(0, 1, 1.0);
  rig.mix(30);
  for (int j = 0; j < 30; ++j) EXPECT_EQ(rig.l(j), j < 20 ? 64 * (j + 1) : 0) << "frame " << j;
}

TEST(Mixer, TwoByteLoopFurtherInLoopsThoseTwoBytes) {
  MixerRig rig(oneSample(rampSample(120, 1, 1), 100, 2));
  rig.play(0, 1, 1.0, 98.0);
  rig.mix(10);
  const int want[] = {99, 100, 101, 102, 101, 102, 101, 102, 101, 102};
  for (int j = 0; j < 10; ++j) EXPECT_EQ(rig.l(j), 64 * want[j]) << "frame " << j;
}

TEST(Mixer, LoopWrapsWithTheGuardByte) {
  // Loop 4..8 over a ramp 1..: the byte after the loop end reads the loop start.
  MixerRig rig(oneSample(rampSample(12, 1, 1), 4, 4));
  rig.play(0, 1, 0.5, 7.0);
  rig.mix(4);
  // 7.0 -> data[7] = 8; 7.5 -> (8 + guard data[8] = data[4] = 5) / 2; 8.0 -> wraps to 4.0 -> 5
  const int want[] = {64 * 8, (64 * 8 + 64 * 5) / 2, 64 * 5, (64 * 5 + 64 * 6) / 2};
  for (int j = 0; j < 4; ++j) EXPECT_EQ(rig.l(j), want[j]) << "frame " << j;
}

TEST(Mixer, FarPositionsComeBackIntoTheLoop) {
  const double positions[] = {1.0e6, 65280.0, 164.0, 5000.25};
  for (double start : positions) {
    MixerRig rig(oneSample(rampSample(200, 1, 1), 100, 64));
    rig.play(0, 1, 1.0, start);
    rig.mix(4000);
    const double p = rig.engine.channel(0).position;
    EXPECT_GE(p, 100.0) << "start " << start;
    EXPECT_LT(p, 165.0) << "start " << start;
    for (int j = 0; j < 4000; ++j) ASSERT_NE(rig.l(j), 0) << "start " << start << " frame " << j;
  }
}

TEST(Mixer, ZeroLengthLoopEndsTheSampleAndNeverStalls) {
  MixerRig rig(oneSample(rampSample(100, 1, 1), 50, 0));
  rig.play(0, 1, 1.0, 45.0);
  rig.mix(20);
  for (int j = 0; j < 20; ++j) EXPECT_EQ(rig.l(j), j < 5 ? 64 * (46 + j) : 0) << "frame " << j;
  rig.mix(10);
  for (int j = 0; j < 10; ++j) EXPECT_EQ(rig.l(j), 0) << "frame " << j;
}

TEST(Mixer, FrequencyZeroIsSilenceAndKeepsThePosition) {
  MixerRig rig(oneSample(flatSample(100, 50), 0, 100));
  rig.play(0, 1, 0.0, 3.0);
  rig.mix(100);
  for (int j = 0; j < 100; ++j) EXPECT_EQ(rig.l(j), 0) << "frame " << j;
  EXPECT_EQ(rig.engine.channel(0).position, 3.0);
}

TEST(Mixer, SkippedChannels) {
  ModWriter writer = oneSample(flatSample(100, 50), 0, 100);
  writer.sample(2).data = flatSample(2, 50);  // 2 bytes: too short to mix
  MixerRig rig(writer);
  rig.play(0, 1, 1.0).noteDelay = 1;
  rig.play(1, 2, 1.0);
  rig.play(2, 0, 1.0);
  rig.mix(10);
  for (int j = 0; j < 10; ++j) {
    EXPECT_EQ(rig.l(j), 0) << "note delay: frame " << j;
    EXPECT_EQ(rig.r(j), 0) << "short sample / no sample: frame " << j;
  }
  EXPECT_EQ(rig.engine.channel(0).position, 0.0) << "a delayed channel does not advance";
}

TEST(Mixer, RenderBlockClipsTo16Bits) {
  ModWriter writer = oneSample(flatSample(100, 127), 0, 100);
  writer.sample(2).data = flatSample(100, -128);
  writer.sample(2).loopLength = 100;
  writer.setSong({0});
  MixerRig rig(writer);
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
  rig.engine.step();  // row 0 (empty), so the block below does not reset the channels
  rig.engine.buildVolumeTable(256);  // four times louder: two channels clip
  rig.play(0, 1, 1.0);
  rig.play(3, 1, 1.0);
  rig.play(1, 2, 1.0);
  rig.play(2, 2, 1.0);
  rig.engine.renderBlock(block.data(), 400);
  for (int j = 0; j < 100; ++j) {
    EXPECT_EQ(block[2 * j], 32767) << "frame " << j;
    EXPECT_EQ(block[2 * j + 1], -32768) << "frame " << j;
  }
}

TEST(Mixer, NoModuleRendersSilence) {
  ModEngine engine;
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2, 99);
  engine.renderBlock(block.data(), ModEngine::kBlockBytes);
  for (size_t i = 0; i < block.size(); ++i) ASSERT_EQ(block[i], 0) << "sample " << i;
  EXPECT_EQ(engine.framesRendered(), 0);
}

TEST(Mixer, SampleNumberBeforeAnyNoteIsSilent) {
  // A real module gives a sample number on a row before any note: the
  // channel has no frequency yet.
  ModWriter writer = oneSample(flatSample(200, 60), 0, 200);
  writer.setSong({0});
  writer.setCell(0, 0, 1, ModCell{0, 1, 0, 0});
  ModEngine engine;
  loadInto(engine, writer);
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2, 99);
  engine.renderBlock(block.data(), ModEngine::kBlockBytes);
  EXPECT_EQ(engine.channel(1).sample, 1);
  EXPECT_EQ(engine.channel(1).frequency, 0.0);
  for (size_t i = 0; i < block.size(); ++i) ASSERT_EQ(block[i], 0) << "sample " << i;
}

TEST(Mixer, NoteDelaySilencesTheChannelUntilItsTick) {
  ModWriter writer = oneSample(flatSample(60000, 10), 0, 0);
  writer.setSong({0});
  writer.setCell(0, 0, 0, ModCell{428, 1, 0xE, 0xD2});
  ModEngine engine;
  loadInto(engine, writer);
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
  engine.renderBlock(block.data(), ModEngine::kBlockBytes);
  for (int j = 0; j < 2 * 882; ++j) ASSERT_EQ(block[2 * j], 0) << "ticks 0 and 1, frame " << j;
  for (int j = 2 * 882; j < ModEngine::kBlockFrames; ++j) ASSERT_NEAR(block[2 * j], 640, 1) << "from tick 2, frame " << j;
  EXPECT_NEAR(engine.channel(0).position, 4000 * (kPeriodClock / 431 / 44100) - 2 * 882 * (kPeriodClock / 431 / 44100),
              0.01)
      << "the delayed ticks do not advance the position";
}

TEST(Mixer, NoteOnTheFirstRowSoundsFromFrameZero) {
  ModWriter writer = oneSample(flatSample(60000, 10), 0, 0);
  writer.setSong({0});
  writer.setCell(0, 0, 2, ModCell{428, 1, 0, 0});
  ModEngine engine;
  loadInto(engine, writer);
  std::vector<int16_t> block(ModEngine::kBlockFrames * 2);
  engine.renderBlock(block.data(), ModEngine::kBlockBytes);
  for (int j = 0; j < ModEngine::kBlockFrames; ++j) {
    ASSERT_EQ(block[2 * j], 0) << "left, frame " << j;
    // a x (1 - f) + b x f in single precision may land a hair below 640.
    ASSERT_NEAR(block[2 * j + 1], 640, 1) << "right, frame " << j;
  }
  EXPECT_NEAR(engine.channel(2).position, 4000 * (kPeriodClock / 431 / 44100), 0.01);
}

}  // namespace
}  // namespace wf
