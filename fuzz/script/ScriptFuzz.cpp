// Fuzz target: the script scanner and a short run of the timeline.
//
// Any bytes must scan without a crash or an out-of-bounds access, give at
// most 4096 records whose texts are valid UTF-8, and run without trouble.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/EngineHost.h"
#include "platform/GlyphRasterizer.h"
#include "base/Console.h"
#include "base/NumberText.h"
#include "image/Sprite.h"
#include "scene/ObjectRegistry.h"
#include "app/DeclarationTable.h"
#include "script/Keywords.h"
#include "script/Script.h"

namespace {

bool validUtf8(const std::string& text) {
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    size_t length = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

void require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static wf::ConsoleLog console;  // reports are recorded here instead of printed
  console.setLineCount(1);
  wf::setCurrentConsole(&console);
  {
    wf::ObjectRegistry registry;
    wf::EngineHost host(wf::DeclarationTarget{&registry, {nullptr, wf::systemGlyphRasterizer}, nullptr});
    wf::Script script(wf::Script::FromText{}, std::string(reinterpret_cast<const char*>(data), size), &host);
    require(script.recordCount() >= 0 && script.recordCount() <= wf::Script::kRecordCapacity);
    bool longFastForward = false;
    for (int i = 0; i < script.recordCount(); ++i) {
      const wf::ScriptRecord& r = script.record(i);
      require(r.ttl != 0);
      require(r.letter == 0 || (r.letter >= 0x40 && r.letter <= 0x5F));
      require(validUtf8(r.name) && validUtf8(r.argument));
      // A fast-forward runs what it is told; keep the run short.
      if (r.kind == wf::kind::kStart && wf::parseAtoi(r.argument) > 2000) longFastForward = true;
    }
    if (!longFastForward)
      for (int i = 0; i < 40; ++i) script.step();
  }
  wf::setCurrentConsole(nullptr);
  return 0;
}
