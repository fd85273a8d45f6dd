// text/transcript: the record of displayed text lines (--transcript), UTF-8, one a line.
#pragma once
#include <cstdint>
#include <string>

namespace text {

// Opens the transcript: "-" is standard output, otherwise the file is
// appended to. Returns false when the file cannot be opened.
bool open_transcript(const std::string& where);
void close_transcript();

// Appends one Shift-JIS line, converted to UTF-8, with a line feed.
void write_transcript_line(const char* sjis);

// What the reader sees: the bytes of each character drawn are gathered into
// the current row, which is written out (with a line feed) at every new
// line and page clear (a second byte 0: a half-width character alone).
// Closing the transcript writes an unfinished row.
void add_transcript_character(uint8_t first, uint8_t second);
void end_transcript_row();
// A page clear ends the row unless nothing was drawn on it.
void end_transcript_page();

}  // namespace text
