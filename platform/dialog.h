// platform/dialog: modal dialogs drawn inside the main window: controls, keyboard and pointer, the modal loop.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

enum class ControlKind { label, edit, button, list, slider };

// One control of a dialog. Positions are pixels inside the dialog's client
// area (below its title bar).
struct DialogControl {
  ControlKind kind = ControlKind::label;
  int id = 0;
  int x = 0, y = 0, w = 0, h = 0;
  std::string text;  // label and button: UTF-8 caption; edit: Shift-JIS contents
  bool enabled = true;
  bool is_default = false;         // button: pressed by Enter
  size_t max_bytes = 255;          // edit: the most bytes it holds
  size_t caret = 0;                // edit: byte offset of the caret
  std::vector<std::string> items;  // list: UTF-8 rows
  int value = 0;                   // list: the selected row; slider: the position
  int low = 0, high = 100;         // slider: range, `low` at the top
  int top_row = 0;                 // list: the first row shown
};

struct Dialog {
  std::string title;          // UTF-8
  int width = 0, height = 0;  // client area in pixels
  int x = -1, y = -1;         // frame position on the picture; -1: centred
  std::vector<DialogControl> controls;
  int focus = 0;            // index of the control with the keyboard focus
  std::string composition;  // input method text being composed (UTF-8)
  int pressed = -1;         // index of the control the pointer holds
  bool open = false;
};

// The pixel size of horizontal and vertical dialog units of the dialog
// font (12-pixel Japanese gothic).
inline int dialog_units_x(int units) { return units * 3 / 2; }
inline int dialog_units_y(int units) { return units * 3 / 2; }
// A control placed and sized in dialog units, as dialog resources give them.
DialogControl dialog_control(ControlKind kind, int id, int x, int y, int w, int h, const char* text = "");
constexpr int kDialogTitleHeight = 20;

// What the modal loop reports to the dialog's owner: a button pressed (or
// Enter on the default button), the dialog's cancel (Escape, the close
// box), or a slider or list moved by the player.
enum class DialogEvent { command, cancel, changed };
// Returns true when the dialog is to close.
using DialogHandler = bool (*)(Dialog& d, DialogEvent what, int control_id, void* data);

// Runs `d` modally over the main window until the handler closes it. The
// main window keeps getting its timer, paint and other messages; input goes
// to the dialog only. Menu commands that arrive meanwhile run after it
// closes. Headless, the scripted events are its only input; when none is
// left the dialog is cancelled, and when it cannot be cancelled the main
// window is closed as a player would, so a run always ends.
void run_dialog(Dialog& d, DialogHandler handler, void* data);

// The dialog currently open (nullptr when none).
Dialog* open_dialog();

// Input for the open dialog, from the window or from scripted events.
enum class DialogInputKind { key, text, composition, press, release, move };
struct DialogInput {
  DialogInputKind kind = DialogInputKind::key;
  int key = 0;            // key: a key code of input.h (or key_delete)
  bool shift = false;     // key: Shift held
  std::string text;       // text, composition: UTF-8
  bool any_edit = false;  // text: into the first edit box when none has the focus
  int x = 0, y = 0;       // pointer kinds: client point of the picture
};
void post_dialog_input(DialogInput in);

// Typed text as the `type` event gives it: appended to the focused edit
// box, then Enter. Input that arrives while no dialog is open waits for the
// next one.
void type_into_dialog(const std::string& utf8);
// Forgets waiting dialog input (tests).
void clear_dialog_input();

// Key code of Delete (not among the keys the game sees).
constexpr int key_delete = 0x2E;

// Draws the open dialog into an ARGB canvas whose picture starts at row
// `picture_top`; false when no dialog is open.
bool draw_open_dialog(uint32_t* argb, int width, int height, int picture_top);

// Where the caret of the focused edit box lies (client point of the
// picture), for placing the input method's candidate window.
bool dialog_caret_rect(int& x, int& y, int& w, int& h);

// Types text into the focused edit box at the caret; with `any_edit`, when
// the focus is elsewhere, into the first edit box (which takes the focus).
// Characters that Shift-JIS cannot hold are left out with a message box;
// text beyond the box's size is cut off with one.
void dialog_type_text(Dialog& d, const std::string& utf8, bool any_edit);

}  // namespace platform
