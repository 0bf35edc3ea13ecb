#include "base/FileBuffer.h"

#include <dirent.h>    // Required for: opendir(), readdir()
#include <sys/stat.h>  // Required for: stat()

#include <cstdio>  // Required for: fopen(), fread()

#include "base/NumberText.h"
#include "base/Report.h"

namespace wf {
namespace {

bool exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

// The entry of directory `dir` whose name equals `name` ignoring case.
bool findIgnoringCase(const std::string& dir, const std::string& name, std::string& found) {
  DIR* handle = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!handle) return false;
  bool ok = false;
  while (dirent* entry = ::readdir(handle)) {
    if (equalsIgnoreCase(entry->d_name, name.c_str())) {
      found = entry->d_name;
      ok = true;
      break;
    }
  }
  ::closedir(handle);
  return ok;
}

}  // namespace

std::string resolveDataPath(const std::string& scriptPath) {
  std::string mapped = scriptPath;
  for (char& c : mapped)
    if (c == '\\') c = '/';
  if (mapped.empty() || exists(mapped)) return mapped;

  // Walk the components, keeping exact matches and otherwise taking the
  // first entry that differs only in case.
  std::string result;
  size_t pos = 0;
  if (mapped[0] == '/') {
    result = "/";
    pos = 1;
  }
  while (pos <= mapped.size()) {
    size_t end = mapped.find('/', pos);
    if (end == std::string::npos) end = mapped.size();
    std::string part = mapped.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == "." || part == "..") {
      if (!part.empty()) result += part + (end < mapped.size() ? "/" : "");
      continue;
    }
    std::string candidate = result + part;
    if (!exists(candidate)) {
      std::string found;
      if (!findIgnoringCase(result, part, found)) return mapped;
      candidate = result + found;
    }
    result = candidate;
    if (end < mapped.size()) result += "/";
  }
  return result;
}

FileBuffer::FileBuffer(const std::string& path) : FileBuffer(path, true) {}

FileBuffer::FileBuffer(const std::string& path, bool reportFailure) : path_(path) {
  if (!read()) {
    failed_ = true;
    bytes_.clear();
    if (reportFailure) reportError(path_);
  }
}

bool FileBuffer::read() {
  const std::string resolved = resolveDataPath(path_);
  std::FILE* file = std::fopen(resolved.c_str(), "rb");
  if (!file) return false;
  struct stat info;
  if (::fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
    std::fclose(file);
    return false;
  }
  // Read until the end rather than trusting the reported size, so a file
  // that changes while we read cannot leave a short or overlong buffer.
  uint8_t chunk[65536];
  size_t got;
  bytes_.reserve(static_cast<size_t>(info.st_size));
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes_.insert(bytes_.end(), chunk, chunk + got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

}  // namespace wf
