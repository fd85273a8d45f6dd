// Drawing of the open dialog over the picture: frame, title bar and
// controls, in the menu strip's font and colours.
#include <algorithm>

#include "platform/dialog.h"
#include "platform/menu_canvas.h"
#include "platform/sjis.h"

namespace platform {

namespace {

constexpr uint32_t kFace = 0xfff0f0f0, kText = 0xff000000, kGrayText = 0xff6d6d6d, kBorder = 0xff707070,
                   kTitle = 0xff2b5797, kTitleText = 0xffffffff, kWhite = 0xffffffff, kFocus = 0xff0078d7,
                   kSelected = 0xff0078d7, kButton = 0xffe1e1e1, kButtonDown = 0xffcce4f7, kTrack = 0xffc0c0c0,
                   kComposition = 0xff0000a0;

constexpr int kListRow = 16;

void frame(MenuCanvas& c, int x, int y, int w, int h, uint32_t colour) {
  menu_fill(c, x, y, w, 1, colour);
  menu_fill(c, x, y + h - 1, w, 1, colour);
  menu_fill(c, x, y, 1, h, colour);
  menu_fill(c, x + w - 1, y, 1, h, colour);
}

// Text clipped to a box: drawn into a scratch strip and copied back.
void clipped_text(MenuCanvas& c, int x, int y, int w, int h, int text_x, const std::string& utf8, uint32_t colour,
                  uint32_t background) {
  if (w <= 0 || h <= 0) return;
  std::vector<uint32_t> scratch(static_cast<size_t>(w) * h, background);
  MenuCanvas s{scratch.data(), w, h};
  menu_text(s, text_x, 0, h, utf8, colour);
  for (int row = 0; row < h; ++row)
    for (int col = 0; col < w; ++col) {
      int px = x + col, py = y + row;
      if (px >= 0 && py >= 0 && px < c.width && py < c.height)
        c.argb[static_cast<size_t>(py) * c.width + px] = scratch[static_cast<size_t>(row) * w + col];
    }
}

// Pixels from the edit box's left edge to the caret, and the scroll that
// keeps the caret inside the box.
int edit_scroll(const DialogControl& e, const std::string& composition) {
  int caret =
      menu_text_width(sjis_to_utf8(e.text.substr(0, std::min(e.caret, e.text.size())))) + menu_text_width(composition);
  int room = std::max(1, e.w - 8);
  return caret > room ? caret - room : 0;
}

void draw_edit(MenuCanvas& c, int x, int y, const DialogControl& e, bool focus, const std::string& composition) {
  menu_fill(c, x, y, e.w, e.h, e.enabled ? kWhite : kFace);
  frame(c, x, y, e.w, e.h, focus ? kFocus : kBorder);
  size_t caret = std::min(e.caret, e.text.size());
  std::string before = sjis_to_utf8(e.text.substr(0, caret));
  std::string after = sjis_to_utf8(e.text.substr(caret));
  std::string shown = before + (focus ? composition : "") + after;
  int scroll = edit_scroll(e, focus ? composition : "");
  clipped_text(c, x + 2, y + 2, e.w - 4, e.h - 4, 2 - scroll, shown, e.enabled ? kText : kGrayText,
               e.enabled ? kWhite : kFace);
  if (!focus) return;
  int caret_x = x + 4 - scroll + menu_text_width(before);
  if (!composition.empty()) {
    // The text being composed is underlined; the caret stays behind it.
    int w = menu_text_width(composition);
    int from = std::max(caret_x, x + 2), to = std::min(caret_x + w, x + e.w - 2);
    if (to > from) menu_fill(c, from, y + e.h - 5, to - from, 1, kComposition);
    caret_x += w;
  }
  if (caret_x >= x + 2 && caret_x < x + e.w - 2) menu_fill(c, caret_x, y + 4, 1, e.h - 8, kText);
}

void draw_button(MenuCanvas& c, int x, int y, const DialogControl& b, bool focus, bool down) {
  menu_fill(c, x, y, b.w, b.h, down ? kButtonDown : kButton);
  frame(c, x, y, b.w, b.h, focus || b.is_default ? kFocus : kBorder);
  if (focus) frame(c, x + 1, y + 1, b.w - 2, b.h - 2, kFocus);
  int tw = menu_text_width(b.text);
  menu_text(c, x + (b.w - tw) / 2, y, b.h, b.text, b.enabled ? kText : kGrayText);
}

void draw_list(MenuCanvas& c, int x, int y, const DialogControl& l, bool focus) {
  menu_fill(c, x, y, l.w, l.h, kWhite);
  frame(c, x, y, l.w, l.h, focus ? kFocus : kBorder);
  int rows = std::max(1, (l.h - 2) / kListRow);
  int n = static_cast<int>(l.items.size());
  for (int r = 0; r < rows && l.top_row + r < n; ++r) {
    int i = l.top_row + r;
    bool chosen = i == l.value;
    int ry = y + 1 + r * kListRow;
    if (chosen) menu_fill(c, x + 1, ry, l.w - 2, kListRow, kSelected);
    clipped_text(c, x + 1, ry, l.w - 2, kListRow, 3, l.items[i], chosen ? kWhite : kText, chosen ? kSelected : kWhite);
  }
}

void draw_slider(MenuCanvas& c, int x, int y, const DialogControl& s, bool focus) {
  int cx = x + s.w / 2;
  menu_fill(c, cx - 2, y + 6, 4, std::max(1, s.h - 12), s.enabled ? kTrack : kFace);
  frame(c, cx - 2, y + 6, 4, std::max(1, s.h - 12), kBorder);
  int range = std::max(1, s.high - s.low);
  int thumb_y = y + 6 + (s.value - s.low) * std::max(1, s.h - 12) / range;
  uint32_t face = !s.enabled ? kFace : focus ? kFocus : kButton;
  menu_fill(c, x + 2, thumb_y - 4, s.w - 4, 8, face);
  frame(c, x + 2, thumb_y - 4, s.w - 4, 8, kBorder);
}

}  // namespace

bool draw_open_dialog(uint32_t* argb, int width, int height, int picture_top) {
  const Dialog* d = open_dialog();
  if (!d) return false;
  MenuCanvas c{argb, width, height};
  int fx = d->x, fy = d->y + picture_top;
  int fw = d->width + 2, fh = d->height + kDialogTitleHeight + 2;
  menu_fill(c, fx, fy, fw, fh, kFace);
  frame(c, fx, fy, fw, fh, kBorder);
  menu_fill(c, fx + 1, fy + 1, fw - 2, kDialogTitleHeight, kTitle);
  clipped_text(c, fx + 1, fy + 1, fw - 2 - kDialogTitleHeight, kDialogTitleHeight, 6, d->title, kTitleText, kTitle);
  // The close box: a cross at the right of the title bar.
  int bx = fx + fw - 1 - kDialogTitleHeight + 6, by = fy + 1 + 6;
  for (int i = 0; i < 8; ++i) {
    menu_fill(c, bx + i, by + i, 1, 1, kTitleText);
    menu_fill(c, bx + 7 - i, by + i, 1, 1, kTitleText);
  }
  int ox = fx + 1, oy = fy + 1 + kDialogTitleHeight;
  for (int i = 0; i < static_cast<int>(d->controls.size()); ++i) {
    const DialogControl& k = d->controls[i];
    // A control that the dialog's size cuts off is not shown.
    if (k.x + k.w > d->width || k.y + k.h > d->height) continue;
    bool focus = i == d->focus;
    int x = ox + k.x, y = oy + k.y;
    switch (k.kind) {
      case ControlKind::label: clipped_text(c, x, y, k.w, k.h, 0, k.text, k.enabled ? kText : kGrayText, kFace); break;
      case ControlKind::edit: draw_edit(c, x, y, k, focus, d->composition); break;
      case ControlKind::button: draw_button(c, x, y, k, focus, d->pressed == i); break;
      case ControlKind::list: draw_list(c, x, y, k, focus); break;
      case ControlKind::slider: draw_slider(c, x, y, k, focus); break;
    }
  }
  return true;
}

bool dialog_caret_rect(int& x, int& y, int& w, int& h) {
  Dialog* d = open_dialog();
  if (!d || d->focus < 0 || d->focus >= static_cast<int>(d->controls.size())) return false;
  const DialogControl& e = d->controls[d->focus];
  if (e.kind != ControlKind::edit) return false;
  int scroll = edit_scroll(e, "");
  x = d->x + 1 + e.x + 4 - scroll + menu_text_width(sjis_to_utf8(e.text.substr(0, std::min(e.caret, e.text.size()))));
  y = d->y + 1 + kDialogTitleHeight + e.y;
  w = 1;
  h = e.h;
  return true;
}

}  // namespace platform
