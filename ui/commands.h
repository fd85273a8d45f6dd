// ui/commands: the script commands of selections and buttons, and the subsystem's resets.
#pragma once

namespace ui {

// Selections.
void cmd_selectcolor();
void cmd_menuselectcolor();
void cmd_selectvoice();
void cmd_menuselectvoice();
void cmd_menusetwindow();
void cmd_select();
void cmd_selgosub();
void cmd_selnum();
void cmd_csel();
void cmd_cselgoto();
void cmd_getcselnum();
void cmd_cselbtn();

// Buttons.
void cmd_transbtn();
void cmd_btnnowindowerase();
void cmd_maskbtn();
void cmd_btncancel();
void cmd_btndef();
void cmd_btn();
void cmd_spbtn2();
void cmd_spbtn();
void cmd_cellcheckspbtn();
void cmd_existspbtn();
void cmd_delbtn();
void cmd_exbtn_d();
void cmd_btnarea();
void cmd_btndown();
void cmd_spclclk();
void cmd_getpageup();
void cmd_getcursor();
void cmd_getfunction();
void cmd_gettab();
void cmd_getenter();
void cmd_escoutcursor();
void cmd_exbtn();
void cmd_isdown();
void cmd_btnwait();
void cmd_btntime();
void cmd_btntimer();
void cmd_btntime2();
void cmd_btnwait2();
void cmd_getbtntimer();
void cmd_textbtnwait();
void cmd_selectbtnwait();
void cmd_tbtnwait();

// Every selection, button and right-click setting to its start value
// (program start and full restart).
void init_ui();
// What `reset` changes here: the right-click action is enabled again.
void reset_ui();

}  // namespace ui
