// The mixer of ModEngine: volume table, block rendering and span mixing.
//
// Numbers: the sample position is a double in sample bytes; the step per
// output frame and the interpolation weight are single-precision floats;
// every channel adds trunc(a x (1 - f) + b x f) with a, b the volume-scaled
// bytes at the position and the one after it. Left is channels 0 and 3,
// right is 1 and 2; the sums are clipped to 16 bits.
#include <algorithm>  // Required for: std::min(), std::clamp()
#include <cmath>      // Required for: std::fmod()

#include "music/ModEngine.h"
#include "music/Tables.h"

namespace wf {
namespace {

// Adds `count` interpolated frames to `out` and returns the new position.
// The restrict qualifiers tell the compiler the accumulators never alias the
// sample or the volume table, which keeps the loop free of reloads.
double mixRun(const int8_t* __restrict data, int32_t last, const float* __restrict volumeRow, double position,
              float step, int count, int32_t* __restrict out) {
  for (int k = 0; k < count; ++k) {
    int32_t i = static_cast<int32_t>(position);
    const float f = static_cast<float>(position - i);
    if (i > last) i = last;
    const float a = volumeRow[static_cast<uint8_t>(data[i])];
    const float b = volumeRow[static_cast<uint8_t>(data[i + 1])];
    out[k] += static_cast<int32_t>(a * (1.0f - f) + b * f);
    position += step;
  }
  return position;
}

}  // namespace

ModEngine::ModEngine() {
  buildVolumeTable(64);
}

LoadResult ModEngine::load(const uint8_t* data, size_t size) {
  LoadResult result = loadModuleData(data, size, module_);
  resetPlayback();
  rewind();
  return result;
}

void ModEngine::unload() {
  module_.clear();
  resetPlayback();
  rewind();
}

void ModEngine::buildVolumeTable(int master) {
  for (int v = 0; v < kVolumeLevels; ++v)
    for (int b = 0; b < 256; ++b) {
      const int s = static_cast<int8_t>(static_cast<uint8_t>(b));
      volumeTable_[v][b] = (master * v * s) / 64;  // truncates toward zero
      // The same values as floats (exact: all far below 2^24), so the mix
      // loop skips two int-to-float conversions per frame.
      volumeTableAsFloat_[v][b] = static_cast<float>(volumeTable_[v][b]);
    }
}

void ModEngine::renderBlock(int16_t* destination, size_t bytes) {
  const size_t frames = bytes / 4;
  if (left_.size() < frames) {
    left_.resize(frames);
    right_.resize(frames);
  }
  runBlock(frames, left_.data(), right_.data());
  for (size_t j = 0; j < frames; ++j) {
    destination[2 * j] = static_cast<int16_t>(std::clamp(left_[j], -32768, 32767));
    destination[2 * j + 1] = static_cast<int16_t>(std::clamp(right_[j], -32768, 32767));
  }
}

void ModEngine::skipBlock(size_t bytes) { runBlock(bytes / 4, nullptr, nullptr); }

void ModEngine::runBlock(size_t frames, int32_t* left, int32_t* right) {
  if (!module_.loaded()) {  // no module: silence, and time stands still
    if (left) std::fill(left, left + frames, 0);
    if (right) std::fill(right, right + frames, 0);
    return;
  }
  samplesPerTick_ = framesPerTick(tempo_);
  size_t done = 0;
  while (done < frames) {
    if (samplesLeftInTick_ == 0) {
      step();
      if (observer_) observer_->afterStep(*this, framesRendered_);
    }
    const int n = static_cast<int>(std::min<size_t>(samplesLeftInTick_, frames - done));
    samplesLeftInTick_ -= n;
    if (left) mixSpan(n, left + done, right + done);
    done += n;
    framesRendered_ += n;
  }
}

void ModEngine::mixSpan(int frames, int32_t* left, int32_t* right) {
  std::fill(left, left + frames, 0);
  std::fill(right, right + frames, 0);
  for (int c = 0; c < kChannels; ++c) {
    ChannelState& ch = channels_[c];
    if (ch.sample <= 0 || ch.sample >= kMaxSamples) continue;
    if (module_.samples[ch.sample].length <= 2 || ch.noteDelay > 0) continue;
    // A sample number given before any note leaves the frequency 0: the
    // step would be 0 and the count formulas would divide by it. Silence.
    if (!(ch.frequency > 0.0)) continue;
    mixChannel(ch, frames, (c == 0 || c == 3) ? left : right);
  }
}

void ModEngine::mixChannel(ChannelState& ch, int frames, int32_t* out) {
  const SampleHeader& sample = module_.samples[ch.sample];
  const int8_t* data = sample.data.data();
  const float* volumeRow = volumeTableAsFloat_[std::clamp(ch.effectiveVolume, 0, 64)];
  const float step = static_cast<float>(ch.frequency / kOutputRate);
  const bool looping = sample.loopEnd > 2;
  double position = ch.position;
  int remaining = frames;

  while (remaining > 0) {
    int32_t end;  // the mix stops before this byte
    int count;
    if (looping) {
      if (position >= sample.loopEnd) {
        // safety: a zero-length loop cannot bring the position back; the
        // sample then ends at its loop end.
        if (sample.loopLength <= 0) break;
        position -= sample.loopLength;
        // safety: a sample offset can put the position several loop
        // lengths beyond the end; one subtraction per pass would stall.
        if (position >= sample.loopEnd)
          position = sample.loopStart + std::fmod(position - sample.loopStart, static_cast<double>(sample.loopLength));
      }
      end = sample.loopEnd;
      const float span = static_cast<float>(end - static_cast<int32_t>(position) - 1) / step + 1.0f;
      count = span >= static_cast<float>(remaining) ? remaining : static_cast<int>(span);
      if (count < 1) count = 1;  // safety: rounding must not stall the loop
      remaining -= count;
    } else {
      end = sample.length;
      if (static_cast<int32_t>(position) >= sample.length) break;  // ended: stays selected, adds nothing
      // deliberate: the count follows the formula, so a span may end a
      // fraction of a frame early; stored productions sound that way
      // (Mixer.SpansOfOneChannel).
      const float span = static_cast<float>(end - 1 - static_cast<int32_t>(position)) / step + 1.0f;
      count = span >= static_cast<float>(frames) ? frames : static_cast<int>(span);
      remaining = 0;
    }
    // safety: float rounding of the count must never read past the guard
    // byte at `end` (the buffer holds length + 1 bytes).
    position = mixRun(data, end - 1, volumeRow, position, step, count, out);
    out += count;
  }
  ch.position = position;
}

int64_t ModEngine::framesUntilRepeat(int64_t capFrames) {
  class RepeatFinder : public StepObserver {
   public:
    void afterStep(const ModEngine& engine, int64_t startFrame) override {
      if (found || !engine.lastStepPlayedRow()) return;
      bool& seen = played[engine.playingOrder()][engine.playingRow()];
      if (seen) {
        found = true;
        frame = startFrame;
      }
      seen = true;
    }
    bool played[kOrderCount][kRowsPerPattern] = {};
    bool found = false;
    int64_t frame = 0;
  };
  if (!module_.loaded()) return 0;
  RepeatFinder finder;
  StepObserver* previous = observer_;
  observer_ = &finder;
  resetPlayback();
  rewind();
  const int64_t start = framesRendered_;
  while (!finder.found && framesRendered_ - start < capFrames) skipBlock(kBlockBytes);
  observer_ = previous;
  resetPlayback();
  rewind();
  framesRendered_ = start;
  return finder.found ? std::min(finder.frame - start, capFrames) : capFrames;
}

}  // namespace wf
