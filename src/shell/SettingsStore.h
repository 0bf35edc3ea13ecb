// The saved start-up choices: three 32-bit values named "Resolution",
// "Quality" and "Start", kept in a small text file instead of a registry key.
//
// File: $XDG_CONFIG_HOME/wolkenfahrt/settings (default
// ~/.config/wolkenfahrt/settings), one "Name=value" line per value, value in
// decimal. Each line is read on its own: a known name with a 32-bit decimal
// value sets that value (the last such line of a name wins), blank lines are
// skipped, and any other line (a comment, an unknown name, a value that is
// not a 32-bit decimal number) is ignored with one diagnostic on stderr
// naming the file and the line. A missing, unreadable or oversized file gives
// no values, so every setting starts at 0. Writing replaces the whole file
// atomically: a temporary file in the same folder is written, flushed and
// renamed over the old one, so an interrupted write leaves the previous file
// (or none), never a broken one; lines that were ignored are not written.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace wf {

class SettingsStore {
 public:
  // The three names the store accepts.
  static bool isKnownName(const std::string& name);

  // The default path from the environment; empty if neither
  // XDG_CONFIG_HOME nor HOME gives an absolute folder.
  static std::string defaultPath();

  explicit SettingsStore(std::string path);

  // Re-reads the file. False (and no values) if it is missing, unreadable
  // or too large to be ours.
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

// Parses the file's text line by line; the numbers (from 1) of the lines
// it ignored go to `ignored`.
std::map<std::string, int32_t> parseSettingsText(const std::string& text, std::vector<int>* ignored = nullptr);
std::string formatSettingsText(const std::map<std::string, int32_t>& values);

}  // namespace wf
