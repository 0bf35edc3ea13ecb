#include "support/JsonValue.h"

#include <cstdlib>
#include <stdexcept>

namespace wf::test {
namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  JsonValue document() {
    JsonValue v = parseValue();
    skip();
    if (pos_ != s_.size()) fail("trailing characters");
    return v;
  }

 private:
  [[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("JSON: " + what + " at offset " + std::to_string(pos_));
  }
  void skip() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t')) ++pos_;
  }
  bool take(char c) {
    skip();
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  void expect(char c) {
    if (!take(c)) fail(std::string("expected '") + c + "'");
  }
  bool word(const char* w) {
    const std::string ws(w);
    if (s_.compare(pos_, ws.size(), ws) == 0) {
      pos_ += ws.size();
      return true;
    }
    return false;
  }

  static void appendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  unsigned hex4() {
    if (pos_ + 4 > s_.size()) fail("short \\u escape");
    const std::string digits = s_.substr(pos_, 4);
    for (char c : digits)
      if (!isxdigit(static_cast<unsigned char>(c))) fail("bad \\u escape");
    pos_ += 4;
    return static_cast<unsigned>(std::strtoul(digits.c_str(), nullptr, 16));
  }

  std::string parseString() {
    expect('"');
    std::string out;
    for (;;) {
      if (pos_ >= s_.size()) fail("unterminated string");
      const char c = s_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) fail("raw control character in string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= s_.size()) fail("unterminated escape");
      const char e = s_[pos_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          unsigned cp = hex4();
          if (cp >= 0xD800 && cp < 0xDC00 && word("\\u")) {
            const unsigned low = hex4();
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          }
          appendUtf8(out, cp);
          break;
        }
        default:
          fail("bad escape");
      }
    }
  }

  JsonValue parseValue() {
    skip();
    if (pos_ >= s_.size()) fail("unexpected end");
    JsonValue v;
    const char c = s_[pos_];
    if (c == '{') {
      ++pos_;
      v.type = JsonValue::Type::Object;
      if (take('}')) return v;
      do {
        skip();
        std::string k = parseString();
        expect(':');
        v.members.emplace_back(std::move(k), parseValue());
      } while (take(','));
      expect('}');
    } else if (c == '[') {
      ++pos_;
      v.type = JsonValue::Type::Array;
      if (take(']')) return v;
      do v.items.push_back(parseValue());
      while (take(','));
      expect(']');
    } else if (c == '"') {
      v.type = JsonValue::Type::String;
      v.text = parseString();
    } else if (word("true")) {
      v.type = JsonValue::Type::Bool;
      v.boolean = true;
    } else if (word("false")) {
      v.type = JsonValue::Type::Bool;
    } else if (word("null")) {
      v.type = JsonValue::Type::Null;
    } else {
      const size_t start = pos_;
      if (pos_ < s_.size() && s_[pos_] == '-') ++pos_;
      while (pos_ < s_.size() && (isdigit(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '.' ||
                                  s_[pos_] == 'e' || s_[pos_] == 'E' || s_[pos_] == '+' || s_[pos_] == '-'))
        ++pos_;
      if (pos_ == start) fail("unexpected character");
      v.type = JsonValue::Type::Number;
      v.text = s_.substr(start, pos_ - start);
      char* end = nullptr;
      v.number = std::strtod(v.text.c_str(), &end);
      if (end != v.text.c_str() + v.text.size()) fail("bad number " + v.text);
    }
    return v;
  }

  const std::string& s_;
  size_t pos_ = 0;
};

}  // namespace

const JsonValue& JsonValue::operator[](const std::string& key) const {
  for (const auto& m : members)
    if (m.first == key) return m.second;
  throw std::out_of_range("no member " + key);
}

const JsonValue& JsonValue::operator[](size_t index) const { return items.at(index); }

bool JsonValue::has(const std::string& key) const {
  for (const auto& m : members)
    if (m.first == key) return true;
  return false;
}

std::vector<std::string> JsonValue::keys() const {
  std::vector<std::string> out;
  for (const auto& m : members) out.push_back(m.first);
  return out;
}

JsonValue parseJson(const std::string& text) { return Parser(text).document(); }

}  // namespace wf::test
