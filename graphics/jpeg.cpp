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

// Each colour is what its ink and the black leave of the paper's white.
// Files with the Adobe marker (as image editors write them) store the inks
// inverted, 255 meaning none; others store 0 for none.
void cmyk_to_bgr(const uint8_t* ink, uint8_t* bgr, unsigned width, bool inverted) {
  for (unsigned x = 0; x < width; ++x, ink += 4, bgr += 3) {
    unsigned c = ink[0], m = ink[1], y = ink[2], k = ink[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
  }
}

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
  // CMYK and YCCK pictures come out as CMYK and are turned into colours here.
  bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > unsigned(kMaxPictureSide) ||
      cinfo.image_height > unsigned(kMaxPictureSide) ||
      int64_t(cinfo.image_width) * cinfo.image_height > kMaxPicturePixels) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != (cmyk ? 4 : 3)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  create_surface(out, static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  // The CMYK row lives in libjpeg's memory pool, which goes with it.
  JSAMPARRAY ink =
      cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, cinfo.output_width * 4, 1)
           : nullptr;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = out.row(static_cast<int>(cinfo.output_scanline));
    if (!cmyk) {
      jpeg_read_scanlines(&cinfo, &row, 1);
      continue;
    }
    jpeg_read_scanlines(&cinfo, ink, 1);
    cmyk_to_bgr(ink[0], row, cinfo.output_width, cinfo.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace graphics
