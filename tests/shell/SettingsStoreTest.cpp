#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "shell/SettingsStore.h"
#include "support/TempDir.h"

using namespace wf;
using namespace wf::test;

namespace {
std::string listing(const std::string& folder) {
  std::string names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names += entry.path().filename().string() + " ";
  return names;
}
}  // namespace

TEST(SettingsStore, EachLineIsReadOnItsOwn) {
  struct Case { const char* text; std::map<std::string, int32_t> values; std::vector<int> ignored; } const cases[] = {
      {"Resolution=2\nQuality=1\nStart=0\n", {{"Resolution", 2}, {"Quality", 1}, {"Start", 0}}, {}},
      {"# my choice\nResolution=3\njunk\nQuality=2\n", {{"Resolution", 3}, {"Quality", 2}}, {1, 3}},
      {"Resolution=-2147483648\r\n\r\nQuality=2147483647\n", {{"Resolution", INT32_MIN}, {"Quality", INT32_MAX}}, {}},
      {"Resolution=2147483648\nQuality=-2147483649\nStart=99999999999999999999\n", {}, {1, 2, 3}},
      {"resolution=1\nQuality=x\nQuality=1 \nQuality=\nStart=+\nQuality\n", {}, {1, 2, 3, 4, 5, 6}},
      {"Resolution=1\nResolution=3", {{"Resolution", 3}}, {}},
      {"\x01\x02\xff binary", {}, {1}},
  };
  for (const Case& c : cases) {
    std::vector<int> ignored;
    EXPECT_EQ(parseSettingsText(c.text, &ignored), c.values) << c.text;
    EXPECT_EQ(ignored, c.ignored) << c.text;
  }
}

TEST(SettingsStore, LoadNamesTheFileAndLineOfEveryIgnoredLineAndReadsOnlyFilesOfOurSize) {
  TempDir dir;
  const std::string path = dir.write("settings", "# my choice\nResolution=2\nQuality=1\nx=1\n");
  testing::internal::CaptureStderr();
  SettingsStore store(path);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::vector<int>({*store.value("Resolution"), *store.value("Quality")}), std::vector<int>({2, 1}));
  const auto line = [&](int n) { return "wolkenfahrt: " + path + ":" + std::to_string(n) + ": line ignored"; };
  EXPECT_EQ(err.substr(0, line(1).size()), line(1)) << err;
  EXPECT_EQ(err.substr(err.find('\n') + 1, line(4).size()), line(4)) << "one line each: " << err;
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
  const std::string big = dir.write("big", std::string(5000, '\n') + "Quality=1\n");
  for (const std::string& missing : {dir.file("nothing/settings"), dir.path(), big})
    EXPECT_FALSE(SettingsStore(missing).value("Quality")) << missing;
  EXPECT_EQ(SettingsStore(dir.write("small", std::string(4000, '\n') + "Quality=1\n")).value("Quality"), 1);
}

TEST(SettingsStore, SaveWritesKnownValuesInOrderAndAtomically) {
  TempDir dir;
  const std::string path = dir.file("cfg/wolkenfahrt/settings");
  SettingsStore store(path);
  store.setValue("Quality", 2);
  store.setValue("Resolution", 1);
  store.setValue("Unknown", 5);
  ASSERT_TRUE(store.save()) << "the folders are made";
  EXPECT_EQ(readTextFile(path), "Resolution=1\nQuality=2\n");
  EXPECT_EQ(listing(dir.file("cfg/wolkenfahrt")), "settings ") << "no temporary left";
  // A folder where the temporary would go: the write fails, the old file stays.
  ASSERT_EQ(mkdir((path + ".tmp." + std::to_string(getpid())).c_str(), 0700), 0);
  store.setValue("Resolution", 3);
  EXPECT_FALSE(store.save());
  EXPECT_EQ(readTextFile(path), "Resolution=1\nQuality=2\n");
  // The settings path is a non-empty folder: the rename fails, nothing is left.
  TempDir other;
  other.write("settings/keep", "x");
  EXPECT_FALSE(SettingsStore(other.file("settings")).save());
  EXPECT_EQ(listing(other.path()), "settings ");
}

TEST(SettingsStore, DefaultPathFollowsXdgConfigHomeThenHome) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string savedXdg = xdg ? xdg : "", savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("HOME", "/home/demo", 1), setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  EXPECT_EQ(SettingsStore::defaultPath(), "/tmp/xdg/wolkenfahrt/settings");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(SettingsStore::defaultPath(), "/home/demo/.config/wolkenfahrt/settings") << "relative XDG ignored";
  unsetenv("HOME"), unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsStore::defaultPath(), "");
  setenv("HOME", savedHome.c_str(), 1);
  if (!savedXdg.empty()) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
}
