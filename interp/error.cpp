#include "interp/error.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "platform/mode.h"
#include "platform/sjis.h"

namespace interp {

namespace {
FatalHook fatal_hook = nullptr;
}

void set_fatal_hook(FatalHook hook) { fatal_hook = hook; }

void report_error(const char* title, const char* message) {
  std::string title_utf8 = platform::sjis_to_utf8(title);
  std::string text = platform::sjis_to_utf8(message);
  text += "\n\n";
  if (fatal_hook) fatal_hook(title_utf8, text);
  std::fprintf(stderr, "%s\n%s", title_utf8.c_str(), text.c_str());
  std::fflush(stderr);
  std::exit(1);
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
