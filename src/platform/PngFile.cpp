#include "platform/PngFile.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace wf {

bool writePng(const std::string& path, int width, int height, int channels, const uint8_t* pixels,
              std::string* error) {
  return writePng(path, width, height, channels, pixels, static_cast<std::ptrdiff_t>(width) * channels, false, error);
}

bool writePng(const std::string& path, int width, int height, int channels, const uint8_t* topRow,
              std::ptrdiff_t rowStep, bool fast, std::string* error) {
  auto fail = [&](const std::string& why) {
    if (error) *error = path + ": " + why;
    return false;
  };
  if (width <= 0 || height <= 0 || (channels != 3 && channels != 4)) return fail("nothing to write");
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return fail(std::strerror(errno));
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return fail("out of memory");
  }
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    rows[static_cast<size_t>(y)] = const_cast<png_bytep>(topRow + y * rowStep);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return fail("write error");
  }
  png_init_io(png, file);
  // The fastest deflate level: these are previews and captures, not archives.
  png_set_compression_level(png, 1);
  // Frames are written by the hundred: one filter for every row instead of
  // the five tried per row halves the time, and is no bigger on rendered frames.
  if (fast) png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  const bool closed = std::fclose(file) == 0;
  return closed ? true : fail("write error");
}

bool readPngRgba(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgba,
                 std::string* error) {
  // The simplified libpng interface converts every 8-bit format to RGBA.
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    if (error) *error = path + ": " + image.message;
    return false;
  }
  image.format = PNG_FORMAT_RGBA;
  rgba.assign(PNG_IMAGE_SIZE(image), 0);
  if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
    if (error) *error = path + ": " + image.message;
    png_image_free(&image);
    rgba.clear();
    return false;
  }
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return true;
}

}  // namespace wf
