#include "graphics/picture_tools.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "graphics/bmp.h"
#include "graphics/bmp_writer.h"
#include "graphics/file_bytes.h"
#include "graphics/image_tag.h"
#include "graphics/jpeg.h"
#include "graphics/screen.h"
#include "graphics/window_picture.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace graphics {

namespace {

// A picture file named in the scenario, loaded as the picture loader does.
void load_picture_file(ImageRecord& r, const std::string& name) { load_image_tag(r, ":c;" + name); }

// The visible part of a record's current cell as a picture of its own.
DibSurface visible_cell(const ImageRecord& r) {
  DibSurface out;
  int w = visible_width(r), h = visible_height(r);
  int64_t x0 = int64_t(std::clamp(r.current_cell, 0, std::max(r.cell_count, 1) - 1)) * cell_width(r);
  if (w <= 0 || h <= 0 || x0 + w > r.surface.width) return out;
  create_surface(out, w, h);
  for (int y = 0; y < h; ++y) std::memcpy(out.row(y), r.surface.row(y) + x0 * 3, size_t(w) * 3);
  return out;
}

void write_or_fail(const std::string& name_sjis, const DibSurface& picture) {
  if (!write_bmp(platform::game_path(name_sjis), picture))
    interp::report_errorf("エラー", "ファイル%sに書き込めません。", name_sjis.c_str());
}

bool mask_column_clear(const DibSurface& m, int x) {
  for (int y = 0; y < m.height; ++y)
    if (m.row(y)[size_t(x) * 3] != 255) return false;
  return true;
}

bool mask_row_clear(const DibSurface& m, int y) {
  const uint8_t* p = m.row(y);
  for (int x = 0; x < m.width; ++x)
    if (p[size_t(x) * 3] != 255) return false;
  return true;
}

void bw_to_alpha(const std::string& name, bool white_partner) {
  ImageRecord black, white;
  load_picture_file(black, name + "_b.bmp");
  const DibSurface& a = black.surface;
  DibSurface plain_white;
  if (white_partner) {
    create_surface(plain_white, a.width, a.height);
    std::fill(plain_white.pixels.begin(), plain_white.pixels.end(), 255);
  } else {
    load_picture_file(white, name + "_w.bmp");
    if (white.surface.width != a.width || white.surface.height != a.height)
      interp::report_errorf("エラー", "%s_b.bmpと%s_w.bmpの大きさが違います。", name.c_str(), name.c_str());
  }
  DibSurface out;
  make_alpha_picture(a, white_partner ? plain_white : white.surface, out);
  std::error_code ignored;
  std::filesystem::create_directories(platform::game_path("out"), ignored);
  write_or_fail("out\\" + name + ".bmp", out);
}

}  // namespace

void make_alpha_picture(const DibSurface& on_black, const DibSurface& on_white, DibSurface& out) {
  int W = on_black.width, H = on_black.height;
  DibSurface mask;
  create_surface(mask, W, H);
  for (int y = 0; y < H; ++y) {
    const uint8_t* a = on_black.row(y);
    const uint8_t* b = on_white.row(y);
    uint8_t* m = mask.row(y);
    for (int x = 0; x < W; ++x, a += 3, b += 3, m += 3) {
      int value = 0;
      if (a[0] != b[0] || a[1] != b[1] || a[2] != b[2]) {
        // A picture lighter on black than on white has no sound mask:
        // it counts as opaque rather than wrapping round to transparent.
        value = std::max(0, ((b[0] + b[1] + b[2]) - (a[0] + a[1] + a[2])) / 3);
      }
      m[0] = m[1] = m[2] = uint8_t(value);
    }
  }
  int k = 0;
  while (k < W / 2 && mask_column_clear(mask, k) && mask_column_clear(mask, W - 1 - k)) ++k;
  int t = 0;
  while (t < H && mask_row_clear(mask, t)) ++t;
  int w = W - 2 * k, h = H - t;
  create_surface(out, 2 * w, h);
  for (int y = 0; y < h; ++y) {
    std::memcpy(out.row(y), on_black.row(y + t) + size_t(k) * 3, size_t(w) * 3);
    std::memcpy(out.row(y) + size_t(w) * 3, mask.row(y + t) + size_t(k) * 3, size_t(w) * 3);
  }
}

void cmd_bw2a() { bw_to_alpha(interp::read_string(), false); }

void cmd_bw2a2() { bw_to_alpha(interp::read_string(), true); }

void cmd_bmpcut() {
  std::string tag = interp::read_string();
  interp::expect_comma();
  int32_t columns = interp::read_number();
  interp::expect_comma();
  int32_t rows = interp::read_number();
  // No pieces, or a count that would divide by zero, writes nothing.
  if (columns < 1 || rows < 1) interp::report_errorf("エラー", "bmpcut命令の分割数は1以上です。");
  ImageRecord r;
  load_image_tag(r, tag);
  DibSurface whole = visible_cell(r);
  int pw = whole.width / columns, ph = whole.height / rows;
  // More pieces than pixels would cut pieces of no pixels at all.
  if (int64_t(columns) * rows > 10000 || pw == 0 || ph == 0)
    interp::report_errorf("エラー", "bmpcut命令の分割数が多すぎます。");
  DibSurface piece;
  create_surface(piece, pw, ph);
  for (int i = 0; i < columns; ++i)
    for (int j = 0; j < rows; ++j) {
      for (int y = 0; y < ph; ++y)
        std::memcpy(piece.row(y), whole.row(j * ph + y) + size_t(i) * pw * 3, size_t(pw) * 3);
      char suffix[32];
      std::snprintf(suffix, sizeof suffix, "%d%d.bmp", i, j);
      write_or_fail("_" + tag + suffix, piece);
    }
}

void cmd_chainbmp() {
  std::string file = interp::read_string();
  ImageRecord added;
  load_picture_file(added, file);
  const DibSurface& b = added.surface;
  std::string out_path = platform::game_path("out.bmp");
  std::vector<uint8_t> bytes;
  DibSurface a;
  std::vector<uint8_t> indices;
  if (!platform::game_file_exists("out.bmp")) {
    write_or_fail("out.bmp", b);
    return;
  }
  if (!read_file_bytes(out_path, bytes) || !read_bmp(bytes.data(), bytes.size(), a, indices))
    interp::report_errorf("ロードエラー", "ファイル%sを開けません。", "out.bmp");
  DibSurface joined;
  create_surface(joined, a.width + b.width, b.height);
  for (int y = 0; y < b.height; ++y) {
    if (y < a.height) std::memcpy(joined.row(y), a.row(y), size_t(a.width) * 3);
    std::memcpy(joined.row(y) + size_t(a.width) * 3, b.row(y), size_t(b.width) * 3);
  }
  write_or_fail("out.bmp", joined);
}

void cmd_grptest() {
  std::string tag = interp::read_string();
  ImageRecord r;
  load_image_tag(r, tag);
  DibSurface pic = visible_cell(r);
  // Shown at the window's top-left for a moment.
  begin_window_drawing();
  int sw = std::min({pic.width, 640, WindowPicture.width}), sh = std::min({pic.height, 480, WindowPicture.height});
  for (int y = 0; y < sh; ++y) std::memcpy(WindowPicture.row(y), pic.row(y), size_t(sw) * 3);
  show_window_picture();
  end_window_drawing();
  // The picture as a 640 x 480 bottom-up 24-bit picture walked in memory
  // order; pixels a smaller picture lacks count as black.
  static int64_t counts[511];
  std::fill(std::begin(counts), std::end(counts), 0);
  for (int plane = 0; plane < 3; ++plane) {
    int previous = 0;
    for (int y = 479; y >= 0; --y)
      for (int x = 0; x < 640; ++x) {
        int v = x < pic.width && y < pic.height ? pic.row(y)[size_t(x) * 3 + plane] : 0;
        ++counts[v - previous + 255];
        previous = v;
      }
  }
  FILE* out = std::fopen(platform::game_path("out.txt").c_str(), "w+");
  if (!out) interp::report_errorf("エラー", "ファイル%sに書き込めません。", "out.txt");
  std::fprintf(out, "\"%s\" %s\n", tag.c_str(), platform::utf8_to_sjis("解析結果").c_str());
  for (int d = -255; d <= 255; ++d)
    if (counts[d + 255]) std::fprintf(out, "%d = %lld\n", d, static_cast<long long>(counts[d + 255]));
  std::fclose(out);
}

void cmd_convgif() {
  std::string name = interp::read_string();
  std::vector<uint8_t> bytes;
  if (!read_file_bytes(platform::game_path(name), bytes))
    interp::report_errorf("ロードエラー", "ファイル%sを開けません。", name.c_str());
  ImageRecord r;
  if (!read_jpeg(bytes.data(), bytes.size(), r.surface)) interp::report_errorf("エラー", "ロード失敗!");
  DibSurface& bg = TheScreen.background.surface;
  int w = std::min(r.surface.width, bg.width), h = std::min(r.surface.height, bg.height);
  for (int y = 0; y < h; ++y) std::memcpy(bg.row(y), r.surface.row(y), size_t(w) * 3);
}

}  // namespace graphics
