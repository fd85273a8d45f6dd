#include "text/transcript.h"

#include "platform/file_io.h"
#include "platform/sjis.h"

namespace text {

namespace {
platform::FileHandle transcript;
std::string row;  // Shift-JIS bytes of the row being drawn
}  // namespace

bool open_transcript(const std::string& where) {
  close_transcript();
  transcript = where == "-" ? platform::standard_output() : platform::open_file(where, platform::OpenMode::append);
  return bool(transcript);
}

void close_transcript() {
  if (!row.empty()) end_transcript_row();
  platform::close_file(transcript);
}

void write_transcript_line(const char* sjis) {
  if (!transcript) return;
  std::string line = platform::sjis_to_utf8(sjis);
  line += '\n';
  platform::write_text(transcript, line);
  // Flushed per line so that the record is complete whatever ends the program.
  platform::flush_file(transcript);
}

void add_transcript_character(uint8_t first, uint8_t second) {
  if (!transcript) return;
  row += static_cast<char>(first);
  if (second) row += static_cast<char>(second);
}

void end_transcript_row() {
  if (!transcript) return;
  write_transcript_line(row.c_str());
  row.clear();
}

void end_transcript_page() {
  if (!transcript || row.empty()) return;
  write_transcript_line(row.c_str());
  row.clear();
}

}  // namespace text
