// The player around the engine: events, the worker thread, the virtual
// device's refill points, play/stop/load, and the process-wide pointer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "music/AutoResetEvents.h"
#include "music/ModPlayer.h"
#include "platform/SdlSoundOutput.h"
#include "music/VirtualSoundOutput.h"
#include "support/ModWriter.h"
#include "support/TempDir.h"

namespace wf {
namespace {

using test::TempDir;

constexpr double kFrame = 1.0 / 44100.0;
double at(int64_t frames) { return static_cast<double>(frames) * kFrame; }

// A module that sounds from its first frame: a long loud loop on channel 0.
ModWriter audibleWriter() {
  ModWriter writer;
  writer.setTitle("audible");
  writer.sample(1).data = test::rampSample(2000, 3, 1);
  writer.sample(1).loopLength = 2000;
  writer.setSong({0, 0});
  for (int r = 0; r < 64; r += 4) writer.setCell(0, r, 0, ModCell{ModWriter::notePeriod(r % 24), 1, 0, 0});
  return writer;
}

// The first `blocks` blocks the engine renders for the same module.
std::vector<int16_t> referenceBlocks(const ModWriter& writer, int blocks) {
  ModEngine engine;
  test::loadInto(engine, writer);
  std::vector<int16_t> pcm(static_cast<size_t>(blocks) * ModEngine::kBlockFrames * 2);
  for (int b = 0; b < blocks; ++b) engine.renderBlock(&pcm[static_cast<size_t>(b) * ModEngine::kBlockFrames * 2], ModEngine::kBlockBytes);
  return pcm;
}

struct VirtualRig {
  VirtualRig() {
    auto device = std::make_unique<VirtualSoundOutput>();
    output = device.get();
    player = std::make_unique<ModPlayer>(std::move(device));
  }
  std::string writeModule(const ModWriter& writer) { return dir.write("song.mod", writer.build()); }

  TempDir dir;
  VirtualSoundOutput* output;
  std::unique_ptr<ModPlayer> player;
};

TEST(AutoResetEvents, LowestSignalledIndexFirstAndOnlyOnce) {
  AutoResetEvents events;
  events.signal(2);
  events.signal(1);
  events.signal(1);
  events.signal(0);
  EXPECT_EQ(events.waitAny(), 0);
  EXPECT_EQ(events.waitAny(), 1);
  EXPECT_EQ(events.waitAny(), 2);
  events.signal(1);
  events.resetAll();
  events.signal(2);
  EXPECT_EQ(events.waitAny(), 2);
}

TEST(ModPlayer, WithoutAnOutputNothingHappens) {
  ModPlayer player(nullptr);
  EXPECT_FALSE(player.initialised());
  TempDir dir;
  player.loadModule(dir.write("a.mod", audibleWriter().build()));
  player.play();
  EXPECT_FALSE(player.isPlaying());
  EXPECT_FALSE(player.state().loaded) << "loadModule does nothing when not initialised";
}

TEST(ModPlayer, CurrentIsTheLatestLivePlayer) {
  EXPECT_EQ(ModPlayer::current(), nullptr);
  {
    ModPlayer first(nullptr);
    EXPECT_EQ(ModPlayer::current(), &first);
    {
      ModPlayer second(std::make_unique<VirtualSoundOutput>());
      EXPECT_EQ(ModPlayer::current(), &second);
    }
    EXPECT_EQ(ModPlayer::current(), nullptr);
  }
  EXPECT_EQ(ModPlayer::current(), nullptr);
}

TEST(ModPlayer, OneBlockPerNotificationIntoTheHalfJustLeft) {
  VirtualRig rig;
  const ModWriter writer = audibleWriter();
  rig.player->loadModule(rig.writeModule(writer));
  ASSERT_TRUE(rig.player->initialised());
  rig.player->play();
  ASSERT_TRUE(rig.player->isPlaying());
  rig.output->advanceTo(at(3999));
  EXPECT_EQ(rig.player->state().blocksRendered, 0);
  rig.output->advanceTo(at(4000));  // cursor reaches 16000
  EXPECT_EQ(rig.player->state().blocksRendered, 1);
  rig.output->advanceTo(at(7999));
  EXPECT_EQ(rig.player->state().blocksRendered, 1);
  rig.output->advanceTo(at(8000));  // cursor back at 0
  EXPECT_EQ(rig.player->state().blocksRendered, 2);
  rig.output->advanceTo(at(20000));
  EXPECT_EQ(rig.player->state().blocksRendered, 5);
  EXPECT_EQ(rig.player->state().framesRendered, 5 * 4000);

  // Frames 0..7999 play the silent ring; block 0 (rendered when the cursor
  // left the first half) plays from frame 8000, block 1 from 12000.
  const std::vector<int16_t>& pcm = rig.output->pcm();
  ASSERT_EQ(pcm.size(), 2u * 20000);
  for (size_t i = 0; i < 2 * 8000; ++i) ASSERT_EQ(pcm[i], 0) << "sample " << i;
  const std::vector<int16_t> reference = referenceBlocks(writer, 3);
  for (size_t i = 0; i < reference.size(); ++i) ASSERT_EQ(pcm[2 * 8000 + i], reference[i]) << "sample " << i;
  bool audible = false;
  for (int16_t v : reference) audible = audible || v != 0;
  EXPECT_TRUE(audible);
}

TEST(ModPlayer, StopAndPlayKeepThePositions) {
  VirtualRig rig;
  const ModWriter writer = audibleWriter();
  rig.player->loadModule(rig.writeModule(writer));
  rig.player->play();
  rig.output->advanceTo(at(10000));  // two blocks
  rig.player->stop();
  EXPECT_FALSE(rig.player->isPlaying());
  const MusicState stopped = rig.player->state();
  EXPECT_EQ(rig.output->cursor(), (10000 * 4) % 32000);
  rig.output->advanceTo(at(30000));  // stopped: silence, no blocks
  EXPECT_EQ(rig.player->state().blocksRendered, 2);
  EXPECT_EQ(rig.player->state().framesRendered, stopped.framesRendered);
  for (size_t i = 2 * 10000; i < 2 * 30000; ++i) ASSERT_EQ(rig.output->pcm()[i], 0) << "sample " << i;
  rig.player->play();
  // The cursor stood 2000 frames into the first half (block 0): the rest of
  // block 0 plays, then block 1; block 2 is rendered when the cursor leaves
  // the first half again and plays after block 1.
  rig.output->advanceTo(at(30000 + 10000));
  EXPECT_EQ(rig.player->state().blocksRendered, 5) << "refills at +2000, +6000 and +10000 frames";
  const std::vector<int16_t> reference = referenceBlocks(writer, 3);
  const std::vector<int16_t>& pcm = rig.output->pcm();
  ASSERT_EQ(pcm.size(), 2u * 40000);
  for (int j = 0; j < 10000; ++j) {
    ASSERT_EQ(pcm[2 * (30000 + j)], reference[2 * (2000 + j)]) << "frame " << j;
    ASSERT_EQ(pcm[2 * (30000 + j) + 1], reference[2 * (2000 + j) + 1]) << "frame " << j;
  }
}

TEST(ModPlayer, LoadingStopsAndRewinds) {
  VirtualRig rig;
  const std::string path = rig.writeModule(audibleWriter());
  rig.player->loadModule(path);
  rig.player->play();
  rig.output->advanceTo(at(20000));
  ASSERT_GT(rig.player->state().framesRendered, 0);
  rig.player->loadModule(path);
  EXPECT_FALSE(rig.player->isPlaying());
  const MusicState state = rig.player->state();
  EXPECT_EQ(state.order, 0);
  EXPECT_EQ(state.row, 0);
  EXPECT_EQ(state.tick, 0);
  EXPECT_EQ(state.title, "audible");
  rig.player->play();
  rig.output->advanceTo(at(40000));
  EXPECT_TRUE(rig.player->isPlaying());
}

TEST(ModPlayer, PlayWithoutAModuleIsSilence) {
  VirtualRig rig;
  rig.player->play();
  rig.output->advanceTo(at(20000));
  EXPECT_EQ(rig.player->state().blocksRendered, 5);
  for (int16_t v : rig.output->pcm()) ASSERT_EQ(v, 0);
}

TEST(ModPlayer, UnreadableFileLeavesNoModule) {
  VirtualRig rig;
  rig.player->loadModule(rig.writeModule(audibleWriter()));
  ASSERT_TRUE(rig.player->state().loaded);
  rig.player->loadModule(rig.dir.file("missing.mod"));
  EXPECT_FALSE(rig.player->state().loaded);
  rig.player->play();
  rig.output->advanceTo(at(12000));
  for (int16_t v : rig.output->pcm()) ASSERT_EQ(v, 0);
}

TEST(ModPlayer, DestructionStopsTheWorker) {
  auto device = std::make_unique<VirtualSoundOutput>();
  VirtualSoundOutput* output = device.get();
  {
    ModPlayer player(std::move(device));
    player.play();
    output = nullptr;  // owned by the player, gone with it
  }
  EXPECT_EQ(ModPlayer::current(), nullptr);
  EXPECT_EQ(output, nullptr);
}

TEST(VirtualSoundOutput, WavFileHoldsEveryFramePlayed) {
  VirtualRig rig;
  rig.player->loadModule(rig.writeModule(audibleWriter()));
  rig.player->play();
  rig.output->advanceTo(1.0);
  EXPECT_EQ(rig.output->framesPlayed(), 44100);
  rig.output->advanceTo(0.5);  // time never runs back
  EXPECT_EQ(rig.output->framesPlayed(), 44100);
  const std::string path = rig.dir.file("audio.wav");
  ASSERT_TRUE(rig.output->writeWav(path));
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 44u + 44100u * 4);
  EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
  EXPECT_EQ(std::memcmp(bytes.data() + 8, "WAVEfmt ", 8), 0);
  auto u32 = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24; };
  auto u16 = [&](size_t at) { return bytes[at] | bytes[at + 1] << 8; };
  EXPECT_EQ(u32(4), 36u + 44100u * 4);
  EXPECT_EQ(u16(20), 1) << "PCM";
  EXPECT_EQ(u16(22), 2) << "stereo";
  EXPECT_EQ(u32(24), 44100u);
  EXPECT_EQ(u32(28), 176400u);
  EXPECT_EQ(u16(32), 4);
  EXPECT_EQ(u16(34), 16);
  EXPECT_EQ(std::memcmp(bytes.data() + 36, "data", 4), 0);
  EXPECT_EQ(u32(40), 44100u * 4);
  const std::vector<int16_t>& pcm = rig.output->pcm();
  for (size_t i = 0; i < pcm.size(); ++i)
    ASSERT_EQ(static_cast<int16_t>(u16(44 + 2 * i)), pcm[i]) << "sample " << i;
}

TEST(VirtualSoundOutput, KeepsOnlyWhatItIsToldToButPlaysEverything) {
  VirtualRig rig;
  const ModWriter writer = audibleWriter();
  rig.player->loadModule(rig.writeModule(writer));
  rig.player->play();
  rig.output->recordNothing();
  rig.output->advanceTo(at(10000));
  EXPECT_EQ(rig.player->state().blocksRendered, 2) << "the cursor refills the ring as when recording";
  EXPECT_TRUE(rig.output->pcm().empty());
  const std::string path = rig.dir.file("part.wav");
  ASSERT_TRUE(rig.output->recordToWav(path));
  rig.output->advanceTo(at(20000));
  ASSERT_TRUE(rig.output->finishRecording());
  EXPECT_TRUE(rig.output->pcm().empty());
  // Block 0 plays from frame 8000, so frames 10000.. of the stream are its
  // frames 2000.. and on.
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 44u + 10000u * 4);
  EXPECT_EQ(bytes[40] | bytes[41] << 8 | bytes[42] << 16, 10000 * 4) << "data size in the header";
  const std::vector<int16_t> reference = referenceBlocks(writer, 3);
  for (size_t i = 0; i < 2 * 10000; ++i)
    ASSERT_EQ(static_cast<int16_t>(bytes[44 + 2 * i] | bytes[45 + 2 * i] << 8), reference[2 * 2000 + i]) << "sample " << i;
}

TEST(VirtualSoundOutput, FrameOfATimeIsFloorWithATolerance) {
  VirtualSoundOutput output;
  output.advanceTo(1.0 / 60.0 * 3);  // 2205 frames exactly
  EXPECT_EQ(output.framesPlayed(), 2205);
  output.advanceTo(at(2205) + 0.5 * kFrame);
  EXPECT_EQ(output.framesPlayed(), 2205);
  output.advanceTo(-1.0);
  EXPECT_EQ(output.framesPlayed(), 2205);
}

TEST(SdlSoundOutput, NoDeviceMeansNotInitialised) {
  const char* previous = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = previous ? previous : "";
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  {
    ModPlayer player(std::make_unique<SdlSoundOutput>());
    EXPECT_FALSE(player.initialised());
    player.play();
    EXPECT_FALSE(player.isPlaying());
  }
  if (previous)
    ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
  else
    ::unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
}  // namespace wf
