// "wolkenfahrt --check [FILE]": reads and scans a script without running it.
//
// Every report goes to stderr as "Zeile: N  message" (a missing file as its
// path), the number of statements to `out` as "N statements". Nothing is
// executed, no window or sound is needed.
#pragma once
#include <cstdio>
#include <string>

namespace wf {

constexpr const char* kDefaultScriptFile = "mohn.cs";

// 1 if there was any report (including an unreadable file), 0 otherwise.
int runCheck(const std::string& file, std::FILE* out = stdout);

}  // namespace wf
