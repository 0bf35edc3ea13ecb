// Whole-file binary reading for every data file of the demo.
//
// Paths from scripts were written on a case-insensitive file system with
// backslashes: '\' is mapped to '/', and when the exact path does not exist
// each component is matched ignoring case. A file that cannot be opened is
// reported with its path (console line, else message box "Error") and leaves
// an empty buffer whose failed() is true, so loaders can tell.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wf {

class FileBuffer {
 public:
  explicit FileBuffer(const std::string& path);
  // Reads without reporting a failure (for tools that print their own errors).
  FileBuffer(const std::string& path, bool reportFailure);
  virtual ~FileBuffer() = default;

  const std::string& path() const { return path_; }
  const uint8_t* data() const { return bytes_.data(); }
  size_t size() const { return bytes_.size(); }
  bool failed() const { return failed_; }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  bool read();

  std::string path_;
  std::vector<uint8_t> bytes_;
  bool failed_ = false;
};

// The path as it exists on disk: backslashes mapped, components matched
// ignoring case where the exact name is missing. Returns the mapped path
// unchanged when nothing matches.
std::string resolveDataPath(const std::string& scriptPath);

}  // namespace wf
