#include "platform/glyphs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>

#include "platform/sjis.h"

namespace platform {

namespace {

// A face file opened once and kept for the run. FreeType scales a face to
// one size at a time, so the size last set is remembered.
struct LoadedFace {
  std::string file;
  int index = 0;
  std::string family;
  FT_Face ft = nullptr;
  int em_x = 0;
  int em_y = 0;
  // Where the baseline lies in the em box: ascender / (ascender - descender).
  long ascender = 0;
  long extent = 0;
  bool bold_weight = false;
};

// A face name already resolved, so that creating the font for every text
// line costs a few string compares.
struct ResolvedName {
  std::string name_sjis;
  bool bold = false;
  int face = -1;
};

constexpr int kMaxFaces = 255;  // the glyph cache keeps a face index in 8 bits
constexpr int kMaxNames = 256;  // resolved names remembered

FT_Library library = nullptr;
bool fontconfig_ready = false;
std::vector<LoadedFace> faces;
std::vector<ResolvedName> names;

// Shift-JIS code to Unicode, filled as codes are met: iconv is set up for
// each conversion, too slow to pay for every glyph. Index first << 8 |
// second for double-byte characters, the byte itself for single bytes
// (those never start a double-byte character, so the ranges do not meet).
constexpr uint32_t kUnknown = 0xffffffffu;
std::unique_ptr<uint32_t[]> code_points;

bool start_libraries() {
  if (!library && FT_Init_FreeType(&library) != 0) {
    library = nullptr;
    return false;
  }
  if (!fontconfig_ready) fontconfig_ready = FcInit() == FcTrue;
  return fontconfig_ready;
}

// First code point of a UTF-8 string; 0 when empty or the replacement character.
uint32_t first_code_point(const std::string& s) {
  if (s.empty()) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  uint32_t cp;
  size_t n;
  if (p[0] < 0x80) {
    cp = p[0];
    n = 1;
  } else if ((p[0] & 0xe0) == 0xc0) {
    cp = p[0] & 0x1f;
    n = 2;
  } else if ((p[0] & 0xf0) == 0xe0) {
    cp = p[0] & 0x0f;
    n = 3;
  } else {
    cp = p[0] & 0x07;
    n = 4;
  }
  if (s.size() < n) return 0;
  for (size_t i = 1; i < n; i++) cp = (cp << 6) | (p[i] & 0x3f);
  return cp == 0xfffd ? 0 : cp;
}

// The Unicode code point of a Shift-JIS character (one byte, or two when
// the first is a lead byte); 0 for bytes that draw nothing.
uint32_t code_point_of(uint8_t first, uint8_t second, bool double_byte) {
  if (!code_points) {
    code_points = std::make_unique<uint32_t[]>(65536);
    std::fill(code_points.get(), code_points.get() + 65536, kUnknown);
  }
  uint32_t key = double_byte ? (uint32_t(first) << 8 | second) : first;
  uint32_t& cp = code_points[key];
  if (cp == kUnknown) {
    char bytes[2] = {static_cast<char>(first), static_cast<char>(second)};
    cp = first_code_point(sjis_to_utf8(std::string_view(bytes, double_byte ? 2 : 1)));
    if (cp < 0x20 || cp == 0x7f) cp = 0;  // control bytes have no glyph
  }
  return cp;
}

// Full-width ASCII letters (as in "ＭＳ Ｐゴシック") folded to lower-case
// ASCII, so the Windows names can be recognised however they are written.
std::string fold_name(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); i++) {
    auto c = static_cast<unsigned char>(utf8[i]);
    // U+FF01..U+FF5E is EF BC 81..EF BD 9E; the ASCII form is 0x21..0x7E.
    if (c == 0xef && i + 2 < utf8.size()) {
      auto b1 = static_cast<unsigned char>(utf8[i + 1]);
      auto b2 = static_cast<unsigned char>(utf8[i + 2]);
      uint32_t cp = 0;
      if (b1 == 0xbc && b2 >= 0x81 && b2 <= 0xbf) cp = 0xff00 + (b2 - 0x80);
      if (b1 == 0xbd && b2 >= 0x80 && b2 <= 0x9e) cp = 0xff40 + (b2 - 0x80);
      if (cp) {
        char a = static_cast<char>(cp - 0xff00 + 0x20);
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(a)));
        i += 2;
        continue;
      }
    }
    out += static_cast<char>(c < 0x80 ? std::tolower(c) : c);
  }
  return out;
}

bool contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

// Installed families that stand in for a face name: the Japanese gothics for
// a gothic name, the minchos for a mincho name, the proportional ones first
// for a P name; a Japanese sans for anything else.
std::vector<std::string> stand_in_families(const std::string& name_utf8) {
  std::string folded = fold_name(name_utf8);
  bool gothic = contains(folded, "ゴシック") || contains(folded, "gothic");
  bool mincho = contains(folded, "明朝") || contains(folded, "mincho");
  bool proportional = contains(folded, "pゴシック") || contains(folded, "pgothic") || contains(folded, "p明朝") ||
                      contains(folded, "pmincho") || contains(folded, "ui gothic");
  if (mincho) {
    if (proportional) return {"IPAPMincho", "TakaoPMincho", "Noto Serif CJK JP", "IPAexMincho", "IPAMincho", "serif"};
    return {"IPAMincho", "TakaoMincho", "Noto Serif CJK JP", "IPAexMincho", "serif"};
  }
  if (gothic) {
    if (proportional)
      return {"IPAPGothic", "TakaoPGothic", "VL PGothic", "Noto Sans CJK JP", "IPAexGothic", "IPAGothic", "sans-serif"};
    return {"IPAGothic",        "TakaoGothic", "VL Gothic", "Noto Sans Mono CJK JP",
            "Noto Sans CJK JP", "IPAexGothic", "sans-serif"};
  }
  return {"IPAGothic", "Noto Sans CJK JP", "sans-serif"};
}

// Families to ask fontconfig for, in order of preference, for a face name:
// the name itself (an installed face of that name, or one fontconfig's
// rules put in its place, wins), then the stand-ins for its kind.
std::vector<std::string> candidate_families(const std::string& name_utf8) {
  std::vector<std::string> list = stand_in_families(name_utf8);
  list.insert(list.begin(), name_utf8);
  return list;
}

bool has_japanese(FT_Face ft) {
  return FT_Get_Char_Index(ft, 0x3042) != 0 && FT_Get_Char_Index(ft, 0x4e00) != 0;  // あ, 一
}

// The index of the loaded face for a file, opening it when new; -1 when it cannot be opened.
int load_face(const std::string& file, int index) {
  for (size_t i = 0; i < faces.size(); i++)
    if (faces[i].file == file && faces[i].index == index) return static_cast<int>(i);
  if (static_cast<int>(faces.size()) >= kMaxFaces) return -1;
  FT_Face ft = nullptr;
  if (FT_New_Face(library, file.c_str(), index, &ft) != 0) return -1;
  if (!FT_IS_SCALABLE(ft)) {
    FT_Done_Face(ft);
    return -1;
  }
  LoadedFace f;
  f.file = file;
  f.index = index;
  f.family = ft->family_name ? ft->family_name : "";
  f.ft = ft;
  f.ascender = ft->ascender;
  f.extent = static_cast<long>(ft->ascender) - ft->descender;
  if (f.ascender <= 0 || f.extent <= 0 || f.ascender > f.extent) {
    f.ascender = 88;  // the usual share of a Japanese em above the baseline
    f.extent = 100;
  }
  f.bold_weight = (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0;
  faces.push_back(std::move(f));
  return static_cast<int>(faces.size()) - 1;
}

// Opens the face a fontconfig pattern names; -1 when it has none.
int face_of_pattern(FcPattern* p) {
  FcChar8* file = nullptr;
  int index = 0;
  if (FcPatternGetString(p, FC_FILE, 0, &file) != FcResultMatch || !file) return -1;
  FcPatternGetInteger(p, FC_INDEX, 0, &index);
  return load_face(reinterpret_cast<const char*>(file), index);
}

// First installed scalable face with Japanese characters, in fontconfig's
// order of preference for Japanese sans text; -1 when there is none.
int any_japanese_face(bool bold) {
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcFontSet* set = FcFontSort(nullptr, pat, FcTrue, nullptr, &result);
  int found = -1;
  if (set) {
    for (int i = 0; i < set->nfont && found < 0; i++) {
      FcCharSet* chars = nullptr;
      if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &chars) != FcResultMatch) continue;
      if (!FcCharSetHasChar(chars, 0x3042) || !FcCharSetHasChar(chars, 0x4e00)) continue;
      int f = face_of_pattern(set->fonts[i]);
      if (f >= 0 && has_japanese(faces[f].ft)) found = f;
    }
    FcFontSetDestroy(set);
  }
  FcPatternDestroy(pat);
  return found;
}

int resolve_face(std::string_view name_sjis, bool bold) {
  for (const ResolvedName& n : names)
    if (n.bold == bold && n.name_sjis == name_sjis) return n.face;
  if (!start_libraries()) return -1;
  std::string name_utf8 = sjis_to_utf8(name_sjis);

  FcPattern* pat = FcPatternCreate();
  for (const std::string& family : candidate_families(name_utf8))
    if (!family.empty()) FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddString(pat, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcPatternAddInteger(pat, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult result;
  FcPattern* match = FcFontMatch(nullptr, pat, &result);
  int face = match ? face_of_pattern(match) : -1;
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pat);

  // Text is Shift-JIS: a face without Japanese characters would show none,
  // so it gives way to one that has them (the face found is kept when no
  // installed face has any).
  if (face < 0 || !has_japanese(faces[face].ft)) {
    int japanese = any_japanese_face(bold);
    if (japanese >= 0) face = japanese;
  }
  if (static_cast<int>(names.size()) < kMaxNames) names.push_back({std::string(name_sjis), bold, face});
  return face;
}

void set_face_size(LoadedFace& f, int em_x, int em_y) {
  if (f.em_x == em_x && f.em_y == em_y) return;
  if (FT_Set_Pixel_Sizes(f.ft, em_x, em_y) != 0) {
    f.em_x = f.em_y = 0;
    return;
  }
  f.em_x = em_x;
  f.em_y = em_y;
}

// Composes a rendered glyph bitmap into the canvas area (limit_w x limit_h)
// with its left edge at x and its top at y, keeping the brighter value so
// that strikes laid over each other add up to their union.
void compose_bitmap(GlyphCanvas& canvas, int limit_w, int limit_h, const FT_Bitmap& bm, int x, int y) {
  if (bm.pixel_mode != FT_PIXEL_MODE_GRAY || !bm.buffer) return;
  int rows = static_cast<int>(bm.rows);
  int cols = static_cast<int>(bm.width);
  int x0 = std::max(0, -x), x1 = std::min(cols, limit_w - x);
  int y0 = std::max(0, -y), y1 = std::min(rows, limit_h - y);
  if (x0 >= x1) return;
  for (int r = y0; r < y1; r++) {
    const uint8_t* src = bm.buffer + static_cast<ptrdiff_t>(r) * bm.pitch;
    uint8_t* dst = canvas.pixels.data() + static_cast<size_t>(y + r) * canvas.width + x;
    for (int c = x0; c < x1; c++) dst[c] = std::max(dst[c], src[c]);
  }
}

// Renders one character into its cell of the canvas at every horizontal
// offset in `strikes`. A fixed-pitch face fills the cell exactly. With a
// proportional face a full-width character starts at the cell's left, as
// its punctuation is designed to sit, and a half-width one is centred in
// its half so that pairs stay apart.
void draw_character(GlyphCanvas& canvas, LoadedFace& f, int limit_w, int limit_h, uint32_t cp, int cell_x, int cell_w,
                    bool centre, int baseline, const int* strikes, int strike_count) {
  FT_UInt glyph = FT_Get_Char_Index(f.ft, cp);
  if (glyph == 0) return;
  if (FT_Load_Glyph(f.ft, glyph, FT_LOAD_NO_BITMAP | FT_LOAD_TARGET_LIGHT) != 0) return;
  FT_GlyphSlot slot = f.ft->glyph;
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return;
  int advance = static_cast<int>((slot->linearHoriAdvance + 0x8000) >> 16);
  int pen_x = centre ? cell_x + (cell_w - advance) / 2 : cell_x;
  for (int i = 0; i < strike_count; i++)
    compose_bitmap(canvas, limit_w, limit_h, slot->bitmap, pen_x + slot->bitmap_left + strikes[i],
                   baseline - slot->bitmap_top);
}

bool size_ok(int w, int h) { return w >= 1 && h >= 1 && w <= kMaxGlyphSize && h <= kMaxGlyphSize; }

}  // namespace

void ensure_glyph_canvas(GlyphCanvas& canvas, int glyph_width, int glyph_height) {
  int w = 3 * std::clamp(glyph_width, 1, kMaxGlyphSize);
  int h = 3 * std::clamp(glyph_height, 1, kMaxGlyphSize);
  if (canvas.width >= w && canvas.height >= h) return;
  canvas.width = std::max(canvas.width, w);
  canvas.height = std::max(canvas.height, h);
  canvas.pixels.assign(static_cast<size_t>(canvas.width) * canvas.height, 0);
}

GlyphFont create_font(std::string_view face_name_sjis, int glyph_width, int glyph_height, bool bold) {
  GlyphFont font;
  font.glyph_width = glyph_width;
  font.glyph_height = glyph_height;
  font.bold = bold;
  if (!size_ok(glyph_width, glyph_height)) return font;
  font.face = resolve_face(face_name_sjis, bold);
  if (font.face >= 0) font.synthetic_bold = bold && !faces[font.face].bold_weight;
  return font;
}

void draw_glyph_item(GlyphCanvas& canvas, const GlyphFont& font, uint8_t first, uint8_t second) {
  int w = std::clamp(font.glyph_width, 1, kMaxGlyphSize);
  int h = std::clamp(font.glyph_height, 1, kMaxGlyphSize);
  ensure_glyph_canvas(canvas, w, h);
  int area_w = 3 * w, area_h = 3 * h;
  for (int y = 0; y < area_h; y++) std::memset(canvas.pixels.data() + static_cast<size_t>(y) * canvas.width, 0, area_w);
  if (font.face < 0 || font.face >= static_cast<int>(faces.size()) || !size_ok(font.glyph_width, font.glyph_height))
    return;

  LoadedFace& f = faces[font.face];
  // The em is three glyph heights tall and two half-width cells wide.
  int half = area_w / 2;
  set_face_size(f, 2 * half, area_h);
  if (f.em_y == 0 || half == 0) return;
  int baseline = static_cast<int>((static_cast<long long>(area_h) * f.ascender + f.extent / 2) / f.extent);

  // Bold is drawn twice, the second time one pixel to the right; a face
  // without a bold weight is thickened the same way first.
  int strikes[3] = {0, 1, 2};
  int strike_count = font.bold ? (font.synthetic_bold ? 3 : 2) : 1;

  if (is_sjis_lead(first)) {
    uint32_t cp = code_point_of(first, second, true);
    if (cp) draw_character(canvas, f, area_w, area_h, cp, 0, 2 * half, false, baseline, strikes, strike_count);
    return;
  }
  uint32_t left = code_point_of(first, 0, false);
  if (left) draw_character(canvas, f, area_w, area_h, left, 0, half, true, baseline, strikes, strike_count);
  // A lead byte in the second half is a character cut in two: nothing to draw.
  if (!is_sjis_lead(second)) {
    uint32_t right = code_point_of(second, 0, false);
    if (right) draw_character(canvas, f, area_w, area_h, right, half, half, true, baseline, strikes, strike_count);
  }
}

std::string font_family(const GlyphFont& font) {
  if (font.face < 0 || font.face >= static_cast<int>(faces.size())) return "";
  return faces[font.face].family;
}

std::string font_file(const GlyphFont& font) {
  if (font.face < 0 || font.face >= static_cast<int>(faces.size())) return "";
  return faces[font.face].file;
}

std::vector<std::string> list_font_faces() {
  std::vector<std::string> list;
  if (!start_libraries()) return list;
  FcPattern* pat = FcPatternCreate();
  FcPatternAddString(pat, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
  FcObjectSet* props = FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_SPACING, nullptr);
  FcFontSet* set = FcFontList(nullptr, pat, props);
  for (int i = 0; set && i < set->nfont; i++) {
    FcPattern* font = set->fonts[i];
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
    if (spacing != FC_MONO && spacing != FC_DUAL) continue;
    // The family's Japanese name if it has one, else its first name.
    FcChar8* chosen = nullptr;
    FcChar8* family = nullptr;
    for (int k = 0; FcPatternGetString(font, FC_FAMILY, k, &family) == FcResultMatch; k++) {
      FcChar8* lang = nullptr;
      if (!chosen) chosen = family;
      if (FcPatternGetString(font, FC_FAMILYLANG, k, &lang) == FcResultMatch &&
          std::strcmp(reinterpret_cast<const char*>(lang), "ja") == 0) {
        chosen = family;
        break;
      }
    }
    if (!chosen || chosen[0] == '@') continue;
    std::string utf8 = reinterpret_cast<const char*>(chosen);
    std::string sjis = utf8_to_sjis(utf8);
    if (sjis_to_utf8(sjis) != utf8) continue;  // not expressible in Shift-JIS
    if (std::find(list.begin(), list.end(), sjis) == list.end()) list.push_back(sjis);
  }
  if (set) FcFontSetDestroy(set);
  FcObjectSetDestroy(props);
  FcPatternDestroy(pat);
  std::sort(list.begin(), list.end());
  return list;
}

bool font_has_character(const GlyphFont& font, uint32_t code_point) {
  if (font.face < 0 || font.face >= static_cast<int>(faces.size())) return false;
  return FT_Get_Char_Index(faces[font.face].ft, code_point) != 0;
}

}  // namespace platform

// fontconfig loses a few hundred bytes while parsing its configuration files
// and never frees them; the leak checker of sanitizer builds is told to
// ignore that library's allocations, so real leaks still stand out.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
