#include "app/WatchedFiles.h"

#include <algorithm>

#include "base/FileBuffer.h"
#include "script/Keywords.h"
#include "script/Script.h"

namespace wf {

std::vector<std::string> scriptDataFiles(const Script& script) {
  std::vector<std::string> files;
  for (int i = 0; i < script.recordCount(); ++i) {
    const ScriptRecord& r = script.record(i);
    // A texture or sprite argument names a description file when it holds a
    // '.' and is more than one character (one character is a glyph).
    const bool file = r.kind == kind::kModel || r.kind == kind::kAudio ||
                      ((r.kind == kind::kTexture || r.kind == kind::kSprite) && r.argument.size() > 1);
    if (!file || r.argument.find('.') == std::string::npos) continue;
    const std::string path = resolveDataPath(r.argument);
    if (std::find(files.begin(), files.end(), path) == files.end()) files.push_back(path);
  }
  return files;
}

WatchedFiles::Stamp WatchedFiles::stampOf(const std::string& path) {
  Stamp stamp;
  std::error_code error;
  stamp.time = std::filesystem::last_write_time(path, error);
  if (error) return stamp;
  stamp.size = std::filesystem::file_size(path, error);
  stamp.exists = !error;
  return stamp;
}

void WatchedFiles::watch(std::vector<std::string> paths) {
  paths_ = std::move(paths);
  stamps_.clear();
  for (const std::string& path : paths_) stamps_.push_back(stampOf(path));
}

bool WatchedFiles::changed() const {
  for (size_t i = 0; i < paths_.size(); ++i) {
    const Stamp now = stampOf(paths_[i]);
    const Stamp& then = stamps_[i];
    if (now.exists != then.exists || now.time != then.time || now.size != then.size) return true;
  }
  return false;
}

}  // namespace wf
