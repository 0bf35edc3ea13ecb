// The files a production is made of, watched for changes: the script and
// every file its declarations read (models, the module, texture
// descriptions). Polled, not notified: a look at a few file times costs
// microseconds, and it works on every file system.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace wf {

class Script;

// The data files the script's declarations name, as found on disk
// (relative to the working directory, like the engine reads them).
std::vector<std::string> scriptDataFiles(const Script& script);

class WatchedFiles {
 public:
  // Remembers the current state of `paths` (missing files included: their
  // appearance counts as a change).
  void watch(std::vector<std::string> paths);
  // True once any of the files has changed since watch() (time or size).
  bool changed() const;
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  struct Stamp {
    bool exists = false;
    std::filesystem::file_time_type time;
    std::uintmax_t size = 0;
  };
  static Stamp stampOf(const std::string& path);
  std::vector<std::string> paths_;
  std::vector<Stamp> stamps_;
};

}  // namespace wf
