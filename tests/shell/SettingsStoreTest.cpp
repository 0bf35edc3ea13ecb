#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "shell/SettingsStore.h"
#include "support/TempDir.h"

using namespace wf;
using wf::test::readTextFile;
using wf::test::TempDir;

namespace {
std::string listing(const std::string& folder) {
  std::string names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names += entry.path().filename().string() + " ";
  return names;
}
}  // namespace

TEST(SettingsStore, EachLineIsReadOnItsOwn) {
  struct Case {
    const char* text;
    int resolution, quality, start;  // -1: no value
    std::vector<int> ignored;
  } const cases[] = {
      {"Resolution=2\nQuality=1\nStart=0\n", 2, 1, 0, {}},
      {"# my choice\nResolution=3\nQuality=2\n", 3, 2, -1, {1}},
      {"Resolution=1\njunk\nQuality=1\nQuality\n", 1, 1, -1, {2, 4}},
      {"Resolution=-2147483648\r\n\r\nQuality=2147483647\n", INT32_MIN, INT32_MAX, -1, {}},
      {"Resolution=2147483648\nQuality=-2147483649\nStart=99999999999999999999\n", -1, -1, -1, {1, 2, 3}},
      {"resolution=1\nQuality=x\nQuality=1 \nQuality=\nStart=+\n", -1, -1, -1, {1, 2, 3, 4, 5}},
      {"Resolution=1\nResolution=3", 3, -1, -1, {}},
      {"\x01\x02\xff binary", -1, -1, -1, {1}},
  };
  for (const Case& c : cases) {
    std::vector<int> ignored;
    const std::map<std::string, int32_t> values = parseSettingsText(c.text, &ignored);
    const auto get = [&](const char* name) { return values.count(name) ? values.at(name) : -1; };
    EXPECT_EQ(get("Resolution"), c.resolution) << c.text;
    EXPECT_EQ(get("Quality"), c.quality) << c.text;
    EXPECT_EQ(get("Start"), c.start) << c.text;
    EXPECT_EQ(ignored, c.ignored) << c.text;
  }
}

TEST(SettingsStore, LoadNamesTheFileAndLineOfEveryIgnoredLine) {
  TempDir dir;
  const std::string path = dir.write("settings", "# my choice\nResolution=2\nQuality=1\nx=1\n");
  testing::internal::CaptureStderr();
  SettingsStore store(path);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(store.value("Resolution"), 2);
  EXPECT_EQ(store.value("Quality"), 1);
  EXPECT_NE(err.find(path + ":1: line ignored"), std::string::npos) << err;
  EXPECT_NE(err.find(path + ":4: line ignored"), std::string::npos) << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
}

TEST(SettingsStore, MissingFolderOrOversizedFilesGiveNoValues) {
  TempDir dir;
  const std::string cases[] = {dir.file("nothing/settings"), dir.path(),
                               dir.write("big", std::string(5000, '\n') + "Quality=1\n")};
  for (const std::string& path : cases) {
    SettingsStore store(path);
    EXPECT_FALSE(store.load()) << path;
    EXPECT_FALSE(store.value("Quality").has_value()) << path;
  }
  EXPECT_EQ(SettingsStore(dir.write("small", std::string(4000, '\n') + "Quality=1\n")).value("Quality"), 1);
}

TEST(SettingsStore, SaveWritesKnownValuesInOrderAndAtomically) {
  TempDir dir;
  const std::string path = dir.write("cfg/wolkenfahrt/settings", "# mine\nResolution=1\n");
  SettingsStore store(path);
  store.setValue("Quality", 2);
  store.setValue("Start", 0);
  store.setValue("Unknown", 5);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(readTextFile(path), "Resolution=1\nQuality=2\nStart=0\n");
  EXPECT_EQ(listing(dir.file("cfg/wolkenfahrt")), "settings ") << "no temporary left";
  ASSERT_TRUE(SettingsStore(dir.file("new/folders/settings")).save()) << "folders are made";

  // A folder where the temporary would go: the write fails, the old file stays.
  ASSERT_EQ(mkdir((path + ".tmp." + std::to_string(getpid())).c_str(), 0700), 0);
  store.setValue("Resolution", 3);
  EXPECT_FALSE(store.save());
  EXPECT_EQ(readTextFile(path), "Resolution=1\nQuality=2\nStart=0\n");

  // The settings path is a non-empty folder: the rename fails, nothing is left.
  TempDir other;
  other.write("settings/keep", "x");
  EXPECT_FALSE(SettingsStore(other.file("settings")).save());
  EXPECT_EQ(listing(other.path()), "settings ");
}

TEST(SettingsStore, DefaultPathFollowsXdgConfigHomeThenHome) {
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const char* oldHome = std::getenv("HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";
  setenv("HOME", "/home/demo", 1);
  setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(SettingsStore::defaultPath(), "/tmp/xdg/wolkenfahrt/settings");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(SettingsStore::defaultPath(), "/home/demo/.config/wolkenfahrt/settings") << "relative XDG ignored";
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("HOME");
  EXPECT_EQ(SettingsStore::defaultPath(), "");
  if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  if (oldHome) setenv("HOME", savedHome.c_str(), 1);
}
