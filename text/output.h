// text/output: text lines handed to the message window, and the text modes the run loop reads.
#pragma once

namespace text {

// `linepage`: every text line ends with a page wait ('\').
extern bool line_page_mode;
// `textgosub`: '@' and '\' end the assembled line, so that the click
// routine can run between the pieces.
extern bool text_gosub_mode;

// Shows one assembled text line (Shift-JIS, NUL-terminated). There is no
// message window yet: the line goes to the transcript.
void display_text_line(const char* sjis);

}  // namespace text
