#include "music/Module.h"

namespace wf {

void Module::clear() {
  title.clear();
  sampleCount = 0;
  for (SampleHeader& sample : samples) sample = SampleHeader();
  songLength = 0;
  patternCount = 0;
  orders.fill(0);
  patterns.clear();
  patterns.shrink_to_fit();
}

}  // namespace wf
