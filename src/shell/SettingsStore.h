// The saved start-up choices: three 32-bit values named "Resolution",
// "Quality" and "Start", kept in a small text file instead of a registry key.
//
// File: $XDG_CONFIG_HOME/wolkenfahrt/settings (default
// ~/.config/wolkenfahrt/settings), one "Name=value" line per value, value in
// decimal. Reading is all or nothing: a missing, unreadable or garbled file
// (a line without '=', an unknown name, a value that is not a 32-bit decimal
// number, a name twice) gives no values at all, so every setting starts at 0.
// Writing replaces the whole file atomically: a temporary file in the same
// folder is written, flushed and renamed over the old one, so an interrupted
// write leaves the previous file (or none), never a broken one.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace wf {

class SettingsStore {
 public:
  // The three names the store accepts.
  static bool isKnownName(const std::string& name);

  // The default path from the environment; empty if neither
  // XDG_CONFIG_HOME nor HOME gives an absolute folder.
  static std::string defaultPath();

  explicit SettingsStore(std::string path);

  // Re-reads the file. False (and no values) if it is missing or garbled.
  bool load();
  // The value stored under `name`, if the file held one.
  std::optional<int32_t> value(const std::string& name) const;
  // Changes the in-memory value; save() writes them all.
  void setValue(const std::string& name, int32_t value);
  // Writes every value atomically, creating the folder. False on failure
  // (the old file is then untouched).
  bool save() const;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::map<std::string, int32_t> values_;
};

// Parses the file's text; nullopt if anything in it is garbled.
std::optional<std::map<std::string, int32_t>> parseSettingsText(const std::string& text);
std::string formatSettingsText(const std::map<std::string, int32_t>& values);

}  // namespace wf
