#include "modcompose/SampleSynth.h"

#include <algorithm>  // Required for: std::clamp(), std::max(), std::min()
#include <cmath>      // Required for: std::sin(), std::exp(), std::pow(), std::lround(), std::tanh()
#include <cstdint>

namespace wf {
namespace {

constexpr double kTwoPi = 6.283185307179586;
// Drums are computed at the reading rate of C-3.
constexpr double kDrumRate = 2.0 * kC2Rate;

// A small noise source of its own, so that a sample's bytes depend on its
// seed alone. The recurrence is the MSVC one the engine uses elsewhere.
class LocalNoise {
 public:
  explicit LocalNoise(double seed) : state_(static_cast<uint32_t>(seed)) {}
  // -1..1
  double next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<double>((state_ >> 16) & 0x7FFF) / 16383.5 - 1.0;
  }

 private:
  uint32_t state_;
};

int evenAtLeast(double bytes, int minimum) {
  int n = static_cast<int>(bytes);
  n -= n % 2;
  return std::max(n, minimum);
}

// Scales the peak to gain x 127 and rounds to signed bytes.
void quantise(const std::vector<double>& signal, double gain, ModSample& out) {
  double peak = 0.0;
  for (double v : signal) peak = std::max(peak, std::fabs(v));
  const double scale = peak > 0.0 ? gain * 127.0 / peak : 0.0;
  out.data.resize(signal.size());
  for (size_t i = 0; i < signal.size(); ++i)
    out.data[i] = static_cast<int8_t>(std::clamp<long>(std::lround(signal[i] * scale), -128, 127));
}

// A 2-pole-like low-pass weight for harmonic n with the cutoff at harmonic `cut`.
double lowPassWeight(double n, double cut) {
  const double r = n / std::max(cut, 0.25);
  return 1.0 / std::sqrt(1.0 + r * r * r * r);
}

// Harmonic weights of a blend between a sawtooth (0) and a square (1).
double waveWeight(int n, double square) {
  const double saw = 1.0 / n;
  const double sq = (n % 2) ? 1.0 / n : 0.0;
  return (1.0 - square) * saw + square * sq;
}

// --- tonal, looped: bass and lead ------------------------------------------------
//
// sample j (0 .. attack + loop - 1) = amp(j) x sum over oscillators and
// harmonics of w_n(j) sin(2 pi n m (j - attack) / loop + phase): m cycles of
// each oscillator per loop, so the loop repeats exactly. Brightness (the
// cutoff harmonic) and amplitude fall from their attack values to their
// sustain values during the attack part and stay there in the loop.
struct SweptTone {
  int cycle = 32;           // bytes per fundamental period
  int cyclesPerLoop = 1;    // fundamental periods in the loop
  int detune = 0;           // extra cycles per loop of the second oscillator (0: one oscillator)
  double square = 0.0;      // 0 saw .. 1 square
  double bright = 8.0;      // cutoff harmonic at the start
  double soft = 4.0;        // cutoff harmonic in the loop
  double sustain = 0.7;     // amplitude in the loop (the start is 1)
  double attackSeconds = 0.005;  // linear fade-in, at C-2
  double decaySeconds = 0.2;     // length of the attack part, at C-2
  double sub = 0.0;         // extra sine at the fundamental
};

void buildSweptTone(const SweptTone& t, double gain, ModSample& out) {
  const int loop = t.cycle * t.cyclesPerLoop;
  const int attack = evenAtLeast(t.decaySeconds * kC2Rate, 0);
  const int fadeIn = std::max(1, static_cast<int>(t.attackSeconds * kC2Rate));
  const int oscillators = t.detune > 0 ? 2 : 1;
  const int fastest = t.cyclesPerLoop + t.detune;
  // Keep every partial below 0.45 of the reading rate: no aliasing in the data.
  const int harmonics = std::max(1, static_cast<int>(0.45 * loop / fastest));
  std::vector<double> signal(static_cast<size_t>(attack + loop), 0.0);
  LocalNoise phases(77);
  for (int o = 0; o < oscillators; ++o) {
    const double m = t.cyclesPerLoop + o * t.detune;
    for (int n = 1; n <= harmonics; ++n) {
      const double phase = o == 0 ? 0.0 : phases.next() * 3.14159;
      const double base = waveWeight(n, t.square) + (n == 1 ? t.sub : 0.0);
      for (int j = 0; j < attack + loop; ++j) {
        const double e = j < attack ? (1.0 - static_cast<double>(j) / attack) : 0.0;
        const double cut = t.soft + (t.bright - t.soft) * e * e;
        const double w = base * lowPassWeight(n, cut);
        signal[static_cast<size_t>(j)] += w * std::sin(kTwoPi * n * m * (j - attack) / loop + phase);
      }
    }
  }
  for (int j = 0; j < attack + loop; ++j) {
    const double e = j < attack ? (1.0 - static_cast<double>(j) / attack) : 0.0;
    double amp = t.sustain + (1.0 - t.sustain) * e * e;
    if (j < fadeIn) amp *= static_cast<double>(j) / fadeIn;
    signal[static_cast<size_t>(j)] *= amp;
  }
  quantise(signal, gain, out);
  out.loopStart = attack;
  out.loopLength = loop;
}

// Option order: see the kind table below.
void buildBass(const SynthValues& v, ModSample& out) {
  SweptTone t;
  t.cycle = static_cast<int>(v[0]);
  t.cyclesPerLoop = 1;
  t.square = v[1];
  t.bright = v[2];
  t.soft = v[3];
  t.decaySeconds = v[4];
  t.sustain = v[5];
  t.sub = v[6];
  t.attackSeconds = 0.002;
  buildSweptTone(t, v[7], out);
}

void buildLead(const SynthValues& v, ModSample& out) {
  SweptTone t;
  t.cycle = static_cast<int>(v[0]);
  t.cyclesPerLoop = 128;  // room for a slow beat between the two oscillators
  t.detune = static_cast<int>(v[2]);
  t.square = v[1];
  t.bright = v[3];
  t.soft = v[4];
  t.attackSeconds = v[5];
  t.decaySeconds = v[6];
  t.sustain = v[7];
  buildSweptTone(t, v[8], out);
}

// --- pad: a chord of detuned saws in just intonation -----------------------------

struct Chord {
  const char* name;
  std::vector<int> ratios;  // whole-number frequency ratios, root first
};

const std::vector<Chord>& chords() {
  static const std::vector<Chord> table = {
      {"single", {1}},          {"fifth", {2, 3}},        {"major", {4, 5, 6}},
      {"minor", {10, 12, 15}},  {"sus2", {8, 9, 12}},     {"sus4", {6, 8, 9}},
      {"maj7", {8, 10, 12, 15}}, {"min7", {10, 12, 15, 18}},
  };
  return table;
}

std::vector<std::string> chordNames() {
  std::vector<std::string> names;
  for (const Chord& c : chords()) names.push_back(c.name);
  return names;
}

void buildPad(const SynthValues& v, ModSample& out) {
  const Chord& chord = chords()[static_cast<size_t>(v[0])];
  const int cycle = static_cast<int>(v[1]);
  const int spread = static_cast<int>(v[3]);
  const int base = chord.ratios[0];
  // Root periods per loop: a multiple of the chord's root ratio near 256,
  // so every chord tone has a whole number of periods in the loop.
  const int rootCycles = base * std::max(1, static_cast<int>(std::lround(256.0 / base)));
  const int loop = cycle * rootCycles;
  const int attack = evenAtLeast(v[2] * kC2Rate, 0);
  std::vector<double> signal(static_cast<size_t>(attack + loop), 0.0);
  LocalNoise phases(v[5]);
  for (size_t tone = 0; tone < chord.ratios.size(); ++tone) {
    const int m = rootCycles / base * chord.ratios[tone];
    const double toneAmp = tone == 0 ? 1.0 : 0.8;
    for (int copy = -1; copy <= 1; ++copy) {
      if (spread == 0 && copy != 0) continue;
      const double cycles = m + copy * spread;
      const int harmonics = std::max(1, static_cast<int>(0.45 * loop / (m + spread)));
      for (int n = 1; n <= harmonics; ++n) {
        const double w = toneAmp * lowPassWeight(n, v[4]) / std::pow(n, 1.2);
        const double phase = phases.next() * 3.14159;
        for (int j = 0; j < attack + loop; ++j)
          signal[static_cast<size_t>(j)] += w * std::sin(kTwoPi * n * cycles * (j - attack) / loop + phase);
      }
    }
  }
  for (int j = 0; j < attack; ++j) {
    const double x = static_cast<double>(j) / attack;
    signal[static_cast<size_t>(j)] *= x * x * (3.0 - 2.0 * x);  // smoothstep swell
  }
  quantise(signal, v[6], out);
  out.loopStart = attack;
  out.loopLength = loop;
}

// --- bell: decaying inharmonic partials, not looped ------------------------------

void buildBell(const SynthValues& v, ModSample& out) {
  static const double ratios[] = {1.0, 2.0, 2.76, 4.07, 5.4};
  static const double amps[] = {1.0, 0.55, 0.35, 0.2, 0.12};
  const int cycle = static_cast<int>(v[0]);
  const double decay = v[1];
  const int length = evenAtLeast(std::min(decay * 1.6 * kC2Rate, 60000.0), 64);
  std::vector<double> signal(static_cast<size_t>(length), 0.0);
  for (int k = 0; k < 5; ++k) {
    const double tau = decay / 4.6 / (1.0 + 1.2 * k) * kC2Rate;  // in bytes
    for (int j = 0; j < length; ++j)
      signal[static_cast<size_t>(j)] += amps[k] * std::exp(-j / tau) * std::sin(kTwoPi * ratios[k] * j / cycle);
  }
  for (int j = 0; j < 4 && j < length; ++j) signal[static_cast<size_t>(j)] *= j / 4.0;
  quantise(signal, v[2], out);
  out.loopStart = 0;
  out.loopLength = 0;
}

// --- noise: band-passed noise in a seamless loop ("wind") ------------------------

void buildNoise(const SynthValues& v, ModSample& out) {
  const int loop = evenAtLeast(v[0] * kC2Rate, 256);
  const double f = 2.0 * std::sin(3.14159265358979 * v[1] / kC2Rate);
  const double damping = 1.0 / v[2];
  LocalNoise noise(v[3]);
  std::vector<double> white(static_cast<size_t>(loop));
  for (double& w : white) w = noise.next();
  // Two laps round the loop; the second is kept, so the filter state at the
  // end of the loop is the one it starts with: the seam does not click.
  std::vector<double> signal(static_cast<size_t>(loop));
  double low = 0.0, band = 0.0;
  for (int lap = 0; lap < 2; ++lap)
    for (int j = 0; j < loop; ++j) {
      low += f * band;
      const double high = white[static_cast<size_t>(j)] - low - damping * band;
      band += f * high;
      signal[static_cast<size_t>(j)] = band + 0.3 * low;
    }
  quantise(signal, v[4], out);
  out.loopStart = 0;
  out.loopLength = loop;
}

// --- drums, at the reading rate of C-3 -------------------------------------------

// `decay`: seconds until the level has fallen by about 40 dB; also the length.
void buildKick(const SynthValues& v, ModSample& out) {
  const double start = v[0], end = v[1], decay = v[2], click = v[3];
  const int length = evenAtLeast(decay * kDrumRate, 64);
  std::vector<double> signal(static_cast<size_t>(length));
  LocalNoise noise(v[4]);
  double phase = 0.0;
  for (int j = 0; j < length; ++j) {
    const double t = j / kDrumRate;
    const double freq = end + (start - end) * std::exp(-t / 0.035);
    phase += kTwoPi * freq / kDrumRate;
    const double body = std::sin(phase) * std::exp(-t * 4.6 / decay);
    const double tick = click * noise.next() * std::exp(-t / 0.0015);
    signal[static_cast<size_t>(j)] = std::tanh(1.6 * (body + tick));
  }
  quantise(signal, v[5], out);
  out.loopStart = 0;
  out.loopLength = 0;
}

void buildSnare(const SynthValues& v, ModSample& out) {
  const double tone = v[0], decay = v[1], noiseShare = v[2];
  const int length = evenAtLeast(decay * kDrumRate, 64);
  std::vector<double> signal(static_cast<size_t>(length));
  LocalNoise noise(v[3]);
  double low = 0.0;
  for (int j = 0; j < length; ++j) {
    const double t = j / kDrumRate;
    const double body = (std::sin(kTwoPi * tone * t) + 0.5 * std::sin(kTwoPi * tone * 1.59 * t)) *
                        std::exp(-t * 4.6 * 2.5 / decay);
    const double w = noise.next();
    low += 0.25 * (w - low);
    const double hiss = (w - low) * std::exp(-t * 4.6 / decay);
    signal[static_cast<size_t>(j)] = (1.0 - noiseShare) * body + noiseShare * 1.6 * hiss;
  }
  quantise(signal, v[4], out);
  out.loopStart = 0;
  out.loopLength = 0;
}

void buildHat(const SynthValues& v, ModSample& out) {
  const double decay = v[0];
  const int length = evenAtLeast(decay * kDrumRate, 32);
  std::vector<double> signal(static_cast<size_t>(length));
  LocalNoise noise(v[1]);
  double previous = 0.0, previousDiff = 0.0;
  for (int j = 0; j < length; ++j) {
    const double t = j / kDrumRate;
    const double w = noise.next();
    const double diff = w - previous;  // first difference: high-pass
    previous = w;
    const double bright = diff - 0.5 * previousDiff;
    previousDiff = diff;
    signal[static_cast<size_t>(j)] = bright * std::exp(-t * 4.6 / decay);
  }
  quantise(signal, v[2], out);
  out.loopStart = 0;
  out.loopLength = 0;
}

SynthOption gainOption() { return {"gain", 0.05, 1.0, 1.0, {}, "peak level of the sample, 1 = full scale"}; }
SynthOption seedOption(double value) { return {"seed", 0, 65535, value, {}, "seed of the noise or phases", true}; }
SynthOption cycleOption(double value) {
  return {"cycle", 8, 128, value, {}, "bytes per period, even: C-2 sounds at 8363.42 / cycle Hz", true};
}

}  // namespace

const std::vector<SynthKind>& synthKinds() {
  static const std::vector<SynthKind> kinds = {
      {"kick", "bass drum: a sine falling in pitch, with a click; play at C-3",
       {{"pitch", 30, 400, 150, {}, "start frequency, Hz"},
        {"end", 20, 200, 48, {}, "end frequency, Hz"},
        {"decay", 0.05, 1.5, 0.4, {}, "seconds to fade out (also the length)"},
        {"click", 0, 1, 0.3, {}, "level of the attack click"},
        seedOption(1),
        gainOption()},
       buildKick},
      {"snare", "snare drum: two tones and high-passed noise; play at C-3",
       {{"tone", 60, 1000, 185, {}, "frequency of the drum head, Hz"},
        {"decay", 0.05, 1.5, 0.25, {}, "seconds to fade out (also the length)"},
        {"noise", 0, 1, 0.65, {}, "share of noise against the tone"},
        seedOption(2),
        gainOption()},
       buildSnare},
      {"hat", "hi-hat: bright noise; play at C-3",
       {{"decay", 0.01, 1.5, 0.06, {}, "seconds to fade out (also the length)"}, seedOption(3), gainOption()},
       buildHat},
      {"bass", "bass: saw/square with a falling filter, looped single period",
       {cycleOption(64),
        {"square", 0, 1, 0.2, {}, "0 sawtooth .. 1 square"},
        {"bright", 1, 32, 10, {}, "cutoff harmonic at the attack"},
        {"soft", 1, 32, 3, {}, "cutoff harmonic while held"},
        {"decay", 0, 2, 0.25, {}, "seconds (at C-2) from attack to the held sound"},
        {"sustain", 0.05, 1, 0.6, {}, "level while held"},
        {"sub", 0, 2, 0.4, {}, "extra fundamental"},
        gainOption()},
       buildBass},
      {"lead", "lead: two slightly detuned saw/square oscillators, looped",
       {cycleOption(32),
        {"square", 0, 1, 0.3, {}, "0 sawtooth .. 1 square"},
        {"detune", 0, 3, 1, {}, "beat of the second oscillator: periods per 128", true},
        {"bright", 1, 16, 9, {}, "cutoff harmonic at the attack"},
        {"soft", 1, 16, 5, {}, "cutoff harmonic while held"},
        {"attack", 0, 0.5, 0.01, {}, "seconds (at C-2) of fade-in"},
        {"decay", 0, 2, 0.3, {}, "seconds (at C-2) from attack to the held sound"},
        {"sustain", 0.05, 1, 0.75, {}, "level while held"},
        gainOption()},
       buildLead},
      {"pad", "pad: a just-intoned chord of detuned soft saws, swelling in, looped",
       {{"chord", 0, 7, 2, chordNames(), "the chord on the played note"},
        cycleOption(32),
        {"attack", 0, 3, 0.4, {}, "seconds (at C-2) of swell"},
        {"spread", 0, 3, 1, {}, "detune of the copies: periods per 256", true},
        {"bright", 1, 10, 4, {}, "cutoff harmonic"},
        seedOption(4),
        gainOption()},
       buildPad},
      {"bell", "bell: decaying inharmonic partials, not looped",
       {cycleOption(32), {"decay", 0.1, 4, 1.2, {}, "seconds (at C-2) to fade out"}, gainOption()},
       buildBell},
      {"noise", "wind: band-passed noise in a seamless loop; slide it with 1xx/2xx",
       {{"length", 0.1, 6, 2, {}, "seconds (at C-2) of the loop"},
        {"cutoff", 50, 1200, 600, {}, "centre of the band, Hz at C-2"},
        {"q", 0.7, 20, 2, {}, "sharpness of the band"},
        seedOption(5),
        gainOption()},
       buildNoise},
  };
  return kinds;
}

const SynthKind* findSynthKind(const std::string& name) {
  for (const SynthKind& kind : synthKinds())
    if (name == kind.name) return &kind;
  return nullptr;
}

int findSynthOption(const SynthKind& kind, const std::string& name) {
  for (size_t i = 0; i < kind.options.size(); ++i)
    if (name == kind.options[i].name) return static_cast<int>(i);
  return -1;
}

SynthValues defaultSynthValues(const SynthKind& kind) {
  SynthValues values;
  for (const SynthOption& option : kind.options) values.push_back(option.defaultValue);
  return values;
}

}  // namespace wf
