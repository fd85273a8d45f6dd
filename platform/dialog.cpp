#include "platform/dialog.h"

#include <algorithm>
#include <deque>

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/menu_canvas.h"
#include "platform/messages.h"
#include "platform/mode.h"
#include "platform/msgbox.h"
#include "platform/sjis.h"
#include "platform/window.h"

namespace platform {

namespace {

Dialog* active = nullptr;
// Input waiting for a dialog. Text typed by the `type` event may arrive
// before its dialog opens and waits here for it.
std::deque<DialogInput> pending;

bool focusable(const DialogControl& c) { return c.enabled && c.kind != ControlKind::label; }

// Byte offsets of character boundaries in Shift-JIS text.
size_t next_boundary(const std::string& s, size_t i) {
  if (i >= s.size()) return s.size();
  return is_sjis_lead(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? i + 2 : i + 1;
}

size_t previous_boundary(const std::string& s, size_t i) {
  size_t at = 0;
  for (size_t next; (next = next_boundary(s, at)) < i;) at = next;
  return i == 0 ? 0 : at;
}

DialogControl* focused(Dialog& d) {
  if (d.focus < 0 || d.focus >= static_cast<int>(d.controls.size())) return nullptr;
  return &d.controls[d.focus];
}

void move_focus(Dialog& d, bool backwards) {
  int n = static_cast<int>(d.controls.size());
  for (int step = 1; step <= n; ++step) {
    int i = ((d.focus + (backwards ? -step : step)) % n + n) % n;
    if (focusable(d.controls[i])) {
      d.focus = i;
      return;
    }
  }
}

// The frame's top-left corner on the picture.
void frame_origin(const Dialog& d, int& fx, int& fy) {
  fx = d.x;
  fy = d.y;
}

// Returns true when the handler closed the dialog.
bool report(Dialog& d, DialogHandler handler, void* data, DialogEvent what, int id) {
  if (handler(d, what, id, data)) d.open = false;
  return !d.open;
}

constexpr int kListRow = 16;

bool set_value(DialogControl& c, int v) {
  int high = c.kind == ControlKind::list ? static_cast<int>(c.items.size()) - 1 : c.high;
  int low = c.kind == ControlKind::list ? 0 : c.low;
  v = std::clamp(v, low, std::max(low, high));
  if (v == c.value) return false;
  c.value = v;
  if (c.kind == ControlKind::list) {
    int rows = std::max(1, (c.h - 2) / kListRow);
    if (v < c.top_row) c.top_row = v;
    if (v >= c.top_row + rows) c.top_row = v - rows + 1;
  }
  return true;
}

int slider_value_at(const DialogControl& c, int client_y) {
  int track = std::max(1, c.h - 12);
  int offset = std::clamp(client_y - c.y - 6, 0, track);
  return c.low + (offset * (c.high - c.low) + track / 2) / track;
}

void handle_key(Dialog& d, DialogHandler handler, void* data, const DialogInput& in) {
  // While the input method composes, the keys are its own.
  if (!d.composition.empty()) return;
  DialogControl* c = focused(d);
  if (in.key == key_escape) {
    report(d, handler, data, DialogEvent::cancel, 2);
    return;
  }
  if (in.key == key_tab) {
    move_focus(d, in.shift);
    return;
  }
  if (c && c->kind == ControlKind::button && (in.key == key_enter || in.key == key_space)) {
    report(d, handler, data, DialogEvent::command, c->id);
    return;
  }
  if (in.key == key_enter) {
    for (DialogControl& b : d.controls)
      if (b.kind == ControlKind::button && b.is_default && b.enabled) {
        report(d, handler, data, DialogEvent::command, b.id);
        return;
      }
    return;
  }
  if (!c) return;
  if (c->kind == ControlKind::edit) {
    std::string& t = c->text;
    c->caret = std::min(c->caret, t.size());
    switch (in.key) {
      case key_left: c->caret = previous_boundary(t, c->caret); break;
      case key_right: c->caret = next_boundary(t, c->caret); break;
      case key_home: c->caret = 0; break;
      case key_end: c->caret = t.size(); break;
      case key_backspace:
        if (c->caret > 0) {
          size_t from = previous_boundary(t, c->caret);
          t.erase(from, c->caret - from);
          c->caret = from;
        }
        break;
      case key_delete:
        if (c->caret < t.size()) t.erase(c->caret, next_boundary(t, c->caret) - c->caret);
        break;
      default: break;
    }
    return;
  }
  if (c->kind == ControlKind::list || c->kind == ControlKind::slider) {
    int page = c->kind == ControlKind::slider ? 10 : 5;
    int v = c->value;
    switch (in.key) {
      case key_up: v -= 1; break;
      case key_down: v += 1; break;
      case key_page_up: v -= page; break;
      case key_page_down: v += page; break;
      case key_home: v = -1000000; break;
      case key_end: v = 1000000; break;
      default: return;
    }
    if (set_value(*c, v)) report(d, handler, data, DialogEvent::changed, c->id);
  }
}

int control_at(const Dialog& d, int cx, int cy) {
  for (int i = static_cast<int>(d.controls.size()) - 1; i >= 0; --i) {
    const DialogControl& c = d.controls[i];
    if (cx >= c.x && cy >= c.y && cx < c.x + c.w && cy < c.y + c.h) return i;
  }
  return -1;
}

void handle_pointer(Dialog& d, DialogHandler handler, void* data, const DialogInput& in) {
  int fx = 0, fy = 0;
  frame_origin(d, fx, fy);
  int cx = in.x - fx - 1, cy = in.y - fy - 1 - kDialogTitleHeight;
  // The close box at the right of the title bar.
  bool on_close = cy < 0 && cy >= -kDialogTitleHeight && cx >= d.width - kDialogTitleHeight && cx < d.width;
  if (in.kind == DialogInputKind::release) {
    int was = d.pressed;
    d.pressed = -1;
    if (on_close && was == -2) {
      report(d, handler, data, DialogEvent::cancel, 2);
      return;
    }
    if (was >= 0 && was < static_cast<int>(d.controls.size()) && control_at(d, cx, cy) == was &&
        d.controls[was].kind == ControlKind::button)
      report(d, handler, data, DialogEvent::command, d.controls[was].id);
    return;
  }
  if (in.kind == DialogInputKind::move) {
    if (d.pressed >= 0 && d.pressed < static_cast<int>(d.controls.size())) {
      DialogControl& c = d.controls[d.pressed];
      if (c.kind == ControlKind::slider && set_value(c, slider_value_at(c, cy)))
        report(d, handler, data, DialogEvent::changed, c.id);
    }
    return;
  }
  // A press.
  if (on_close) {
    d.pressed = -2;
    return;
  }
  int i = control_at(d, cx, cy);
  if (i < 0 || !d.controls[i].enabled) return;
  DialogControl& c = d.controls[i];
  if (focusable(c)) d.focus = i;
  d.pressed = i;
  if (c.kind == ControlKind::edit) {
    // The caret goes to the boundary nearest the point.
    c.caret = 0;
    for (size_t at = 0; at < c.text.size();) {
      size_t next = next_boundary(c.text, at);
      int mid = (menu_text_width(sjis_to_utf8(c.text.substr(0, at))) +
                 menu_text_width(sjis_to_utf8(c.text.substr(0, next)))) /
                2;
      if (cx - c.x - 4 < mid) break;
      c.caret = at = next;
    }
  } else if (c.kind == ControlKind::list) {
    if (set_value(c, c.top_row + (cy - c.y - 1) / kListRow)) report(d, handler, data, DialogEvent::changed, c.id);
  } else if (c.kind == ControlKind::slider) {
    if (set_value(c, slider_value_at(c, cy))) report(d, handler, data, DialogEvent::changed, c.id);
  }
}

void handle_input(Dialog& d, DialogHandler handler, void* data, const DialogInput& in) {
  switch (in.kind) {
    case DialogInputKind::key: handle_key(d, handler, data, in); break;
    case DialogInputKind::text:
      d.composition.clear();
      dialog_type_text(d, in.text, in.any_edit);
      break;
    case DialogInputKind::composition: d.composition = in.text; break;
    default: handle_pointer(d, handler, data, in); break;
  }
}

// Messages of the main window while the dialog is open: input belongs to
// the dialog, menu commands wait for it to close, the rest is handled.
void handle_window_message(const Message& m, std::vector<Message>& held) {
  switch (m.id) {
    case msg_command: held.push_back(m); break;
    case msg_key_down:
    case msg_key_up:
    case msg_char:
    case msg_system_key_up:
    case msg_mouse_move:
    case msg_left_button_down:
    case msg_left_button_up:
    case msg_right_button_down:
    case msg_right_button_up:
    case msg_mouse_wheel: break;
    default: dispatch_message(m); break;
  }
}

void place(Dialog& d) {
  int sw = 640, sh = 480;
  picture_size(sw, sh);
  int fw = d.width + 2, fh = d.height + kDialogTitleHeight + 2;
  if (d.x < 0) d.x = std::max(0, (sw - fw) / 2);
  if (d.y < 0) d.y = std::max(0, (sh - fh) / 2);
}

}  // namespace

Dialog* open_dialog() { return active; }

void post_dialog_input(DialogInput in) { pending.push_back(std::move(in)); }

void type_into_dialog(const std::string& utf8) {
  if (!utf8.empty()) {
    DialogInput t;
    t.kind = DialogInputKind::text;
    t.text = utf8;
    t.any_edit = true;
    pending.push_back(t);
  }
  DialogInput enter;
  enter.kind = DialogInputKind::key;
  enter.key = key_enter;
  pending.push_back(enter);
}

void clear_dialog_input() { pending.clear(); }

void dialog_type_text(Dialog& d, const std::string& utf8, bool any_edit) {
  DialogControl* c = focused(d);
  if (!c || c->kind != ControlKind::edit) {
    c = nullptr;
    if (!any_edit) return;
    for (size_t i = 0; i < d.controls.size() && !c; ++i)
      if (d.controls[i].kind == ControlKind::edit && d.controls[i].enabled) {
        c = &d.controls[i];
        d.focus = static_cast<int>(i);
      }
  }
  if (!c) return;
  c->caret = std::min(c->caret, c->text.size());
  bool refused = false;
  for (size_t i = 0; i < utf8.size();) {
    size_t start = i++;
    while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xc0) == 0x80) ++i;
    std::string one = utf8.substr(start, i - start);
    if (static_cast<unsigned char>(one[0]) < 0x20 || one[0] == 0x7f) continue;  // control characters
    std::string sjis = utf8_to_sjis(one);
    if (sjis.empty() || sjis_to_utf8(sjis) != one) {
      // Left out; the rest is still typed.
      if (!refused)
        show_message_box("文字列入力", "「" + one + "」はShift-JISで表せないため入力できません。", BoxIcon::error);
      refused = true;
      continue;
    }
    if (c->text.size() + sjis.size() > c->max_bytes) {
      show_message_box("文字列入力", "文字列が長すぎます。", BoxIcon::error);
      return;
    }
    c->text.insert(c->caret, sjis);
    c->caret += sjis.size();
  }
}

void run_dialog(Dialog& d, DialogHandler handler, void* data) {
  Dialog* outer = active;
  active = &d;
  d.open = true;
  d.pressed = -1;
  d.composition.clear();
  place(d);
  if (d.focus < 0 || d.focus >= static_cast<int>(d.controls.size()) || !focusable(d.controls[d.focus])) {
    d.focus = -1;
    move_focus(d, false);
  }
  std::vector<Message> held;
  refresh_overlay();
  while (d.open) {
    bool busy = false;
    gather_input();
    while (d.open && !pending.empty()) {
      DialogInput in = std::move(pending.front());
      pending.pop_front();
      handle_input(d, handler, data, in);
      busy = true;
    }
    Message m;
    while (d.open && peek_message(m, msg_none, true)) {
      handle_window_message(m, held);
      busy = true;
    }
    if (!d.open) break;
    if (busy) {
      set_text_input_area();
      refresh_overlay();
    }
    if (headless && !busy && !scripted_events_pending()) {
      // Nothing can come any more: cancel, and close the window when the
      // dialog cannot be cancelled.
      if (report(d, handler, data, DialogEvent::cancel, 2)) break;
      post_message(msg_close);
      continue;
    }
    if (!busy) sleep_ms(5);
  }
  active = outer;
  d.open = false;
  d.pressed = -1;
  for (const Message& m : held) post_message(m);
  refresh_overlay();
}

DialogControl dialog_control(ControlKind kind, int id, int x, int y, int w, int h, const char* text) {
  DialogControl c;
  c.kind = kind;
  c.id = id;
  c.x = dialog_units_x(x);
  c.y = dialog_units_y(y);
  c.w = dialog_units_x(w);
  c.h = dialog_units_y(h);
  c.text = text;
  return c;
}

}  // namespace platform
