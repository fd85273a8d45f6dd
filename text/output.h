// text/output: display_text_line, which draws scenario prose into the message window, and the state it keeps across
// lines.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "interp/runloop.h"
#include "platform/glyphs.h"
#include "platform/surface.h"

namespace text {

// `linepage`: every text line ends with a page wait ('\'). `textgosub` is
// on: '@' and '\' end the assembled line and hand over to the routine at
// text_gosub_label. The interpreter assembles the lines, so it holds both.
using interp::line_page_mode;
using interp::text_gosub_mode;
extern std::string text_gosub_label;

// `clickstr`: double-byte characters (Shift-JIS, two bytes each) followed
// by an automatic click wait, which is a page wait on the bottom
// clickstr_lines rows.
extern std::string clickstr_chars;
extern int32_t clickstr_lines;

// Text links `<n ... >`: the number, where the link starts and its end x.
struct TextLink {
  int32_t number, start_x, start_y, end_x;
};
constexpr int kMaxTextLinks = 256;
extern TextLink text_links[kMaxTextLinks];
extern int32_t text_link_count;

// Placement of click cursor k (0 normal, 1 page): an offset from the pen
// (relative) or a screen point (absolute).
struct CursorPlacement {
  int32_t dx, dy;
  int32_t absolute;
};
extern CursorPlacement cursor_placement[2];
// The image tags setcursor and abssetcursor gave the two cursors; empty for
// the default pictures. Saved with the game; emptied by `reset`.
extern std::string cursor_tags[2];
// Where the cursor of the current click wait stands.
extern int32_t cursor_x, cursor_y;

extern int32_t last_wait_was_page;  // ispage: 1 after '\', 0 after '@'
extern int32_t in_text_routine;     // the textgosub routine runs
extern int32_t line_ended_at_mark;  // the script line ended right after the mark

// The message font of the window's face, glyph size and weight (made
// again only when one of them changed).
const platform::GlyphFont& message_font();

// The display surface text is drawn on: the screen's, or the text's own
// black one while no screen code has set a display of the screen's size.
platform::DibSurface& text_surface();

// Shows one assembled text line (Shift-JIS, NUL-terminated) in the message
// window: characters at the text speed, control marks, click and page
// waits. Returns when the line is done, when a wait was ended by a load,
// reset or jump, or after handing over to the textgosub routine.
void display_text_line(const char* sjis);

// The line-breaking look-ahead of display_text_line: how many characters
// of the NUL-terminated line, from byte i on, must go to the next line
// together with the next one (kinsoku groups).
int carried_characters_at(const char* sjis, size_t i);

// `reset`: the link table is emptied and the text routine forgotten.
void reset_text_output();
// Program start: also the cursor placement.
void init_text_output();

}  // namespace text
