#include "platform/events.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cstdio>
#include <fstream>

#include "platform/clock.h"
#include "platform/dialog.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "platform/msgbox.h"
#include "platform/screenshot.h"
#include "platform/window.h"

namespace platform {

namespace {

std::vector<ScriptedEvent> events;
size_t next_event = 0;
uint32_t auto_click = 0;
int choose = -1;

std::vector<std::string_view> split_words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    size_t start = i;
    while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

bool to_int(std::string_view s, long long low, long long high, long long& out) {
  if (!s.empty() && s[0] == '+') s.remove_prefix(1);
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size() && out >= low && out <= high;
}

// A typed key's character, as the keyboard would type it (lower case).
int typed_character(int key) {
  if (key >= 'A' && key <= 'Z') return key - 'A' + 'a';
  if ((key >= '0' && key <= '9') || key == key_space) return key;
  return 0;
}

void press_key(int key) {
  post_key_event(key, true);
  int c = typed_character(key);
  if (c && !key_held(key_alt) && !key_held(key_ctrl)) post_message(msg_char, c);
}

// While a dialog is open, pointer, key and character events are its input.
bool deliver_to_dialog(const ScriptedEvent& e) {
  if (!open_dialog()) return false;
  DialogInput in;
  switch (e.kind) {
    case EventKind::click:
      move_pointer(e.x, e.y);
      in.kind = DialogInputKind::press;
      in.x = e.x;
      in.y = e.y;
      post_dialog_input(in);
      in.kind = DialogInputKind::release;
      post_dialog_input(in);
      return true;
    case EventKind::move:
      move_pointer(e.x, e.y);
      in.kind = DialogInputKind::move;
      in.x = e.x;
      in.y = e.y;
      post_dialog_input(in);
      return true;
    case EventKind::key:
    case EventKind::keydown:
      in.kind = DialogInputKind::key;
      in.key = e.value;
      post_dialog_input(in);
      return true;
    case EventKind::character:
      in.kind = DialogInputKind::text;
      in.text = std::string(1, static_cast<char>(e.value));
      post_dialog_input(in);
      return true;
    case EventKind::rclick:
    case EventKind::wheel:
    case EventKind::keyup: return true;
    default: return false;
  }
}

void deliver(const ScriptedEvent& e) {
  if (deliver_to_dialog(e)) return;
  switch (e.kind) {
    case EventKind::click:
    case EventKind::rclick: {
      move_pointer(e.x, e.y);
      post_message_at(msg_mouse_move, e.x, e.y);
      bool left = e.kind == EventKind::click;
      post_message_at(left ? msg_left_button_down : msg_right_button_down, e.x, e.y);
      post_message_at(left ? msg_left_button_up : msg_right_button_up, e.x, e.y);
      break;
    }
    case EventKind::move:
      move_pointer(e.x, e.y);
      post_message_at(msg_mouse_move, e.x, e.y);
      break;
    case EventKind::wheel: {
      int x = 0, y = 0;
      pointer_position(x, y);
      post_message_at(msg_mouse_wheel, x, y, e.value * 120);
      break;
    }
    case EventKind::key:
      press_key(e.value);
      post_key_event(e.value, false);
      break;
    case EventKind::keydown: press_key(e.value); break;
    case EventKind::keyup: post_key_event(e.value, false); break;
    case EventKind::character: post_message(msg_char, e.value); break;
    case EventKind::menu: post_command(e.value); break;
    case EventKind::answer: set_scripted_answer(e.value != 0); break;
    case EventKind::screenshot:
      if (!display_surface() || !write_png(*display_surface(), e.text))
        std::fprintf(stderr, "orvane: cannot write the screenshot %s\n", e.text.c_str());
      break;
    case EventKind::quit: post_message(msg_close); break;
    case EventKind::type: type_into_dialog(e.text); break;
  }
}

}  // namespace

int key_from_name(std::string_view name) {
  static const struct {
    const char* name;
    int key;
  } names[] = {{"space", key_space},
               {"enter", key_enter},
               {"escape", key_escape},
               {"ctrl", key_ctrl},
               {"alt", key_alt},
               {"up", key_up},
               {"down", key_down},
               {"left", key_left},
               {"right", key_right},
               {"pageup", key_page_up},
               {"pagedown", key_page_down},
               {"tab", key_tab},
               {"backspace", key_backspace},
               {"home", key_home},
               {"end", key_end},
               {"delete", key_delete}};
  for (const auto& n : names)
    if (name == n.name) return n.key;
  if (name.size() == 1) {
    unsigned char c = static_cast<unsigned char>(name[0]);
    if (std::isalpha(c)) return std::toupper(c);
    if (std::isdigit(c)) return c;
    return 0;
  }
  long long n = 0;
  if (name.size() >= 2 && name[0] == 'f' && to_int(name.substr(1), 1, 12, n)) return key_f1 + static_cast<int>(n) - 1;
  return 0;
}

bool parse_event_line(std::string_view line, ScriptedEvent& out, std::string& error) {
  error.clear();
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::vector<std::string_view> w = split_words(line);
  if (w.empty() || w[0][0] == '#') return false;
  out = ScriptedEvent{};
  long long n = 0;
  if (!to_int(w[0], 0, UINT32_MAX, n)) {
    error = "the time must be a number of milliseconds";
    return false;
  }
  out.time = static_cast<uint32_t>(n);
  if (w.size() < 2) {
    error = "an event name must follow the time";
    return false;
  }
  std::string_view kind = w[1];
  size_t args = w.size() - 2;
  auto want = [&](size_t count) {
    if (args == count) return true;
    error = std::string(kind) + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s");
    return false;
  };
  if (kind == "click" || kind == "rclick" || kind == "move") {
    out.kind = kind == "click" ? EventKind::click : kind == "rclick" ? EventKind::rclick : EventKind::move;
    if (!want(2)) return false;
    long long x = 0, y = 0;
    if (!to_int(w[2], -100000, 100000, x) || !to_int(w[3], -100000, 100000, y)) {
      error = "the point must be two whole numbers";
      return false;
    }
    out.x = static_cast<int>(x);
    out.y = static_cast<int>(y);
  } else if (kind == "wheel") {
    out.kind = EventKind::wheel;
    if (!want(1)) return false;
    if (!to_int(w[2], -1000, 1000, n) || n == 0) {
      error = "wheel takes a non-zero number of notches";
      return false;
    }
    out.value = static_cast<int>(n);
  } else if (kind == "key" || kind == "keydown" || kind == "keyup") {
    out.kind = kind == "key" ? EventKind::key : kind == "keydown" ? EventKind::keydown : EventKind::keyup;
    if (!want(1)) return false;
    out.value = key_from_name(w[2]);
    if (!out.value) {
      error = "unknown key name " + std::string(w[2]);
      return false;
    }
  } else if (kind == "char") {
    out.kind = EventKind::character;
    if (!want(1)) return false;
    if (w[2].size() != 1 || static_cast<unsigned char>(w[2][0]) >= 0x80) {
      error = "char takes one ASCII character";
      return false;
    }
    out.value = static_cast<unsigned char>(w[2][0]);
  } else if (kind == "menu") {
    out.kind = EventKind::menu;
    if (!want(1)) return false;
    if (!to_int(w[2], 0, 65535, n)) {
      error = "menu takes a command number";
      return false;
    }
    out.value = static_cast<int>(n);
  } else if (kind == "answer") {
    out.kind = EventKind::answer;
    if (!want(1)) return false;
    if (w[2] != "yes" && w[2] != "no") {
      error = "answer takes yes or no";
      return false;
    }
    out.value = w[2] == "yes";
  } else if (kind == "screenshot") {
    out.kind = EventKind::screenshot;
    if (!want(1)) return false;
    out.text = std::string(w[2]);
  } else if (kind == "type") {
    // The text is the rest of the line after one blank, blanks included.
    out.kind = EventKind::type;
    size_t after = static_cast<size_t>(kind.data() - line.data()) + kind.size() + 1;
    if (after < line.size()) out.text = std::string(line.substr(after));
    if (out.text.size() > 4096) {
      error = "type takes at most 4096 bytes of text";
      return false;
    }
  } else if (kind == "quit") {
    out.kind = EventKind::quit;
    if (!want(0)) return false;
  } else {
    error = "unknown event " + std::string(kind);
    return false;
  }
  return true;
}

bool load_events_file(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot be read";
    return false;
  }
  // Screenshot names are relative to the folder the program was started
  // in, not to the game folder it moves to.
  char cwd[PATH_MAX];
  std::string base = getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/" : "";
  std::vector<ScriptedEvent> loaded;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    ScriptedEvent e;
    std::string why;
    if (!parse_event_line(line, e, why)) {
      if (why.empty()) continue;
      error = path + ":" + std::to_string(number) + ": " + why;
      return false;
    }
    if (e.kind == EventKind::screenshot && !e.text.empty() && e.text[0] != '/') e.text = base + e.text;
    loaded.push_back(std::move(e));
  }
  set_scripted_events(std::move(loaded));
  return true;
}

void set_scripted_events(std::vector<ScriptedEvent> list) {
  std::stable_sort(list.begin(), list.end(),
                   [](const ScriptedEvent& a, const ScriptedEvent& b) { return a.time < b.time; });
  events = std::move(list);
  next_event = 0;
}

void deliver_due_events() {
  uint32_t now = clock_ms();
  while (next_event < events.size() && events[next_event].time <= now) deliver(events[next_event++]);
}

bool scripted_events_pending() { return next_event < events.size(); }

void set_auto_click(uint32_t ms) { auto_click = ms; }
uint32_t auto_click_ms() { return auto_click; }

void set_choose_item(int n) { choose = n; }
int choose_item() { return choose; }

void post_pointer_click() {
  int x = 0, y = 0;
  pointer_position(x, y);
  post_message_at(msg_left_button_down, x, y);
  post_message_at(msg_left_button_up, x, y);
}

}  // namespace platform
