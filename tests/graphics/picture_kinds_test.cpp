// Pictures as common tools write them: RLE8 and RLE4, BI_BITFIELDS in 40-byte,
// V4 and V5 headers, OS/2 1.x headers, a gap before the pixels, CMYK and YCCK
// JPEG. The files are made here byte by byte (or by libjpeg), and the
// results are checked against the formats' definitions.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include "graphics/bmp.h"
#include "graphics/jpeg.h"
#include "graphics_test_util.h"

using graphics::DibSurface;
using namespace gtest_graphics;

namespace {

uint32_t rgb_at(const DibSurface& s, int x, int y) {
  const uint8_t* p = s.row(y) + 3 * x;
  return uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
}

// A BMP file from its parts: the information header (its size, 12 for
// OS/2 1.x), the masks after a 40-byte header, the palette (3-byte entries
// for OS/2), a gap, then the pixel bytes as stored.
struct BmpParts {
  uint32_t header = 40;
  int w = 0, h = 0, bits = 24;
  uint32_t compression = 0;
  std::vector<uint32_t> masks;  // in the header from 52 bytes on, else after it
  std::vector<uint32_t> palette;
  std::vector<uint8_t> pixels;
  uint32_t gap = 0;
  int64_t offset = -1;  // the file header's pixel offset; -1: where they are
};

BmpParts parts(int w, int h, int bits, uint32_t compression = 0, uint32_t header = 40) {
  BmpParts p;
  p.w = w, p.h = h, p.bits = bits, p.compression = compression, p.header = header;
  return p;
}

std::vector<uint8_t> build(const BmpParts& p) {
  std::vector<uint8_t> info;
  put_le(info, p.header, 4);
  if (p.header == 12) {
    put_le(info, p.w, 2), put_le(info, p.h, 2), put_le(info, 1, 2), put_le(info, p.bits, 2);
  } else {
    put_le(info, p.w, 4), put_le(info, p.h, 4), put_le(info, 1, 2), put_le(info, p.bits, 2);
    put_le(info, p.compression, 4), put_le(info, uint32_t(p.pixels.size()), 4);
    put_le(info, 2835, 4), put_le(info, 2835, 4), put_le(info, uint32_t(p.palette.size()), 4), put_le(info, 0, 4);
    for (uint32_t m : p.masks) put_le(info, m, 4);
    while (info.size() < p.header) info.push_back(0);
  }
  for (uint32_t c : p.palette) put_le(info, c, p.header == 12 ? 3 : 4);
  info.insert(info.end(), p.gap, 0xee);
  std::vector<uint8_t> f = {'B', 'M'};
  put_le(f, uint32_t(14 + info.size() + p.pixels.size()), 4);
  put_le(f, 0, 4);
  put_le(f, p.offset >= 0 ? uint32_t(p.offset) : uint32_t(14 + info.size()), 4);
  f.insert(f.end(), info.begin(), info.end());
  f.insert(f.end(), p.pixels.begin(), p.pixels.end());
  return f;
}

DibSurface read(const std::vector<uint8_t>& file, std::vector<uint8_t>* indices = nullptr) {
  DibSurface s;
  std::vector<uint8_t> idx;
  EXPECT_TRUE(graphics::read_bmp(file.data(), file.size(), s, idx));
  if (indices) *indices = idx;
  return s;
}

std::vector<uint32_t> grey_palette(int n) {
  std::vector<uint32_t> p;
  for (int i = 0; i < n; ++i) p.push_back(uint32_t(i * 0x0b0503) & 0xffffff);
  return p;
}

TEST(BmpKinds, Rle8RunsAbsoluteRunsDeltasAndLineEnds) {
  BmpParts p = parts(6, 4, 8, 1);
  p.palette = grey_palette(256);
  p.pixels = {3, 1, 0, 3, 2, 3, 4, 0,  // run of three 1s; absolute 2 3 4 (padded)
              0, 0,                    // end of the bottom row
              0, 2, 2, 1,              // delta: two right, one up (row 1 skipped)
              2, 5, 0, 0,              // two 5s, end of line
              6, 6, 0, 1};             // six 6s, end of picture
  std::vector<uint8_t> idx;
  DibSurface s = read(build(p), &idx);
  const std::vector<uint8_t> upright = {6, 6, 6, 6, 6, 6, 0, 0, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 2, 3, 4};
  EXPECT_EQ(idx, upright);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(rgb_at(s, x, y), p.palette[upright[y * 6 + x]]) << x << "," << y;
}

TEST(BmpKinds, Rle4RunsAlternateTheirTwoIndices) {
  BmpParts p = parts(5, 2, 4, 2);
  p.palette = grey_palette(16);
  p.pixels = {5, 0x12, 0,    0,                     // 1 2 1 2 1, end of line
              0, 5,    0x34, 0x56, 0x70, 0, 0, 1};  // absolute 3 4 5 6 7 (padded), end
  std::vector<uint8_t> idx;
  DibSurface s = read(build(p), &idx);
  EXPECT_EQ(idx, (std::vector<uint8_t>{3, 4, 5, 6, 7, 1, 2, 1, 2, 1}));
  EXPECT_EQ(rgb_at(s, 4, 0), p.palette[7]);
  // A damaged stream stops where it ends.
  for (size_t cut = 0; cut < p.pixels.size(); ++cut) {
    BmpParts q = p;
    q.pixels.resize(cut);
    read(build(q));
  }
}

TEST(BmpKinds, BitFieldsInEveryHeader) {
  // RGB565 after a 40-byte header: each channel scaled from its own width.
  const int r5[] = {31, 0, 16}, g6[] = {63, 0, 33}, b5[] = {31, 0, 7};
  BmpParts p = parts(3, 1, 16, 3);
  p.masks = {0xf800, 0x07e0, 0x001f};
  for (int x = 0; x < 3; ++x) put_le(p.pixels, uint32_t(r5[x] << 11 | g6[x] << 5 | b5[x]), 2);
  put_le(p.pixels, 0, 2);
  DibSurface s = read(build(p));
  for (int x = 0; x < 3; ++x)
    EXPECT_EQ(rgb_at(s, x, 0), uint32_t(r5[x] * 255 / 31 << 16 | g6[x] * 255 / 63 << 8 | b5[x] * 255 / 31));

  // RGB555 masks read as a plain 16-bit picture does.
  BmpParts plain = parts(3, 1, 16);
  for (uint32_t v : {0x7fffu, 0x4210u, 0x1234u}) put_le(plain.pixels, v, 2);
  put_le(plain.pixels, 0, 2);
  BmpParts masked = plain;
  masked.compression = 3, masked.masks = {0x7c00, 0x03e0, 0x001f};
  DibSurface a = read(build(plain)), b = read(build(masked));
  EXPECT_EQ(a.pixels, b.pixels);

  // 32 bits with alpha in V5 (124) and V4 (108) headers, the masks in any
  // order; the alpha is left out.
  const uint32_t colours[] = {0xff8000, 0x123456, 0x00ff7f};
  for (uint32_t header : {124u, 108u, 40u}) {
    BmpParts q = parts(3, 2, 32, 3, header);
    bool rgba = header == 108;
    q.masks = rgba ? std::vector<uint32_t>{0xff, 0xff00, 0xff0000, 0xff000000u}
                   : std::vector<uint32_t>{0xff0000, 0xff00, 0xff, 0xff000000u};
    if (header == 40) q.masks.resize(3);
    for (int y = 0; y < 2; ++y)
      for (uint32_t c : colours) {
        uint32_t swapped = (c & 0xff) << 16 | (c & 0xff00) | c >> 16;
        put_le(q.pixels, (rgba ? swapped : c) | uint32_t(y * 100) << 24, 4);
      }
    DibSurface t = read(build(q));
    for (int x = 0; x < 3; ++x) EXPECT_EQ(rgb_at(t, x, 1), colours[x]) << header;
  }
}

TEST(BmpKinds, Os2HeadersReadAsTheirWindowsTwins) {
  std::vector<uint32_t> palette = grey_palette(16);
  for (int bits : {4, 24}) {
    bool indexed = bits == 4;
    auto twin = make_bmp(
        7, 3, bits, [=](int x, int y) { return indexed ? uint32_t((x * 5 + y) % 16) : uint32_t(x * 0x203040 + y); },
        indexed ? palette : std::vector<uint32_t>{});
    BmpParts p = parts(7, 3, bits, 0, 12);
    if (indexed) p.palette = palette;
    p.pixels.assign(twin.begin() + 54 + p.palette.size() * 4, twin.end());
    std::vector<uint8_t> a_idx, b_idx;
    DibSurface a = read(twin, &a_idx), b = read(build(p), &b_idx);
    EXPECT_EQ(a.pixels, b.pixels) << bits;
    EXPECT_EQ(a_idx, b_idx);
  }
}

TEST(BmpKinds, ThePixelOffsetIsHonouredWhereItCanBe) {
  BmpParts p = parts(2, 2, 24);
  p.pixels = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
  DibSurface plain = read(build(p));
  p.gap = 16;
  EXPECT_EQ(read(build(p)).pixels, plain.pixels);
  // An offset before the palette's end or past the file's: the pixels follow the palette.
  p.gap = 0;
  for (int64_t offset : {int64_t(10), int64_t(1000)}) {
    p.offset = offset;
    EXPECT_EQ(read(build(p)).pixels, plain.pixels);
  }
}

// A CMYK or YCCK JPEG by libjpeg from inverted inks (255: no ink), with or
// without the Adobe marker.
std::vector<uint8_t> cmyk_jpeg(int w, int h, J_COLOR_SPACE stored, bool adobe,
                               const std::function<uint32_t(int, int)>& ink) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = w, c.image_height = h, c.input_components = 4, c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, stored);
  c.write_Adobe_marker = adobe;
  jpeg_set_quality(&c, 100, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<uint8_t> row(size_t(w) * 4);
  while (c.next_scanline < c.image_height) {
    for (int x = 0; x < w; ++x) {
      uint32_t v = ink(x, int(c.next_scanline));
      for (int k = 0; k < 4; ++k) row[4 * x + k] = static_cast<uint8_t>(v >> (24 - 8 * k));
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<uint8_t> file(out, out + size);
  free(out);
  return file;
}

// libjpeg's own CMYK output of the file.
std::vector<uint8_t> decode_cmyk(const std::vector<uint8_t>& file) {
  jpeg_decompress_struct d;
  jpeg_error_mgr err;
  d.err = jpeg_std_error(&err);
  jpeg_create_decompress(&d);
  jpeg_mem_src(&d, file.data(), file.size());
  jpeg_read_header(&d, TRUE);
  d.out_color_space = JCS_CMYK;
  jpeg_start_decompress(&d);
  std::vector<uint8_t> cmyk(size_t(d.output_width) * d.output_height * 4);
  while (d.output_scanline < d.output_height) {
    JSAMPROW row = cmyk.data() + size_t(d.output_scanline) * d.output_width * 4;
    jpeg_read_scanlines(&d, &row, 1);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return cmyk;
}

TEST(JpegKinds, CmykAndYcckBecomeColours) {
  auto ink = [](int x, int y) { return uint32_t(x * 9 % 256) << 24 | uint32_t(y * 11) << 16 | (0x80ff - x); };
  for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
    auto file = cmyk_jpeg(19, 13, stored, true, ink);
    auto cmyk = decode_cmyk(file);
    DibSurface s;
    ASSERT_TRUE(graphics::read_jpeg(file.data(), file.size(), s));
    ASSERT_EQ(s.width, 19);
    ASSERT_EQ(s.height, 13);
    // Inverted inks: each colour is ink × black / 255, rounded.
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 19; ++x) {
        const uint8_t* p = cmyk.data() + (y * 19 + x) * 4;
        uint32_t want = uint32_t((p[0] * p[3] + 127) / 255) << 16 | uint32_t((p[1] * p[3] + 127) / 255) << 8 |
                        uint32_t((p[2] * p[3] + 127) / 255);
        ASSERT_EQ(rgb_at(s, x, y), want) << x << "," << y << " stored as " << stored;
      }
  }
  // Red on paper: full magenta and yellow, no cyan or black. Inverted with
  // the Adobe marker, plain without it.
  for (bool adobe : {true, false}) {
    uint32_t red_ink = adobe ? 0xff0000ffu : 0x00ffff00u;
    auto file = cmyk_jpeg(8, 8, JCS_CMYK, adobe, [=](int, int) { return red_ink; });
    DibSurface s;
    ASSERT_TRUE(graphics::read_jpeg(file.data(), file.size(), s));
    uint32_t c = rgb_at(s, 3, 3);
    EXPECT_GE(c >> 16, 253u) << adobe;
    EXPECT_LE(c >> 8 & 255, 2u) << adobe;
    EXPECT_LE(c & 255, 2u) << adobe;
  }
}

}  // namespace
