// app/main_window: the main window's life: creation, showing, full screen, close and shutdown.
#pragma once

namespace app {

// Creates the main window at screen size with its menu bar, accelerator and
// procedure; the caller has fixed the screen size.
bool open_main_window();
// After the define block: resize to the final screen size, show, start timer 1.
void show_main_window_for_game();

void enter_full_screen();
void leave_full_screen();
void repaint_window();

// The close message: asks "終了しますか？"; on yes ends the program.
void request_close();
// Destruction: saves, stops sound, removes the temporary folder, releases
// the lock and the window. on_destroy also ends the process (status 0).
void shutdown_program();
[[noreturn]] void on_destroy();

void cmd_caption();
void cmd_minimizewindow();
void cmd_movemousecursor();
void cmd_mousecursor();

}  // namespace app
