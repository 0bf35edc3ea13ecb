#include <gtest/gtest.h>

#include "base/Console.h"
#include "base/FileBuffer.h"
#include "support/TempDir.h"

using namespace wf;
using wf::test::TempDir;

TEST(FileBuffer, ReadsBinaryFilesByteForByte) {
  TempDir dir;
  const std::vector<uint8_t> bytes = {0, 1, 0x0D, 0x0A, 0xFF, 0x0D};
  FileBuffer file(dir.write("a.bin", bytes));
  EXPECT_EQ(std::make_pair(file.failed(), file.bytes()), std::make_pair(false, bytes));
  FileBuffer empty(dir.write("empty", std::string()));
  EXPECT_TRUE(!empty.failed() && empty.size() == 0u) << "an empty file is valid";
  EXPECT_TRUE(FileBuffer(dir.path(), false).failed()) << "a directory is not a file";
  ConsoleLog log;  // a missing file reports its path as one red line
  setCurrentConsole(&log);
  const std::string path = dir.file("nothing.mod");
  FileBuffer missing(path);
  setCurrentConsole(nullptr);
  EXPECT_TRUE(missing.failed() && missing.size() == 0u);
  ASSERT_EQ(log.lineCount(), 2);
  EXPECT_EQ(std::make_pair(log.line(2), log.level(2)), std::make_pair(path, 0)) << "one red line";
}

TEST(FileBuffer, BackslashesAndCaseAreMappedComponentWise) {
  TempDir dir;
  dir.write("Data/Models/Ship.3DS", std::string("abc"));
  wf::test::ScopedWorkingDir cwd(dir.path());
  EXPECT_FALSE(FileBuffer("Data/Models/Ship.3DS", false).failed());
  FileBuffer mapped("data\\MODELS\\ship.3ds", false);
  EXPECT_EQ(mapped.bytes(), (std::vector<uint8_t>{'a', 'b', 'c'}));
  EXPECT_EQ(resolveDataPath("DATA\\models\\SHIP.3ds"), "Data/Models/Ship.3DS");
  EXPECT_TRUE(FileBuffer("data\\models\\boat.3ds", false).failed());
  EXPECT_EQ(resolveDataPath(dir.path() + "/DATA/models/ship.3ds"), dir.path() + "/Data/Models/Ship.3DS");
}
