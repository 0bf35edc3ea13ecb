#include "shell/SettingsStore.h"

#include <fcntl.h>     // Required for: open()
#include <sys/stat.h>  // Required for: mkdir()
#include <unistd.h>    // Required for: write(), fsync(), close(), getpid()

#include <cerrno>    // Required for: errno
#include <climits>   // Required for: INT32_MIN/MAX checks
#include <cstdio>    // Required for: std::rename(), std::remove()
#include <cstdlib>   // Required for: std::getenv()
#include <fstream>   // Required for: std::ifstream
#include <sstream>   // Required for: std::istringstream

#include "base/Report.h"  // Required for: logDiagnostic()

namespace wf {
namespace {

const char* const kNames[] = {"Resolution", "Quality", "Start"};

// A whole line "-?[0-9]+" within the 32-bit range.
std::optional<int32_t> parseDecimal(const std::string& text) {
  size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  if (pos >= text.size() || text.size() - pos > 11) return std::nullopt;
  long long value = 0;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9') return std::nullopt;
    value = value * 10 + (text[pos] - '0');
  }
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

bool makeFolders(const std::string& folder) {
  // mkdir -p: every prefix ending before a '/', then the folder itself.
  for (size_t slash = folder.find('/', 1); ; slash = folder.find('/', slash + 1)) {
    const std::string prefix = folder.substr(0, slash);
    if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

}  // namespace

bool SettingsStore::isKnownName(const std::string& name) {
  for (const char* known : kNames)
    if (name == known) return true;
  return false;
}

std::string SettingsStore::defaultPath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  // Relative values are to be ignored, as the base-directory rules say.
  if (xdg && xdg[0] == '/') return std::string(xdg) + "/wolkenfahrt/settings";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return std::string(home) + "/.config/wolkenfahrt/settings";
  return std::string();
}

std::map<std::string, int32_t> parseSettingsText(const std::string& text, std::vector<int>* ignored) {
  std::map<std::string, int32_t> values;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const size_t eq = line.find('=');
    const std::string name = line.substr(0, eq);
    const std::optional<int32_t> value =
        eq == std::string::npos ? std::nullopt : parseDecimal(line.substr(eq + 1));
    if (SettingsStore::isKnownName(name) && value)
      values[name] = *value;
    else if (ignored)
      ignored->push_back(number);
  }
  return values;
}

std::string formatSettingsText(const std::map<std::string, int32_t>& values) {
  std::string text;
  for (const char* name : kNames) {
    const auto it = values.find(name);
    if (it != values.end()) text += std::string(name) + "=" + std::to_string(it->second) + "\n";
  }
  return text;
}

SettingsStore::SettingsStore(std::string path) : path_(std::move(path)) { load(); }

bool SettingsStore::load() {
  values_.clear();
  if (path_.empty()) return false;
  std::ifstream in(path_, std::ios::binary);
  if (!in) return false;
  // Three short lines; anything much larger is not our file, and reading
  // stops there instead of swallowing whatever the path names.
  constexpr size_t kMaxBytes = 4096;
  std::string text(kMaxBytes + 1, '\0');
  in.read(&text[0], static_cast<std::streamsize>(text.size()));
  if (in.bad()) return false;
  text.resize(static_cast<size_t>(in.gcount()));
  if (text.size() > kMaxBytes) {
    logDiagnostic(path_ + ": larger than " + std::to_string(kMaxBytes) + " bytes, not read as settings");
    return false;
  }
  std::vector<int> ignored;
  values_ = parseSettingsText(text, &ignored);
  for (int number : ignored)
    logDiagnostic(path_ + ":" + std::to_string(number) +
                  ": line ignored (not Resolution=, Quality= or Start= with a whole number)");
  return true;
}

std::optional<int32_t> SettingsStore::value(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void SettingsStore::setValue(const std::string& name, int32_t value) {
  if (isKnownName(name)) values_[name] = value;
}

bool SettingsStore::save() const {
  if (path_.empty()) return false;
  const size_t slash = path_.rfind('/');
  if (slash != std::string::npos && slash > 0 && !makeFolders(path_.substr(0, slash))) return false;

  const std::string temporary = path_ + ".tmp." + std::to_string(getpid());
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const std::string text = formatSettingsText(values_);
  size_t done = 0;
  bool ok = true;
  while (ok && done < text.size()) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += static_cast<size_t>(n);
  }
  // The data must be on disk before the rename makes it the settings file.
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok && std::rename(temporary.c_str(), path_.c_str()) != 0) ok = false;
  if (!ok) std::remove(temporary.c_str());
  return ok;
}

}  // namespace wf
