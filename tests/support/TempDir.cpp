#include "support/TempDir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace wf::test {
namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "wf-test-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempDir::write(const std::string& name, const std::string& content) const {
  return write(name, std::vector<uint8_t>(content.begin(), content.end()));
}

std::string TempDir::write(const std::string& name, const std::vector<uint8_t>& content) const {
  const fs::path full = fs::path(path_) / name;
  fs::create_directories(full.parent_path());
  std::ofstream out(full, std::ios::binary);
  out.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
  return full.string();
}

ScopedWorkingDir::ScopedWorkingDir(const std::string& dir) : previous_(fs::current_path().string()) {
  fs::current_path(dir);
}

ScopedWorkingDir::~ScopedWorkingDir() {
  std::error_code ec;
  fs::current_path(previous_, ec);
}

std::string readTextFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace wf::test
