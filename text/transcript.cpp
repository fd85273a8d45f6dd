#include "text/transcript.h"

#include <cstdio>

#include "platform/sjis.h"

namespace text {

namespace {
FILE* transcript = nullptr;
}

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

}  // namespace text
