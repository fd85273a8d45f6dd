#include "graphics/screen.h"

#include <algorithm>
#include <cstring>

#include "graphics/blend.h"
#include "graphics/image_tag.h"
#include "interp/error.h"
#include "platform/clock.h"

namespace graphics {

Screen TheScreen;

namespace {

void fill_surface(DibSurface& s, uint32_t rgb) {
  for (int y = 0; y < s.height; ++y) {
    uint8_t* row = s.row(y);
    for (int x = 0; x < s.width; ++x) {
      row[3 * x] = static_cast<uint8_t>(rgb);
      row[3 * x + 1] = static_cast<uint8_t>(rgb >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(rgb >> 16);
    }
  }
}

bool opaque_alpha(const ImageRecord& r) { return r.alpha == -1 || r.alpha >= 255; }

// True when the picture, drawn opaque, hides every pixel of the screen.
bool covers_screen(const ImageRecord& r, int64_t x, int64_t y) {
  const Screen& s = TheScreen;
  if (!has_surface(r) || r.trans_mode != kTransCopy || !opaque_alpha(r)) return false;
  if (r.current_cell < 0 || r.current_cell >= std::max(r.cell_count, 1)) return false;
  return x <= 0 && y <= 0 && x + visible_width(r) >= s.width && y + visible_height(r) >= s.height;
}

// Step 1 may be left out when an opaque layer that will be drawn hides it.
bool background_hidden() {
  const Screen& s = TheScreen;
  if (!s.all_sprites_hidden)
    for (int n = 0; n < kSpriteCount; ++n) {
      const SpriteSlot& sp = s.sprites[n];
      if (s.hide_low_sprites && n < 10) continue;
      if (!sp.tag.empty() && sp.visible && covers_screen(sp.image, sp.x, sp.y)) return true;
    }
  if (!s.all_sprites_hidden || s.keep_standing)
    for (const StandingPicture& p : s.standing)
      if (!p.tag.empty() && covers_screen(p.image, p.x, p.y)) return true;
  return false;
}

void copy_background(const Rect& r) {
  Screen& s = TheScreen;
  const DibSurface& bg = s.background.surface;
  size_t bytes = size_t(r.right - r.left + 1) * 3;
  if (s.bgalia_x == -1) {
    if (bg.width < s.width || bg.height < s.height) return;  // not made yet
    for (int y = r.top; y <= r.bottom; ++y) std::memcpy(s.work.row(y) + r.left * 3, bg.row(y) + r.left * 3, bytes);
    return;
  }
  for (int y = r.top; y <= r.bottom; ++y) std::memset(s.work.row(y) + r.left * 3, 0, bytes);
  // The background placed at (x, y), at most w x h of it.
  int64_t left = std::max<int64_t>(r.left, s.bgalia_x);
  int64_t top = std::max<int64_t>(r.top, s.bgalia_y);
  int64_t right = std::min<int64_t>({r.right, int64_t(s.bgalia_x) + std::min(s.bgalia_w, bg.width) - 1});
  int64_t bottom = std::min<int64_t>({r.bottom, int64_t(s.bgalia_y) + std::min(s.bgalia_h, bg.height) - 1});
  for (int64_t y = top; y <= bottom && left <= right; ++y)
    std::memcpy(s.work.row(int(y)) + left * 3, bg.row(int(y - s.bgalia_y)) + (left - s.bgalia_x) * 3,
                size_t(right - left + 1) * 3);
}

void draw_sprites(const Rect& r, int from, int to) {
  Screen& s = TheScreen;
  for (int n = from; n >= to; --n) {
    const SpriteSlot& sp = s.sprites[n];
    if (s.hide_low_sprites && n < 10) continue;
    if (!sp.tag.empty() && sp.visible) draw_image(sp.image, s.work, &r, sp.x, sp.y);
  }
}

void negate(const Rect& r) {
  Screen& s = TheScreen;
  size_t bytes = size_t(r.right - r.left + 1) * 3;
  if (r.left == 0 && r.right == s.width - 1 && s.work.stride == int(bytes)) {
    negate_row(s.work.row(r.top), bytes * (r.bottom - r.top + 1));  // one run
    return;
  }
  for (int y = r.top; y <= r.bottom; ++y) negate_row(s.work.row(y) + r.left * 3, bytes);
}

void monochrome(const Rect& r) {
  Screen& s = TheScreen;
  const auto& t = blend_table().t;
  // The tones may come from a damaged save file: kept within the table.
  int blue = std::clamp<int32_t>(s.tone_blue, 0, 255), green = std::clamp<int32_t>(s.tone_green, 0, 255);
  int red = std::clamp<int32_t>(s.tone_red, 0, 255);
  for (int y = r.top; y <= r.bottom; ++y) {
    uint8_t* p = s.work.row(y) + r.left * 3;
    for (int x = r.left; x <= r.right; ++x, p += 3) {
      int v = (p[0] + p[1] + p[2]) / 3;
      p[0] = t[v][blue];
      p[1] = t[v][green];
      p[2] = t[v][red];
    }
  }
}

bool message_window_shown() {
  return TheScreen.message_window_shown && TheScreen.message_window_shown() && TheScreen.draw_message_window;
}

void check_sprite_defined(int n) {
  if (sprite(n).tag.empty()) interp::report_errorf("エラー", "定義されていないスプライト%dを使おうとしました。", n);
}

}  // namespace

void reset_screen(int width, int height) {
  Screen& s = TheScreen;
  s.width = width;
  s.height = height;
  create_surface(s.work, width, height);
  create_surface(s.display, width, height);
  create_surface(s.scratch, width, height);
  release_image(s.background);
  create_surface(s.background.surface, width, height);
  s.background_text = "black";
  for (StandingPicture& p : s.standing) p = StandingPicture();
  for (SpriteSlot& sp : s.sprites) sp = SpriteSlot();
  s.dirty = DirtyRect();
}

void mark_dirty(int x1, int y1, int x2, int y2) {
  Screen& s = TheScreen;
  // Only the part on the screen counts; a rectangle wholly off it adds nothing.
  int left = std::max(x1, 0), top = std::max(y1, 0);
  int right = std::min(x2, s.width - 1), bottom = std::min(y2, s.height - 1);
  if (left > right || top > bottom) return;
  DirtyRect& d = s.dirty;
  if (d.empty) {
    d = DirtyRect{false, left, top, right, bottom};
    return;
  }
  d.left = std::min(d.left, left);
  d.top = std::min(d.top, top);
  d.right = std::max(d.right, right);
  d.bottom = std::max(d.bottom, bottom);
}

void mark_whole_screen() { mark_dirty(0, 0, TheScreen.width - 1, TheScreen.height - 1); }

void mark_image(const ImageRecord& image, int x, int y) {
  if (!has_surface(image)) return;
  int64_t x2 = int64_t(x) + visible_width(image) + 1, y2 = int64_t(y) + visible_height(image) + 1;
  mark_dirty(x, y, int(std::min<int64_t>(x2, INT32_MAX)), int(std::min<int64_t>(y2, INT32_MAX)));
}

bool take_dirty(Rect& rect) {
  DirtyRect& d = TheScreen.dirty;
  if (d.empty) return false;
  rect = Rect{d.left, d.top, d.right, d.bottom};
  d = DirtyRect();
  return true;
}

void compose_screen(const Rect* rect) {
  Screen& s = TheScreen;
  Rect r = clamp_rect(rect, s.width, s.height);
  if (r.left > r.right || r.top > r.bottom || s.work.width != s.width) return;
  if (!background_hidden()) copy_background(r);
  int z = std::clamp(s.humanz, 0, kSpriteCount - 1);
  if (!s.all_sprites_hidden) draw_sprites(r, kSpriteCount - 1, z + 1);
  if (!s.all_sprites_hidden || s.keep_standing)
    for (const StandingPicture& p : s.standing)
      if (!p.tag.empty()) draw_image(p.image, s.work, &r, p.x, p.y);
  bool window = message_window_shown();
  if (window && s.window_back) s.draw_message_window(s.work, r);
  if (!s.all_sprites_hidden) draw_sprites(r, z, 0);
  if (s.nega_mode == 1) negate(r);
  if (s.monochrome) monochrome(r);
  if (s.nega_mode == 2) negate(r);
  if (s.draw_bars_and_numbers && !s.hide_low_sprites) s.draw_bars_and_numbers(s.work, r);
  if (window && !s.window_back) s.draw_message_window(s.work, r);
}

void set_background_colour(uint32_t rgb, const std::string& text) {
  Screen& s = TheScreen;
  release_image(s.background);
  bool alia = s.bgalia_x != -1;
  // Parts of a bgalia rectangle larger than the screen never show.
  create_surface(s.background.surface, alia ? std::min(s.bgalia_w, s.width) : s.width,
                 alia ? std::min(s.bgalia_h, s.height) : s.height);
  fill_surface(s.background.surface, rgb);
  s.background_text = text;
  for (int i = 0; i < 3; ++i) clear_standing(i);
  mark_whole_screen();
}

void set_background_picture(const std::string& tag) {
  Screen& s = TheScreen;
  load_image_tag(s.background, tag);
  s.background.trans_mode = kTransCopy;
  s.background.alpha = -1;
  s.background_text = tag;
  const DibSurface& pic = s.background.surface;
  if (pic.width != s.width || pic.height != s.height || s.background.cell_count > 1) {
    // Centred on black; larger pictures are cropped. Halves use integer division.
    int w = visible_width(s.background), h = visible_height(s.background);
    DibSurface centred;
    create_surface(centred, s.width, s.height);
    draw_image(s.background, centred, nullptr, s.width / 2 - w / 2, s.height / 2 - h / 2);
    s.background.surface = std::move(centred);
    s.background.indices.clear();
    s.background.cell_count = 1;
    s.background.current_cell = 0;
  }
  for (int i = 0; i < 3; ++i) clear_standing(i);
  mark_whole_screen();
}

int standing_anchor(int position) {
  int quarter = TheScreen.width / 4;
  return position == kStandLeft ? quarter : position == kStandCentre ? TheScreen.width / 2 : 3 * quarter;
}

void load_standing(int position, const std::string& tag) {
  StandingPicture& p = TheScreen.standing[position];
  if (!p.tag.empty()) mark_image(p.image, p.x, p.y);
  load_image_tag(p.image, tag);
  p.tag = tag;
  p.x = standing_anchor(position) - visible_width(p.image) / 2;
  p.y = TheScreen.underline - visible_height(p.image);
  mark_image(p.image, p.x, p.y);
}

void clear_standing(int position) {
  StandingPicture& p = TheScreen.standing[position];
  if (!p.tag.empty()) mark_image(p.image, p.x, p.y);
  p.tag.clear();
  release_image(p.image);
}

void set_standing_alpha(int position, int alpha) {
  StandingPicture& p = TheScreen.standing[position];
  p.image.alpha = std::clamp(alpha, 0, 255);
  if (!p.tag.empty()) mark_image(p.image, p.x, p.y);
}

SpriteSlot& sprite(int n) {
  if (n < 0 || n >= kSpriteCount) interp::report_errorf("エラー", "スプライト番号%dは0～255の範囲外です。", n);
  return TheScreen.sprites[n];
}

void load_sprite(int n, const std::string& tag, int x, int y, int alpha, bool visible) {
  SpriteSlot& sp = sprite(n);
  if (!sp.tag.empty() && sp.visible) mark_image(sp.image, sp.x, sp.y);
  load_image_tag(sp.image, tag);
  sp.tag = tag;
  sp.x = x;
  sp.y = y;
  sp.image.alpha = alpha;
  sp.visible = visible;
  if (visible) mark_image(sp.image, sp.x, sp.y);
}

void clear_sprite(int n) {
  if (n == -1) {
    for (int i = 0; i < kSpriteCount; ++i) clear_sprite(i);
    return;
  }
  SpriteSlot& sp = sprite(n);
  if (sp.tag.empty()) return;
  if (sp.visible) mark_image(sp.image, sp.x, sp.y);
  sp.tag.clear();
  sp.visible = false;
  release_image(sp.image);
}

void show_sprite(int n, bool visible) {
  check_sprite_defined(n);
  SpriteSlot& sp = sprite(n);
  if (sp.visible != visible) mark_image(sp.image, sp.x, sp.y);
  sp.visible = visible;
}

void move_sprite_by(int n, int dx, int dy, int dalpha, bool has_alpha) {
  check_sprite_defined(n);
  SpriteSlot& sp = sprite(n);
  mark_image(sp.image, sp.x, sp.y);
  sp.x = static_cast<int32_t>(uint32_t(sp.x) + uint32_t(dx));
  sp.y = static_cast<int32_t>(uint32_t(sp.y) + uint32_t(dy));
  if (has_alpha) {
    int64_t a = sp.image.alpha == -1 ? 255 : sp.image.alpha;
    sp.image.alpha = int(std::clamp<int64_t>(a + dalpha, 0, 255));
  }
  mark_image(sp.image, sp.x, sp.y);
}

void move_sprite_to(int n, int x, int y, int alpha, bool has_alpha) {
  check_sprite_defined(n);
  SpriteSlot& sp = sprite(n);
  mark_image(sp.image, sp.x, sp.y);
  sp.x = x;
  sp.y = y;
  if (has_alpha) sp.image.alpha = std::clamp(alpha, 0, 255);
  mark_image(sp.image, sp.x, sp.y);
}

void set_sprite_cell(int n, int cell) {
  SpriteSlot& sp = sprite(n);
  sp.image.current_cell = cell;
  sp.image.last_step_ms = platform::clock_ms();
  if (sp.visible) mark_image(sp.image, sp.x, sp.y);
}

void run_sprite_string(const std::string& control) {
  const char* p = control.c_str();
  auto number = [&p] {
    bool negative = *p == '-';
    if (*p == '-') ++p;
    long long v = 0;
    while (*p >= '0' && *p <= '9') v = std::min<long long>(v * 10 + (*p++ - '0'), INT32_MAX);
    return int(negative ? -v : v);
  };
  while (*p) {
    char c = *p++;
    if (c == 'C' || c == 'c') {
      SpriteSlot& sp = sprite(number());
      sp.visible = false;
      mark_image(sp.image, sp.x, sp.y);
    } else if (c == 'P' || c == 'p') {
      SpriteSlot& sp = sprite(number());
      int cell = 0;
      if (*p == ',') ++p, cell = number();
      sp.visible = true;
      sp.image.current_cell = cell;
      mark_image(sp.image, sp.x, sp.y);
    } else {
      interp::report_errorf("エラー", "拡張ボタン指定が間違っています。");
    }
  }
}

void hide_all_sprites(bool hidden) {
  TheScreen.all_sprites_hidden = hidden;
  mark_whole_screen();
}

}  // namespace graphics
