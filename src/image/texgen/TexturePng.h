// The --texture-png run: texture descriptions to a picture file, for
// authors who want to see a texture without running a production.
#pragma once
#include <string>
#include <vector>

namespace wf {

// Runs the description files `inputs` in order through one fresh generator
// (so a later file builds on the layers the earlier ones left, as texture
// declarations in a script do) and writes the image a TEXTURE object would
// hold after the last file: 256 x 256, 8-bit RGBA, the image's row y = 0 as
// the PNG's first row. Returns the exit status: 0 written, 1 an input could
// not be read or the PNG not written (nothing is written then), 2 no inputs.
// Messages go to stderr.
int runTexturePng(const std::string& outPng, const std::vector<std::string>& inputs);

}  // namespace wf
