#include "platform/menu.h"

#include <algorithm>

#include "platform/menu_canvas.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace platform {

namespace {

MenuList bar = idr_menu();
bool changed = true;
int canvas_w = 640, canvas_h = 480 + kMenuStripHeight;

// Which lists are open and what the pointer is over.
int open_top = -1;  // index into the bar of the open popup
int open_sub = -1;  // index into that list of the popup item whose list is open
int hover_top = -1, hover_item = -1, hover_sub = -1;

constexpr int kRow = kMenuStripHeight;
constexpr int kSeparatorRow = 8;
constexpr int kGutter = 22;     // room for the check mark
constexpr int kRightRoom = 24;  // room for the popup arrow

constexpr uint32_t kFace = 0xfff0f0f0, kText = 0xff000000, kGrayText = 0xff6d6d6d, kHot = 0xffcce8ff,
                   kListFace = 0xfff2f2f2, kBorder = 0xff999999, kHotItem = 0xff91c9f7;

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

bool is_popup(const MenuItem& m) { return m.popup || !m.submenu.empty(); }
bool is_separator(const MenuItem& m) { return m.text.empty() && m.id == 0 && !is_popup(m); }

// The titles of the bar, left to right; the padding shrinks when the
// titles would not fit the strip.
std::vector<Box> title_boxes() {
  std::vector<Box> boxes;
  int total = 0;
  for (const MenuItem& m : bar) total += menu_text_width(m.text);
  int n = static_cast<int>(bar.size());
  int pad = n ? std::clamp((canvas_w - total) / (2 * n), 2, 7) : 7;
  int x = 0;
  for (const MenuItem& m : bar) {
    int w = menu_text_width(m.text) + 2 * pad;
    boxes.push_back({x, 0, w, kRow});
    x += w;
  }
  return boxes;
}

int row_height(const MenuItem& m) { return is_separator(m) ? kSeparatorRow : kRow; }

// The box of a list whose top-left corner wants to be at (x, y), kept on
// the canvas.
Box list_box(const MenuList& list, int x, int y) {
  int w = 0, h = 2;
  for (const MenuItem& m : list) {
    w = std::max(w, menu_text_width(m.text));
    h += row_height(m);
  }
  Box b{x, y, w + kGutter + kRightRoom + 2, h};
  if (b.x + b.w > canvas_w) b.x = std::max(0, canvas_w - b.w);
  if (b.y + b.h > canvas_h) b.y = std::max(0, canvas_h - b.h);
  return b;
}

Box item_box(const Box& list, const MenuList& items, int index) {
  int y = list.y + 1;
  for (int i = 0; i < index; ++i) y += row_height(items[i]);
  return {list.x + 1, y, list.w - 2, row_height(items[index])};
}

int item_at(const Box& list, const MenuList& items, int x, int y) {
  if (!list.contains(x, y)) return -1;
  for (int i = 0; i < static_cast<int>(items.size()); ++i)
    if (item_box(list, items, i).contains(x, y)) return i;
  return -1;
}

MenuList* open_list() {
  if (open_top < 0 || open_top >= static_cast<int>(bar.size()) || !is_popup(bar[open_top])) return nullptr;
  return &bar[open_top].submenu;
}

Box open_list_box() {
  std::vector<Box> titles = title_boxes();
  return list_box(*open_list(), titles[open_top].x, kRow);
}

MenuList* sub_list() {
  MenuList* list = open_list();
  if (!list || open_sub < 0 || open_sub >= static_cast<int>(list->size()) || !is_popup((*list)[open_sub]))
    return nullptr;
  return &(*list)[open_sub].submenu;
}

Box sub_list_box() {
  Box parent = open_list_box();
  Box item = item_box(parent, *open_list(), open_sub);
  return list_box(*sub_list(), parent.x + parent.w - 3, item.y - 1);
}

void choose(const MenuItem& m) {
  if (m.grayed || is_separator(m) || is_popup(m)) return;
  int32_t id = m.id;
  close_menu();
  post_command(id);
}

void draw_list(MenuCanvas& c, const Box& b, const MenuList& items, int hover, int open) {
  menu_fill(c, b.x, b.y, b.w, b.h, kBorder);
  menu_fill(c, b.x + 1, b.y + 1, b.w - 2, b.h - 2, kListFace);
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    const MenuItem& m = items[i];
    Box r = item_box(b, items, i);
    if (is_separator(m)) {
      menu_fill(c, r.x + 2, r.y + r.h / 2, r.w - 4, 1, 0xffd7d7d7);
      continue;
    }
    if ((i == hover || i == open) && !m.grayed) menu_fill(c, r.x, r.y, r.w, r.h, kHotItem);
    uint32_t colour = m.grayed ? kGrayText : kText;
    if (m.checked) menu_check_mark(c, r.x + 6, r.y + 5, colour);
    menu_text(c, r.x + kGutter, r.y, r.h, m.text, colour);
    if (is_popup(m)) menu_arrow(c, r.x + r.w - 12, r.y + 6, colour);
  }
}

}  // namespace

MenuItem menu_command(const char* text, int32_t id, bool checked) {
  MenuItem m;
  m.text = text;
  m.id = id;
  m.checked = checked;
  return m;
}

MenuItem menu_popup(const char* text, MenuList items) {
  MenuItem m;
  m.text = text;
  m.submenu = std::move(items);
  m.popup = true;
  return m;
}

MenuItem menu_separator() { return MenuItem{}; }

MenuList idr_menu() {
  return {
      menu_popup("画面", {menu_command("フルスクリーン", 40002), menu_command("ウィンドウ", 40003, true)}),
      menu_popup("フォント", {menu_command("デフォルト", 40004)}),
      menu_popup("表示形式", {menu_command("デフォルト", 40008, true), menu_command("一ページごと", 40007)}),
      menu_popup("文字速度",
                 {menu_command("低速", 40014), menu_command("普通", 40015, true), menu_command("高速", 40016)}),
      menu_popup("ボリューム",
                 {menu_command("オン", 40017, true), menu_command("オフ", 40018), menu_command("ボリューム", 40024)}),
      menu_command("選択肢まで進む", 40006),
      menu_command("オートモード", 40019),
      menu_popup("CD-DA", {menu_command("演奏ドライブ選択", 40020),
                           menu_popup("CD-DA再生", {menu_command("オン", 40021, true), menu_command("オフ", 40022)})}),
      menu_command("バージョン情報", 40005),
      menu_command("終了", 40001),
  };
}

MenuList& menu_bar() { return bar; }

void menu_bar_changed() {
  changed = true;
  if (open_top >= static_cast<int>(bar.size())) close_menu();
  present_display();
}

MenuItem* find_menu_item(MenuList& menu, int32_t id) {
  for (MenuItem& m : menu) {
    if (!is_popup(m) && m.id == id && !is_separator(m)) return &m;
    if (MenuItem* found = find_menu_item(m.submenu, id)) return found;
  }
  return nullptr;
}

bool check_menu_item(MenuList& menu, int32_t id, bool checked) {
  MenuItem* m = find_menu_item(menu, id);
  if (!m) return false;
  if (m->checked != checked && &menu == &bar) changed = true;
  m->checked = checked;
  return true;
}

bool menu_item_checked(MenuList& menu, int32_t id) {
  MenuItem* m = find_menu_item(menu, id);
  return m && m->checked;
}

void check_radio_item(MenuList& menu, int32_t chosen, std::initializer_list<int32_t> group) {
  for (int32_t id : group) check_menu_item(menu, id, false);
  check_menu_item(menu, chosen, true);
}

bool delete_menu_command(MenuList& menu, int32_t id) {
  for (auto it = menu.begin(); it != menu.end(); ++it) {
    if (!is_popup(*it) && !is_separator(*it) && it->id == id) {
      menu.erase(it);
      if (&menu == &bar) menu_bar_changed();
      return true;
    }
    if (delete_menu_command(it->submenu, id)) {
      if (&menu == &bar) menu_bar_changed();
      return true;
    }
  }
  return false;
}

void insert_menu_item(MenuList& list, size_t position, MenuItem item) {
  if (position > list.size()) position = list.size();
  list.insert(list.begin() + static_cast<ptrdiff_t>(position), std::move(item));
}

bool delete_menu_position(MenuList& list, size_t position) {
  if (position >= list.size()) return false;
  list.erase(list.begin() + static_cast<ptrdiff_t>(position));
  return true;
}

bool menu_is_open() { return open_top >= 0; }

void close_menu() {
  if (open_top >= 0 || hover_top >= 0) changed = true;
  open_top = open_sub = -1;
  hover_top = hover_item = hover_sub = -1;
}

bool menu_pointer_event(MenuPointer what, int x, int y) {
  std::vector<Box> titles = title_boxes();
  int title = -1;
  for (int i = 0; i < static_cast<int>(titles.size()); ++i)
    if (titles[i].contains(x, y)) title = i;
  int old_hover = hover_top, old_item = hover_item, old_sub = hover_sub, old_open = open_top, old_osub = open_sub;

  if (open_top < 0) {
    hover_top = title;
    if (title >= 0 && what == MenuPointer::press) {
      if (is_popup(bar[title])) {
        open_top = title;
        open_sub = -1;
      }
    } else if (title >= 0 && what == MenuPointer::release && !is_popup(bar[title])) {
      choose(bar[title]);
    }
    if (hover_top != old_hover || open_top != old_open) changed = true;
    return title >= 0 || y < kRow;
  }

  // A list is open: it takes every event.
  MenuList& list = *open_list();
  Box list_b = open_list_box();
  MenuList* sub = sub_list();
  Box sub_b = sub ? sub_list_box() : Box{};
  int in_sub = sub ? item_at(sub_b, *sub, x, y) : -1;
  int in_list = in_sub >= 0 ? -1 : item_at(list_b, list, x, y);
  hover_item = in_list >= 0 ? in_list : (in_sub >= 0 ? open_sub : -1);
  hover_sub = in_sub;

  if (title >= 0) {
    if (what == MenuPointer::press && title == open_top) {
      close_menu();
      hover_top = title;
    } else if (title != open_top && (what != MenuPointer::release)) {
      // Sliding along the bar opens the neighbouring list.
      if (is_popup(bar[title])) {
        open_top = title;
        open_sub = -1;
      }
      hover_top = title;
      if (what == MenuPointer::press && !is_popup(bar[title])) close_menu();
    } else if (what == MenuPointer::release && !is_popup(bar[title])) {
      choose(bar[title]);
    }
  } else if (in_sub >= 0) {
    if (what == MenuPointer::release) choose((*sub)[in_sub]);
  } else if (in_list >= 0) {
    const MenuItem& m = list[in_list];
    if (is_popup(m))
      open_sub = in_list;
    else if (what == MenuPointer::move && !sub_b.contains(x, y))
      open_sub = -1;
    if (what == MenuPointer::release) choose(m);
  } else if (what == MenuPointer::press) {
    close_menu();  // a press outside every list closes the menu
  }
  if (hover_top != old_hover || hover_item != old_item || hover_sub != old_sub || open_top != old_open ||
      open_sub != old_osub)
    changed = true;
  return true;
}

bool draw_menu(uint32_t* argb, int width, int height, bool force) {
  if (width != canvas_w || height != canvas_h) force = true;
  canvas_w = width;
  canvas_h = height;
  if (!changed && !force) return false;
  changed = false;
  std::fill(argb, argb + static_cast<size_t>(width) * height, 0u);
  MenuCanvas c{argb, width, height};
  menu_fill(c, 0, 0, width, kRow, kFace);
  std::vector<Box> titles = title_boxes();
  for (int i = 0; i < static_cast<int>(bar.size()); ++i) {
    const Box& b = titles[i];
    if (i == open_top || i == hover_top) menu_fill(c, b.x, b.y, b.w, b.h, kHot);
    menu_text(c, b.x + (b.w - menu_text_width(bar[i].text)) / 2, 0, kRow, bar[i].text,
              bar[i].grayed ? kGrayText : kText);
  }
  if (open_list()) {
    draw_list(c, open_list_box(), *open_list(), hover_item, open_sub);
    if (sub_list()) draw_list(c, sub_list_box(), *sub_list(), hover_sub, -1);
  }
  return true;
}

}  // namespace platform
