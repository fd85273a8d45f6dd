#include "platform/messages.h"

#include <deque>

#include "platform/clock.h"
#include "platform/events.h"
#include "platform/input.h"
#include "platform/window.h"

namespace platform {

namespace {

std::deque<Message> queue;
WindowProcedure procedure = nullptr;

struct Timer {
  int id = 0;
  uint32_t period = 0;
  uint32_t last = 0;
  bool active = false;
};
constexpr int kTimerSlots = 8;
Timer timers[kTimerSlots];

struct Accelerator {
  int key = 0;
  bool alt = false;
  int32_t command = 0;
  bool set = false;
} accelerator;

// Key states as of the last key message taken off the queue (what the
// accelerator and character translation see), as opposed to key_held,
// which follows the input as it arrives.
bool queue_held[256];

void follow_key_message(const Message& m) {
  if ((m.id == msg_key_down || m.id == msg_key_up) && m.param >= 0 && m.param < 256)
    queue_held[m.param] = m.id == msg_key_down;
}

bool held_at_message(int key) { return key >= 0 && key < 256 && queue_held[key]; }

bool timer_pending(int id) {
  for (const Message& m : queue)
    if (m.id == msg_timer && m.param == id) return true;
  return false;
}

void post_due_timers() {
  uint32_t now = clock_ms();
  for (Timer& t : timers) {
    if (!t.active || now - t.last < t.period) continue;
    t.last = now;
    if (!timer_pending(t.id)) post_message(msg_timer, t.id);
  }
}

}  // namespace

void post_message(const Message& m) { queue.push_back(m); }

void post_message(MessageId id, int32_t param) {
  Message m;
  m.id = id;
  m.param = param;
  pointer_position(m.x, m.y);
  queue.push_back(m);
}

void post_command(int32_t id) { post_message(msg_command, id); }

void gather_input() {
  poll_window_events();
  deliver_due_events();
  post_due_timers();
}

bool peek_message(Message& out, MessageId filter, bool remove) {
  gather_input();
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (filter != msg_none && it->id != filter) continue;
    out = *it;
    if (remove) {
      queue.erase(it);
      follow_key_message(out);
    }
    return true;
  }
  return false;
}

int remove_messages(MessageId id) {
  gather_input();
  int n = 0;
  for (auto it = queue.begin(); it != queue.end();) {
    if (it->id == id) {
      it = queue.erase(it);
      ++n;
    } else {
      ++it;
    }
  }
  return n;
}

bool message_waiting_except(MessageId except) {
  gather_input();
  for (const Message& m : queue)
    if (m.id != except) return true;
  return false;
}

void clear_messages() {
  queue.clear();
  for (bool& h : queue_held) h = false;
}

void set_window_procedure(WindowProcedure proc) { procedure = proc; }

void dispatch_message(const Message& m) {
  if (procedure) procedure(m);
}

void set_timer(int id, uint32_t period_ms) {
  Timer* slot = nullptr;
  for (Timer& t : timers)
    if (t.active && t.id == id) slot = &t;
  if (!slot)
    for (Timer& t : timers)
      if (!t.active && !slot) slot = &t;
  if (!slot) return;
  slot->id = id;
  slot->period = period_ms ? period_ms : 1;
  slot->last = clock_ms();
  slot->active = true;
}

void kill_timer(int id) {
  for (Timer& t : timers)
    if (t.active && t.id == id) t.active = false;
  for (auto it = queue.begin(); it != queue.end();)
    it = (it->id == msg_timer && it->param == id) ? queue.erase(it) : it + 1;
}

void set_accelerator(int key, bool alt, int32_t command_id) { accelerator = {key, alt, command_id, true}; }

bool translate_accelerator(const Message& m, Message& command) {
  if (!accelerator.set || m.id != msg_key_down || m.param != accelerator.key) return false;
  if (accelerator.alt != held_at_message(key_alt)) return false;
  command = Message{};
  command.id = msg_command;
  command.param = accelerator.command;
  command.x = m.x;
  command.y = m.y;
  return true;
}

void translate_message(const Message& m) {
  // With Alt held the keys are system keys and type nothing.
  if (m.id != msg_key_down || held_at_message(key_alt)) return;
  int32_t c = 0;
  switch (m.param) {
    case key_enter: c = '\r'; break;
    case key_escape: c = 0x1b; break;
    case key_tab: c = '\t'; break;
    case key_backspace: c = 0x08; break;
    default: return;
  }
  // The typed character is the next message, ahead of later input.
  Message ch = m;
  ch.id = msg_char;
  ch.param = c;
  queue.push_front(ch);
}

void post_key_event(int key, bool down) {
  set_key_held(key, down);
  post_message(down ? msg_key_down : msg_key_up, key);
  if (!down && key == key_alt) post_message(msg_system_key_up, key);
}

void post_message_at(MessageId id, int x, int y, int32_t param) {
  Message m;
  m.id = id;
  m.x = x;
  m.y = y;
  m.param = param;
  post_message(m);
}

}  // namespace platform
