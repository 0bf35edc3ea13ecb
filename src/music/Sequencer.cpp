// The pattern sequencer of ModEngine: song position, rows, ticks, effects.
//
// One small function per effect part. Effects without a behaviour here are
// ignored without a message. Every period look-up goes through periodAt(),
// which clamps the index to the table, and no frequency is ever computed from
// a period of 0 or below (it then keeps its last value).
#include <algorithm>  // Required for: std::min(), std::max(), std::clamp()

#include "music/ModEngine.h"
#include "music/Tables.h"

namespace wf {
namespace {

// safety: slides without a bound (2xx, E1x, E2x) could otherwise run a period
// out of the 32-bit range after hours; no audible value lies near these.
constexpr int32_t kPeriodLimit = 1 << 30;

int32_t boundedPeriod(int64_t period) {
  return static_cast<int32_t>(std::clamp<int64_t>(period, -kPeriodLimit, kPeriodLimit));
}

}  // namespace

int32_t ModEngine::framesPerTick(int32_t tempo) {
  if (tempo <= 0) tempo = 125;  // safety: only effect F sets a tempo, and only >= 32
  return static_cast<int32_t>(44100.0 / (tempo * 2.0 / 5.0));
}

void ModEngine::resetPlayback() {
  speed_ = 6;
  tempo_ = 125;
  tick_ = 0;
  samplesLeftInTick_ = 0;
  channels_.fill(ChannelState());
  buildVolumeTable(64);
}

int ModEngine::finetuneOf(const ChannelState& ch) const {
  if (ch.sample <= 0 || ch.sample >= kMaxSamples) return 0;
  return module_.samples[ch.sample].finetune;
}

void ModEngine::setFrequencyFrom(ChannelState& ch, int32_t period) {
  if (period > 0) ch.frequency = kPeriodClock / period;
}

void ModEngine::step() {
  lastStepPlayedRow_ = (tick_ == 0);
  if (tick_ == 0) {
    if (row_ == 0 && order_ == 0) resetPlayback();  // start or restart of the song
    playingOrder_ = order_;
    playingRow_ = row_;
    if (module_.loaded()) {
      const int pattern = module_.orders[order_];
      for (int c = 0; c < kChannels; ++c) currentRow_[c] = module_.cell(pattern, row_, c);
    } else {
      currentRow_.fill(PatternCell());
    }
    // The position advances before the row is processed, so a jump effect
    // sees, and overwrites, the already advanced row and order.
    if (++row_ >= kRowsPerPattern) {
      row_ = 0;
      ++order_;
    }
    if (order_ >= module_.songLength) {
      order_ = 0;
      row_ = 0;
    }
    processRow();
  } else {
    processTickEffects();
  }
  // A speed of 0 therefore behaves like 1: every tick is a row.
  if (++tick_ >= speed_) tick_ = 0;
  samplesLeftInTick_ = samplesPerTick_;
}

void ModEngine::processRow() {
  int32_t newOrder = order_;
  int32_t newRow = row_;
  // Channels in order, so a B or D in a later channel overrides an earlier one.
  for (int c = 0; c < kChannels; ++c) {
    ChannelState& ch = channels_[c];
    triggerCell(ch, currentRow_[c]);
    applyRowEffect(ch, newOrder, newRow);
    setFrequencyFrom(ch, ch.period);
  }
  row_ = newRow;
  order_ = newOrder;
}

// Sample and note of a cell. A note with a sample number restarts the sample;
// a note alone restarts it only under effect 0; with 3 or 5 a note only sets
// the portamento target.
void ModEngine::triggerCell(ChannelState& ch, const PatternCell& cell) {
  ch.effect = cell.effect;
  ch.param = cell.param;
  const bool portamento = cell.effect == 3 || cell.effect == 5;
  if (cell.sample > 0) {
    ch.sample = cell.sample;
    ch.volume = ch.effectiveVolume = module_.samples[cell.sample].volume;
    if (!portamento) ch.position = 0.0;
  }
  if (cell.noteIndex > 0) {  // deliberate: index 0 counts as "no note", like -1 (SequencerTrace.EveryEffectTickByTick)
    ch.note = cell.noteIndex;
    if (!portamento) ch.period = periodAt(ch.note + finetuneOf(ch));
    if (cell.sample == 0 && cell.effect == 0) ch.position = 0.0;
    ch.wavePos = 0;
    ch.vibratoSpeed = ch.vibratoDepth = 0;
    ch.tremoloSpeed = ch.tremoloDepth = 0;
  }
  ch.noteDelay = 0;
}

void ModEngine::applyRowEffect(ChannelState& ch, int32_t& newOrder, int32_t& newRow) {
  const int hi = ch.param >> 4;
  const int lo = ch.param & 15;
  switch (ch.effect) {
    case 0x3:  // tone portamento
      ch.portaTarget = periodAt(ch.note + finetuneOf(ch));
      if (ch.param > 0) ch.portaSpeed = ch.param;
      break;
    case 0x4:  // vibrato
      if (hi != 0) ch.vibratoSpeed = hi;
      if (lo != 0) ch.vibratoDepth = lo;
      break;
    case 0x5:  // tone portamento + volume slide: the speed stays
      ch.portaTarget = periodAt(ch.note + finetuneOf(ch));
      break;
    case 0x7:  // tremolo
      if (hi != 0) ch.tremoloSpeed = hi;
      if (lo != 0) ch.tremoloDepth = lo;
      break;
    case 0x9:  // sample offset
      ch.position = ch.param * 256.0;
      break;
    case 0xB:  // position jump, at most to the last order position
      newOrder = std::max(0, std::min(ch.param, module_.songLength - 1));
      newRow = 0;
      break;
    case 0xC:  // set volume
      ch.volume = ch.effectiveVolume = std::min(ch.param, 64);
      break;
    case 0xD: {  // pattern break: the order after the one being played
      newRow = 10 * hi + lo;
      if (newRow > 63) newRow = 0;
      newOrder = playingOrder_ + 1;
      if (newOrder >= module_.songLength) newOrder = 0;
      break;
    }
    case 0xE:
      applyExtendedRowEffect(ch);
      break;
    case 0xF:  // speed below 32, tempo from 32 on
      if (ch.param < 32) {
        speed_ = ch.param;
      } else {
        tempo_ = ch.param;
        samplesPerTick_ = framesPerTick(tempo_);
      }
      break;
    default:  // 0, 1, 2, 6, 8, A: nothing on the row
      break;
  }
}

void ModEngine::applyExtendedRowEffect(ChannelState& ch) {
  const int lo = ch.param & 15;
  switch (ch.param >> 4) {
    case 0x1:  // fine slide up, no lower bound
      ch.period = boundedPeriod(static_cast<int64_t>(ch.period) - lo);
      break;
    case 0x2:  // fine slide down
      ch.period = boundedPeriod(static_cast<int64_t>(ch.period) + lo);
      break;
    case 0xA:  // fine volume up
      ch.volume = ch.effectiveVolume = std::min(ch.volume + lo, 64);
      break;
    case 0xB:  // fine volume down
      ch.volume = ch.effectiveVolume = std::max(ch.volume - lo, 0);
      break;
    case 0xD:  // note delay
      ch.noteDelay = lo;
      break;
    default:
      break;
  }
}

void ModEngine::processTickEffects() {
  for (ChannelState& ch : channels_) applyTickEffect(ch);
}

void ModEngine::applyTickEffect(ChannelState& ch) {
  switch (ch.effect) {
    case 0x0:
      if (ch.param != 0) arpeggioTick(ch);
      break;
    case 0x1:  // slide up, not below 54
      ch.period = std::max(ch.period - ch.param, 54);
      setFrequencyFrom(ch, ch.period);
      break;
    case 0x2:  // slide down, no upper bound
      ch.period = boundedPeriod(static_cast<int64_t>(ch.period) + ch.param);
      setFrequencyFrom(ch, ch.period);
      break;
    case 0x3:
      tonePortamentoStep(ch);
      break;
    case 0x4:
      vibratoStep(ch);
      break;
    case 0x5:
      tonePortamentoStep(ch);
      volumeSlide(ch);
      break;
    case 0x6:
      vibratoStep(ch);
      volumeSlide(ch);
      break;
    case 0x7:
      tremoloStep(ch);
      break;
    case 0xA:
      volumeSlide(ch);
      break;
    case 0xE:
      applyExtendedTickEffect(ch);
      break;
    default:  // 8, 9, B, C, D, F: nothing on later ticks
      break;
  }
}

void ModEngine::applyExtendedTickEffect(ChannelState& ch) {
  const int lo = ch.param & 15;
  switch (ch.param >> 4) {
    case 0x9:  // retrigger every lo ticks; E90 never
      if (lo != 0 && tick_ % lo == 0) ch.position = 0.0;
      break;
    case 0xC:  // note cut from tick lo on (EC0 cuts on tick 1)
      if (tick_ >= lo) ch.volume = ch.effectiveVolume = 0;
      break;
    case 0xD:  // note delay counts down
      --ch.noteDelay;
      break;
    default:
      break;
  }
}

// The period itself stays; only the frequency follows the chord.
void ModEngine::arpeggioTick(ChannelState& ch) {
  const int hi = ch.param >> 4;
  const int lo = ch.param & 15;
  int32_t period = ch.period;
  switch (tick_ % 3) {
    case 1:
      period = periodAt(ch.note + 8 * hi + finetuneOf(ch));
      break;
    case 2:
      period = periodAt(ch.note + 8 * lo + finetuneOf(ch));
      break;
    default:
      break;
  }
  setFrequencyFrom(ch, period);
}

void ModEngine::tonePortamentoStep(ChannelState& ch) {
  if (ch.period < ch.portaTarget) {
    ch.period = std::min(ch.period + ch.portaSpeed, ch.portaTarget);
  } else if (ch.period > ch.portaTarget) {
    ch.period = std::max(ch.period - ch.portaSpeed, ch.portaTarget);
  }
  setFrequencyFrom(ch, ch.period);
}

// Arithmetic right shifts of negative products are intended (round toward
// minus infinity), as the wave swings below zero.
void ModEngine::vibratoStep(ChannelState& ch) {
  setFrequencyFrom(ch, ch.period + ((waveTable[ch.wavePos] * ch.vibratoDepth) >> 7));
  ch.wavePos += ch.vibratoSpeed;
  if (ch.wavePos > 63) ch.wavePos -= 64;
}

void ModEngine::tremoloStep(ChannelState& ch) {
  ch.effectiveVolume = std::clamp(ch.volume + ((waveTable[ch.wavePos] * ch.tremoloDepth) >> 6), 0, 64);
  ch.wavePos += ch.tremoloSpeed;
  if (ch.wavePos > 63) ch.wavePos -= 64;
}

void ModEngine::volumeSlide(ChannelState& ch) {
  ch.volume = ch.effectiveVolume = std::clamp(ch.volume + (ch.param >> 4) - (ch.param & 15), 0, 64);
}

}  // namespace wf
