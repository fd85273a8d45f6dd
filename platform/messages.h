// platform/messages: the main window's message queue, its timers and its window procedure.
#pragma once
#include <cstdint>

namespace platform {

// The messages the window procedure and the waits know. Values are the
// window manager's message numbers, so that "the last message" compares
// the same way everywhere.
enum MessageId : uint32_t {
  msg_none = 0,
  msg_destroy = 0x0002,
  msg_size = 0x0005,
  msg_paint = 0x000F,
  msg_close = 0x0010,
  msg_key_down = 0x0100,
  msg_key_up = 0x0101,
  msg_char = 0x0102,
  msg_system_key_up = 0x0105,
  msg_command = 0x0111,
  msg_timer = 0x0113,
  msg_mouse_move = 0x0200,
  msg_left_button_down = 0x0201,
  msg_left_button_up = 0x0202,
  msg_right_button_down = 0x0204,
  msg_right_button_up = 0x0205,
  msg_mouse_wheel = 0x020A,
  msg_mci_notify = 0x03B9,
  msg_quit = 0x0012,
};

struct Message {
  MessageId id = msg_none;
  int32_t x = 0, y = 0;  // client point of mouse messages
  // Wheel: signed delta (120 a notch, positive away from the user);
  // character: the character code; key: the key code (input.h);
  // command: the identifier; timer: the timer number; MCI: the code.
  int32_t param = 0;
};

// Appends a message to the queue.
void post_message(const Message& m);
void post_message(MessageId id, int32_t param = 0);
// A message at client point (x, y), such as a button or a pointer move.
void post_message_at(MessageId id, int x, int y, int32_t param = 0);
void post_command(int32_t id);

// Looks at the oldest message whose id is `filter` (msg_none: any); with
// `remove` it is taken off the queue. Gathers window input, scripted events
// and due timers first. False when there is none.
bool peek_message(Message& out, MessageId filter = msg_none, bool remove = true);

// Removes every queued message with this id; returns how many.
int remove_messages(MessageId id);

// True when a message other than `except` is waiting.
bool message_waiting_except(MessageId except);

// Forgets every queued message (tests, shutdown).
void clear_messages();

// The window procedure every dispatched message goes to.
using WindowProcedure = void (*)(const Message& m);
void set_window_procedure(WindowProcedure proc);
void dispatch_message(const Message& m);

// Timers: a timer message with `param` = id is generated each time `period`
// ms have passed, at most one pending at a time, as the window manager does.
void set_timer(int id, uint32_t period_ms);
void kill_timer(int id);

// Fetches pending window-system input, scripted events and due timers into
// the queue (peek_message does this itself).
void gather_input();

// The accelerator table: one key with or without Alt that becomes a
// command. translate_accelerator returns true and fills `command` when a
// key-down message matches (the key then yields no character).
void set_accelerator(int key, bool alt, int32_t command_id);
bool translate_accelerator(const Message& m, Message& command);

// Key-down of Enter, Escape, Tab or Backspace posts the character message
// it types (printable characters arrive as character messages already).
void translate_message(const Message& m);

// A key pressed or released: records the key state and posts key down or up
// (releasing Alt also posts the system key-up message).
void post_key_event(int key, bool down);

}  // namespace platform
