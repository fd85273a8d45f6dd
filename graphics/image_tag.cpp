#include "graphics/image_tag.h"

#include <strings.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graphics/archive.h"
#include "graphics/bmp.h"
#include "graphics/file_bytes.h"
#include "graphics/jpeg.h"
#include "graphics/lzss.h"
#include "graphics/spb.h"
#include "graphics/string_sprite.h"
#include "interp/error.h"
#include "interp/hooks.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/plugins.h"

namespace graphics {

LoaderSettings loader_settings;

int read_decimal(const char*& p) {
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long long v = 0;
  while (*p >= '0' && *p <= '9') {
    if (v < INT_MAX) v = v * 10 + (*p - '0');
    ++p;
  }
  if (v > INT_MAX) v = INT_MAX;
  return static_cast<int>(negative ? -v : v);
}

namespace {

[[noreturn]] void tag_error() { interp::report_errorf("タグエラー", "タグの指定がおかしいです。"); }

// Moves p onto the next ',' and past it; the end of the tag is an error.
void skip_past_comma(const char*& p) {
  while (*p && *p != ',') ++p;
  if (!*p) tag_error();
  ++p;
}

std::string lower_extension(const std::string& name) {
  size_t dot = name.rfind('.');
  std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

bool silent_missing() { return loader_settings.jpegmode || loader_settings.no_load_error; }

void make_blank(ImageRecord& r) { create_surface(r.surface, 2, 2); }

[[noreturn]] void cannot_open(const std::string& name) {
  interp::report_errorf("ロードエラー", "ファイル%sを開けません。", name.c_str());
}

[[noreturn]] void missing_from_zpk(const std::string& name) {
  interp::report_errorf("エラー", "ZPKアーカイブからファイル%sがみつかりません", name.c_str());
}

// The picture plug-in convention: a bitmap information header with its
// palette and the pixel rows, put back together as a BMP file in memory.
bool decode_with_plugin(const std::string& library, const std::string& path, ImageRecord& r) {
  auto get_picture = reinterpret_cast<platform::GetPictureFunction>(
      platform::plugin_symbol(platform::plugin_library(library), "GetPicture"));
  if (!get_picture) return false;
  void* info = nullptr;
  void* bits = nullptr;
  int result = get_picture(path.c_str(), 0, 0, &info, &bits, nullptr, 0);
  bool ok = false;
  if (result == 0 && info && bits) {
    const uint8_t* h = static_cast<const uint8_t*>(info);
    auto le = [&](int at, int n) {
      uint32_t v = 0;
      for (int i = n - 1; i >= 0; --i) v = v << 8 | h[at + i];
      return v;
    };
    int32_t width = static_cast<int32_t>(le(4, 4)), height = static_cast<int32_t>(le(8, 4));
    int depth = static_cast<int>(le(14, 2));
    uint32_t used = le(32, 4);
    uint32_t palette = depth == 1 ? 2 : depth == 4 ? 16 : depth == 8 ? 256 : 0;
    uint32_t entries = used ? used : palette;
    int64_t rows = height < 0 ? -int64_t(height) : height;
    if (width > 0 && width <= kMaxPictureSide && rows > 0 && rows <= kMaxPictureSide && entries <= 256 && depth > 0 &&
        depth <= 32) {
      size_t stride = ((size_t(depth) * width + 31) / 32) * 4;
      size_t header = 40 + size_t(entries) * 4;
      std::vector<uint8_t> file(14 + header + stride * rows, 0);
      file[0] = 'B', file[1] = 'M';
      std::memcpy(file.data() + 14, h, header);
      file[14] = 40, file[15] = file[16] = file[17] = 0;  // the palette follows at once
      std::memcpy(file.data() + 14 + header, bits, stride * rows);
      ok = read_bmp(file.data(), file.size(), r.surface, r.indices);
    }
  }
  std::free(info);
  std::free(bits);
  return ok;
}

// Decodes a file on disk by its extension. `name` is the scenario's name
// (for messages and the extension), `path` where the bytes are.
void decode_from_disk(ImageRecord& r, const std::string& name, const std::string& path) {
  std::string ext = lower_extension(name);
  std::vector<uint8_t> bytes;
  if (ext == "jpg" || ext == "jpeg") {
    if (read_file_bytes(path, bytes)) read_jpeg(bytes.data(), bytes.size(), r.surface);
  } else if (ext == "spb") {
    if (read_file_bytes(path, bytes)) read_spb(bytes.data(), bytes.size(), r.surface);
  } else if (ext == "bmp") {
    if (read_file_bytes(path, bytes)) read_bmp(bytes.data(), bytes.size(), r.surface, r.indices);
  } else {
    for (const std::string& spi : loader_settings.spi_entries) {
      size_t bar = spi.find('|');
      if (bar == std::string::npos || strcasecmp(spi.c_str() + bar + 1, ext.c_str()) != 0) continue;
      decode_with_plugin(spi.substr(0, bar), path, r);
      return;
    }
    if (!silent_missing()) cannot_open(name);
  }
}

// BMP entries of the zpk archives are SPB or LZSS-compressed BMP.
void decode_bmp_from_archive(ImageRecord& r, const ArchiveEntry& entry) {
  std::vector<uint8_t> stored;
  if (entry.kind == kArchiveStored) interp::report_errorf("エラー", "BMPが圧縮されていません");
  if (!read_archive_entry(entry, stored)) return;
  if (entry.kind == kArchiveSpb) {
    read_spb(stored.data(), stored.size(), r.surface);
  } else if (entry.kind == kArchiveLzss) {
    std::vector<uint8_t> bmp;
    // A stream that would overrun its buffer is damaged; the picture is not loaded.
    size_t capacity = std::min<size_t>(size_t(entry.expanded_length) + 20, kMaxBmpBytes);
    if (lzss_expand(stored.data(), stored.size(), bmp, capacity))
      read_bmp(bmp.data(), bmp.size(), r.surface, r.indices);
  }
}

// Finds the file on disk or in the archives and decodes it. False when the
// record is to be left as it is without the final check.
bool find_and_decode(ImageRecord& r, const std::string& name) {
  if (loader_settings.file_log && interp::hooks.log_file) interp::hooks.log_file(name);
  if (platform::game_file_exists(name)) {
    decode_from_disk(r, name, platform::game_path(name));
    return true;
  }
  std::string ext = lower_extension(name);
  ArchiveEntry entry;
  if (archive_settings.zpk_on && (ext == "jpg" || ext == "jpeg")) {
    if (archive_lookup(name, entry) >= 0) {
      std::vector<uint8_t> bytes;
      if (read_archive_entry(entry, bytes)) read_jpeg(bytes.data(), bytes.size(), r.surface);
    } else if (silent_missing()) {
    } else if (loader_settings.blank_on_missing) {
      make_blank(r);
    } else {
      missing_from_zpk(name);
    }
    return true;
  }
  if (archive_settings.zpk_on && ext == "bmp") {
    if (archive_lookup(name, entry) >= 0)
      decode_bmp_from_archive(r, entry);
    else if (loader_settings.blank_on_missing)
      make_blank(r);
    else if (!silent_missing())
      missing_from_zpk(name);
    return true;
  }
  std::string copy = name;
  if (extract_to_temp(copy)) {
    decode_from_disk(r, name, copy);
    std::remove(copy.c_str());
    return true;
  }
  if (loader_settings.blank_on_missing) {
    make_blank(r);
    return true;
  }
  if (silent_missing()) return false;
  cannot_open(name);
}

// Kind m: the picture on the left, the mask's top-left part on the right.
void apply_mask(ImageRecord& r, const std::string& mask_name) {
  if (r.cell_count > 1)
    interp::report_errorf("エラー", "画像指定タグ:mファイル名のときは複数セル画像はサポートしていません。");
  if (!has_surface(r)) return;
  ImageRecord mask;
  load_image_tag(mask, mask_name);
  int w = r.surface.width, h = r.surface.height;
  DibSurface both;
  create_surface(both, w * 2, h);
  int mw = std::min(w, mask.surface.width), mh = std::min(h, mask.surface.height);
  for (int y = 0; y < h; ++y) {
    std::memcpy(both.row(y), r.surface.row(y), size_t(w) * 3);
    if (y < mh) std::memcpy(both.row(y) + size_t(w) * 3, mask.surface.row(y), size_t(mw) * 3);
  }
  r.surface = std::move(both);
  r.indices.clear();
  r.trans_mode = kTransAlpha;
}

}  // namespace

int parse_html_colour(const char* text) {
  int v = 0;
  for (int i = 0; i < 6; ++i) {
    char c = text[i];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      interp::report_errorf("構文エラー",
                            "カラー指定が間違っています。HTMLと同じ形式（例：#75fe1b）で指定してください。");
    v = v << 4 | d;
  }
  return v;
}

TagParts parse_image_tag(ImageRecord& r, const std::string& tag) {
  TagParts parts;
  r.trans_mode = loader_settings.default_trans_mode;
  const char* p = tag.c_str();
  if (*p != ':') {
    parts.file = tag;
    return parts;
  }
  ++p;
  while (*p == ' ' || *p == '\t') ++p;
  r.last_step_ms = platform::clock_ms();
  switch (*p) {
    case 'l': r.trans_mode = kTransLeftTop, ++p; break;
    case 'r': r.trans_mode = kTransRightTop, ++p; break;
    case 'a': r.trans_mode = kTransAlpha, ++p; break;
    case 'c': r.trans_mode = kTransCopy, ++p; break;
    case '#': {
      int c = parse_html_colour(p + 1);
      r.key_red = c >> 16 & 255, r.key_green = c >> 8 & 255, r.key_blue = c & 255;
      r.trans_mode = kTransColourKey;
      p += 7;
      break;
    }
    case '!':
      ++p;
      r.key_index = read_decimal(p);
      r.trans_mode = kTransColourKey;
      break;
    case 'm': {
      const char* start = ++p;
      while (*p && *p != '/' && *p != ';') ++p;
      parts.mask.assign(start, p);
      r.trans_mode = kTransCopy;
      break;
    }
    case 's':
      parts.string_sprite = true;
      parts.sprite_at = size_t(p + 1 - tag.c_str());
      return parts;
    default: break;  // any other character is passed over by the scan below
  }
  while (*p && *p != ';') {
    if (*p != '/') {
      ++p;
      continue;
    }
    ++p;
    r.cell_count = read_decimal(p);
    skip_past_comma(p);
    if (*p == '<') {
      ++p;
      r.cell_interval_ms = -1;
      r.cell_intervals.clear();
      for (int i = 0; i < r.cell_count; ++i) {
        r.cell_intervals.push_back(read_decimal(p));
        if (i + 1 < r.cell_count) {
          if (!*p) tag_error();
        } else if (*p != '>') {
          tag_error();
        }
        ++p;
      }
      if (r.cell_count <= 0) {
        if (*p != '>') tag_error();
        ++p;
      }
    } else {
      r.cell_interval_ms = read_decimal(p);
    }
    skip_past_comma(p);
    r.anim_mode = read_decimal(p);
    if (r.anim_mode == kAnimManual) r.cell_interval_ms = kManualInterval;
  }
  if (*p != ';') tag_error();
  parts.file = p + 1;
  return parts;
}

void decode_image_tag(ImageRecord& r, const std::string& tag) {
  if (has_surface(r) && r.tag == tag) {
    r.current_cell = 0;
    return;
  }
  release_image(r);
  r.tag = tag;
  TagParts parts = parse_image_tag(r, tag);
  if (parts.string_sprite) {
    make_string_sprite(r, tag, parts.sprite_at);
    return;
  }
  if (!find_and_decode(r, parts.file)) return;
  if (!has_surface(r) && !loader_settings.jpegmode) interp::report_errorf("エラー", "ロード失敗!");
  if (!parts.mask.empty()) apply_mask(r, parts.mask);
}

void load_image_tag(ImageRecord& r, const std::string& tag) {
  decode_image_tag(r, tag);
  if (!loader_settings.jpegmode || has_surface(r)) return;
  std::string retry = tag;
  size_t dot = retry.rfind('.');
  if (dot != std::string::npos) {
    static const char from[] = "bmp", to[] = "jpg";
    for (size_t i = 0; i < 3 && dot + 1 + i < retry.size(); ++i)
      if (retry[dot + 1 + i] == from[i]) retry[dot + 1 + i] = to[i];
  }
  decode_image_tag(r, retry);
  if (!has_surface(r)) interp::report_errorf("ロードエラー(JPEGMODE)", "%s", retry.c_str());
}

void add_spi_entry(const std::string& entry) {
  if (loader_settings.spi_entries.size() >= kMaxListEntries) interp::report_errorf("エラー", "SPI設定が多すぎます。");
  loader_settings.spi_entries.push_back(entry);
}

}  // namespace graphics
