#include "app/Runs.h"
#include "script/Script.h"

namespace wf {

int runCheck(const std::string& file, std::FILE* out) {
  const Script script(file, nullptr);
  std::fprintf(out, "%d statements\n", script.recordCount());
  std::fflush(out);
  return script.reportCount() > 0 || script.sourceFailed() ? 1 : 0;
}

}  // namespace wf
