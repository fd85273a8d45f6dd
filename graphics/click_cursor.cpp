#include "graphics/click_cursor.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "graphics/animation.h"
#include "graphics/draw_image.h"
#include "graphics/effect.h"
#include "graphics/image_tag.h"
#include "graphics/screen.h"
#include "platform/clock.h"

namespace graphics {

ImageRecord ClickCursors[2];

namespace {

// The kept display area.
struct Backdrop {
  bool held = false;
  int left = 0, top = 0, right = -1, bottom = -1;
  std::vector<uint8_t> pixels;
};
Backdrop backdrop;

void put_backdrop() {
  DibSurface& d = TheScreen.display;
  if (!backdrop.held) return;
  size_t bytes = size_t(backdrop.right - backdrop.left + 1) * 3;
  for (int y = backdrop.top; y <= backdrop.bottom; ++y)
    std::memcpy(d.row(y) + size_t(backdrop.left) * 3, backdrop.pixels.data() + (y - backdrop.top) * bytes, bytes);
}

void load_cursor(ImageRecord& r, const char* tag) {
  if (loader_settings.jpegmode) {
    load_image_tag(r, tag);  // silent when missing, then the ".jpg" retry, then the error box
    return;
  }
  bool blank = loader_settings.blank_on_missing;
  loader_settings.blank_on_missing = true;
  decode_image_tag(r, tag);
  loader_settings.blank_on_missing = blank;
}

}  // namespace

void load_click_cursors() {
  // Emptied first, so that a cursor made blank before the *define block set
  // jpegmode is looked for again.
  release_image(ClickCursors[kNormalCursor]);
  release_image(ClickCursors[kPageCursor]);
  load_cursor(ClickCursors[kNormalCursor], ":l/3,160,2;cursor0.bmp");
  load_cursor(ClickCursors[kPageCursor], ":l/3,160,2;cursor1.bmp");
}

void save_cursor_backdrop(int k, int x, int y) {
  const ImageRecord& c = ClickCursors[k & 1];
  DibSurface& d = TheScreen.display;
  backdrop = Backdrop();
  int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
  int64_t right = std::min<int64_t>(int64_t(x) + visible_width(c), d.width - 1);
  int64_t bottom = std::min<int64_t>(int64_t(y) + visible_height(c), d.height - 1);
  if (!has_surface(c) || left > right || top > bottom) return;
  backdrop.held = true;
  backdrop.left = int(left), backdrop.top = int(top), backdrop.right = int(right), backdrop.bottom = int(bottom);
  size_t bytes = size_t(right - left + 1) * 3;
  backdrop.pixels.resize(bytes * (bottom - top + 1));
  for (int64_t row = top; row <= bottom; ++row)
    std::memcpy(backdrop.pixels.data() + (row - top) * bytes, d.row(int(row)) + left * 3, bytes);
}

bool step_click_cursor(int k, int x, int y, uint32_t now) {
  ImageRecord& c = ClickCursors[k & 1];
  if (c.cell_count < 2 || !step_animation(c, now)) return false;
  put_backdrop();
  draw_image(c, TheScreen.display, nullptr, x, y);
  if (present_display_hook) present_display_hook();
  return true;
}

void restore_cursor_backdrop() {
  if (!backdrop.held) return;
  put_backdrop();
  backdrop.held = false;
  if (present_display_hook) present_display_hook();
}

}  // namespace graphics
