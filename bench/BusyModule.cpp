#include "BusyModule.h"

#include <cmath>  // Required for: std::sin()

namespace wf::bench {

ModWriter busyModule() {
  ModWriter writer;
  writer.setTitle("busy benchmark");
  for (int s = 1; s <= 4; ++s) {
    ModSample& sample = writer.sample(s);
    const int length = 4000 * s;
    sample.data.resize(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i)  // a wave with some harmonics, different per sample
      sample.data[static_cast<size_t>(i)] =
          static_cast<int8_t>(90 * std::sin(i * 0.05 * s) + 30 * std::sin(i * 0.31 + s));
    sample.volume = 48 + 4 * s;
    sample.loopStart = length / 4;
    sample.loopLength = length - length / 4;
    sample.finetune = s - 2;
  }
  std::vector<int> song;
  for (int o = 0; o < 16; ++o) song.push_back(o % 8);
  writer.setSong(song);
  const int effects[][2] = {{0x4, 0x46}, {0x0, 0x47}, {0xA, 0x02}, {0x3, 0x08}, {0x6, 0x01}, {0x7, 0x34}, {0x0, 0x37}, {0xC, 0x30}};
  for (int p = 0; p < 8; ++p)
    for (int r = 0; r < 64; ++r)
      for (int c = 0; c < 4; ++c) {
        const int* effect = effects[(p + r + c) % 8];
        writer.setCell(p, r, c, ModCell{ModWriter::notePeriod((r * 5 + c * 7 + p) % 36), 1 + (r + c) % 4, effect[0], effect[1]});
      }
  return writer;
}

}  // namespace wf::bench
