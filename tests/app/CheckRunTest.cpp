#include <gtest/gtest.h>

#include <cstdio>

#include "base/Console.h"
#include "app/Runs.h"
#include "script/Script.h"
#include "support/TempDir.h"

using namespace wf;

namespace {

struct CheckResult {
  int status;
  std::string out;
  std::string err;
};

CheckResult check(const std::string& file) {
  std::FILE* out = std::tmpfile();
  testing::internal::CaptureStderr();
  const int status = runCheck(file, out);
  CheckResult result{status, "", testing::internal::GetCapturedStderr()};
  std::rewind(out);
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, out)) result.out += buffer;
  std::fclose(out);
  return result;
}

}  // namespace

TEST(Check, CleanScriptCountsStatements) {
  test::TempDir dir;
  const CheckResult r = check(dir.write("mohn.cs", "A:OBJECT(Base);\nd100 50 A.M*0,0.02;\nPLAYMOD();\n"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "3 statements\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Script::current(), nullptr) << "nothing is left behind";
}

TEST(Check, ReportsGoToStderrWithTheirLines) {
  test::TempDir dir;
  const CheckResult r = check(dir.write("mohn.cs", "A:OBJECT(Base);\nB:Kugel(1);\r\nC.M=1;\n0 D.M=1;\nE.M=1;"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "3 statements\n");
  EXPECT_EQ(r.err, "Zeile: 2  unbekannter Objekttyp\nZeile: 4  ttl fehlt\n");
}

TEST(Check, RuntimeFailuresAreNotReportedByAScan) {
  test::TempDir dir;
  const CheckResult r = check(dir.write("mohn.cs", "Niemand.M=1;\nBLEND();\nA:INTEGER(1);"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "3 statements\n");
}

TEST(Check, MissingFileIsAReport) {
  test::TempDir dir;
  const CheckResult r = check(dir.file("fehlt.cs"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "0 statements\n");
  EXPECT_EQ(r.err, dir.file("fehlt.cs") + "\n");
}

TEST(Check, DefaultFileIsMohnInTheWorkingDirectory) {
  test::TempDir dir;
  dir.write("mohn.cs", "A.M=1;");
  test::ScopedWorkingDir cwd(dir.path());
  const CheckResult r = check("mohn.cs");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "1 statements\n");
}

TEST(Check, OldCodePageMessagesReachStderrAsUtf8) {
  test::TempDir dir;
  const CheckResult r = check(dir.write("mohn.cs", "Gr\xFC\xDF" "e:Typ\xE4(1);"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Zeile: 1  unbekannter Objekttyp\n");
}
