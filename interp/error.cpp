#include "interp/error.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "interp/hooks.h"
#include "interp/readers.h"
#include "platform/mode.h"
#include "platform/msgbox.h"
#include "platform/sjis.h"
#include "script/scenario.h"

namespace interp {

bool error_save_flag = false;

namespace {

FatalHook fatal_hook = nullptr;
bool reporting = false;  // an error raised while reporting one

// Longest excerpt shown: the two lines are cut from the front beyond this.
constexpr int32_t kMaxExcerpt = 1536;

int32_t clamp_position(int32_t p) {
  if (p < 0) return 0;
  if (p > script::scenario_length) return script::scenario_length;
  return p;
}

int count_line_feeds(int32_t from, int32_t to) {  // in [from, to)
  int n = 0;
  for (int32_t j = from; j < to; ++j)
    if (script::ScriptBuffer[j] == '\n') ++n;
  return n;
}

}  // namespace

void set_fatal_hook(FatalHook hook) { fatal_hook = hook; }

ScriptLocation locate_position(int32_t position) {
  int32_t p = clamp_position(position);
  const int32_t* end = script::FileEndTable;
  int first = -1;
  if (script::numbered_files)
    for (int k = 0; k < script::kFileCount; ++k)
      if (end[k] != script::kMissingFile) {
        first = k;
        break;
      }
  if (first < 0) return {0, count_line_feeds(0, p) + 1};
  // The file moves on once a byte before the position lies beyond the
  // file's terminating LF; absent files are passed over. Never beyond the
  // table's last entry.
  int k = first;
  int32_t file_start = 0;
  while (end[k] < p - 1) {
    int next = k + 1;
    while (next < script::kFileCount && end[next] == script::kMissingFile) ++next;
    if (next >= script::kFileCount) break;
    file_start = end[k] + 1;
    k = next;
  }
  return {k, count_line_feeds(file_start, p) + 1};
}

std::string compose_error_text(const char* message, int32_t position) {
  int32_t p = clamp_position(position);
  std::string text = message;
  text += "\n\n";
  ScriptLocation where = locate_position(p);
  char line[64];
  std::snprintf(line, sizeof line, "%d.txt line:%d\n", where.file, where.line);
  text += line;
  // A: the last LF before the position, B: the one before it (0 when none).
  int32_t a = 0, b = 0;
  for (int32_t j = p - 1, found = 0; j >= 0 && found < 2; --j) {
    if (script::ScriptBuffer[j] != '\n') continue;
    if (found++ == 0)
      a = j;
    else
      b = j;
  }
  int32_t from = b;
  if (p - from > kMaxExcerpt) from = p - kMaxExcerpt;
  for (int32_t j = from; j < p; ++j) {
    char c = script::ScriptBuffer[j];
    text += c;
    if (c == '\n') text += (j == a) ? '>' : '|';
  }
  return text;
}

void report_error(const char* title, const char* message) {
  bool nested = reporting;
  reporting = true;
  if (error_save_flag && !nested && hooks.write_error_save) hooks.write_error_save();
  std::string title_utf8 = platform::sjis_to_utf8(title);
  std::string text =
      platform::sjis_to_utf8(nested ? std::string(message) + "\n\n" : compose_error_text(message, ScriptPosition));
  if (fatal_hook) {
    reporting = false;
    fatal_hook(title_utf8, text);
  }
  // The box goes to standard error always (a record of why the run ended),
  // and on screen when there is a window.
  if (hooks.close_transcript) hooks.close_transcript();
  std::fprintf(stderr, "%s\n%s\n", title_utf8.c_str(), text.c_str());
  std::fflush(stderr);
  if (!platform::headless) platform::show_message_box(title_utf8, text, platform::BoxIcon::error);
  if (hooks.stop_all_sound) hooks.stop_all_sound();
  // The box reports a failure: status 1, not the 0 a window teardown gives.
  std::exit(1);
}

void report_failure(const script::Failure& failure) {
  if (failure.position >= 0) ScriptPosition = failure.position;
  report_error(failure.title.c_str(), failure.message.c_str());
}

void report_errorf(const char* title_utf8, const char* format_utf8, ...) {
  std::string title = platform::utf8_to_sjis(title_utf8);
  std::string format = platform::utf8_to_sjis(format_utf8);
  char message[2048];
  va_list args;
  va_start(args, format_utf8);
  std::vsnprintf(message, sizeof message, format.c_str(), args);
  va_end(args);
  report_error(title.c_str(), message);
}

}  // namespace interp
