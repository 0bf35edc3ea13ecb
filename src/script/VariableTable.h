// Script variables and the value evaluators.
//
// Arguments are comma-separated item lists, evaluated anew every time a
// command runs. One item: [-|+] [SIN|COS] [-|+] (variable | number).
// deliberate, and relied on by stored scripts:
//  - the two sign flags are NOT reset between the items of one list, so an
//    unsigned item repeats the previous item's sign ("-1,2" is -1, -2)
//    (Evaluators.SignsCarryOverToUnsignedItems);
//  - a function is recognised by its first two letters only ("co", "si" in
//    any case) and then three characters are dropped whatever they are;
//    the inner sign is applied only with a function
//    (Evaluators.SinAndCosTakeRadiansAndTwoLetterNames).
// `wolkenfahrt --check` warns where the carried sign changes a value.
// Angles of SIN/COS are radians; matrices take quarter turns.
#pragma once
#include <string>
#include <vector>

#include "base/math/Matrix4.h"

namespace wf {

class SceneObject;

class VariableTable {
 public:
  static constexpr int kCapacity = 10;
  static constexpr int kItemChars = 99;   // longer items are cut
  static constexpr int kMatrixValues = 16;

  struct Variable {
    double value = 0.0;
    std::string name;
  };

  VariableTable();
  virtual ~VariableTable();

  // 1 for SIN, 2 for COS (two-letter test ignoring case), -1 otherwise.
  int lookupFunction(const std::string& item) const;
  int lookupVariable(const std::string& text) const;
  // The caller checks the capacity; a full table ignores the call.
  void addVariable(double value, const std::string& name);
  int count() const { return static_cast<int>(variables_.size()); }
  bool full() const { return count() >= kCapacity; }
  const Variable& variable(int index) const { return variables_[static_cast<size_t>(index)]; }

  // Up to 16 values; 0 identity, 1 uniform scale, 2 rotation (axis index
  // 0..2 = x, y, z; any other index gives the matrix of an unknown axis),
  // 3 scale, 4 translation, 5 or more identity.
  Matrix4 evaluateMatrix(const std::string& text) const;
  // First item truncated toward zero; empty text 0.
  int evaluateInteger(const std::string& text) const;
  // "ja", "yes", "true", "wahr", "si" (ignoring case), or a non-zero atoi.
  bool evaluateBoolean(const std::string& text) const;
  // Three plain numbers at the text, after the first and after the second
  // comma (missing ones are 0); w = 0.
  Vector4 evaluateVector(const std::string& text) const;

  // variable = first item x variable (a "=" command on a variable).
  void multiplyVariable(int index, const std::string& text);
  // variable = first item + variable (a "*" command on a variable).
  void addToVariable(int index, const std::string& text);

  // Every item of the list, in order, with the sticky signs.
  std::vector<double> evaluateList(const std::string& text, size_t maxItems) const;

  // The process-wide table (the script's); an empty one when no script exists.
  static VariableTable* current();

 private:
  struct Signs {
    double outer = 1.0;
    double inner = 1.0;
  };
  double evaluateItem(std::string item, Signs& signs) const;

  std::vector<std::string> functionNames_;
  std::vector<Variable> variables_;
};

// Shorthands on the current table.
Matrix4 evaluateMatrix(const std::string& text);
int evaluateInteger(const std::string& text);
bool evaluateBoolean(const std::string& text);
Vector4 evaluateVector(const std::string& text);

}  // namespace wf
