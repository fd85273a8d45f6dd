// platform/events: scripted input (--events), --auto-click and timed screenshots.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class EventKind {
  click,
  rclick,
  move,
  wheel,
  key,
  keydown,
  keyup,
  character,
  menu,
  answer,
  screenshot,
  quit,
  type
};

// One line of an events file: "<ms> <event> [args]".
struct ScriptedEvent {
  uint32_t time = 0;
  EventKind kind = EventKind::quit;
  int x = 0, y = 0;  // click, rclick, move
  int value = 0;     // wheel notches, key code, character, menu id, answer (1 yes)
  std::string text;  // screenshot file; type: the UTF-8 text
};

// Parses one line. Blank lines and lines starting with '#' give false with
// an empty error; a malformed line gives false with a message.
bool parse_event_line(std::string_view line, ScriptedEvent& out, std::string& error);

// Reads an events file (replacing any loaded events, kept in time order);
// false with "FILE:LINE: message" on the first bad line or an unreadable file.
bool load_events_file(const std::string& path, std::string& error);
void set_scripted_events(std::vector<ScriptedEvent> events);

// Delivers every event whose time the clock has reached, as the input it
// stands for (pointer moves, button and key messages, commands, ...).
void deliver_due_events();
// True while undelivered events remain.
bool scripted_events_pending();

// --auto-click: a click wait without input for this long gets a left click
// at the pointer; 0 = off.
void set_auto_click(uint32_t ms);
uint32_t auto_click_ms();
// --choose: the item a selection idle for the --auto-click time (at once
// without --auto-click) picks instead of the first; -1 = not given.
void set_choose_item(int n);
int choose_item();

// Posts a left click (down and up) at the pointer position.
void post_pointer_click();

// The key code for a name of the events file (0 when unknown).
int key_from_name(std::string_view name);

}  // namespace platform
