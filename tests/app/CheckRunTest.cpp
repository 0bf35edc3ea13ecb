#include <gtest/gtest.h>


#include "app/Runs.h"
#include "script/Script.h"
#include "support/ModWriter.h"
#include "support/TempDir.h"

using namespace wf;


TEST(CheckRun, RunsTheTimelineAndReportsEachLineOnceWithItsTime) {
  struct Case {
    const char* what;
    const char* script;  // null: no file
    int status;
    const char* out;
  };
  const Case cases[] = {
      {"a clean script runs until nothing is left", "A:OBJECT(Base);\nd100 50 A.M*0,0.02;\nPLAYMOD();\n", 0,
       "mohn.cs: 3 statements, 0 reports, 0 warnings; ran to 0:01.50 (nothing left to run)\n"},
      {"scan reports have a line and no time, Windows-1252 included",
       "A:OBJECT(Base);\nB:Kugel(1);\r\n0 D.M=1;\nGr\xFC\xDF" "e:Typ\xE4(1);", 1,
       "mohn.cs:2: unbekannter Objekttyp\nmohn.cs:3: ttl fehlt\n"
       "mohn.cs: 2 statements, 2 reports, 0 warnings; ran to 0:00.01 (nothing left to run)\n"},
      {"run-time reports: once per line, at their first time",
       "R:OBJECT(Base);\nd50 3 Niemand.M=1;\nR.Q=1;\nR.A*1;\nBLEND(1);\nL:LIGHT(7);\nd100 M:MODEL(fehlt.3ds);\n"
       "d1 x:ENDE(aus);\nd1 Zu:OBJECT(Base);",
       1,
       "mohn.cs:2: 0:00.50: Objekt nicht gefunden\nmohn.cs:3: 0:00.50: = mi\xC3\x9F" "gl\xC3\xBC" "ckt\n"
       "mohn.cs:4: 0:00.50: * failed\nmohn.cs:5: 0:00.50: Funktion nicht gefunden\n"
       "mohn.cs:6: 0:00.50: Unbekannter Lichttyp\nmohn.cs:7: 0:01.50: fehlt.3ds\n"
       "mohn.cs: 9 statements, 6 reports, 0 warnings; ran to 0:01.51 (ENDE)\n"},
      {"the two traps are warnings, and do not fail the check",
       "R:OBJECT(Base);\n-1 R.M*-2.5,2.2,-6,1;\nR.C=-1,+2,0;\nd10 R!;\n-1 R.M*1;\nd1 -1 R.W*1;", 0,
       "mohn.cs:2: warning: the minus sign of -2.5 carries over: 2.2 counts as -2.2 (write +2.2)\n"
       "mohn.cs:5: warning: becomes active on the same step as the stop \"R!\" in line 4, which removes it; "
       "delay it by one step (d1)\n"
       "mohn.cs: 6 statements, 0 reports, 2 warnings; ran to 29:59.99 (the check's limit)\n"},
      {"a missing file is a report by its path", nullptr, 1,
       "mohn.cs: mohn.cs\nmohn.cs: 0 statements, 1 reports, 0 warnings; ran to 0:00.00 (nothing left to run)\n"},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    test::ScopedWorkingDir cwd(dir.path());
    if (c.script) dir.write("mohn.cs", c.script);
    std::FILE* out = std::tmpfile();
    testing::internal::CaptureStderr();
    EXPECT_EQ(runCheck("mohn.cs", 0, out), c.status) << c.what;
    testing::internal::GetCapturedStderr();
    std::rewind(out);
    std::string text(4096, '\0');
    text.resize(std::fread(&text[0], 1, text.size(), out));
    std::fclose(out);
    EXPECT_EQ(text, c.out) << c.what;
    EXPECT_EQ(Script::current(), nullptr) << c.what << ": nothing is left behind";
  }
}

TEST(TimelineRun, OneBarPerStatementTheMusicBandAndReportMarks) {
  test::TempDir dir;
  test::ScopedWorkingDir cwd(dir.path());
  // One empty 64-row pattern at speed 6, tempo 125: 338688 frames, 768 steps.
  dir.write("musik/lied.mod", test::basicWriter().build());
  dir.write("mohn.cs",
            "M:AUDIO(musik\\lied.mod);\nPLAYMOD();\nR:OBJECT(Base);\nd100 20 R.M*1;\nd5 R!;\n-1 R.W*1;\n"
            "d10 Niemand.M=1;\nd985 x:ENDE(aus);");
  testing::internal::CaptureStderr();
  ASSERT_EQ(runTimeline(dir.file("bild.svg"), "mohn.cs", 0), 0);
  testing::internal::GetCapturedStderr();
  const std::string text = test::readTextFile(dir.file("bild.svg"));
  const char* expected[] = {
      "data-line=\"3\" data-from=\"1\" data-to=\"2\"",        // the declaration, one step
      "data-line=\"4\" data-from=\"101\" data-to=\"107\"",    // after a delay of 100, until the stop
      "data-line=\"5\" data-from=\"106\" data-to=\"107\"",    // the stop
      "data-line=\"6\" data-from=\"106\" data-to=\"106\"",    // removed by it before it ran
      "data-line=\"8\" data-from=\"1101\" data-to=\"1102\"",  // ENDE
      "data-order=\"0\" data-from=\"1\" data-to=\"769\"",      // the song, then its repeat
      "data-order=\"0\" data-from=\"769\" data-to=\"1102\"",
      "<g class=\"report\"><title>line 7, 0:01.15: Objekt nicht gefunden</title>",
      "<title>line 6: R.W*1\n0:01.05–0:01.05 (removed before it ran)</title>",
  };
  for (const char* e : expected) EXPECT_NE(text.find(e), std::string::npos) << e;
  EXPECT_EQ(text.rfind("</svg>\n"), text.size() - 7);
}
