#include "text/lookback.h"

#include <cstring>

namespace text {

// At start as after a reset: recording, one page mark.
LookbackBuffer lookback = [] {
  LookbackBuffer b;
  std::memset(b.history_bytes, ' ', kLookbackSize);
  b.history_bytes[kLookbackSize] = 0;
  b.history_bytes[0] = static_cast<char>(kLookbackPageMark);
  b.write_pos = 1;
  b.at_page_start = 1;
  b.recording = 1;
  return b;
}();

LookbackSettings lookback_settings;
int32_t lookback_active = 0;

namespace {

// Text may fill the buffer up to its last byte, which is left for a page
// mark. A write_pos out of range (from a damaged save) records nothing
// until the next page mark discards the history.
bool room_for(int32_t n) { return lookback.write_pos >= 0 && lookback.write_pos <= kLookbackSize - 1 - n; }

void store(uint8_t b) { lookback.history_bytes[lookback.write_pos++] = static_cast<char>(b); }

}  // namespace

void append_text_bytes(uint8_t first, uint8_t second) {
  if (!lookback.recording) return;
  if (room_for(2)) {
    store(first);
    store(second);
  }
  lookback.at_page_start = 0;
}

void append_line_feed() {
  if (!lookback.recording) return;
  if (room_for(1)) store(kLookbackLineFeed);
  lookback.at_page_start = 0;
}

void write_page_mark() {
  if (!lookback.recording || lookback.at_page_start) return;
  if (lookback.write_pos < 0 || lookback.write_pos >= kLookbackSize) {
    lookback_reset();
    return;
  }
  store(kLookbackPageMark);
  lookback.at_page_start = 1;
  if (lookback.write_pos > kLookbackResetAt - 1) lookback_reset();
}

void lookback_reset() {
  std::memset(lookback.history_bytes, ' ', kLookbackSize);
  lookback.history_bytes[kLookbackSize] = 0;
  lookback.write_pos = 0;
  lookback.at_page_start = 0;
  write_page_mark();
}

void reset_lookback() {
  lookback.recording = 1;
  lookback_reset();
}

void init_lookback() {
  lookback_settings = LookbackSettings{};
  lookback_active = 0;
  reset_lookback();
}

std::string current_page_text() {
  int32_t end = lookback.write_pos;
  if (end < 0 || end >= kLookbackSize) return "";
  int32_t mark = end - 1;
  while (mark >= 0 && static_cast<uint8_t>(lookback.history_bytes[mark]) != kLookbackPageMark) mark--;
  if (mark < 0) return "";
  std::string text;
  for (int32_t i = mark + 1; i < end; i++)
    if (lookback.history_bytes[i] != static_cast<char>(kLookbackLineFeed)) text += lookback.history_bytes[i];
  return text;
}

}  // namespace text
