#include "texcompile/TextureCompiler.h"

#include <cstdio>  // Required for: std::fopen(), std::fprintf()

#include "base/NumberText.h"      // Required for: equalsIgnoreCase()
#include "base/FileBuffer.h"  // Required for: FileBuffer

namespace wf {
namespace {

constexpr int kLayerLimit = 8;  // layers 0..8

// One named parameter: which record byte it fills (0 is the code, 1..8 the
// parameters p1..p8) and whether it names a layer.
struct ParameterSpec {
  const char* name;
  int slot;
  bool layer;
};

struct OperationSpec {
  const char* name;
  int code;  // -1 for "raw"
  std::vector<ParameterSpec> parameters;
};

const std::vector<OperationSpec>& operations() {
  static const std::vector<OperationSpec> table = {
      {"plasma", 0,
       {{"layer", 1, true}, {"xfreq", 2, false}, {"yfreq", 3, false}, {"xphase", 4, false},
        {"yphase", 5, false}, {"red", 6, false}, {"green", 7, false}, {"blue", 8, false}}},
      {"cloud", 1, {{"layer", 1, true}, {"roughness", 2, false}, {"seed", 3, false}}},
      {"spot", 2,
       {{"layer", 1, true}, {"x", 2, false}, {"y", 3, false}, {"radius", 4, false},
        {"red", 5, false}, {"green", 6, false}, {"blue", 7, false}}},
      {"twirl", 3,
       {{"layer", 1, true}, {"x", 2, false}, {"y", 3, false}, {"radius", 4, false},
        {"softness", 5, false}}},
      {"invert", 4, {{"layer", 1, true}}},
      {"blur", 5, {{"layer", 1, true}}},
      {"emboss", 6, {{"layer", 1, true}}},
      {"combine", 7,
       {{"layer", 1, true}, {"source", 2, true}, {"mode", 3, false}, {"amount", 4, false}}},
      {"modulate", 8, {{"layer", 1, true}, {"source", 2, true}}},
      {"wave", 9, {{"layer", 1, true}, {"width", 2, false}, {"divisor", 4, false}}},
      {"raw", -1,
       {{"code", 0, false}, {"p1", 1, false}, {"p2", 2, false}, {"p3", 3, false}, {"p4", 4, false},
        {"p5", 5, false}, {"p6", 6, false}, {"p7", 7, false}, {"p8", 8, false}}},
  };
  return table;
}

const char* const kModeNames[3] = {"add", "sub", "mul"};

const OperationSpec* findOperation(const std::string& name) {
  for (const OperationSpec& op : operations())
    if (equalsIgnoreCase(name.c_str(), op.name)) return &op;
  return nullptr;
}

const OperationSpec* operationForCode(int code) {
  for (const OperationSpec& op : operations())
    if (op.code == code) return &op;
  return nullptr;
}

std::string operationList() {
  std::string list;
  for (const OperationSpec& op : operations()) list += (list.empty() ? "" : ", ") + std::string(op.name);
  return list;
}

std::string parameterList(const OperationSpec& op) {
  std::string list;
  for (const ParameterSpec& p : op.parameters) list += (list.empty() ? "" : ", ") + std::string(p.name);
  return list;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }
bool isNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// A decimal integer 0..255 (digits only: no sign, no other characters).
bool parseByte(const std::string& text, int& value) {
  if (text.empty()) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 255) return false;
  }
  value = v;
  return true;
}

// Removes a comment ('#' or "//" to the end of the line).
std::string withoutComment(const std::string& line) {
  size_t cut = line.find('#');
  const size_t slashes = line.find("//");
  if (slashes < cut) cut = slashes;
  return cut == std::string::npos ? line : line.substr(0, cut);
}

class LineCompiler {
 public:
  LineCompiler(const std::string& source, int lineNumber, std::vector<std::string>& errors)
      : prefix_(source + ":" + std::to_string(lineNumber) + ": "), errors_(errors) {}

  // Compiles one line; returns false for an empty line or an error.
  bool compile(const std::string& rawLine, uint8_t record[9]) {
    text_ = withoutComment(rawLine);
    pos_ = 0;
    skipSpaces();
    if (pos_ >= text_.size()) return false;
    const std::string opName = readName();
    if (opName.empty()) return fail("expected an operation name, found \"" + rest() + "\"");
    const OperationSpec* op = findOperation(opName);
    if (op == nullptr)
      return fail("unknown operation \"" + opName + "\" (operations: " + operationList() + ")");
    for (int i = 0; i < 9; ++i) record[i] = 0;
    if (op->code >= 0) record[0] = uint8_t(op->code);
    bool given[9] = {};
    bool ok = true;
    for (;;) {
      skipSpaces();
      if (pos_ >= text_.size()) break;
      const std::string name = readName();
      if (name.empty()) return fail("expected name=value, found \"" + rest() + "\"");
      skipSpaces();
      if (pos_ >= text_.size() || text_[pos_] != '=')
        return fail("expected '=' after \"" + name + "\"");
      ++pos_;
      skipSpaces();
      const std::string value = readValue();
      const ParameterSpec* spec = nullptr;
      for (const ParameterSpec& p : op->parameters)
        if (equalsIgnoreCase(name.c_str(), p.name)) spec = &p;
      if (spec == nullptr) {
        ok = fail(std::string(op->name) + " has no parameter \"" + name + "\" (parameters: " +
                  parameterList(*op) + ")");
        continue;
      }
      if (value.empty()) {
        ok = fail(std::string(spec->name) + " needs a value");
        continue;
      }
      if (given[spec->slot]) {
        ok = fail(std::string(spec->name) + " is given twice");
        continue;
      }
      given[spec->slot] = true;
      int byte = 0;
      if (!parseValue(*op, *spec, value, byte)) {
        ok = false;
        continue;
      }
      record[spec->slot] = uint8_t(byte);
    }
    return ok;
  }

 private:
  bool parseValue(const OperationSpec& op, const ParameterSpec& spec, const std::string& value, int& byte) {
    if (op.code == 7 && spec.slot == 3) {
      for (int m = 0; m < 3; ++m)
        if (equalsIgnoreCase(value.c_str(), kModeNames[m])) {
          byte = m;
          return true;
        }
      if (parseByte(value, byte)) return true;
      return fail("mode \"" + value + "\" is not add, sub, mul or a number 0..255");
    }
    if (!parseByte(value, byte))
      return fail(std::string(spec.name) + " \"" + value + "\" is not a whole number 0..255");
    if (spec.layer && byte > kLayerLimit)
      return fail(std::string(spec.name) + " " + value + " is not a layer 0..8");
    return true;
  }

  bool fail(const std::string& message) {
    errors_.push_back(prefix_ + message);
    return false;
  }
  void skipSpaces() {
    while (pos_ < text_.size() && isSpace(text_[pos_])) ++pos_;
  }
  // A name starts with a letter and goes on with letters, digits and '_'.
  std::string readName() {
    const size_t start = pos_;
    if (pos_ >= text_.size() || !isNameChar(text_[pos_]) || (text_[pos_] >= '0' && text_[pos_] <= '9'))
      return "";
    while (pos_ < text_.size() && isNameChar(text_[pos_])) ++pos_;
    return text_.substr(start, pos_ - start);
  }
  std::string readValue() {
    const size_t start = pos_;
    while (pos_ < text_.size() && !isSpace(text_[pos_]) && text_[pos_] != '=') ++pos_;
    return text_.substr(start, pos_ - start);
  }
  std::string rest() const {
    std::string r = text_.substr(pos_);
    while (!r.empty() && isSpace(r.back())) r.pop_back();
    return r;
  }

  std::string prefix_;
  std::vector<std::string>& errors_;
  std::string text_;
  size_t pos_ = 0;
};

void putCount(std::vector<uint8_t>& bytes, uint32_t count) {
  for (int i = 0; i < 4; ++i) bytes[size_t(i)] = uint8_t(count >> (8 * i));
}

// Why the engine would skip a record, or "" when it runs.
std::string skipReason(const uint8_t* r) {
  if (r[0] > 9) return "code " + std::to_string(r[0]) + " is no operation";
  if (r[1] > kLayerLimit) return "layer " + std::to_string(r[1]) + " does not exist";
  if ((r[0] == 7 || r[0] == 8) && r[2] > kLayerLimit)
    return "source layer " + std::to_string(r[2]) + " does not exist";
  return "";
}

std::string rawLine(const uint8_t* r) {
  std::string line = "raw code=" + std::to_string(r[0]);
  for (int i = 1; i <= 8; ++i) line += " p" + std::to_string(i) + "=" + std::to_string(r[i]);
  return line;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

void printUsage() {
  std::fprintf(stderr,
               "usage: wf-texcompile SOURCE.txt OUTPUT      compile a texture description\n"
               "       wf-texcompile --decompile INPUT      print a description's readable form\n");
}

}  // namespace

TextureCompileResult compileTextureDescription(const std::string& text, const std::string& sourceName) {
  TextureCompileResult result;
  std::vector<uint8_t> bytes(4, 0);
  uint32_t count = 0;
  int lineNumber = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++lineNumber;
    uint8_t record[9];
    LineCompiler line(sourceName, lineNumber, result.errors);
    if (line.compile(text.substr(start, end - start), record)) {
      bytes.insert(bytes.end(), record, record + 9);
      ++count;
    }
    start = end + 1;
  }
  if (result.errors.empty()) {
    putCount(bytes, count);
    result.bytes = std::move(bytes);
  }
  return result;
}

std::string decompileTextureDescription(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < 4) return "# not a texture description: shorter than its 4-byte count\n";
  const int32_t count = int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                                uint32_t(bytes[3]) << 24);
  const size_t present = (bytes.size() - 4) / 9;
  std::string out;
  if (count < 0 || size_t(count) != present)
    out += "# the count says " + std::to_string(count) + "; " + std::to_string(present) +
           " complete records follow, and the engine runs " +
           std::to_string(count <= 0 ? 0 : (size_t(count) < present ? size_t(count) : present)) + "\n";
  for (size_t k = 0; k < present; ++k) {
    const uint8_t* r = bytes.data() + 4 + k * 9;
    const std::string reason = skipReason(r);
    if (!reason.empty()) {
      out += rawLine(r) + "  # skipped by the engine: " + reason + "\n";
      continue;
    }
    const OperationSpec* op = operationForCode(r[0]);
    bool used[9] = {true};
    std::string line = op->name;
    for (const ParameterSpec& p : op->parameters) {
      used[p.slot] = true;
      line += " " + std::string(p.name) + "=";
      if (op->code == 7 && p.slot == 3 && r[3] < 3)
        line += kModeNames[r[3]];
      else
        line += std::to_string(r[p.slot]);
    }
    bool unusedSet = false;
    for (int i = 1; i <= 8; ++i) unusedSet = unusedSet || (!used[i] && r[i] != 0);
    // Unused bytes are kept (as a raw record) so the file compiles back
    // byte for byte.
    if (unusedSet)
      out += rawLine(r) + "  # " + line + ", unused parameters set\n";
    else
      out += line + "\n";
  }
  const size_t tail = (bytes.size() - 4) % 9;
  if (tail != 0) out += "# " + std::to_string(tail) + " bytes of an incomplete record follow (never run)\n";
  return out;
}

int runTextureCompiler(const std::vector<std::string>& arguments) {
  if (arguments.size() == 2 && arguments[0] == "--decompile") {
    FileBuffer input(arguments[1], false);
    if (input.failed()) {
      std::fprintf(stderr, "wf-texcompile: cannot read %s\n", arguments[1].c_str());
      return 1;
    }
    const std::string text = decompileTextureDescription(input.bytes());
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
  }
  if (arguments.size() != 2 || arguments[0].empty() || arguments[0][0] == '-') {
    printUsage();
    return 2;
  }
  FileBuffer source(arguments[0], false);
  if (source.failed()) {
    std::fprintf(stderr, "wf-texcompile: cannot read %s\n", arguments[0].c_str());
    return 1;
  }
  const std::string text(reinterpret_cast<const char*>(source.data()), source.size());
  const TextureCompileResult result = compileTextureDescription(text, arguments[0]);
  if (!result.ok()) {
    for (const std::string& error : result.errors) std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!writeFile(arguments[1], result.bytes)) {
    std::fprintf(stderr, "wf-texcompile: cannot write %s\n", arguments[1].c_str());
    return 1;
  }
  std::printf("%s: %zu operations\n", arguments[1].c_str(), (result.bytes.size() - 4) / 9);
  return 0;
}

}  // namespace wf
