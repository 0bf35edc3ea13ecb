// The script's keyword table and the statement kinds.
//
// Declaration types and commands share one number space with the statement
// kinds of the scanner: 0 call, 1 set, 2 combine, 22 stop, and a declaration
// stores its type's id as its kind. Ids 1..39 are the declarable range
// (looked up after ':'), ids 40..49 the built-in calls (looked up when a
// call statement runs). Every other entry of the 256 is empty.
#pragma once
#include <array>
#include <string>

namespace wf {

namespace kind {
constexpr int kUnknownType = -1;  // a type word not in the table; runs as nothing
constexpr int kCall = 0;          // name(argument)
constexpr int kSet = 1;           // name=…, name.L=…
constexpr int kCombine = 2;       // name*…, name.L*…
constexpr int kModel = 4;
constexpr int kLight = 5;
constexpr int kObject = 6;
constexpr int kSprite = 7;
constexpr int kTexture = 8;
constexpr int kString = 9;
constexpr int kInteger = 10;
constexpr int kAudio = 13;
constexpr int kBaum = 14;
constexpr int kHeightfield = 15;
constexpr int kSkelett = 16;
constexpr int kFilter = 17;
constexpr int kStop = 22;  // name!
constexpr int kEnde = 23;
constexpr int kStart = 24;
constexpr int kStopMod = 42;
constexpr int kPlayMod = 43;
constexpr int kMessage = 44;
constexpr int kBlend = 45;

// Statement kinds 4..10 and 13..17: the declarations, which create objects
// or variables when they run.
constexpr bool isDeclarationKind(int k) { return (k >= kModel && k <= kInteger) || (k >= kAudio && k <= kFilter); }
}  // namespace kind

class KeywordTable {
 public:
  static constexpr int kSize = 256;
  static constexpr int kFirstType = 1, kLastType = 39;
  static constexpr int kFirstCall = 40, kLastCall = 49;

  KeywordTable();

  // First id in 1..39 whose keyword equals the text ignoring case; -1 if none.
  int lookupType(const std::string& text) const;
  // First id in 40..49 whose keyword equals the text ignoring case; -1 if none.
  int lookupCall(const std::string& text) const;

  // The keyword at an id ("" for an empty entry or an id outside the table).
  const std::string& keyword(int id) const;

 private:
  int lookupRange(const std::string& text, int first, int last) const;
  std::array<std::string, kSize> entries_;
};

}  // namespace wf
