// Fixed tables and constants of the module player.
//
// periodTable: 488 Amiga periods, index = 8 + 8 x (semitones above the lowest
// note) + finetune, i.e. 8 fine steps (2^(1/96) each) per semitone. A period
// is a clock divider: the playback rate in Hz is kPeriodClock / period.
// waveTable: one 64-entry sine cycle, amplitude 255, shared by vibrato and
// tremolo.
#pragma once
#include <cstdint>

namespace wf {

constexpr int kPeriodTableSize = 488;
constexpr int kWaveTableSize = 64;

// Hz = kPeriodClock / period (double precision).
constexpr double kPeriodClock = 3579545.25;
// Output rate of everything the player renders, frames per second.
constexpr int kOutputRate = 44100;

extern const int32_t periodTable[kPeriodTableSize];
extern const int32_t waveTable[kWaveTableSize];

// periodTable[index] with the index clamped to the table. Odd notes and
// finetunes can push look-ups outside 0..487; the edge entry is used then.
int32_t periodAt(int index);

}  // namespace wf
