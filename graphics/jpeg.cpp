#include "graphics/jpeg.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "graphics/bmp.h"

namespace graphics {

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
};

void on_error(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1); }
void on_message(j_common_ptr) {}  // warnings of damaged data stay quiet

}  // namespace

bool read_jpeg(const uint8_t* data, size_t size, DibSurface& out) {
  if (size == 0) return false;
  jpeg_decompress_struct cinfo;
  ErrorManager err;
  cinfo.err = jpeg_std_error(&err.pub);
  err.pub.error_exit = on_error;
  err.pub.output_message = on_message;
  // Nothing with a destructor lives between here and the longjmp targets:
  // the surface is sized before decoding and only written row by row.
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    create_surface(out, 0, 0);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_EXT_BGR;
  if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > unsigned(kMaxPictureSide) ||
      cinfo.image_height > unsigned(kMaxPictureSide) ||
      int64_t(cinfo.image_width) * cinfo.image_height > kMaxPicturePixels) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != 3) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  create_surface(out, static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.row(static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace graphics
