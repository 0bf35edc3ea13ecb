#include <gtest/gtest.h>

#include <cstdio>

#include "app/Runs.h"
#include "script/Script.h"
#include "support/TempDir.h"

using namespace wf;

TEST(CheckRun, StatusStatementCountAndReports) {
  struct Case {
    const char* what;
    const char* script;  // null: no file
    int status;
    const char* out;
    const char* err;  // "%s" stands for the file's path
  };
  const Case cases[] = {
      {"a clean script", "A:OBJECT(Base);\nd100 50 A.M*0,0.02;\nPLAYMOD();\n", 0, "3 statements\n", ""},
      {"scan reports with their lines, any line ending",
       "A:OBJECT(Base);\nB:Kugel(1);\r\nC.M=1;\n0 D.M=1;\nE.M=1;", 1, "3 statements\n",
       "Zeile: 2  unbekannter Objekttyp\nZeile: 4  ttl fehlt\n"},
      {"a Windows-1252 script", "Gr\xFC\xDF" "e:Typ\xE4(1);", 1, "1 statements\n", "Zeile: 1  unbekannter Objekttyp\n"},
      {"a missing file is a report by its path", nullptr, 1, "0 statements\n", "%s\n"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    test::ScopedWorkingDir cwd(dir.path());
    if (c.script) dir.write("mohn.cs", c.script);
    std::FILE* out = std::tmpfile();
    testing::internal::CaptureStderr();
    const int status = runCheck("mohn.cs", out);
    const std::string err = testing::internal::GetCapturedStderr();
    std::rewind(out);
    char buffer[256] = {};
    const std::string printed = std::fgets(buffer, sizeof buffer, out) ? buffer : "";
    std::fclose(out);
    std::string expectedErr = c.err;
    if (expectedErr == "%s\n") expectedErr = "mohn.cs\n";
    EXPECT_EQ(status, c.status) << c.what;
    EXPECT_EQ(printed, c.out) << c.what;
    EXPECT_EQ(err, expectedErr) << c.what;
    EXPECT_EQ(Script::current(), nullptr) << c.what << ": nothing is left behind";
  }
}
