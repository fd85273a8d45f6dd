// Helpers shared by the graphics tests: a scratch game folder, error boxes
// turned into exceptions, and writers for test pictures and archives.
#pragma once
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "graphics/archive.h"
#include "graphics/image_tag.h"
#include "graphics/lzss.h"
#include "interp/error.h"
#include "platform/sjis.h"
#include "platform/tempdir.h"
#include "tests/support/archive_bytes.h"

namespace gtest_graphics {

struct ErrorBox {
  std::string title, text;
};

inline void throw_box(const std::string& title, const std::string& text) { throw ErrorBox{title, text}; }

// "title|first line of the message" of the error box f raises, or "".
inline std::string box_of(const std::function<void()>& f) {
  try {
    f();
  } catch (const ErrorBox& e) {
    return e.title + "|" + e.text.substr(0, e.text.find('\n'));
  }
  return "";
}

// Runs each test in a fresh game folder with default loader switches.
class GameFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = std::filesystem::current_path();
    char pattern[] = "/tmp/orvane-gfx-XXXXXX";
    dir_ = mkdtemp(pattern);
    std::filesystem::current_path(dir_);
    interp::set_fatal_hook(throw_box);
    graphics::loader_settings = graphics::LoaderSettings();
    graphics::archive_settings = graphics::ArchiveSettings();
    graphics::reset_lzss_window();
  }
  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
    platform::remove_temp_folder();
    interp::set_fatal_hook(nullptr);
    graphics::loader_settings = graphics::LoaderSettings();
    graphics::archive_settings = graphics::ArchiveSettings();
  }
  std::filesystem::path old_;
  std::string dir_;
};

inline void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

inline std::vector<uint8_t> read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

using testsupport::put_be;
using testsupport::put_le;

// A BMP file. `value(x, y)` gives the pixel of the upright picture: a
// palette index for 1, 4 and 8 bits, else 0xRRGGBB.
inline std::vector<uint8_t> make_bmp(int w, int h, int bits, std::function<uint32_t(int, int)> value,
                                     std::vector<uint32_t> palette = {}) {
  std::vector<uint8_t> f = {'B', 'M'};
  int stride = ((bits * w + 31) / 32) * 4;
  put_le(f, 0, 4);  // file size: not read
  put_le(f, 0, 4);
  put_le(f, 54 + uint32_t(palette.size()) * 4, 4);
  put_le(f, 40, 4);
  put_le(f, w, 4);
  put_le(f, h, 4);
  put_le(f, 1, 2);
  put_le(f, bits, 2);
  put_le(f, 0, 4);
  put_le(f, stride * h, 4);
  put_le(f, 2835, 4);
  put_le(f, 2835, 4);
  put_le(f, uint32_t(palette.size()), 4);
  put_le(f, 0, 4);
  for (uint32_t c : palette) put_le(f, c, 4);
  for (int y = h - 1; y >= 0; --y) {
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < w; ++x) {
      uint32_t v = value(x, y);
      if (bits == 24) {
        row[3 * x] = v & 255, row[3 * x + 1] = v >> 8 & 255, row[3 * x + 2] = v >> 16 & 255;
      } else if (bits == 8) {
        row[x] = static_cast<uint8_t>(v);
      } else if (bits == 4) {
        row[x / 2] |= static_cast<uint8_t>(v << (x % 2 ? 0 : 4));
      } else if (bits == 1) {
        row[x / 8] |= static_cast<uint8_t>((v & 1) << (7 - x % 8));
      }
    }
    f.insert(f.end(), row.begin(), row.end());
  }
  return f;
}

inline std::vector<uint8_t> solid_bmp(int w, int h, uint32_t rgb) {
  return make_bmp(w, h, 24, [=](int, int) { return rgb; });
}

// Most significant bit first.
struct BitWriter {
  std::vector<uint8_t> bytes;
  int used = 8;
  void put(uint32_t v, int n) {
    for (int i = n - 1; i >= 0; --i) {
      if (used == 8) bytes.push_back(0), used = 0;
      bytes.back() |= static_cast<uint8_t>((v >> i & 1) << (7 - used));
      ++used;
    }
  }
};

using testsupport::make_zpk;
using testsupport::ZpkEntry;

// LZSS made of literals only: a flag bit 1 and the byte, for every byte.
inline std::vector<uint8_t> lzss_literals(const std::vector<uint8_t>& data) {
  BitWriter w;
  for (uint8_t b : data) w.put(1, 1), w.put(b, 8);
  return w.bytes;
}

// A JPEG made by libjpeg; `pixels` receives the rows it was made from.
inline std::vector<uint8_t> encode_jpeg(int w, int h, int components, std::vector<uint8_t>& pixels) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = w, c.image_height = h, c.input_components = components;
  c.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 85, TRUE);
  jpeg_start_compress(&c, TRUE);
  pixels.resize(size_t(w) * h * components);
  for (int i = 0; i < int(pixels.size()); ++i) pixels[i] = static_cast<uint8_t>(i * 7 % 251);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = pixels.data() + size_t(c.next_scanline) * w * components;
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<uint8_t> file(out, out + size);
  free(out);
  return file;
}

inline std::string sjis(const char* utf8) { return platform::utf8_to_sjis(utf8); }

}  // namespace gtest_graphics
