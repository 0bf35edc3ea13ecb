// A busy four-channel module built in code, for speed measurements: every
// channel plays a note on every row, with vibrato, arpeggio, portamento and
// volume slides, over looping samples of a few kilobytes.
#pragma once
#include "music/ModWriter.h"

namespace wf::bench {

ModWriter busyModule();

}  // namespace wf::bench
