// wf-texcompile: compiles readable texture descriptions into the binary
// files the engine's texture generator runs.
#include <string>
#include <vector>

#include "texcompile/TextureCompiler.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return wf::runTextureCompiler(arguments);
}
