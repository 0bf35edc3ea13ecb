// Small helpers shared by the scene object tests.
#pragma once
#include <gtest/gtest.h>

#include "base/Console.h"
#include "base/DisplaySettings.h"
#include "scene/LightList.h"

namespace wf::test {

// Sets the quality level for one test and restores it afterwards.
class ScopedDetailLevel {
 public:
  explicit ScopedDetailLevel(int level) : previous_(displaySettings().detailLevel) {
    displaySettings().detailLevel = level;
  }
  ~ScopedDetailLevel() { displaySettings().detailLevel = previous_; }

 private:
  int previous_;
};

// A console that records the lines printed during one test.
class ScopedConsole {
 public:
  ScopedConsole() { setCurrentConsole(&log); }
  ~ScopedConsole() { setCurrentConsole(nullptr); }
  // Every stored line's text, in order.
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (const auto& l : log.storedLines()) out.push_back(l.second);
    return out;
  }
  ConsoleLog log;
};

// An empty frame light list for one test.
class ScopedLightList {
 public:
  ScopedLightList() { setCurrentLightList(&list); }
  ~ScopedLightList() { setCurrentLightList(nullptr); }
  LightList list;
};

}  // namespace wf::test
