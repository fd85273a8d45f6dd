#include "graphics/command_rows.h"

#include "graphics/button_picture.h"
#include "graphics/commands.h"
#include "graphics/effect_commands.h"
#include "graphics/overlays.h"
#include "graphics/picture_tools.h"

namespace graphics {

namespace {

using interp::CommandRow;

// One row a line, as the command list reads.
// clang-format off
// spwait, listed among the waits
const CommandRow sprite_wait_rows_array[] = {
    {"spwait", cmd_spwait, false},
};

// image tags and loading
const CommandRow image_tag_rows_array[] = {
    {"noloaderror", cmd_noloaderror, true},
    {"spfont", cmd_spfont, true},
    {"jpegmode", cmd_jpegmode, true},
    {"spi", cmd_spi, true},
    {"transmode", cmd_transmode, true},
};

// archives
const CommandRow archive_rows_array[] = {
    {"zpk", cmd_zpk, true},
    {"zpkdir", cmd_zpkdir, true},
    {"arc", cmd_arc, true},
};

// screen layers and sprites
const CommandRow screen_rows_array[] = {
    {"bgalia", cmd_bgalia, true},
    {"humanz", cmd_humanz, true},
    {"underline", cmd_underline, true},
    {"monocro", cmd_monocro, false},
    {"nega", cmd_nega, false},
    {"bg", cmd_bg, false},
    {"ld", cmd_ld, false},
    {"ofscpy", cmd_ofscpy, false},
    {"blt", cmd_blt, false},
    {"tal", cmd_tal, false},
    {"lsph", cmd_lsph, false},
    {"lsp", cmd_lsp, false},
    {"spstr", cmd_spstr, false},
    {"csp", cmd_csp, false},
    {"allsphide", cmd_allsphide, false},
    {"allspresume", cmd_allspresume, false},
    {"vsp", cmd_vsp, false},
    {"cell", cmd_cell, false},
    {"msp", cmd_msp, false},
    {"amsp", cmd_amsp, false},
    {"cl", cmd_cl, false},
    {"repaint", cmd_repaint, false},
    {"print", cmd_print, false},
};

// transition effects
const CommandRow effect_rows_array[] = {
    {"seteffectspeed", cmd_seteffectspeed, false},
    {"geteffectspeed", cmd_geteffectspeed, false},
    {"windoweffect", cmd_windoweffect, false},
    {"effectblank", cmd_effectblank, true},
    {"effect", cmd_effect, true},
    {"effectcut", cmd_effectcut, true},
    {"quake", cmd_quake, false},
    {"yugami", cmd_flushout, false},
    {"flushout", cmd_flushout, false},
    {"quakex", cmd_quakex, false},
    {"quakey", cmd_quakey, false},
};

// number and bar displays, picture tools
const CommandRow overlay_rows_array[] = {
    {"grptest", cmd_grptest, false},
    {"bw2a", cmd_bw2a, false},
    {"bw2a2", cmd_bw2a2, false},
    {"bmpcut", cmd_bmpcut, false},
    {"chainbmp", cmd_chainbmp, false},
    {"convgif", cmd_convgif, false},
    {"barclear", cmd_barclear, false},
    {"prnumclear", cmd_prnumclear, false},
    {"bar", cmd_bar, false},
    {"prnum", cmd_prnum, false},
};
// clang-format on

}  // namespace

const interp::CommandRows sprite_wait_rows = sprite_wait_rows_array;
const interp::CommandRows image_tag_rows = image_tag_rows_array;
const interp::CommandRows archive_rows = archive_rows_array;
const interp::CommandRows screen_rows = screen_rows_array;
const interp::CommandRows effect_rows = effect_rows_array;
const interp::CommandRows overlay_rows = overlay_rows_array;

}  // namespace graphics
