#include "modcompose/ScoreCompiler.h"

#include <array>
#include <cctype>   // Required for: std::isdigit(), std::isxdigit(), std::toupper()
#include <cstdio>   // Required for: std::snprintf(), std::fopen()
#include <cstring>  // Required for: std::strchr()
#include <map>
#include <set>
#include <utility>

#include "modcompose/SampleSynth.h"
#include "music/ModuleLoader.h"
#include "music/Tables.h"

namespace wf {
namespace {

constexpr int kRows = 64;
constexpr int kChannelCount = 4;
constexpr int kMaxScoreBytes = 4 * 1024 * 1024;
constexpr size_t kMaxTracks = 1024;

// A cell as read, plus whether the score gave it at all (a blank cell in a
// pattern row keeps what `copy` or `use` put there).
struct ScoreCell {
  ModCell cell;
  bool given = false;
};

struct PatternBlock {
  std::array<ModCell, kRows * kChannelCount> cells{};
  int line = 0;
};

struct TrackBlock {
  std::array<ModCell, kRows> cells{};
};

struct Use {
  int line;
  int number;
};

std::string hex2(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X", value & 0xFF);
  return text;
}

std::string dec2(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

// A piece of the score for a message: printable ASCII, at most 30 characters.
std::string quoted(const std::string& text) {
  std::string out = "'";
  for (size_t i = 0; i < text.size() && i < 30; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  }
  if (text.size() > 30) out += "...";
  return out + "'";
}

std::string trim(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::vector<std::string> splitWords(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    size_t start = i;
    while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// Whole decimal number of 1..digits digits; false for anything else.
bool parseDecimal(const std::string& text, int digits, int& value) {
  if (text.empty() || static_cast<int>(text.size()) > digits) return false;
  value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// Plain decimal number: optional '-', digits, optional '.' and digits.
bool parseNumber(const std::string& text, double& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  }
  double result = 0.0;
  int digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 12) {
    result = result * 10.0 + (text[i++] - '0');
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 24) {
      result += (text[i++] - '0') * scale;
      scale /= 10.0;
      ++digits;
    }
  }
  if (digits == 0 || i != text.size()) return false;
  value = negative ? -result : result;
  return true;
}

class Compiler {
 public:
  Compiler(const std::string& fileName) : fileName_(fileName) {}

  ScoreResult run(const std::string& text);

 private:
  void error(int line, const std::string& message) {
    if (static_cast<int>(errors_.size()) < kMaxScoreErrors)
      errors_.push_back(fileName_ + ":" + std::to_string(line) + ": " + message);
    else if (static_cast<int>(errors_.size()) == kMaxScoreErrors)
      errors_.push_back(fileName_ + ":" + std::to_string(line) + ": too many errors, giving up");
  }
  bool gaveUp() const { return static_cast<int>(errors_.size()) > kMaxScoreErrors; }

  void readLine(int line, const std::string& text);
  void readTitle(int line, const std::string& rest);
  void readTiming(int line, const std::vector<std::string>& words, bool isSpeed);
  void readInstrument(int line, const std::vector<std::string>& words);
  void readPatternStart(int line, const std::vector<std::string>& words);
  void readTrackStart(int line, const std::vector<std::string>& words);
  void readCopy(int line, const std::vector<std::string>& words);
  void readUse(int line, const std::vector<std::string>& words);
  void readOrder(int line, const std::vector<std::string>& words);
  void readPatternRow(int line, const std::string& text);
  void readTrackRow(int line, const std::string& text);
  bool readRowNumber(int line, const std::string& text, int& row);
  bool markRow(int line, int row);
  bool readCell(int line, const std::string& text, const std::string& where, ScoreCell& out);
  bool readNote(int line, const std::string& token, const std::string& where, int& period);
  bool readSampleNumber(int line, const std::string& token, const std::string& where, int& sample);
  bool readEffect(int line, const std::string& token, const std::string& where, int& effect, int& param);
  bool readPatternNumber(int line, const std::string& token, int& number);

  void finish();
  void insertTiming(int line, int param, bool isSpeed);

  // Broken: a pattern or track whose first line was wrong; its rows are
  // skipped without further messages.
  enum class Block { None, Pattern, Track, Broken };

  std::string fileName_;
  std::vector<std::string> errors_;
  ModWriter writer_{31};

  int lastLine_ = 1;
  int titleLine_ = 0;
  int speedLine_ = 0, speed_ = 0;
  int tempoLine_ = 0, tempo_ = 0;
  std::map<int, int> instrumentLines_;  // sample number -> line
  std::vector<Use> sampleUses_;
  std::map<int, PatternBlock> patterns_;
  std::map<std::string, TrackBlock> tracks_;
  std::vector<std::pair<int, int>> orders_;    // (line, pattern)
  std::vector<Use> jumps_;                     // Bxx effects: (line, target order)

  Block block_ = Block::None;
  int currentPattern_ = -1;
  std::string currentTrack_;
  std::map<int, int> rowsGiven_;  // row -> line, within the current block
};

ScoreResult Compiler::run(const std::string& text) {
  int line = 0;
  size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // a UTF-8 byte order mark
  while (start <= text.size() && !gaveUp()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++line;
    std::string content = text.substr(start, end - start);
    const size_t comment = content.find(';');
    if (comment != std::string::npos) content.erase(comment);
    content = trim(content);
    if (!content.empty()) readLine(line, content);
    start = end + 1;
  }
  lastLine_ = line;
  if (!gaveUp()) finish();
  ScoreResult result;
  result.errors = errors_;
  if (errors_.empty()) result.bytes = writer_.build();
  return result;
}

void Compiler::readLine(int line, const std::string& text) {
  if (std::isdigit(static_cast<unsigned char>(text[0]))) {
    if (block_ == Block::Broken) return;
    if (block_ == Block::Pattern)
      readPatternRow(line, text);
    else if (block_ == Block::Track)
      readTrackRow(line, text);
    else
      error(line, "a row outside a pattern or track (start one with 'pattern NN' or 'track NAME')");
    return;
  }
  const std::vector<std::string> words = splitWords(text);
  const std::string directive = lower(words[0]);
  if ((directive == "copy" || directive == "use") && block_ == Block::Broken) return;
  if (directive == "copy") return readCopy(line, words);
  if (directive == "use") return readUse(line, words);
  // Every other directive ends the pattern or track being written.
  block_ = Block::None;
  rowsGiven_.clear();
  if (directive == "title") return readTitle(line, trim(text.substr(5)));
  if (directive == "speed") return readTiming(line, words, true);
  if (directive == "tempo") return readTiming(line, words, false);
  if (directive == "instrument") return readInstrument(line, words);
  if (directive == "pattern" || directive == "track") {
    block_ = Block::Broken;  // until the start line proves good
    return directive == "pattern" ? readPatternStart(line, words) : readTrackStart(line, words);
  }
  if (directive == "order") return readOrder(line, words);
  error(line, "unknown directive " + quoted(words[0]) +
                  " (expected title, speed, tempo, instrument, track, pattern, copy, use, order or a row)");
}

void Compiler::readTitle(int line, const std::string& rest) {
  if (titleLine_) return error(line, "a second title (the first is on line " + std::to_string(titleLine_) + ")");
  titleLine_ = line;
  if (rest.size() > 20) return error(line, "the title has " + std::to_string(rest.size()) + " characters; a module title holds 20");
  for (char c : rest)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
      return error(line, "the title may hold plain ASCII characters only");
  writer_.setTitle(rest);
}

void Compiler::readTiming(int line, const std::vector<std::string>& words, bool isSpeed) {
  const char* what = isSpeed ? "speed" : "tempo";
  int& seenLine = isSpeed ? speedLine_ : tempoLine_;
  if (seenLine) return error(line, std::string("a second ") + what + " (the first is on line " + std::to_string(seenLine) + ")");
  int value = 0;
  const int low = isSpeed ? 1 : 32, high = isSpeed ? 31 : 255;
  if (words.size() != 2 || !parseDecimal(words[1], 3, value) || value < low || value > high)
    return error(line, std::string(what) + " wants one whole number from " + std::to_string(low) + " to " +
                           std::to_string(high) + (isSpeed ? " (ticks per row)" : " (beats per minute)"));
  seenLine = line;
  (isSpeed ? speed_ : tempo_) = value;
}

void Compiler::readInstrument(int line, const std::vector<std::string>& words) {
  if (words.size() < 4)
    return error(line, "instrument wants a number, a name and a kind, e.g. 'instrument 01 kick kick decay=0.3'");
  int number = 0;
  if (!parseDecimal(words[1], 2, number) || number < 1 || number > 31)
    return error(line, "instrument number " + quoted(words[1]) + " is not 01..31");
  const auto seen = instrumentLines_.find(number);
  if (seen != instrumentLines_.end())
    return error(line, "instrument " + dec2(number) + " is defined twice (first on line " + std::to_string(seen->second) + ")");
  const std::string& name = words[2];
  if (name.size() > 22) return error(line, "the instrument name " + quoted(name) + " is longer than 22 characters");
  for (char c : name)
    if (static_cast<unsigned char>(c) < 0x21 || static_cast<unsigned char>(c) >= 0x7F)
      return error(line, "the instrument name may hold plain ASCII characters only");
  const SynthKind* kind = findSynthKind(lower(words[3]));
  if (!kind) {
    std::string known;
    for (const SynthKind& k : synthKinds()) known += std::string(known.empty() ? "" : ", ") + k.name;
    return error(line, "unknown instrument kind " + quoted(words[3]) + " (known: " + known + ")");
  }
  SynthValues values = defaultSynthValues(*kind);
  std::vector<bool> set(values.size(), false);
  bool volumeSet = false;
  int volume = 64;
  bool good = true;
  for (size_t w = 4; w < words.size(); ++w) {
    const size_t eq = words[w].find('=');
    if (eq == std::string::npos || eq == 0) {
      error(line, "option " + quoted(words[w]) + " is not written as name=value");
      good = false;
      continue;
    }
    const std::string key = lower(words[w].substr(0, eq));
    const std::string text = words[w].substr(eq + 1);
    if (key == "volume") {
      int v = 0;
      if (volumeSet) {
        error(line, "option 'volume' is given twice");
        good = false;
      } else if (!parseDecimal(text, 2, v) || v > 64) {
        error(line, "volume wants a whole number from 0 to 64, not " + quoted(text));
        good = false;
      }
      volumeSet = true;
      volume = v;
      continue;
    }
    const int index = findSynthOption(*kind, key);
    if (index < 0) {
      std::string known = "volume";
      for (const SynthOption& o : kind->options) known += std::string(", ") + o.name;
      error(line, "kind '" + std::string(kind->name) + "' has no option " + quoted(key) + " (options: " + known + ")");
      good = false;
      continue;
    }
    const SynthOption& option = kind->options[static_cast<size_t>(index)];
    if (set[static_cast<size_t>(index)]) {
      error(line, "option '" + key + "' is given twice");
      good = false;
      continue;
    }
    set[static_cast<size_t>(index)] = true;
    if (!option.words.empty()) {
      int found = -1;
      for (size_t k = 0; k < option.words.size(); ++k)
        if (lower(text) == option.words[k]) found = static_cast<int>(k);
      if (found < 0) {
        std::string known;
        for (const std::string& k : option.words) known += (known.empty() ? "" : ", ") + k;
        error(line, "option '" + key + "' wants one of " + known + ", not " + quoted(text));
        good = false;
        continue;
      }
      values[static_cast<size_t>(index)] = found;
      continue;
    }
    double value = 0.0;
    char range[80];
    std::snprintf(range, sizeof range, "%g to %g", option.min, option.max);
    if (!parseNumber(text, value) || value < option.min || value > option.max ||
        (option.whole && value != static_cast<double>(static_cast<long>(value)))) {
      error(line, "option '" + key + "' of kind '" + kind->name + "' wants " + (option.whole ? "a whole number " : "a number ") +
                      "from " + range + ", not " + quoted(text));
      good = false;
      continue;
    }
    if (key == "cycle" && static_cast<long>(value) % 2 != 0) {
      error(line, "option 'cycle' wants an even number of bytes, not " + quoted(text));
      good = false;
      continue;
    }
    values[static_cast<size_t>(index)] = value;
  }
  instrumentLines_[number] = line;
  if (!good) return;
  ModSample& sample = writer_.sample(number);
  sample.name = name;
  sample.volume = volume;
  sample.finetune = 0;
  kind->build(values, sample);
  if (static_cast<int>(sample.data.size()) > kMaxSampleBytes) {
    error(line, "the sample would be " + std::to_string(sample.data.size()) + " bytes; a MOD sample holds at most " +
                    std::to_string(kMaxSampleBytes));
    sample = ModSample{};
  }
}

bool Compiler::readPatternNumber(int line, const std::string& token, int& number) {
  if (!parseDecimal(token, 2, number) || number >= kMaxScorePatterns) {
    error(line, "pattern number " + quoted(token) + " is not 00.." + std::to_string(kMaxScorePatterns - 1));
    return false;
  }
  return true;
}

void Compiler::readPatternStart(int line, const std::vector<std::string>& words) {
  int number = 0;
  if (words.size() != 2) return error(line, "pattern wants one number, e.g. 'pattern 03'");
  if (!readPatternNumber(line, words[1], number)) return;
  const auto seen = patterns_.find(number);
  if (seen != patterns_.end())
    return error(line, "pattern " + dec2(number) + " is defined twice (first on line " + std::to_string(seen->second.line) + ")");
  patterns_[number].line = line;
  block_ = Block::Pattern;
  currentPattern_ = number;
}

void Compiler::readTrackStart(int line, const std::vector<std::string>& words) {
  if (words.size() != 2) return error(line, "track wants one name, e.g. 'track groove'");
  const std::string name = lower(words[1]);
  if (tracks_.count(name)) return error(line, "track " + quoted(words[1]) + " is defined twice");
  if (tracks_.size() >= kMaxTracks) return error(line, "a score holds at most " + std::to_string(kMaxTracks) + " tracks");
  tracks_[name] = TrackBlock{};
  block_ = Block::Track;
  currentTrack_ = name;
}

void Compiler::readCopy(int line, const std::vector<std::string>& words) {
  if (block_ != Block::Pattern) return error(line, "copy belongs inside a pattern");
  int number = 0;
  if (words.size() != 2) return error(line, "copy wants one pattern number, e.g. 'copy 03'");
  if (!readPatternNumber(line, words[1], number)) return;
  const auto source = patterns_.find(number);
  if (source == patterns_.end() || number == currentPattern_)
    return error(line, "pattern " + dec2(number) + " is not defined before this line");
  patterns_[currentPattern_].cells = source->second.cells;
}

void Compiler::readUse(int line, const std::vector<std::string>& words) {
  if (block_ != Block::Pattern) return error(line, "use belongs inside a pattern");
  int channel = 0;
  if (words.size() < 3 || words.size() > 4 || !parseDecimal(words[1], 1, channel) || channel < 1 || channel > kChannelCount)
    return error(line, "use wants a channel 1..4, a track name and maybe a sample number, e.g. 'use 1 groove' or 'use 3 tune 07'");
  int swap = 0;
  if (words.size() == 4 && (words[3].size() != 2 || !parseDecimal(words[3], 2, swap) || swap < 1 || swap > 31))
    return error(line, "use: " + quoted(words[3]) + " is not a sample number (01..31)");
  const auto track = tracks_.find(lower(words[2]));
  if (track == tracks_.end()) return error(line, "track " + quoted(words[2]) + " is not defined before this line");
  PatternBlock& pattern = patterns_[currentPattern_];
  for (int r = 0; r < kRows; ++r) {
    ModCell cell = track->second.cells[static_cast<size_t>(r)];
    // The track played by another instrument: every sample number it gives is swapped.
    if (swap && cell.sample) {
      cell.sample = swap;
      sampleUses_.push_back({line, swap});
    }
    pattern.cells[static_cast<size_t>(r * kChannelCount + channel - 1)] = cell;
  }
}

void Compiler::readOrder(int line, const std::vector<std::string>& words) {
  if (words.size() < 2) return error(line, "order wants pattern numbers, e.g. 'order 00 01 01 02'");
  for (size_t w = 1; w < words.size(); ++w) {
    int number = 0;
    if (!readPatternNumber(line, words[w], number)) continue;
    if (orders_.size() >= 128) return error(line, "the order list holds at most 128 entries");
    orders_.emplace_back(line, number);
  }
}

bool Compiler::readRowNumber(int line, const std::string& text, int& row) {
  if (!parseDecimal(text, 2, row) || row >= kRows) {
    error(line, "row number " + quoted(text) + " is not 00..63");
    return false;
  }
  return true;
}

bool Compiler::markRow(int line, int row) {
  const auto seen = rowsGiven_.find(row);
  if (seen != rowsGiven_.end()) {
    error(line, "row " + dec2(row) + " is given twice (first on line " + std::to_string(seen->second) + ")");
    return false;
  }
  rowsGiven_[row] = line;
  return true;
}

void Compiler::readPatternRow(int line, const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t bar = text.find('|', start);
    parts.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  if (parts.size() == 6 && trim(parts[5]).empty()) parts.pop_back();  // a closing bar
  int row = 0;
  if (!readRowNumber(line, trim(parts[0]), row)) return;
  if (parts.size() != 1 + kChannelCount)
    return error(line, "a pattern row is 'RR | cell | cell | cell | cell' with 4 cells; found " +
                           std::to_string(parts.size() - 1));
  if (!markRow(line, row)) return;
  ScoreCell cells[kChannelCount];
  bool good = true;
  for (int c = 0; c < kChannelCount; ++c)
    good = readCell(line, trim(parts[static_cast<size_t>(c + 1)]), "channel " + std::to_string(c + 1), cells[c]) && good;
  if (!good) return;
  PatternBlock& pattern = patterns_[currentPattern_];
  for (int c = 0; c < kChannelCount; ++c)
    if (cells[c].given) pattern.cells[static_cast<size_t>(row * kChannelCount + c)] = cells[c].cell;
}

void Compiler::readTrackRow(int line, const std::string& text) {
  size_t split = 0;
  while (split < text.size() && !std::isspace(static_cast<unsigned char>(text[split]))) ++split;
  int row = 0;
  if (!readRowNumber(line, text.substr(0, split), row)) return;
  if (!markRow(line, row)) return;
  ScoreCell cell;
  if (!readCell(line, trim(text.substr(split)), "the track", cell)) return;
  tracks_[currentTrack_].cells[static_cast<size_t>(row)] = cell.cell;
}

bool Compiler::readCell(int line, const std::string& text, const std::string& where, ScoreCell& out) {
  const std::vector<std::string> tokens = splitWords(text);
  out = ScoreCell{};
  if (tokens.empty()) return true;  // blank: keeps what the pattern holds
  if (tokens.size() != 3) {
    error(line, where + ": a cell is NOTE SAMPLE EFFECT (e.g. 'C-3 01 A04' or '--- .. ...') or blank, not " + quoted(text));
    return false;
  }
  out.given = true;
  bool good = readNote(line, tokens[0], where, out.cell.period);
  good = readSampleNumber(line, tokens[1], where, out.cell.sample) && good;
  good = readEffect(line, tokens[2], where, out.cell.effect, out.cell.param) && good;
  if (good && out.cell.sample > 0) sampleUses_.push_back({line, out.cell.sample});
  if (good && out.cell.effect == 0xB) jumps_.push_back({line, out.cell.param});
  return good;
}

bool Compiler::readNote(int line, const std::string& token, const std::string& where, int& period) {
  period = 0;
  if (token == "---" || token == "...") return true;
  static const char* names = "C D EF G A B";  // semitone of each letter, by position
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(token.empty() ? ' ' : token[0])));
  const char* found = (letter >= 'A' && letter <= 'G') ? std::strchr(names, letter) : nullptr;
  if (token.size() != 3 || !found || (token[1] != '-' && token[1] != '#') ||
      !std::isdigit(static_cast<unsigned char>(token[2]))) {
    error(line, where + ": " + quoted(token) + " is not a note (C-2, F#3, ... or --- for none)");
    return false;
  }
  int semitone = static_cast<int>(found - names);
  if (token[1] == '#') {
    if (letter == 'E' || letter == 'B') {
      error(line, where + ": there is no " + quoted(token) + "; write " + (letter == 'E' ? "F-" : "C-") +
                      std::string(1, letter == 'E' ? token[2] : static_cast<char>(token[2] + 1)));
      return false;
    }
    ++semitone;
  }
  const int octave = token[2] - '0';
  if (octave > 4) {
    error(line, where + ": " + quoted(token) + " is above the period table (notes run from C-0 to B-4)");
    return false;
  }
  period = periodForSemitone(octave * 12 + semitone);
  return true;
}

bool Compiler::readSampleNumber(int line, const std::string& token, const std::string& where, int& sample) {
  sample = 0;
  if (token == "..") return true;
  if (token.size() != 2 || !parseDecimal(token, 2, sample) || sample > 31) {
    error(line, where + ": " + quoted(token) + " is not a sample number (01..31, or .. for none)");
    sample = 0;
    return false;
  }
  return true;
}

bool Compiler::readEffect(int line, const std::string& token, const std::string& where, int& effect, int& param) {
  effect = param = 0;
  if (token == "...") return true;
  if (token.size() != 3 || !std::isxdigit(static_cast<unsigned char>(token[0])) ||
      !std::isxdigit(static_cast<unsigned char>(token[1])) || !std::isxdigit(static_cast<unsigned char>(token[2]))) {
    error(line, where + ": " + quoted(token) + " is not an effect (three hex digits like A04, or ... for none)");
    return false;
  }
  const int value = static_cast<int>(std::stoul(token, nullptr, 16));
  effect = value >> 8;
  param = value & 0xFF;
  const int hi = param >> 4, lo = param & 15;
  const std::string name = quoted(token);
  std::string problem;
  switch (effect) {
    case 0x8: problem = "effect 8 does nothing in this player"; break;
    case 0xA:
    case 0x5:
    case 0x6:
      if (hi && lo) problem = "a volume slide with both digits set slides by x - y here but by x alone in other players; give one digit";
      break;
    case 0xC:
      if (param > 64) problem = "volume above 64 (C40 is the loudest)";
      break;
    case 0xD:
      if (lo > 9 || hi * 10 + lo > 63) problem = "the pattern break row is written in decimal digits 00..63";
      break;
    case 0xE:
      if (hi == 0x6) problem = "E6x (pattern loop) is not played by this player";
      else if (hi == 0xE) problem = "EEx (pattern delay) is not played by this player";
      else if (hi != 0x1 && hi != 0x2 && hi != 0x9 && hi != 0xA && hi != 0xB && hi != 0xC && hi != 0xD)
        problem = "E" + std::string(1, "0123456789ABCDEF"[hi]) + "x is not played by this player (it plays E1 E2 E9 EA EB EC ED)";
      break;
    case 0xF:
      if (param == 0) problem = "F00 stops other players; speed is F01..F1F, tempo F20..FFF";
      break;
    default: break;
  }
  if (!problem.empty()) {
    error(line, where + ": " + name + ": " + problem);
    return false;
  }
  return true;
}

// Writes Fxx for the header's speed or tempo into row 00 of the first
// pattern played: the player restarts the song with speed 6 and tempo 125,
// so the song's own timing has to be set again at every start.
void Compiler::insertTiming(int line, int param, bool isSpeed) {
  const int pattern = orders_.front().second;
  PatternBlock& block = patterns_[pattern];
  const char* what = isSpeed ? "speed" : "tempo";
  for (int c = 0; c < kChannelCount; ++c) {
    const ModCell& cell = block.cells[static_cast<size_t>(c)];
    if (cell.effect == 0xF && (cell.param < 32) == isSpeed) {
      if (cell.param != param)
        error(line, std::string("row 00 of pattern ") + dec2(pattern) + " sets the " + what + " to F" + hex2(cell.param) +
                        " against the header's F" + hex2(param) + "; keep one of them");
      return;
    }
  }
  // The last free effect column: channel 4 first, where beats rarely need effects.
  for (int c = kChannelCount - 1; c >= 0; --c) {
    ModCell& cell = block.cells[static_cast<size_t>(c)];
    if (cell.effect == 0 && cell.param == 0) {
      cell.effect = 0xF;
      cell.param = param;
      return;
    }
  }
  error(line, std::string("no free effect column in row 00 of pattern ") + dec2(pattern) + " for the " + what +
                  " (F" + hex2(param) + ")");
}

void Compiler::finish() {
  if (orders_.empty()) {
    error(lastLine_, "the score has no order list (add e.g. 'order 00')");
    return;
  }
  bool ordersGood = true;
  for (const auto& [line, pattern] : orders_)
    if (!patterns_.count(pattern)) {
      error(line, "the order list names pattern " + dec2(pattern) + ", which is not defined");
      ordersGood = false;
    }
  for (const Use& use : sampleUses_)
    if (!instrumentLines_.count(use.number))
      error(use.line, "sample " + dec2(use.number) + " is used but no instrument " + dec2(use.number) + " is defined");
  for (const Use& jump : jumps_)
    if (jump.number >= static_cast<int>(orders_.size()))
      error(jump.line, "B" + hex2(jump.number) + " jumps beyond the order list (" + std::to_string(orders_.size()) + " entries)");
  if (!ordersGood) return;
  if (speedLine_) insertTiming(speedLine_, speed_, true);
  if (tempoLine_) insertTiming(tempoLine_, tempo_, false);
  if (!errors_.empty()) return;

  std::vector<int> song;
  for (const auto& entry : orders_) song.push_back(entry.second);
  writer_.setSong(song);
  for (const auto& [number, block] : patterns_)
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kChannelCount; ++c)
        writer_.setCell(number, r, c, block.cells[static_cast<size_t>(r * kChannelCount + c)]);
}

}  // namespace

int periodForSemitone(int semitone) {
  const int index = 8 + 8 * semitone;
  const int tablePeriod = periodAt(index);
  // deliberate: the loader turns periods back into notes by truncation, so a
  // table period a hair below the exact pitch (856) reads as one fine step
  // lower and would sound an eighth of a semitone flat. We write the nearest
  // period that reads back as the intended note instead (855 for 856).
  for (int distance = 0; distance <= 16; ++distance)
    for (int sign : {-1, 1}) {
      const int period = tablePeriod + sign * distance;
      if (period > 0 && period < 4096 && noteIndexForPeriod(period) == index) return period;
    }
  return tablePeriod;
}

ScoreResult compileScore(const std::string& text, const std::string& fileName) {
  Compiler compiler(fileName);
  return compiler.run(text);
}

int runModCompose(const std::string& scorePath, const std::string& outPath, std::FILE* err) {
  std::FILE* file = std::fopen(scorePath.c_str(), "rb");
  if (!file) {
    std::fprintf(err, "wf-modcompose: cannot read score '%s'\n", scorePath.c_str());
    return 2;
  }
  std::string text;
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() <= kMaxScoreBytes) text.append(buffer, got);
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  if (readError) {
    std::fprintf(err, "wf-modcompose: cannot read score '%s'\n", scorePath.c_str());
    return 2;
  }
  if (text.size() > kMaxScoreBytes) {
    std::fprintf(err, "wf-modcompose: score '%s' is larger than %d bytes\n", scorePath.c_str(), kMaxScoreBytes);
    return 2;
  }
  const ScoreResult result = compileScore(text, scorePath);
  for (const std::string& message : result.errors) std::fprintf(err, "%s\n", message.c_str());
  if (!result.ok()) return 1;
  std::FILE* out = std::fopen(outPath.c_str(), "wb");
  bool written = out && std::fwrite(result.bytes.data(), 1, result.bytes.size(), out) == result.bytes.size();
  if (out && std::fclose(out) != 0) written = false;
  if (!written) {
    std::fprintf(err, "wf-modcompose: cannot write module '%s'\n", outPath.c_str());
    return 2;
  }
  return 0;
}

}  // namespace wf
