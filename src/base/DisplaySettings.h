// Process-wide display settings: chosen by the entry (command line or start-up
// dialog) and overwritten with the real window size once the main window
// exists. The filter reads the size; logo, tree, heightfield and skeleton
// read detailLevel (0 low, 1 normal, 2 high).
#pragma once

namespace wf {

struct DisplaySettings {
  int screenWidth = 0;   // pixels
  int screenHeight = 0;  // pixels
  bool fullScreen = false;
  int detailLevel = 0;
};

DisplaySettings& displaySettings();

}  // namespace wf
