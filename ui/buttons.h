// ui/buttons: the button table, the button-wait settings, hit testing and highlighting.
#pragma once
#include <cstdint>
#include <string>

#include "graphics/image.h"

namespace ui {

// The table holds this many definitions; one more is an error box.
constexpr int kMaxButtons = 1024;

enum class ButtonKind : uint8_t { area, sprite, extended, choice_text };

struct Button {
  int32_t button_number = 0;
  int32_t button_left = 0, button_top = 0, button_width = 0, button_height = 0;
  int32_t button_right = -1, button_bottom = -1;  // left + width - 1, top + height - 1
  ButtonKind button_kind = ButtonKind::area;
  int32_t source_x = 0, source_y = 0;  // area: where its picture lies in graphics::button_image
  int32_t sprite = 0;                  // sprite and extended buttons
  std::string exbtn_string;            // extended buttons
  int32_t choice = 0;                  // choice-text buttons: the CustomChoiceList text
};

// A deleted button keeps its slot, moved beyond the right edge.
constexpr int32_t kDeletedLeft = 999;

struct ButtonTable {
  Button buttons[kMaxButtons];
  int32_t count = 0;
};
extern ButtonTable button_table;

// What btndef resets, and the rest of the waits' settings.
struct ButtonSettings {
  std::string button_image_file;  // the name of btndef's picture (graphics::button_image)
  int32_t button_timeout = -1;    // btntime; -1 none
  bool timeout_waits_voice = false;
  bool transparent_hits = false;  // transbtn
  int32_t area_limit = 0;         // btnarea; 0 none
  int32_t mask_below = -1;        // maskbtn; -1 none
  bool report_while_down = false;
  bool space_is_click = false;
  bool getpageup = false, getenter = false, gettab = false, getfunction = false, getcursor = false;
  bool escape_pointer_set = false;
  int32_t escape_pointer_x = 0, escape_pointer_y = 0;
  std::string exbtn_default;
};
extern ButtonSettings button_settings;
extern bool btnnowindowerase;   // definition command: waits keep the message window
extern int32_t last_wait_time;  // getbtntimer

// Adds a definition (error box when the table is full) and returns it.
Button& add_button(int32_t number, int32_t left, int32_t top, int32_t width, int32_t height, ButtonKind kind);
// A sprite button over sprite n's cell rectangle (n is checked), when the
// sprite is loaded; with `replace`, over the first button with the same
// number instead, when there is one. `multi_cell_only`: only a sprite of
// two or more cells.
void add_sprite_button(int32_t sprite, int32_t number, bool replace, bool multi_cell_only);
void delete_buttons(int32_t number);
void cancel_buttons(int32_t n);
// btndef: an empty table and every setting reset; the picture is loaded
// from `file` (error box when it cannot be), freed for an empty name, or
// kept with `keep_image`.
void define_buttons(const std::string& file, bool keep_image);
// A loaded game's button picture: loaded again from its saved name (freed
// for an empty one); the table and settings stay as they are.
void restore_button_image(const std::string& file);

// The button under the point: the last defined one whose rectangle holds
// it and whose number is above mask_below, over an opaque pixel of its
// sprite when transparent hits are on. -1 for none.
int button_at(int x, int y);

// Whether sprite n's pixel at screen point (x, y) is drawn (not made
// transparent by the picture's transparency mode).
bool sprite_pixel_opaque(int n, int x, int y);

// Highlight (on) or un-highlight (off) button i and bring the change to
// the display.
void highlight_button(int i, bool on);
// The wait's start: extended buttons run exbtn_default and show cell 0,
// sprite buttons show cell 0, choice-text buttons are drawn in the off
// colour. True when choice-text buttons were drawn.
bool prepare_buttons();

// Start values (program start, full restart and `reset`).
void init_buttons();

}  // namespace ui
