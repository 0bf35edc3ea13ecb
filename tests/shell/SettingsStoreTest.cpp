#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "shell/SettingsStore.h"
#include "support/TempDir.h"

using namespace wf;
using wf::test::TempDir;
using wf::test::readTextFile;

TEST(SettingsStore, MissingFileGivesNoValues) {
  TempDir dir;
  SettingsStore store(dir.file("nothing/settings"));
  EXPECT_FALSE(store.load());
  EXPECT_FALSE(store.value("Resolution").has_value());
  EXPECT_FALSE(store.value("Quality").has_value());
}

TEST(SettingsStore, ReadsTheThreeValues) {
  TempDir dir;
  const std::string path = dir.write("settings", "Resolution=2\nQuality=1\nStart=0\n");
  SettingsStore store(path);
  EXPECT_EQ(store.value("Resolution"), 2);
  EXPECT_EQ(store.value("Quality"), 1);
  EXPECT_EQ(store.value("Start"), 0);
}

TEST(SettingsStore, AcceptsCrLfAndBlankLinesAndTheFull32BitRange) {
  TempDir dir;
  SettingsStore store(dir.write("settings", "Resolution=-2147483648\r\n\r\nQuality=2147483647\n"));
  EXPECT_EQ(store.value("Resolution"), INT32_MIN);
  EXPECT_EQ(store.value("Quality"), INT32_MAX);
  EXPECT_FALSE(store.value("Start").has_value());
}

TEST(SettingsStore, GarbledFilesGiveNoValuesAtAll) {
  const char* const cases[] = {
      "Resolution=2\nQuality\n",                // line without '='
      "Resolution=2\nQuality=x\n",              // not a number
      "Resolution=2\nQuality=1 \n",             // trailing space
      "Resolution=2\nQuality=\n",               // empty value
      "Resolution=2\nresolution=1\n",           // unknown (case matters)
      "Resolution=2\nResolution=3\n",           // twice
      "Resolution=2147483648\n",                // beyond 32 bits
      "Resolution=-2147483649\n",               // below 32 bits
      "Resolution=99999999999999999999999\n",   // far beyond
      "\x01\x02\x03\xff binary",                // not text
  };
  for (const char* text : cases) {
    TempDir dir;
    SettingsStore store(dir.write("settings", std::string(text)));
    EXPECT_FALSE(store.value("Resolution").has_value()) << "file: " << text;
    EXPECT_FALSE(store.value("Quality").has_value()) << "file: " << text;
  }
}

TEST(SettingsStore, SaveCreatesFoldersAndWritesOneLineEach) {
  TempDir dir;
  const std::string path = dir.file("config/wolkenfahrt/settings");
  SettingsStore store(path);
  store.setValue("Quality", 2);
  store.setValue("Resolution", 3);
  store.setValue("Start", 0);
  store.setValue("Unknown", 5);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(readTextFile(path), "Resolution=3\nQuality=2\nStart=0\n");
  SettingsStore again(path);
  EXPECT_EQ(again.value("Resolution"), 3);
  EXPECT_FALSE(again.value("Unknown").has_value());
}

TEST(SettingsStore, SaveReplacesTheFileAndLeavesNoTemporaryBehind) {
  TempDir dir;
  const std::string path = dir.write("settings", "Resolution=1\n");
  SettingsStore store(path);
  store.setValue("Resolution", 2);
  ASSERT_TRUE(store.save());
  EXPECT_EQ(readTextFile(path), "Resolution=2\n");
  // Only the settings file is left in the folder.
  std::string listing;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    listing += entry.path().filename().string() + " ";
  EXPECT_EQ(listing, "settings ");
}

TEST(SettingsStore, FailedWriteKeepsTheOldFile) {
  TempDir dir;
  const std::string path = dir.write("settings", "Resolution=1\n");
  // A folder where the temporary file would go makes the write fail (for
  // root too).
  const std::string blocker = path + ".tmp." + std::to_string(getpid());
  ASSERT_EQ(mkdir(blocker.c_str(), 0700), 0);
  SettingsStore store(path);
  store.setValue("Resolution", 3);
  EXPECT_FALSE(store.save());
  EXPECT_EQ(readTextFile(path), "Resolution=1\n");
}

TEST(SettingsStore, FailedRenameLeavesNoTemporary) {
  TempDir dir;
  // The settings path is a non-empty folder: the rename cannot replace it.
  dir.write("settings/keep", "x");
  SettingsStore store(dir.file("settings"));
  store.setValue("Quality", 1);
  EXPECT_FALSE(store.save());
  std::string listing;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    listing += entry.path().filename().string() + " ";
  EXPECT_EQ(listing, "settings ");
}

TEST(SettingsStore, DefaultPathFollowsXdgConfigHomeThenHome) {
  const char* oldXdg = std::getenv("XDG_CONFIG_HOME");
  const char* oldHome = std::getenv("HOME");
  const std::string savedXdg = oldXdg ? oldXdg : "", savedHome = oldHome ? oldHome : "";

  setenv("XDG_CONFIG_HOME", "/tmp/xdg", 1);
  setenv("HOME", "/home/demo", 1);
  EXPECT_EQ(SettingsStore::defaultPath(), "/tmp/xdg/wolkenfahrt/settings");
  setenv("XDG_CONFIG_HOME", "relative", 1);
  EXPECT_EQ(SettingsStore::defaultPath(), "/home/demo/.config/wolkenfahrt/settings") << "relative XDG ignored";
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsStore::defaultPath(), "/home/demo/.config/wolkenfahrt/settings");
  unsetenv("HOME");
  EXPECT_EQ(SettingsStore::defaultPath(), "");

  if (oldXdg) setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  if (oldHome) setenv("HOME", savedHome.c_str(), 1);
}

TEST(SettingsStore, OversizedFileIsNotOurs) {
  TempDir dir;
  SettingsStore small(dir.write("small", std::string(4000, '\n') + "Quality=1\n"));
  EXPECT_EQ(small.value("Quality"), 1) << "blank lines are allowed";
  SettingsStore big(dir.write("big", std::string(5000, '\n') + "Quality=1\n"));
  EXPECT_FALSE(big.value("Quality").has_value());
  SettingsStore folder(dir.path());
  EXPECT_FALSE(folder.value("Quality").has_value()) << "a folder reads as no values";
}
