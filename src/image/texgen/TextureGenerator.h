// The procedural texture generator: runs texture-description files on a
// stack of nine 256 x 256 layers.
//
// Layers: numbered 0..8, each 256 x 256 pixels of 3 bytes in the order
// blue, green, red; pixel (x, y) starts at byte y * 768 + x * 3, rows y = 0
// first. Layer 8 is the scratch layer: twirl, blur, emboss and wave build
// their result there and copy it over their target, so what a file keeps in
// layer 8 is lost at the next such operation. All nine layers are cleared
// once, at creation, and never again: a file starts from whatever the files
// before it left (productions build on that).
//
// Description file (little-endian): a signed 32-bit record count, then
// records of 9 bytes: an operation code and the parameters p1..p8, each an
// unsigned byte. p1 is always the target layer L.
//
//   code  operation   parameters
//   0     sine plasma L, x freq, y freq, x phase, y phase, red, green, blue weight
//   1     cloud       L, roughness, seed
//   2     light spot  L, centre x, centre y, radius, red, green, blue
//   3     twirl       L, centre x, centre y, radius, softness
//   4     invert      L
//   5     blur        L
//   6     emboss      L
//   7     combine     L (destination), source layer, mode (0 add, 1 sub, 2 mul), amount
//   8     modulate    L (destination), source layer
//   9     wave        L, width, (unused), divisor
//
// Robustness rules (so a file behaves the same on every machine): codes
// above 9 are skipped; a record naming a layer above 8 in any layer
// parameter is skipped whole; a count beyond the records present runs only
// the complete records present; a negative count runs nothing.
//
// One generator per run, reached through current(); main thread only.
#pragma once
#include <cstddef>  // Required for: size_t
#include <cstdint>  // Required for: uint8_t
#include <memory>   // Required for: std::unique_ptr
#include <string>

namespace wf {

class TextureGenerator {
 public:
  static constexpr int kLayerCount = 9;
  static constexpr int kScratchLayer = 8;
  static constexpr int kSize = 256;                        // pixels per row and rows
  static constexpr int kRowBytes = kSize * 3;              // 768
  static constexpr size_t kLayerBytes = size_t(kRowBytes) * kSize;  // 196608
  static constexpr size_t kRecordBytes = 9;
  static constexpr int kOperationCount = 10;               // codes 0..9

  // Clears all nine layers and becomes current().
  TextureGenerator();
  // Hands current() back to the generator that was current before (a tool
  // run inside a running engine leaves the engine's generator in place).
  ~TextureGenerator();
  TextureGenerator(const TextureGenerator&) = delete;
  TextureGenerator& operator=(const TextureGenerator&) = delete;

  // The generator of this run, or null when none exists.
  static TextureGenerator* current();

  // Reads the whole file (a missing file is reported by FileBuffer) and runs
  // its records. Returns false only when the file could not be read.
  bool runFile(const std::string& path);
  // Runs the records of a description held in memory.
  void runDescription(const uint8_t* data, size_t size);
  // Runs one 9-byte record (code, p1..p8). Returns false when it was skipped.
  bool runRecord(const uint8_t* record);

  // The operations; each one is a single pass over the layer (the recursive
  // cloud excepted). Layer numbers must be 0..8 (runRecord checks them).
  void sinePlasma(int layer, int xFrequency, int yFrequency, int xPhase, int yPhase, int red,
                  int green, int blue);
  void cloud(int layer, int roughness, int seed);
  void lightSpot(int layer, int centreX, int centreY, int radius, int red, int green, int blue);
  void twirl(int layer, int centreX, int centreY, int radius, int softness);
  void invert(int layer);
  void blur(int layer);
  void emboss(int layer);
  void combine(int layer, int source, int mode, int amount);
  void modulate(int layer, int source);
  void wave(int layer, int width, int divisor);

  uint8_t* layer(int index) { return layers_.get() + size_t(index) * kLayerBytes; }
  const uint8_t* layer(int index) const { return layers_.get() + size_t(index) * kLayerBytes; }
  int cloudTarget() const { return cloudTarget_; }

 private:
  void subdivideCloud(int x0, int y0, int x1, int y1, int amplitude);
  void setCloudPoint(int x, int y, int value, int amplitude);
  void copyScratchTo(int layer);
  struct TwirlTurn {
    float c = 1.0f, s = 0.0f;
  };
  const TwirlTurn& twirlTurn(int squaredDistance, int radius, int divisor);

  // 9 x 196608 bytes, allocated once with the generator (about 1.7 MB; no
  // operation allocates).
  std::unique_ptr<uint8_t[]> layers_;
  uint8_t cloudTarget_ = 0;
  TextureGenerator* previous_ = nullptr;  // current() before this one

  // The twirl's cosine and sine depend on the squared distance only; they
  // are computed once per distance and twirl (marked with the twirl's
  // number), which keeps a full-layer twirl within its time budget. Squared
  // distances above 255^2 are always outside the largest radius.
  static constexpr int kTwirlDistances = 255 * 255 + 1;
  std::unique_ptr<TwirlTurn[]> twirlTurns_;
  std::unique_ptr<uint32_t[]> twirlStamps_;
  uint32_t twirlNumber_ = 0;
};

}  // namespace wf
