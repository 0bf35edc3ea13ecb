// The player around the engine: the worker thread, the virtual device's
// refill points, play/stop/load, and the process-wide pointer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "music/AutoResetEvents.h"
#include "music/ModPlayer.h"
#include "music/ModuleInfo.h"
#include "music/VirtualSoundOutput.h"
#include "platform/SdlSoundOutput.h"
#include "support/ModWriter.h"
#include "support/TempDir.h"

namespace wf {
namespace {

double at(int64_t frames) { return static_cast<double>(frames) / 44100.0; }

// A module that sounds from its first frame: a long loud loop on channel 0.
ModWriter audibleWriter() {
  ModWriter writer;
  writer.setTitle("audible");
  writer.sample(1) = ModSample{"", test::rampSample(2000, 3, 1), 0, 64, 0, 2000};
  writer.setSong({0, 0});
  for (int r = 0; r < 64; r += 4) writer.setCell(0, r, 0, ModCell{ModWriter::notePeriod(r % 24), 1, 0, 0});
  return writer;
}

// `count` stereo frames of `pcm` from frame `from`, zeros past its end.
std::vector<int16_t> frames(const std::vector<int16_t>& pcm, size_t from, size_t count) {
  std::vector<int16_t> part(2 * count, 0);
  for (size_t i = 0; i < part.size() && 2 * from + i < pcm.size(); ++i) part[i] = pcm[2 * from + i];
  return part;
}

TEST(AutoResetEvents, LowestSignalledIndexFirstAndOnlyOnce) {
  AutoResetEvents events;
  for (int e : {2, 1, 1, 0}) events.signal(e);
  EXPECT_EQ(std::vector<int>({events.waitAny(), events.waitAny(), events.waitAny()}), std::vector<int>({0, 1, 2}));
}

// current() is the latest live player; destroying a playing player ends its
// worker; a player whose device cannot open does nothing.
TEST(ModPlayer, CurrentPlayerAndAPlayerWithoutADevice) {
  EXPECT_EQ(ModPlayer::current(), nullptr);
  {
    ModPlayer first(std::make_unique<VirtualSoundOutput>());
    ModPlayer second(std::make_unique<VirtualSoundOutput>());
    EXPECT_EQ(ModPlayer::current(), &second);
    second.play();
  }
  EXPECT_EQ(ModPlayer::current(), nullptr);
  test::TempDir dir;
  const char* previous = std::getenv("SDL_AUDIODRIVER");
  const std::string saved = previous ? previous : "";
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  {
    ModPlayer player(std::make_unique<SdlSoundOutput>());
    player.loadModule(dir.write("a.mod", audibleWriter().build()));
    player.play();
    EXPECT_FALSE(player.initialised() || player.isPlaying() || player.state().loaded) << "no SDL device: nothing happens";
  }
  previous ? ::setenv("SDL_AUDIODRIVER", saved.c_str(), 1) : ::unsetenv("SDL_AUDIODRIVER");
}

// One player on the virtual device through play, stop, play, load and an
// unreadable file, with its state and its WAV file; then the device's clock.
// The ring (8000 frames) starts silent; each refill renders a block of 4000
// frames into the half the cursor has just left.
TEST(ModPlayer, RefillsStopPlayLoadAndTheWavOfItAll) {
  test::TempDir dir;
  auto device = std::make_unique<VirtualSoundOutput>();
  VirtualSoundOutput& out = *device;
  ModPlayer player(std::move(device));
  const std::string path = dir.write("song.mod", audibleWriter().build());
  player.loadModule(path);
  ModEngine engine;
  test::loadInto(engine, audibleWriter());
  std::vector<int16_t> reference(3 * ModEngine::kBlockFrames * 2);  // the engine's first three blocks
  for (size_t b = 0; b < 3; ++b) engine.renderBlock(&reference[b * 8000], ModEngine::kBlockBytes);

  player.play();
  ASSERT_TRUE(player.initialised() && player.isPlaying());
  // (frame, blocks rendered by then): the cursor reaches 16000 bytes at frame 4000, the start again at 8000.
  for (const auto& s : {std::pair{3999, 0}, {4000, 1}, {7999, 1}, {8000, 2}, {10000, 2}}) {
    out.advanceTo(at(s.first));
    EXPECT_EQ(player.state().blocksRendered, s.second) << "at frame " << s.first;
  }
  // The state as the scene dump shows it: rows 0 and 1 played, the note of
  // row 0 (period 1712) sounding at the double nearest 3579545.25 / 1712.
  const std::string json = musicStateJson(player);
  EXPECT_EQ(json.front() + std::string(1, json.back()), "{}");
  for (const char* part : {"\"initialised\": true", "\"playing\": true", "\"loaded\": true", "\"title\": \"audible\"",
                           "\"speed\": 6", "\"tempo\": 125", "\"framesRendered\": 8000", "\"blocksRendered\": 2",
                           "\"order\": 0", "\"row\": 2", "\"period\": 1712", "\"frequency\": 2090.8558703271028,"})
    EXPECT_NE(json.find(part), std::string::npos) << part << " in " << json;
  player.stop();
  EXPECT_FALSE(player.isPlaying());
  EXPECT_EQ(out.cursor(), (10000 * 4) % 32000);
  out.advanceTo(at(30000));  // stopped: silence, no blocks
  EXPECT_EQ(player.state().framesRendered, 8000) << "no blocks while stopped";
  player.play();
  // The cursor stood 2000 frames into block 0: the rest of it plays, then
  // block 1; block 2 is rendered when the cursor leaves the first half again.
  out.advanceTo(at(30000 + 10000));
  EXPECT_EQ(player.state().blocksRendered, 5) << "refills at +2000, +6000 and +10000 frames";
  ASSERT_EQ(out.pcm().size(), 2u * 40000);
  EXPECT_EQ(frames(out.pcm(), 0, 8000), frames({}, 0, 8000)) << "the silent ring";
  EXPECT_EQ(frames(out.pcm(), 8000, 2000), frames(reference, 0, 2000)) << "block 0 until the stop";
  EXPECT_EQ(frames(out.pcm(), 10000, 20000), frames({}, 0, 20000)) << "stopped";
  EXPECT_EQ(frames(out.pcm(), 30000, 10000), frames(reference, 2000, 10000)) << "played on";

  player.loadModule(path);
  EXPECT_FALSE(player.isPlaying()) << "loading stops";
  const MusicState state = player.state();
  EXPECT_EQ(std::vector<int>({state.order, state.row, state.tick}), std::vector<int>({0, 0, 0})) << "and rewinds";
  player.loadModule(dir.file("missing.mod"));
  EXPECT_FALSE(player.state().loaded);
  player.play();
  out.advanceTo(at(60000));
  EXPECT_EQ(player.state().blocksRendered, 10) << "blocks of silence";
  EXPECT_EQ(frames(out.pcm(), 40000, 20000), frames({}, 0, 20000));
  out.advanceTo(at(50000));  // time never runs back
  EXPECT_EQ(out.framesPlayed(), 60000);

  // Everything played, as a WAV file: RIFF size, "fmt " size 16, PCM, 2
  // channels, 44100 Hz, 176400 bytes/s, 4 bytes a frame, 16 bits, data size.
  ASSERT_TRUE(out.writeWav(dir.file("audio.wav")));
  const std::string wav = test::readTextFile(dir.file("audio.wav"));
  ASSERT_EQ(wav.size(), 44u + 60000u * 4);
  EXPECT_EQ(wav.substr(0, 44), std::string("RIFF\xa4\xa9\x03\0WAVEfmt \x10\0\0\0\x01\0\x02\0\x44\xac\0\0\x10\xb1\x02\0\x04\0\x10\0"
                                           "data\x80\xa9\x03\0", 44));
  EXPECT_EQ(std::memcmp(wav.data() + 44, out.pcm().data(), 60000 * 4), 0) << "the samples (little-endian host)";
  VirtualSoundOutput clock;  // a time plays up to its frame, floor(t x 44100), despite the rounding of 1/60
  for (double t : {1.0 / 60.0 * 3, at(2205) + 0.5 / 44100.0, -1.0}) {
    clock.advanceTo(t);
    EXPECT_EQ(clock.framesPlayed(), 2205) << "t = " << t;
  }
}


TEST(VirtualSoundOutput, KeepsOnlyWhatItIsToldToButPlaysEverything) {
  test::TempDir dir;
  auto device = std::make_unique<VirtualSoundOutput>();
  VirtualSoundOutput& out = *device;
  ModPlayer player(std::move(device));
  player.loadModule(dir.write("song.mod", audibleWriter().build()));
  ModEngine engine;
  test::loadInto(engine, audibleWriter());
  std::vector<int16_t> reference(3 * ModEngine::kBlockFrames * 2);
  for (size_t b = 0; b < 3; ++b) engine.renderBlock(&reference[b * 8000], ModEngine::kBlockBytes);
  player.play();
  out.recordNothing();
  out.advanceTo(at(10000));
  EXPECT_EQ(player.state().blocksRendered, 2) << "the cursor refills the ring as when recording";
  EXPECT_TRUE(out.pcm().empty());
  ASSERT_TRUE(out.recordToWav(dir.file("part.wav")));
  out.advanceTo(at(20000));
  ASSERT_TRUE(out.finishRecording());
  EXPECT_TRUE(out.pcm().empty());
  // Block 0 plays from frame 8000, so frames 10000.. of the stream are its frames 2000.. and on.
  const std::string wav = test::readTextFile(dir.file("part.wav"));
  ASSERT_EQ(wav.size(), 44u + 10000u * 4);
  EXPECT_EQ(std::memcmp(wav.data() + 40, "\x40\x9c\0\0", 4), 0) << "data size 40000 in the header";
  EXPECT_EQ(std::memcmp(wav.data() + 44, &reference[2 * 2000], 10000 * 4), 0) << "the samples (little-endian host)";
  // Reload and seek move the song to a frame by mixing silently: sequencer and samples stand where playing leaves them.
  player.playFrom(30000);
  std::vector<int16_t> skipped(30000 * 2);
  test::loadInto(engine, audibleWriter());
  engine.renderBlock(skipped.data(), skipped.size() * 2);
  const MusicState s = player.state();
  EXPECT_EQ(std::vector<double>({double(s.order), double(s.row), double(s.tick), s.channels[0].position}),
            std::vector<double>({double(engine.order()), double(engine.row()), double(engine.tick()), engine.channel(0).position}));
  EXPECT_TRUE(player.isPlaying() && engine.row() != 0);
}

}  // namespace
}  // namespace wf
