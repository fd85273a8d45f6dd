#include "text/output.h"

#include "interp/debug.h"
#include "text/transcript.h"

namespace text {

bool line_page_mode = false;
bool text_gosub_mode = false;

void display_text_line(const char* sjis) {
  interp::update_debug_caption(false);
  write_transcript_line(sjis);
}

}  // namespace text
