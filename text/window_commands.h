// text/window_commands: the script commands that set up the message window, its fonts and speeds.
#pragma once

namespace text {

void cmd_setwindow();   // full layout, speed, flags and background
void cmd_setwindow2();  // the background only
void cmd_textspeed();
void cmd_defaultspeed();  // define: the menu's slow, middle and fast speeds
void cmd_setfont();       // the face of the next page
void cmd_defaultfont();   // define
void cmd_linkcolor();     // define: r, g, b
void cmd_locate();
void cmd_br();
void cmd_textoff();
void cmd_textclear();
void cmd_textmode();
void cmd_erasetextwindow();
void cmd_windowback();   // define
void cmd_noteraseman();  // define
void cmd_getcursorpos();
void cmd_getnextline();

}  // namespace text
