// Small helpers shared by the scene object tests.
#pragma once
#include <gtest/gtest.h>

#include <utility>

#include "base/Console.h"
#include "base/DisplaySettings.h"
#include "base/math/Matrix4.h"
#include "scene/LightList.h"

namespace wf::test {

struct ScopedDetailLevel {  // sets the quality level for one scope
  explicit ScopedDetailLevel(int level) : previous(std::exchange(displaySettings().detailLevel, level)) {}
  ~ScopedDetailLevel() { displaySettings().detailLevel = previous; }
  int previous;
};

struct ScopedConsole {  // records the lines printed in its scope
  ScopedConsole() { setCurrentConsole(&log); }
  ~ScopedConsole() { setCurrentConsole(nullptr); }
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (const auto& l : log.storedLines()) out.push_back(l.second);
    return out;
  }
  ConsoleLog log;
};

struct ScopedLightList {  // an empty frame light list for one scope
  ScopedLightList() { setCurrentLightList(&list); }
  ~ScopedLightList() { setCurrentLightList(nullptr); }
  LightList list;
};

inline std::vector<double> xyz(const Vector3& c) { return {c.x, c.y, c.z}; }
inline std::vector<double> xyzw(const Vector4& v) { return {v.x, v.y, v.z, v.w}; }

// Element by element within `tolerance`, naming `what` on a mismatch.
inline void expectNear(const std::vector<double>& got, const std::vector<double>& want, double tolerance,
                       const std::string& what) {
  ASSERT_EQ(got.size(), want.size()) << what;
  for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], tolerance) << what << ", element " << i;
}

}  // namespace wf::test
