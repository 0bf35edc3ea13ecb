// The ways of running the engine, one file each: the entry parses the
// command line and calls one of these. Each returns the process's exit
// status; none ends the process itself.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "app/Options.h"

namespace wf {

// Start-up dialog (or -XP, "quadrix roxx", --mode), then the demo in a window.
int runPlay(const Options& options);
// --render DIR|OUT.mp4|OUT.mkv: frames and music of the timeline (or of the
// part from --from on), headless.
int runRender(const Options& options);
// --dump-scene OUT.json --steps N: the scene after N steps, headless.
int runDumpScene(const Options& options);
// --check [FILE]: reads the script and runs its whole timeline without
// drawing (TimelineTrace.h). Prints every report once per line of the
// script with its time, the warnings, and a summary line, to `out`.
// 1 if there was any report (an unreadable file included), 0 otherwise.
int runCheck(const std::string& file, int quality, std::FILE* out = stdout);
// --timeline OUT.svg [FILE]: the same run as a picture.
int runTimeline(const std::string& svgPath, const std::string& file, int quality);
// --texture-png OUT.png IN...: runs the description files in order through
// one fresh generator (a later file builds on the layers the earlier ones
// left, as texture declarations in a script do) and writes the image a
// TEXTURE object would hold after the last file: 256 x 256 RGBA, the image's
// row y = 0 as the PNG's first row. 0 written, 1 an input could not be read
// or the PNG not written (nothing is written then), 2 no inputs.
int runTexturePng(const std::string& outPng, const std::vector<std::string>& inputs);
// --module-info IN.mod: the module's facts as JSON on `out`.
// --module-wav IN.mod OUT.wav --seconds S: the module rendered to a WAV file.
// Both read the file without the sound device and render through the same
// ModEngine::renderBlock as the demo. 0 success, 1 the output could not be
// written, 2 an unreadable module (with a message on stderr naming the file).
int runModuleInfo(const std::string& path, std::FILE* out = stdout);
int runModuleWav(const std::string& inPath, const std::string& outPath, double seconds);

}  // namespace wf
