// A small streaming JSON writer for machine-readable dumps.
//
// Numbers keep their full value: doubles are written with 17 significant
// digits (enough to read back the same bits), independent of the locale;
// NaN and the infinities, which JSON cannot express, become the strings
// "nan", "inf" and "-inf". Strings are UTF-8; bytes that are not valid UTF-8
// become U+FFFD, control characters are escaped. The output is indented,
// except inside containers opened as inline (number rows such as matrices).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wf {

class JsonWriter {
 public:
  JsonWriter() = default;

  void beginObject(bool inlined = false);
  void endObject();
  void beginArray(bool inlined = false);
  void endArray();
  // The key of the next value inside an object.
  JsonWriter& key(const std::string& name);

  void value(double number);
  void value(int number);
  void value(int64_t number);
  void value(bool flag);
  void value(const std::string& text);
  void value(const char* text);
  void null();
  // Inserts already formatted JSON as one value (trusted to be valid).
  void raw(const std::string& json);

  // A row of numbers as one inline array.
  void numbers(const double* values, size_t count);

  const std::string& text() const { return out_; }
  // True when every container opened has been closed.
  bool complete() const { return stack_.empty() && !out_.empty(); }

  static std::string formatNumber(double number);
  static std::string quote(const std::string& text);

 private:
  struct Level {
    bool object;
    bool inlined;
    bool empty;
  };
  void beforeValue();
  void open(char bracket, bool object, bool inlined);
  void close(char bracket);
  void newline();

  std::string out_;
  std::vector<Level> stack_;
  bool afterKey_ = false;
};

// The 64-bit FNV-1a hash of a byte block, as 16 lower-case hex digits.
uint64_t fnv1a64(const uint8_t* data, size_t size);
std::string fnv1a64Hex(const uint8_t* data, size_t size);

}  // namespace wf
