// Writing and reading 8-bit RGBA PNG files (libpng), for the texture tools
// and for tests that compare pictures.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wf {

// Writes width x height pixels of 4 bytes R, G, B, A; `rows[0]` of the
// buffer (the first width * 4 bytes) becomes the PNG's first (top) row.
// On failure returns false and sets `error`.
bool writePngRgba(const std::string& path, int width, int height, const uint8_t* rgba, std::string* error);

// Reads any 8-bit PNG as RGBA (gray, palette and RGB are expanded, alpha
// added as 255), rows in file order. False (and `error`) when unreadable.
bool readPngRgba(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgba,
                 std::string* error);

}  // namespace wf
