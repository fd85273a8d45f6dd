#include "ui/command_rows.h"

#include "ui/commands.h"
#include "ui/system_menu.h"

namespace ui {

namespace {

using interp::CommandRow;

// One row a line, as the command list reads.
// clang-format off
// selections
const CommandRow selection_rows_array[] = {
    {"selectcolor", cmd_selectcolor, true},
    {"menuselectcolor", cmd_menuselectcolor, true},
    {"selectvoice", cmd_selectvoice, true},
    {"menuselectvoice", cmd_menuselectvoice, true},
    {"menusetwindow", cmd_menusetwindow, true},
    {"select", cmd_select, false},
    {"cselgoto", cmd_cselgoto, false},
    {"csel", cmd_csel, false},
    {"getcselnum", cmd_getcselnum, false},
    {"selgosub", cmd_selgosub, false},
    {"selnum", cmd_selnum, false},
    {"cselbtn", cmd_cselbtn, false},
};

// buttons
const CommandRow button_rows_array[] = {
    {"transbtn", cmd_transbtn, false},
    {"btnnowindowerase", cmd_btnnowindowerase, true},
    {"maskbtn", cmd_maskbtn, false},
    {"btncancel", cmd_btncancel, false},
    {"btndef", cmd_btndef, false},
    {"btn", cmd_btn, false},
    {"spbtn2", cmd_spbtn2, false},
    {"spbtn", cmd_spbtn, false},
    {"cellcheckspbtn", cmd_cellcheckspbtn, false},
    {"existspbtn", cmd_existspbtn, false},
    {"delbtn", cmd_delbtn, false},
    {"exbtn_d", cmd_exbtn_d, false},
    {"btnarea", cmd_btnarea, false},
    {"btndown", cmd_btndown, false},
    {"spclclk", cmd_spclclk, false},
    {"getpageup", cmd_getpageup, false},
    {"getcursor", cmd_getcursor, false},
    {"getfunction", cmd_getfunction, false},
    {"gettab", cmd_gettab, false},
    {"getenter", cmd_getenter, false},
    {"escoutcursor", cmd_escoutcursor, false},
    {"exbtn", cmd_exbtn, false},
    {"isdown", cmd_isdown, false},
    {"btnwait", cmd_btnwait, false},
    {"btntime", cmd_btntime, false},
    {"btntimer", cmd_btntimer, false},
    {"btntime2", cmd_btntime2, false},
    {"btnwait2", cmd_btnwait2, false},
    {"getbtntimer", cmd_getbtntimer, false},
    {"textbtnwait", cmd_textbtnwait, false},
    {"selectbtnwait", cmd_selectbtnwait, false},
    {"tbtnwait", cmd_tbtnwait, false},
};

// right-click menu and system calls
const CommandRow system_menu_rows_array[] = {
    {"rgosub", cmd_rgosub, true},
    {"rlookback", cmd_rlookback, true},
    {"roff", cmd_roff, true},
    {"rmenu", cmd_rmenu, true},
    {"reset", cmd_reset, false},
    {"rmode", cmd_rmode, false},
    {"systemcall", cmd_systemcall, false},
};
// clang-format on

}  // namespace

const interp::CommandRows selection_rows = selection_rows_array;
const interp::CommandRows button_rows = button_rows_array;
const interp::CommandRows system_menu_rows = system_menu_rows_array;

}  // namespace ui
