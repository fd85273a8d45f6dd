#include "ui/buttons.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/button_picture.h"
#include "graphics/effect.h"
#include "graphics/image_tag.h"
#include "graphics/screen.h"
#include "interp/error.h"
#include "platform/window.h"
#include "ui/selection.h"

namespace ui {

ButtonTable button_table;
ButtonSettings button_settings;
bool btnnowindowerase = false;
int32_t last_wait_time = 0;

namespace {

// The display pixels an area button's highlight covers, for putting them
// back.
struct SavedArea {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> pixels;
};
SavedArea saved_area;

bool sprite_based(const Button& b) {
  return b.button_kind == ButtonKind::sprite || b.button_kind == ButtonKind::extended;
}

// The rectangle (inclusive) of a button clipped to the display; false when
// nothing of it is on the screen.
bool on_display(const Button& b, int& left, int& top, int& right, int& bottom) {
  const graphics::DibSurface& d = graphics::TheScreen.display;
  left = std::max(b.button_left, 0);
  top = std::max(b.button_top, 0);
  right = std::min<int64_t>(b.button_right, d.width - 1);
  bottom = std::min<int64_t>(b.button_bottom, d.height - 1);
  return left <= right && top <= bottom;
}

void show_area_highlight(const Button& b) {
  graphics::DibSurface& d = graphics::TheScreen.display;
  int left, top, right, bottom;
  saved_area.width = 0;
  if (!on_display(b, left, top, right, bottom)) return;
  int width = right - left + 1, height = bottom - top + 1;
  saved_area.left = left;
  saved_area.top = top;
  saved_area.width = width;
  saved_area.height = height;
  saved_area.pixels.resize(size_t(width) * height * 3);
  for (int y = 0; y < height; y++)
    std::memcpy(saved_area.pixels.data() + size_t(y) * width * 3, d.row(top + y) + 3 * left, size_t(width) * 3);
  // The picture's part, as far as it lies inside the picture.
  const graphics::DibSurface& s = graphics::button_image.surface;
  for (int y = top; y <= bottom; y++) {
    int64_t sy = int64_t{b.source_y} + (y - b.button_top);
    if (sy < 0 || sy >= s.height) continue;
    int64_t sx0 = int64_t{b.source_x} + (left - b.button_left);
    int64_t from = std::max<int64_t>(sx0, 0), to = std::min<int64_t>(sx0 + width, s.width);
    if (from >= to) continue;
    std::memcpy(d.row(y) + 3 * (left + (from - sx0)), s.row(static_cast<int>(sy)) + 3 * from, size_t(to - from) * 3);
  }
}

void hide_area_highlight() {
  graphics::DibSurface& d = graphics::TheScreen.display;
  const SavedArea& a = saved_area;
  if (a.width <= 0 || a.left + a.width > d.width || a.top + a.height > d.height) return;
  for (int y = 0; y < a.height; y++)
    std::memcpy(d.row(a.top + y) + 3 * a.left, a.pixels.data() + size_t(y) * a.width * 3, size_t(a.width) * 3);
  saved_area.width = 0;
}

void show_sprite_cell(int n, int cell, bool make_visible) {
  graphics::SpriteSlot& sp = graphics::sprite(n);
  if (make_visible && !sp.visible) {
    sp.visible = true;
    graphics::mark_image(sp.image, sp.x, sp.y);
  }
  graphics::set_sprite_cell(n, cell);
}

void run_exbtn_default() {
  if (button_settings.exbtn_default.empty())
    interp::report_errorf("エラー", "exbtn命令を使ったときには必ずexbtn_d命令も必要です。");
  graphics::run_sprite_string(button_settings.exbtn_default);
}

// Composes the pending rectangle and shows it at once.
void show_sprite_changes() { graphics::refresh_screen(1, 0, ""); }

}  // namespace

Button& add_button(int32_t number, int32_t left, int32_t top, int32_t width, int32_t height, ButtonKind kind) {
  if (button_table.count >= kMaxButtons)
    interp::report_errorf("エラー", "ボタンは%d個までしか定義できません。", kMaxButtons);
  Button& b = button_table.buttons[button_table.count++];
  b = Button{};
  b.button_number = number;
  b.button_left = left;
  b.button_top = top;
  b.button_width = width;
  b.button_height = height;
  b.button_right = static_cast<int32_t>(std::clamp<int64_t>(int64_t{left} + width - 1, INT32_MIN, INT32_MAX));
  b.button_bottom = static_cast<int32_t>(std::clamp<int64_t>(int64_t{top} + height - 1, INT32_MIN, INT32_MAX));
  b.button_kind = kind;
  return b;
}

void add_sprite_button(int32_t n, int32_t number, bool replace, bool multi_cell_only) {
  const graphics::SpriteSlot& sp = graphics::sprite(n);
  if (sp.tag.empty() || !graphics::has_surface(sp.image)) return;
  if (multi_cell_only && sp.image.cell_count < 2) return;
  int32_t width = graphics::visible_width(sp.image), height = graphics::visible_height(sp.image);
  if (replace) {
    for (int i = 0; i < button_table.count; i++) {
      Button& b = button_table.buttons[i];
      if (b.button_number != number) continue;
      b = Button{};
      b.button_number = number;
      b.button_left = sp.x;
      b.button_top = sp.y;
      b.button_width = width;
      b.button_height = height;
      b.button_right = static_cast<int32_t>(int64_t{sp.x} + width - 1);
      b.button_bottom = static_cast<int32_t>(int64_t{sp.y} + height - 1);
      b.button_kind = ButtonKind::sprite;
      b.sprite = n;
      return;
    }
  }
  add_button(number, sp.x, sp.y, width, height, ButtonKind::sprite).sprite = n;
}

void delete_buttons(int32_t number) {
  for (int i = 0; i < button_table.count; i++) {
    Button& b = button_table.buttons[i];
    if (b.button_number != number) continue;
    b.button_left = kDeletedLeft;
    b.button_right = static_cast<int32_t>(int64_t{kDeletedLeft} + std::max(b.button_width, 0) - 1);
  }
}

void cancel_buttons(int32_t n) {
  if (n <= 0) return;
  button_table.count = n >= button_table.count ? 0 : button_table.count - n;
}

void define_buttons(const std::string& file, bool keep_image) {
  std::string image_file = std::move(button_settings.button_image_file);
  button_settings = ButtonSettings{};
  button_table.count = 0;
  saved_area.width = 0;
  if (keep_image) {
    button_settings.button_image_file = std::move(image_file);
    return;
  }
  graphics::release_image(graphics::button_image);
  if (file.empty()) return;
  graphics::load_image_tag(graphics::button_image, file);
  button_settings.button_image_file = file;
}

void restore_button_image(const std::string& file) {
  graphics::release_image(graphics::button_image);
  button_settings.button_image_file = file;
  if (!file.empty()) graphics::load_image_tag(graphics::button_image, file);
}

bool sprite_pixel_opaque(int n, int x, int y) {
  if (n < 0 || n >= graphics::kSpriteCount) return false;
  const graphics::SpriteSlot& sp = graphics::TheScreen.sprites[n];
  const graphics::ImageRecord& r = sp.image;
  if (!graphics::has_surface(r)) return false;
  int64_t lx = int64_t{x} - sp.x, ly = int64_t{y} - sp.y;
  int cw = graphics::cell_width(r), vw = graphics::visible_width(r);
  if (lx < 0 || ly < 0 || lx >= vw || ly >= r.surface.height) return false;
  // The cell shown, or the first when the shown one lies past the picture
  // (a highlighted button of one cell keeps its shape).
  int cell = r.current_cell >= 0 && r.current_cell < std::max(r.cell_count, 1) ? r.current_cell : 0;
  int64_t sx = int64_t{cell} * cw + lx;
  int64_t mask_x = sx + vw;
  if (sx >= r.surface.width) return false;
  const uint8_t* row = r.surface.row(static_cast<int>(ly));
  auto pixel = [&](int64_t px) {
    const uint8_t* p = r.surface.row(static_cast<int>(ly)) + 3 * px;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
  };
  bool indexed = !r.indices.empty();
  switch (r.trans_mode) {
    case graphics::kTransAlpha: return mask_x < r.surface.width && row[3 * mask_x] != 255;
    case graphics::kTransLeftTop:
    case graphics::kTransRightTop:
    case graphics::kTransColourKey: {
      int kx = r.trans_mode == graphics::kTransRightTop ? r.surface.width - 1 : 0;
      if (indexed) {
        uint8_t key = r.trans_mode == graphics::kTransColourKey ? static_cast<uint8_t>(r.key_index) : r.indices[kx];
        return r.indices[size_t(ly) * r.surface.width + sx] != key;
      }
      uint32_t key =
          r.trans_mode == graphics::kTransColourKey
              ? uint32_t(r.key_blue & 255) | uint32_t(r.key_green & 255) << 8 | uint32_t(r.key_red & 255) << 16
              : uint32_t(r.surface.row(0)[3 * kx]) | uint32_t(r.surface.row(0)[3 * kx + 1]) << 8 |
                    uint32_t(r.surface.row(0)[3 * kx + 2]) << 16;
      return pixel(sx) != key;
    }
    default: return true;
  }
}

int button_at(int x, int y) {
  const ButtonSettings& s = button_settings;
  for (int i = button_table.count - 1; i >= 0; i--) {
    const Button& b = button_table.buttons[i];
    if (x < b.button_left || x > b.button_right || y < b.button_top || y > b.button_bottom) continue;
    if (b.button_number <= s.mask_below) continue;
    if (s.transparent_hits && sprite_based(b) && !sprite_pixel_opaque(b.sprite, x, y)) continue;
    return i;
  }
  return -1;
}

void highlight_button(int i, bool on) {
  if (i < 0 || i >= button_table.count) return;
  const Button& b = button_table.buttons[i];
  switch (b.button_kind) {
    case ButtonKind::area:
      if (on)
        show_area_highlight(b);
      else
        hide_area_highlight();
      platform::present_display();
      break;
    case ButtonKind::sprite:
      show_sprite_cell(b.sprite, on ? 1 : 0, false);
      show_sprite_changes();
      break;
    case ButtonKind::extended:
      show_sprite_cell(b.sprite, on ? 1 : 0, on);
      run_exbtn_default();
      if (on) graphics::run_sprite_string(b.exbtn_string);
      show_sprite_changes();
      break;
    case ButtonKind::choice_text: {
      if (b.choice < 0 || b.choice >= kMaxCustomChoices) break;
      const SelectionSettings& s = selection_settings;
      draw_choice_text_at(custom_choice_list.texts[b.choice], b.button_left, b.button_top,
                          on ? s.select_colour_on : s.select_colour_off);
      break;
    }
  }
}

bool prepare_buttons() {
  bool choice_texts = false;
  for (int i = 0; i < button_table.count; i++) {
    const Button& b = button_table.buttons[i];
    if (b.button_kind == ButtonKind::extended) {
      run_exbtn_default();
      show_sprite_cell(b.sprite, 0, true);
    } else if (b.button_kind == ButtonKind::sprite) {
      show_sprite_cell(b.sprite, 0, false);
    }
  }
  show_sprite_changes();
  for (int i = 0; i < button_table.count; i++) {
    const Button& b = button_table.buttons[i];
    if (b.button_kind != ButtonKind::choice_text) continue;
    highlight_button(i, false);
    choice_texts = true;
  }
  return choice_texts;
}

void init_buttons() {
  define_buttons("", false);
  btnnowindowerase = false;
  last_wait_time = 0;
}

}  // namespace ui
