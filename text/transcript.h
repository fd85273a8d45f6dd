// text/transcript: the record of displayed text lines (--transcript), UTF-8, one a line.
#pragma once
#include <string>

namespace text {

// Opens the transcript: "-" is standard output, otherwise the file is
// appended to. Returns false when the file cannot be opened.
bool open_transcript(const std::string& where);
void close_transcript();

// Appends one Shift-JIS line, converted to UTF-8, with a line feed.
void write_transcript_line(const char* sjis);

}  // namespace text
