// The platform-free heart of the module player: sequencer and mixer.
//
// Depends on: Module, ModuleLoader, Tables. No platform calls, no threads:
// ModPlayer runs it on its worker thread, the command-line tools and tests
// call it directly.
//
// Time: one tick lasts samplesPerTick output frames (44100 per second), one
// row lasts `speed` ticks. renderBlock runs the sequencer step whenever the
// frames of the current tick are used up and mixes the frames in between
// with mixSpan. Output: 16-bit signed stereo, interleaved left, right.
// Channels 0 and 3 sound left, 1 and 2 right.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "music/Module.h"
#include "music/ModuleLoader.h"

namespace wf {

// The playing state of one of the four channels; all zero after a reset.
struct ChannelState {
  int32_t sample = 0;           // current sample number, 0 = none (silent)
  int32_t note = 0;             // last note index given to the channel
  int32_t period = 0;           // current period (clock divider)
  int32_t volume = 0;           // 0..64
  int32_t effectiveVolume = 0;  // volume the mixer uses (volume, or with tremolo), 0..64
  double frequency = 0.0;       // Hz = kPeriodClock / period; 0 until the first note
  double position = 0.0;        // in sample bytes, fractional
  int32_t effect = 0;           // effect number of the current row, 0..15
  int32_t param = 0;            // its parameter, 0..255
  int32_t portaTarget = 0;      // tone portamento target period
  int32_t portaSpeed = 0;       // tone portamento step per tick
  int32_t noteDelay = 0;        // ticks the channel stays muted (ED)
  int32_t wavePos = 0;          // 0..63 in waveTable, shared by vibrato and tremolo
  int32_t vibratoSpeed = 0;
  int32_t vibratoDepth = 0;
  int32_t tremoloSpeed = 0;
  int32_t tremoloDepth = 0;
};

class ModEngine;

// Sees the engine after every sequencer step (traces, song-length search).
class StepObserver {
 public:
  virtual ~StepObserver() = default;
  // `startFrame` is the output frame at which the step's tick begins.
  virtual void afterStep(const ModEngine& engine, int64_t startFrame) = 0;
};

class ModEngine {
 public:
  static constexpr int kBlockBytes = 16000;  // one half of the streaming buffer
  static constexpr int kBlockFrames = kBlockBytes / 4;
  static constexpr int kVolumeLevels = 65;   // volumes 0..64

  ModEngine();

  // Replaces the module with the file's content and rewinds to order 0, row 0.
  LoadResult load(const uint8_t* data, size_t size);
  // Forgets the module; rendering then gives silence.
  void unload();
  const Module& module() const { return module_; }
  bool loaded() const { return module_.loaded(); }

  // Default speed and tempo, tick 0, every channel cleared, volume table
  // rebuilt. Row, order and samplesPerTick stay.
  void resetPlayback();
  // Puts the song position back to its start (order 0, row 0).
  void rewind() { row_ = 0; order_ = 0; }

  // One tick of the sequencer: the row on tick 0, the tick effects otherwise.
  void step();
  void processRow();
  void processTickEffects();

  // entry [v][b] = (master x v x s) / 64, s = b as a signed byte.
  void buildVolumeTable(int master);

  // Fills `bytes / 4` frames (left, right) at `destination`.
  void renderBlock(int16_t* destination, size_t bytes);
  // Advances time exactly as renderBlock does, without mixing.
  void skipBlock(size_t bytes);
  // Mixes n frames of the current tick; clears left/right[0..n-1] first.
  void mixSpan(int frames, int32_t* left, int32_t* right);

  // Output frames until the sequencer is about to play an (order, row) pair
  // it has already played since the start, at most `capFrames`. Rewinds the
  // song first and leaves the engine rewound afterwards.
  int64_t framesUntilRepeat(int64_t capFrames);

  // Sequencer state, readable for the state dump and tests.
  int32_t speed() const { return speed_; }
  int32_t tempo() const { return tempo_; }
  int32_t tick() const { return tick_; }
  int32_t row() const { return row_; }
  int32_t order() const { return order_; }
  int32_t samplesPerTick() const { return samplesPerTick_; }
  int32_t samplesLeftInTick() const { return samplesLeftInTick_; }
  // Where the row of the current tick came from (before the advance).
  int32_t playingOrder() const { return playingOrder_; }
  int32_t playingRow() const { return playingRow_; }
  // Whether the last step played a row (tick 0) rather than tick effects.
  bool lastStepPlayedRow() const { return lastStepPlayedRow_; }
  int64_t framesRendered() const { return framesRendered_; }
  const ChannelState& channel(int index) const { return channels_[index]; }
  ChannelState& channel(int index) { return channels_[index]; }
  int32_t volumeEntry(int volume, int byte) const { return volumeTable_[volume][byte]; }

  // Direct positioning, for tests and tools.
  void setPosition(int32_t order, int32_t row) { order_ = order; row_ = row; }
  void setStepObserver(StepObserver* observer) { observer_ = observer; }

  // trunc(44100 / (tempo x 2 / 5)) in double precision: 882 at tempo 125.
  static int32_t framesPerTick(int32_t tempo);

 private:
  void runBlock(size_t frames, int32_t* left, int32_t* right);
  void mixChannel(ChannelState& ch, int frames, int32_t* out);
  int finetuneOf(const ChannelState& ch) const;

  // Row parts and tick parts of the effects.
  void triggerCell(ChannelState& ch, const PatternCell& cell);
  void applyRowEffect(ChannelState& ch, int32_t& newOrder, int32_t& newRow);
  void applyExtendedRowEffect(ChannelState& ch);
  void applyTickEffect(ChannelState& ch);
  void applyExtendedTickEffect(ChannelState& ch);
  void arpeggioTick(ChannelState& ch);
  void tonePortamentoStep(ChannelState& ch);
  void vibratoStep(ChannelState& ch);
  void tremoloStep(ChannelState& ch);
  void volumeSlide(ChannelState& ch);
  static void setFrequencyFrom(ChannelState& ch, int32_t period);

  Module module_;
  int32_t speed_ = 6;
  int32_t tempo_ = 125;
  int32_t tick_ = 0;
  int32_t row_ = 0;
  int32_t order_ = 0;
  int32_t samplesPerTick_ = 882;
  int32_t samplesLeftInTick_ = 0;
  int32_t playingOrder_ = 0;
  int32_t playingRow_ = 0;
  bool lastStepPlayedRow_ = false;
  int64_t framesRendered_ = 0;
  std::array<PatternCell, kChannels> currentRow_{};
  std::array<ChannelState, kChannels> channels_{};
  int32_t volumeTable_[kVolumeLevels][256];
  float volumeTableAsFloat_[kVolumeLevels][256];
  std::vector<int32_t> left_, right_;
  StepObserver* observer_ = nullptr;
};

}  // namespace wf
