// wf-modcompose SCORE.txt OUT.mod: builds a four-channel MOD module from a
// text score (see docs/module-composer.md). Exit status 0 when written, 1 when
// the score has errors (each printed as FILE:LINE: message), 2 when a file
// could not be read or written or the arguments are wrong.
#include <cstdio>
#include <cstring>

#include "modcompose/ScoreCompiler.h"

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::printf("usage: wf-modcompose SCORE.txt OUT.mod\n");
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: wf-modcompose SCORE.txt OUT.mod\n");
    return 2;
  }
  return wf::runModCompose(argv[1], argv[2], stderr);
}
