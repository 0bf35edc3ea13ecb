#include "base/DisplaySettings.h"

namespace wf {

DisplaySettings& displaySettings() {
  static DisplaySettings settings;
  return settings;
}

}  // namespace wf
