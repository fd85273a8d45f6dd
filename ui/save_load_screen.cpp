#include "ui/save_load_screen.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "interp/runloop.h"
#include "platform/calendar.h"
#include "platform/sjis.h"
#include "platform/window.h"
#include "text/message_window.h"
#include "ui/hooks.h"
#include "ui/menu.h"
#include "ui/selection.h"

namespace ui {

namespace {

constexpr int32_t kMaxSlots = 20;  // the full-width numbers go up to "２０"

// Full-width digits "０".."９" for the ASCII digits of `ascii`, and the
// full-width space for each space.
std::string full_width(const std::string& ascii) {
  std::string out;
  for (char c : ascii) {
    if (c >= '0' && c <= '9') {
      out += '\x82';
      out += static_cast<char>(0x4f + (c - '0'));
    } else if (c == ' ') {
      out += "\x81\x40";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

SaveMenuTexts save_menu_texts() {
  SaveMenuTexts t;
  if (ui_hooks.save_menu_texts) ui_hooks.save_menu_texts(t);
  if (t.save_title.empty()) t.save_title = platform::utf8_to_sjis("＜セーブ＞");
  if (t.load_title.empty()) t.load_title = platform::utf8_to_sjis("＜ロード＞");
  if (t.slot_word.empty()) t.slot_word = platform::utf8_to_sjis("しおり");
  return t;
}

SlotLine slot_line(int32_t k, int32_t slot_count) {
  SaveMenuTexts t = save_menu_texts();
  SlotLine line;
  line.text = t.slot_word;
  if (slot_count > 9 && k < 10) line.text += "\x81\x40";  // "　": the numbers line up
  line.text += full_width(std::to_string(k));
  line.name = line.text;
  line.text += "\x81\x40";
  platform::LocalTime time{};
  line.used = ui_hooks.save_file_time && ui_hooks.save_file_time(k, time);
  if (!line.used) {
    line.text += platform::utf8_to_sjis("－－－－－－－－－－－－");
    return line;
  }
  char date[64];
  std::snprintf(date, sizeof date, "%2d\x8c\x8e%2d\x93\xfa%2d\x8e\x9e%02d\x95\xaa", time.month, time.day, time.hour,
                time.minute);
  line.text += full_width(date);
  return line;
}

int show_save_load_menu(int mode, std::string& name) {
  SaveMenuTexts t = save_menu_texts();
  int32_t count = std::clamp(t.slot_count, 0, kMaxSlots);
  const SelectionSettings& s = selection_settings;
  const MenuLayout& l = s.menu_layout;
  const text::MessageWindow& w = text::message_window;
  if (!menu_mode) {
    // Opened outside the system menu: the screen with its message window.
    enter_menu_mode();
  }
  play_system_sound(s.menu_voice[menu_voice_open]);
  std::vector<SlotLine> lines;
  for (int32_t k = 1; k <= count; k++) lines.push_back(slot_line(k, count));
  const std::string& title = mode ? t.save_title : t.load_title;
  int32_t colour = w.text_colour[0] << 16 | w.text_colour[1] << 8 | w.text_colour[2];
  int32_t title_y = std::max<int32_t>(platform::screen_height / 2 - (count / 2 + 1) * l.pitch_y, 1);
  draw_choice_text_at(title, std::max<int32_t>(menu_centred_x(static_cast<int32_t>(title.size())), 1), title_y, colour);
  int32_t x = lines.empty() ? 1 : std::max<int32_t>(menu_centred_x(static_cast<int32_t>(lines[0].text.size())), 1);
  int32_t y0 = std::max<int32_t>(platform::screen_height / 2 - (count / 2 - 1) * l.pitch_y, 1);
  std::vector<ListItem> items;
  for (int32_t i = 0; i < count; i++) {
    const SlotLine& line = lines[i];
    ListItem it = menu_item(line.text, x, y0 + i * l.pitch_y, line.used ? s.menu_colour_off : s.menu_colour_3);
    it.usable = mode == 1 || line.used;
    draw_list_item(it);
    items.push_back(it);
  }
  ListLook look = menu_look();
  look.refused_sound = s.menu_voice[menu_voice_page];
  int k = run_list(items.data(), count, look);
  if (interp::quit_requested || k < 0 || k >= count) return -1;
  name = lines[k].name;
  return k;
}

}  // namespace ui
