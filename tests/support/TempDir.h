// A fresh temporary directory for one test, removed with everything in it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wf::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Writes (creating parent folders) and returns the full path.
  std::string write(const std::string& name, const std::string& content) const;
  std::string write(const std::string& name, const std::vector<uint8_t>& content) const;

 private:
  std::string path_;
};

// Changes the working directory for a scope (scripts name files relative to it).
class ScopedWorkingDir {
 public:
  explicit ScopedWorkingDir(const std::string& dir);
  ~ScopedWorkingDir();

 private:
  std::string previous_;
};

std::string readTextFile(const std::string& path);

}  // namespace wf::test
