#include "script/Keywords.h"

#include "base/NumberText.h"  // Required for: equalsIgnoreCase()

namespace wf {

KeywordTable::KeywordTable() {
  entries_[kind::kModel] = "MODEL";
  entries_[kind::kLight] = "LIGHT";
  entries_[kind::kObject] = "OBJECT";
  entries_[kind::kSprite] = "SPRITE";
  entries_[kind::kTexture] = "TEXTURE";
  entries_[kind::kString] = "STRING";
  entries_[kind::kInteger] = "INTEGER";
  entries_[kind::kAudio] = "AUDIO";
  entries_[kind::kBaum] = "BAUM";
  entries_[kind::kHeightfield] = "HEIGHTFIELD";
  entries_[kind::kSkelett] = "SKELETT";
  entries_[kind::kFilter] = "FILTER";
  entries_[kind::kEnde] = "ENDE";
  entries_[kind::kStart] = "START";
  entries_[kind::kStopMod] = "STOPMOD";
  entries_[kind::kPlayMod] = "PLAYMOD";
  entries_[kind::kMessage] = "MESSAGE";
  entries_[kind::kBlend] = "BLEND";
}

int KeywordTable::lookupRange(const std::string& text, int first, int last) const {
  for (int id = first; id <= last; ++id) {
    // An empty entry matches nothing, not even an empty type word.
    if (!entries_[id].empty() && equalsIgnoreCase(entries_[id], text)) return id;
  }
  return -1;
}

int KeywordTable::lookupType(const std::string& text) const { return lookupRange(text, kFirstType, kLastType); }

int KeywordTable::lookupCall(const std::string& text) const { return lookupRange(text, kFirstCall, kLastCall); }

const std::string& KeywordTable::keyword(int id) const {
  static const std::string kNone;
  if (id < 0 || id >= kSize) return kNone;
  return entries_[id];
}

}  // namespace wf
