#include "frame_files.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "text/cp1250.h"
#include "transition/fake/picture_source.h"

namespace vorn::frames {

namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// libpng reports errors by longjmp: nothing with a destructor lives in here.
bool writePngRows(FILE* f, int32_t w, int32_t h, png_bytepp rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, png_uint_32(w), png_uint_32(h), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  png_set_bgr(png);  // our rows are blue, green, red
  png_write_image(png, rows);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

Status writeBmp(const std::string& path, const Bitmap24& b) {
  const std::vector<uint8_t> bytes = fake::encodeBmp24(b);
  File f(std::fopen(path.c_str(), "wb"));
  if (!f) return makeError("cannot create " + path);
  if (std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size()) return makeError("cannot write " + path);
  if (std::fclose(f.release()) != 0) return makeError("cannot write " + path);
  return {};
}

Status writePng(const std::string& path, const Bitmap24& b) {
  if (b.empty()) return makeError("empty picture");
  File f(std::fopen(path.c_str(), "wb"));
  if (!f) return makeError("cannot create " + path);
  std::vector<png_bytep> rows(size_t(b.height()));
  for (int32_t y = 0; y < b.height(); ++y) rows[size_t(y)] = const_cast<png_bytep>(b.row(y));
  if (!writePngRows(f.get(), b.width(), b.height(), rows.data())) return makeError("cannot write " + path);
  if (std::fclose(f.release()) != 0) return makeError("cannot write " + path);
  return {};
}

Status writeImage(const std::string& path, const Bitmap24& b) {
  const std::string upper = text::asciiUpper(path);
  if (upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".PNG") == 0) return writePng(path, b);
  return writeBmp(path, b);
}

}  // namespace vorn::frames
