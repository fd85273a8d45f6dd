// text/lookback: the history of text shown, page by page, in a fixed buffer (the recording side).
#pragma once
#include <cstdint>
#include <string>

namespace text {

constexpr int32_t kLookbackSize = 10000;    // history bytes
constexpr int32_t kLookbackResetAt = 8500;  // a page mark past 8499 discards the history
constexpr uint8_t kLookbackLineFeed = 10;
constexpr uint8_t kLookbackPageMark = 1;

// Saved with the game. Each character shown is stored as its two bytes, a
// line feed (10) at every new line and a page mark (1) when a page is
// finished; bytes not yet written hold spaces.
struct LookbackBuffer {
  char history_bytes[kLookbackSize + 1];  // plus a terminating 0
  int32_t write_pos;                      // next byte to write, 0..9999
  int32_t at_page_start;                  // 1 when the last byte written is a page mark
  int32_t recording;                      // lookbackon / lookbackoff
};

extern LookbackBuffer lookback;

// How the viewer looks: set by the define block, kept for the whole run.
struct LookbackSettings {
  uint8_t colour[3] = {255, 255, 64};  // lookbackcolor: R, G, B
  // lookbackbutton: up highlighted, up, down highlighted, down.
  std::string button_tags[4] = {"uoncur.bmp", "uoffcur.bmp", "doncur.bmp", "doffcur.bmp"};
  bool buttons_loaded = false;               // lookbackbutton loaded the first picture
  int32_t up_sprite = -1, down_sprite = -1;  // lookbacksp; -1: picture buttons
  std::string voice;                         // lookbackvoice: played at each page turn
};
extern LookbackSettings lookback_settings;
// Set while the viewer runs: the window's composition leaves the page text out.
extern int32_t lookback_active;

// When recording: store the two bytes of a character / a line feed at
// write_pos and clear at_page_start. A page that outgrows the buffer stops
// being recorded at its end (nothing is written past it, and the last byte
// is kept for the page mark that finishes the page).
void append_text_bytes(uint8_t first, uint8_t second);
void append_line_feed();

// When recording and not at_page_start: store a page mark; if write_pos
// then exceeds 8499 the history is discarded (lookback_reset).
void write_page_mark();

// Fills the history with spaces, write_pos = 0, at_page_start = 0, then
// write_page_mark (so a recording buffer starts with one mark).
void lookback_reset();

// The start and reset state: recording on and an emptied history.
void reset_lookback();
// Program start and definereset: also the viewer's settings.
void init_lookback();

// The text of the current (unfinished) page: the bytes after the last page
// mark before write_pos, line feeds left out; empty when there is no mark.
std::string current_page_text();

}  // namespace text
