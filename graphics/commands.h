// graphics/commands: the script commands of pictures, archives, layers, sprites and effects.
#pragma once

namespace graphics {

// Loader switches and plug-ins.
void cmd_noloaderror();
void cmd_spfont();
void cmd_jpegmode();
void cmd_spi();
void cmd_transmode();
// Archives.
void cmd_zpk();
void cmd_zpkdir();
void cmd_arc();
// Layers and sprites.
void cmd_bg();
void cmd_ld();
void cmd_cl();
void cmd_tal();
void cmd_lsp();
void cmd_lsph();
void cmd_csp();
void cmd_vsp();
void cmd_msp();
void cmd_amsp();
void cmd_cell();
void cmd_spstr();
void cmd_allsphide();
void cmd_allspresume();
void cmd_humanz();
void cmd_underline();
void cmd_bgalia();
void cmd_monocro();
void cmd_nega();
void cmd_print();
void cmd_repaint();
void cmd_ofscpy();
void cmd_spwait();
// Effects.
void cmd_effect();

// Reads the effect arguments that end a display command and shows the
// pending rectangle with that effect.
void display_with_effect();

// Start values of every picture setting and black surfaces of the screen
// size (start-up, before the *define block); the window shows the display
// surface from then on.
void start_pictures(int width, int height);
// Every piece of picture state at its start values, at the screen size.
void reset_state();
// The picture part of the reset routine: black surfaces, no standing
// pictures or sprites, the click cursors loaded afresh.
void reset_pictures();

}  // namespace graphics
