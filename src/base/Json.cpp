#include "base/Json.h"

#include <charconv>  // Required for: to_chars() (locale-independent)
#include <cmath>     // Required for: isnan(), isinf()
#include <cstdio>    // Required for: snprintf()

namespace wf {
namespace {

// Length of a valid UTF-8 sequence at text[pos], or 0.
size_t utf8Length(const std::string& text, size_t pos) {
  const unsigned char lead = static_cast<unsigned char>(text[pos]);
  size_t length;
  uint32_t value;
  uint32_t minimum;
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (text.size() - pos < length) return 0;
  for (size_t i = 1; i < length; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string JsonWriter::formatNumber(double number) {
  if (std::isnan(number)) return "\"nan\"";
  if (std::isinf(number)) return number > 0 ? "\"inf\"" : "\"-inf\"";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::general, 17);
  return std::string(buffer, result.ptr);
}

std::string JsonWriter::quote(const std::string& text) {
  std::string out = "\"";
  for (size_t pos = 0; pos < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[pos]);
    const size_t length = utf8Length(text, pos);
    if (length == 0) {
      out += "\xEF\xBF\xBD";  // U+FFFD for a byte that is not UTF-8
      pos += 1;
      continue;
    }
    if (length > 1) {
      out.append(text, pos, length);
      pos += length;
      continue;
    }
    pos += 1;
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", c);
          out += escape;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
  return out;
}

void JsonWriter::newline() {
  out_ += '\n';
  out_.append(stack_.size() * 2, ' ');
}

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (stack_.empty()) return;
  Level& level = stack_.back();
  if (!level.empty) out_ += level.inlined ? ", " : ",";
  if (!level.inlined) newline();
  level.empty = false;
}

JsonWriter& JsonWriter::key(const std::string& name) {
  beforeValue();
  out_ += quote(name);
  out_ += ": ";
  afterKey_ = true;
  return *this;
}

void JsonWriter::open(char bracket, bool object, bool inlined) {
  beforeValue();
  out_ += bracket;
  // Inside an inline container everything stays on one line.
  const bool parentInline = !stack_.empty() && stack_.back().inlined;
  stack_.push_back({object, inlined || parentInline, true});
}

void JsonWriter::close(char bracket) {
  if (stack_.empty()) return;
  const Level level = stack_.back();
  stack_.pop_back();
  if (!level.empty && !level.inlined) newline();
  out_ += bracket;
  if (stack_.empty()) out_ += '\n';
}

void JsonWriter::beginObject(bool inlined) { open('{', true, inlined); }
void JsonWriter::endObject() { close('}'); }
void JsonWriter::beginArray(bool inlined) { open('[', false, inlined); }
void JsonWriter::endArray() { close(']'); }

void JsonWriter::value(double number) {
  beforeValue();
  out_ += formatNumber(number);
}

void JsonWriter::value(int number) {
  beforeValue();
  out_ += std::to_string(number);
}

void JsonWriter::value(int64_t number) {
  beforeValue();
  out_ += std::to_string(number);
}

void JsonWriter::value(bool flag) {
  beforeValue();
  out_ += flag ? "true" : "false";
}

void JsonWriter::value(const std::string& text) {
  beforeValue();
  out_ += quote(text);
}

void JsonWriter::value(const char* text) { value(std::string(text ? text : "")); }

void JsonWriter::null() {
  beforeValue();
  out_ += "null";
}

void JsonWriter::raw(const std::string& json) {
  beforeValue();
  // Trailing white space would break the layout of what follows.
  size_t end = json.size();
  while (end > 0 && (json[end - 1] == '\n' || json[end - 1] == ' ' || json[end - 1] == '\r' || json[end - 1] == '\t'))
    --end;
  out_.append(json, 0, end);
}

void JsonWriter::numbers(const double* values, size_t count) {
  beginArray(true);
  for (size_t i = 0; i < count; ++i) value(values[i]);
  endArray();
}

uint64_t fnv1a64(const uint8_t* data, size_t size) {
  uint64_t hash = 0xcbf29ce484222325ULL;  // offset basis
  for (size_t i = 0; i < size; ++i) {
    hash ^= data[i];
    hash *= 0x100000001b3ULL;  // FNV prime
  }
  return hash;
}

std::string fnv1a64Hex(const uint8_t* data, size_t size) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(fnv1a64(data, size)));
  return text;
}

}  // namespace wf
