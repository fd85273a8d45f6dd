// text/output_commands: the script commands of text output: puttext, texton, clickstr, linepage, textgosub, texec,
// ispage, the cursors.
#pragma once

namespace text {

void cmd_puttext();       // shows a string as a text line
void cmd_texton();        // an empty text line: the window comes back
void cmd_clickstr();      // define: characters followed by a click wait, and the page-wait rows
void cmd_linepage();      // define: every line ends with a page wait
void cmd_textgosub();     // define: the routine run at every click and page wait
void cmd_texec();         // ends the wait the routine stands for
void cmd_ispage();        // %v = 1 after a page wait, 0 after a click wait
void cmd_setcursor();     // k, image, dx, dy: placement relative to the text
void cmd_abssetcursor();  // k, image, x, y: placement on the screen

}  // namespace text
