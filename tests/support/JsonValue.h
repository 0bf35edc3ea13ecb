// A small JSON reader for tests that check machine-readable output by
// parsing it back.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace wf::test {

struct JsonValue {
  enum class Type { Null, Bool, Number, String, Array, Object };
  Type type = Type::Null;
  bool boolean = false;
  double number = 0.0;
  std::string text;  // String, and the number's original spelling
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;  // in document order

  bool isNull() const { return type == Type::Null; }
  // The member with this key; throws std::out_of_range when there is none.
  const JsonValue& operator[](const std::string& key) const;
  const JsonValue& operator[](size_t index) const;
  bool has(const std::string& key) const;
  size_t size() const { return type == Type::Array ? items.size() : members.size(); }
  std::vector<std::string> keys() const;
};

// Parses a whole document; throws std::runtime_error with the offset on bad
// input (including trailing garbage).
JsonValue parseJson(const std::string& text);

}  // namespace wf::test
