#include "text/transcript.h"

#include <cstdio>

#include "platform/sjis.h"

namespace text {

namespace {
FILE* transcript = nullptr;
std::string row;  // Shift-JIS bytes of the row being drawn
}  // namespace

bool open_transcript(const std::string& where) {
  close_transcript();
  if (where == "-") {
    transcript = stdout;
    return true;
  }
  transcript = std::fopen(where.c_str(), "a");
  return transcript != nullptr;
}

void close_transcript() {
  if (!row.empty()) end_transcript_row();
  if (transcript && transcript != stdout) std::fclose(transcript);
  if (transcript == stdout) std::fflush(stdout);
  transcript = nullptr;
}

void write_transcript_line(const char* sjis) {
  if (!transcript) return;
  std::string line = platform::sjis_to_utf8(sjis);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), transcript);
  // Flushed per line so that the record is complete whatever ends the program.
  std::fflush(transcript);
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
