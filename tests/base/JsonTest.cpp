#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>

#include "base/Json.h"

using namespace wf;

TEST(JsonWriter, NumbersKeepSeventeenDigitsReadBackExactlyAndIgnoreTheLocale) {
  const std::pair<double, const char*> cases[] = {
      {0.0, "0"},        {1.0, "1"},          {-2.5, "-2.5"},    {0.1, "0.10000000000000001"},
      {1e100, "1e+100"}, {-0.0, "-0"},         {5e-324, "4.9406564584124654e-324"},
      {1.0 / 3.0, "0.33333333333333331"},     {std::nan(""), "\"nan\""}, {-INFINITY, "\"-inf\""},
  };
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // where installed: a comma would show here
  for (const auto& [value, text] : cases) EXPECT_EQ(JsonWriter::formatNumber(value), text) << value;
  std::setlocale(LC_NUMERIC, saved.c_str());
  for (double v : {0.1, 3.1415926535, 123456789.123456789, -7.25e17, std::numeric_limits<double>::max()}) {
    const double back = std::strtod(JsonWriter::formatNumber(v).c_str(), nullptr);
    EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << JsonWriter::formatNumber(v);
  }
}

TEST(JsonWriter, StringsAreEscapedAndValidUtf8) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "\"plain\""}, {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"tab\tnl\ncr\r", "\"tab\\tnl\\ncr\\r\""}, {std::string("nul\0x", 5), "\"nul\\u0000x\""},
      {"\x01\x1f\x7f", "\"\\u0001\\u001f\\u007f\""},
      {"Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80", "\"Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80\""},
      {"bad \xFC byte", "\"bad \xEF\xBF\xBD byte\""}, {"cut \xC3", "\"cut \xEF\xBF\xBD\""},
      {"surrogate \xED\xA0\x80", "\"surrogate \xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(JsonWriter::quote(in), out) << in;
}

TEST(JsonWriter, StructureLayout) {
  JsonWriter json;
  json.beginObject();
  json.key("n").value(42), json.key("big").value(static_cast<int64_t>(1) << 40);
  json.key("d").value(0.1), json.key("t").value(true), json.key("s").value("x\ny"), json.key("none").null();
  json.key("empty").beginArray(), json.endArray(), json.key("emptyObject").beginObject(), json.endObject();
  const double row[] = {1, 2.5, -3};
  json.key("row").numbers(row, 3);
  json.key("nested").beginArray(), json.beginObject(true), json.key("a").value(1), json.endObject();
  json.raw("{\"music\": [1, 2]}\n"), json.endArray(), json.endObject();
  ASSERT_TRUE(json.complete());

  EXPECT_EQ(json.text(), R"({
  "n": 42,
  "big": 1099511627776,
  "d": 0.10000000000000001,
  "t": true,
  "s": "x\ny",
  "none": null,
  "empty": [],
  "emptyObject": {},
  "row": [1, 2.5, -3],
  "nested": [
    {"a": 1},
    {"music": [1, 2]}
  ]
}
)");
}
