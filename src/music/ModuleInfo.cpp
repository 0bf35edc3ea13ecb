#include "music/ModuleInfo.h"

#include <cmath>    // Required for: std::isfinite(), std::floor(), std::fabs()
#include <cstdio>   // Required for: std::snprintf(), std::fprintf()
#include <set>
#include <vector>

#include "music/ModPlayer.h"
#include "music/Tables.h"

namespace wf {
namespace {

// JSON string: quotes, backslashes and control characters escaped; bytes
// above 127 (module texts are 8-bit) read as Latin-1 code points.
std::string jsonText(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

std::string jsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[40];
  if (value == std::floor(value) && std::fabs(value) < 9.0e15)
    std::snprintf(text, sizeof text, "%.0f", value);
  else
    std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string jsonBool(bool value) { return value ? "true" : "false"; }

}  // namespace

std::vector<std::string> effectsUsed(const Module& module) {
  std::set<int> codes;  // effect x 16 + sub-effect for E, effect x 16 otherwise
  for (int o = 0; o < module.songLength; ++o) {
    const int pattern = module.orders[o];
    if (pattern >= module.patternCount) continue;
    for (int r = 0; r < kRowsPerPattern; ++r)
      for (int c = 0; c < kChannels; ++c) {
        const PatternCell& cell = module.cell(pattern, r, c);
        if (cell.effect == 0 && cell.param == 0) continue;  // an empty effect column
        codes.insert(cell.effect * 16 + (cell.effect == 0xE ? cell.param >> 4 : 0));
      }
  }
  std::vector<std::string> names;
  const char* hex = "0123456789ABCDEF";
  for (int code : codes) {
    std::string name(1, hex[code >> 4]);
    if ((code >> 4) == 0xE) name += hex[code & 15];
    names.push_back(name);
  }
  return names;
}

std::string moduleInfoJson(ModEngine& engine) {
  const Module& m = engine.module();
  std::string out = "{\n  \"title\": " + jsonText(m.title) + ",\n";
  out += "  \"sampleCount\": " + std::to_string(m.sampleCount) + ",\n  \"samples\": [";
  for (int s = 1; s <= m.sampleCount; ++s) {
    const SampleHeader& h = m.samples[s];
    out += std::string(s > 1 ? ",\n" : "\n") + "    {\"name\": " + jsonText(h.name) +
           ", \"length\": " + std::to_string(h.length) + ", \"finetune\": " + std::to_string(h.finetune) +
           ", \"volume\": " + std::to_string(h.volume) + ", \"loopStart\": " + std::to_string(h.loopStart) +
           ", \"loopLength\": " + std::to_string(h.loopLength) + "}";
  }
  out += "\n  ],\n  \"songLength\": " + std::to_string(m.songLength) + ",\n";
  out += "  \"patternCount\": " + std::to_string(m.patternCount) + ",\n  \"orders\": [";
  for (int o = 0; o < m.songLength; ++o) out += (o ? ", " : "") + std::to_string(m.orders[o]);
  out += "],\n  \"effects\": [";
  const std::vector<std::string> effects = effectsUsed(m);
  for (size_t i = 0; i < effects.size(); ++i) out += (i ? ", " : "") + jsonText(effects[i]);
  const int64_t frames = engine.framesUntilRepeat(static_cast<int64_t>(kMaxSongSeconds * kOutputRate));
  out += "],\n  \"durationSeconds\": " + jsonNumber(static_cast<double>(frames) / kOutputRate) + "\n}\n";
  return out;
}

std::string musicStateJson(const ModPlayer& player) {
  const MusicState s = player.state();
  std::string out = "{\"initialised\": " + jsonBool(s.initialised) + ", \"playing\": " + jsonBool(s.playing) +
                    ", \"loaded\": " + jsonBool(s.loaded) + ", \"title\": " + jsonText(s.title) +
                    ", \"order\": " + std::to_string(s.order) + ", \"row\": " + std::to_string(s.row) +
                    ", \"tick\": " + std::to_string(s.tick) + ", \"speed\": " + std::to_string(s.speed) +
                    ", \"tempo\": " + std::to_string(s.tempo) + ", \"samplesPerTick\": " +
                    std::to_string(s.samplesPerTick) + ", \"framesRendered\": " + std::to_string(s.framesRendered) +
                    ", \"blocksRendered\": " + std::to_string(s.blocksRendered) + ", \"channels\": [";
  for (int c = 0; c < kChannels; ++c) {
    const ChannelState& ch = s.channels[c];
    out += std::string(c ? ", " : "") + "{\"sample\": " + std::to_string(ch.sample) +
           ", \"note\": " + std::to_string(ch.note) + ", \"period\": " + std::to_string(ch.period) +
           ", \"volume\": " + std::to_string(ch.volume) + ", \"effectiveVolume\": " +
           std::to_string(ch.effectiveVolume) + ", \"frequency\": " + jsonNumber(ch.frequency) +
           ", \"position\": " + jsonNumber(ch.position) + ", \"effect\": " + std::to_string(ch.effect) +
           ", \"param\": " + std::to_string(ch.param) + "}";
  }
  return out + "]}";
}

}  // namespace wf
