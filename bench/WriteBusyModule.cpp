// Writes the benchmark's busy module to a file, so other players can render
// the same music for comparison: wf_write_busy_module OUT.mod
#include <cstdio>

#include "BusyModule.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.mod\n", argv[0]);
    return 2;
  }
  if (!wf::bench::busyModule().writeFile(argv[1])) {
    std::fprintf(stderr, "cannot write '%s'\n", argv[1]);
    return 1;
  }
  return 0;
}
