#include "script/VariableTable.h"

#include <cmath>  // Required for: sin(), cos()

#include "base/NumberText.h"

namespace wf {
namespace {
VariableTable* theTable = nullptr;

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
}  // namespace

VariableTable* VariableTable::current() {
  if (theTable) return theTable;
  static VariableTable empty;  // registers itself; replaced by a script's table
  return &empty;
}

VariableTable::VariableTable() : functionNames_(10) {
  functionNames_[1] = "SIN";
  functionNames_[2] = "COS";
  theTable = this;
}

VariableTable::~VariableTable() {
  if (theTable == this) theTable = nullptr;
}

int VariableTable::lookupFunction(const std::string& item) const {
  if (item.size() < 2) return -1;
  for (int id = 1; id <= 2; ++id) {
    const std::string& fn = functionNames_[static_cast<size_t>(id)];
    if (lowerAscii(item[0]) == lowerAscii(fn[0]) && lowerAscii(item[1]) == lowerAscii(fn[1])) return id;
  }
  return -1;
}

int VariableTable::lookupVariable(const std::string& text) const {
  for (size_t i = 0; i < variables_.size(); ++i)
    if (equalsIgnoreCase(variables_[i].name, text)) return static_cast<int>(i);
  return -1;
}

void VariableTable::addVariable(double value, const std::string& name) {
  if (full()) return;
  variables_.push_back({value, name});
}

double VariableTable::evaluateItem(std::string item, Signs& signs) const {
  if (item.size() > static_cast<size_t>(kItemChars)) item.resize(kItemChars);
  size_t pos = 0;
  if (pos < item.size() && item[pos] == '-') { signs.outer = -1.0; ++pos; }
  if (pos < item.size() && item[pos] == '+') { signs.outer = 1.0; ++pos; }
  const int function = lookupFunction(item.substr(pos));
  if (function > 0) pos = std::min(item.size(), pos + 3);  // whatever the third letter is
  if (pos < item.size() && item[pos] == '-') { signs.inner = -1.0; ++pos; }
  if (pos < item.size() && item[pos] == '+') { signs.inner = 1.0; ++pos; }
  const std::string rest = item.substr(pos);
  const int variable = lookupVariable(rest);
  const double operand = variable >= 0 ? variables_[static_cast<size_t>(variable)].value : parseAtof(rest);
  if (function == 1) return signs.outer * std::sin(signs.inner * operand);
  if (function == 2) return signs.outer * std::cos(signs.inner * operand);
  return signs.outer * operand;
}

std::vector<double> VariableTable::evaluateList(const std::string& text, size_t maxItems) const {
  std::vector<double> values;
  Signs signs;
  size_t pos = 0;
  while (pos < text.size() && values.size() < maxItems) {
    size_t comma = text.find(',', pos);
    if (comma == std::string::npos) comma = text.size();
    values.push_back(evaluateItem(text.substr(pos, comma - pos), signs));
    pos = comma + 1;
  }
  return values;
}

Matrix4 VariableTable::evaluateMatrix(const std::string& text) const {
  const std::vector<double> v = evaluateList(text, kMatrixValues);
  switch (v.size()) {
    case 0:
      return Matrix4();
    case 1:
      return Matrix4::uniformScale(v[0]);
    case 2: {
      const int axis = truncToInt(v[0]);
      // Indices outside 0..2 name no axis: the rotation of an unknown axis.
      const char letter = (axis >= 0 && axis <= 2) ? "xyz"[axis] : '\0';
      return Matrix4::rotation(letter, v[1]);
    }
    case 3:
      return Matrix4::scale(v[0], v[1], v[2]);
    case 4:
      return Matrix4::translation(v[0], v[1], v[2], v[3]);
    default:
      return Matrix4();
  }
}

int VariableTable::evaluateInteger(const std::string& text) const {
  if (text.empty()) return 0;
  const std::vector<double> v = evaluateList(text, 1);
  return v.empty() ? 0 : truncToInt(v[0]);
}

bool VariableTable::evaluateBoolean(const std::string& text) const {
  static const char* const words[] = {"ja", "yes", "true", "wahr", "si"};
  for (const char* word : words)
    if (equalsIgnoreCase(text.c_str(), word)) return true;
  return parseAtoi(text) != 0;
}

Vector4 VariableTable::evaluateVector(const std::string& text) const {
  Vector4 v;
  v.x = parseAtof(text);
  const size_t first = text.find(',');
  if (first != std::string::npos) {
    v.y = parseAtof(text.c_str() + first + 1);
    const size_t second = text.find(',', first + 1);
    if (second != std::string::npos) v.z = parseAtof(text.c_str() + second + 1);
  }
  v.w = 0.0;
  return v;
}

void VariableTable::multiplyVariable(int index, const std::string& text) {
  if (index < 0 || index >= count()) return;
  const std::vector<double> v = evaluateList(text, 1);
  const double value = v.empty() ? 0.0 : v[0];
  variables_[static_cast<size_t>(index)].value = value * variables_[static_cast<size_t>(index)].value;
}

void VariableTable::addToVariable(int index, const std::string& text) {
  if (index < 0 || index >= count()) return;
  const std::vector<double> v = evaluateList(text, 1);
  const double value = v.empty() ? 0.0 : v[0];
  variables_[static_cast<size_t>(index)].value = value + variables_[static_cast<size_t>(index)].value;
}

Matrix4 evaluateMatrix(const std::string& text) { return VariableTable::current()->evaluateMatrix(text); }
int evaluateInteger(const std::string& text) { return VariableTable::current()->evaluateInteger(text); }
bool evaluateBoolean(const std::string& text) { return VariableTable::current()->evaluateBoolean(text); }
Vector4 evaluateVector(const std::string& text) { return VariableTable::current()->evaluateVector(text); }

}  // namespace wf
