// Synthesised instruments for the module composer: every sample of a
// composed module is computed here from a kind and a few numbers, so a score
// needs no audio files and the same score always gives the same bytes.
//
// Depends on: music/ModWriter (ModSample). Pure arithmetic; the noise comes
// from a generator local to each sample (seeded by the `seed` option), never
// from the engine's shared random state.
//
// Pitch convention (what a note in the score sounds like): the player reads a
// sample at 3579545.25 / period bytes per second, so at C-2 (period 428) it
// reads 8363.42 bytes per second.
//   - Tonal kinds (bass, lead, pad, bell) repeat their waveform every `cycle`
//     bytes; C-2 therefore sounds at 8363.42 / cycle Hz: 261.36 Hz (a hair
//     under middle C) with the default cycle of 32, 130.68 Hz with 64.
//   - Drum kinds (kick, snare, hat) are computed at 16726.84 bytes per second,
//     the reading rate of C-3: triggered at C-3 they play at their own pitch
//     and length; other notes transpose and stretch them.
//   - The noise kind (wind) is shaped for C-2 and meant to be slid.
// Sustained kinds (bass, lead, pad, noise) end in a loop that holds a whole
// number of cycles of every partial, so the loop seam is inaudible; their
// attack part (before the loop) flows into the loop without a step.
// Amplitude: each sample is normalised so that its peak is `gain` x 127.
#pragma once
#include <string>
#include <vector>

#include "music/ModWriter.h"

namespace wf {

// One option of an instrument kind: a number within [min, max], or, when
// `words` is not empty, one of those words (stored as its index).
struct SynthOption {
  const char* name;
  double min;
  double max;
  double defaultValue;
  std::vector<std::string> words;
  const char* meaning;
  bool whole = false;  // whole numbers only
};

// Option values in the order of the kind's option list.
using SynthValues = std::vector<double>;

struct SynthKind {
  const char* name;
  const char* meaning;
  std::vector<SynthOption> options;
  // Fills data, loopStart and loopLength of `out`; name and volume are the caller's.
  void (*build)(const SynthValues& values, ModSample& out);
};

// The kinds known to the composer, in the order the documentation lists them.
const std::vector<SynthKind>& synthKinds();
const SynthKind* findSynthKind(const std::string& name);
// The index of option `name` in `kind`, or -1.
int findSynthOption(const SynthKind& kind, const std::string& name);
// Defaults of every option of `kind`.
SynthValues defaultSynthValues(const SynthKind& kind);

// The reading rate of a sample played at C-2, bytes per second.
constexpr double kC2Rate = 3579545.25 / 428.0;
// The largest sample a MOD file can describe (65535 words).
constexpr int kMaxSampleBytes = 65535 * 2;

}  // namespace wf
