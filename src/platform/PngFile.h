// Writing 8-bit PNG files (frame captures, texture previews), and reading
// them back (tests that compare pictures).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wf {

// `pixels` holds `height` rows of `width` * `channels` bytes (3 = RGB,
// 4 = RGBA), the first row being the top of the picture. False on failure,
// with a reason in `error`.
bool writePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels,
              std::string* error = nullptr);
// The same for rows anywhere in memory: the top row at `topRow`, each next
// row `rowStep` bytes further (negative for pictures stored bottom row
// first, as OpenGL reads them back). `fast` picks one row filter for all
// rows instead of the best per row (frame captures: half the time).
bool writePng(const std::string& path, int width, int height, int channels, const uint8_t* topRow,
              std::ptrdiff_t rowStep, bool fast, std::string* error);

// Reads any 8-bit PNG as RGBA (grey, palette and RGB are expanded, alpha
// added as 255), rows in file order, the first being the top. False on
// failure, with a reason in `error`.
bool readPngRgba(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgba,
                 std::string* error = nullptr);

}  // namespace wf
