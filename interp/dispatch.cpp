#include "interp/dispatch.h"

#include <cstdint>
#include <string_view>

#include "app/main_window.h"
#include "app/menu_commands.h"
#include "graphics/commands.h"
#include "graphics/effect_commands.h"
#include "graphics/overlays.h"
#include "graphics/picture_tools.h"
#include "interp/arithmetic.h"
#include "interp/assign.h"
#include "interp/control_flow.h"
#include "interp/debug.h"
#include "interp/error.h"
#include "interp/readers.h"
#include "interp/runloop.h"
#include "interp/strings.h"
#include "interp/system_commands.h"
#include "interp/variables.h"
#include "script/define.h"
#include "script/scenario.h"
#include "sound/video_commands.h"
#include "text/lookback_commands.h"
#include "text/lookback_viewer.h"
#include "text/output_commands.h"
#include "text/traps.h"
#include "text/wait_commands.h"
#include "text/window_commands.h"

namespace interp {

// Every command in dispatch order. When a name appears twice the first row
// wins. Rows without a handler belong to parts of the system not built yet.
const CommandRow CommandTable[] = {
    // start-up and the main window
    {"mousecursor", app::cmd_mousecursor, false},
    {"caption", app::cmd_caption, false},
    {"movemousecursor", app::cmd_movemousecursor, false},
    {"minimizewindow", app::cmd_minimizewindow, false},
    // menu-bar commands
    {"menu_full", app::cmd_menu_full, false},
    {"menu_click_page", app::cmd_menu_click_page, false},
    {"menu_automode", app::cmd_menu_automode, false},
    {"menu_dwavvol", app::cmd_menu_dwavvol, false},
    {"menu_click_def", app::cmd_menu_click_def, false},
    {"menu_cd_on", app::cmd_menu_cd_on, false},
    {"menu_cd_off", app::cmd_menu_cd_off, false},
    {"menu_window", app::cmd_menu_window, false},
    // settings and menu customisation
    {"resetmenu", nullptr, true},
    {"insertmenu", nullptr, true},
    {"mode_ext", nullptr, true},
    {"mode_kanade", nullptr, true},
    {"mode_saya", nullptr, true},
    {"versionstr", nullptr, true},
    {"killmenu", nullptr, true},
    // dialogs
    {"mesbox", nullptr, false},
    {"inputstr", nullptr, false},
    {"input", nullptr, false},
    {"inputnum", nullptr, false},
    // labels and the define block
    {"definereset", script::cmd_definereset, false},
    {"stralias", script::cmd_stralias, true},
    {"numalias", script::cmd_numalias, true},
    {"game", script::cmd_game, true},
    // variables and arrays
    {"movl", cmd_movl, false},
    {"dim", cmd_dim, true},
    {"intlimit", cmd_intlimit, true},
    // control flow
    {"end", cmd_end, false},
    {"tablegoto", cmd_tablegoto, false},
    {"jumpf", cmd_jumpf, false},
    {"jumpb", cmd_jumpb, false},
    {"goto", cmd_goto, false},
    {"skip", cmd_skip, false},
    {"gosub", cmd_gosub, false},
    {"for", cmd_for, false},
    {"next", cmd_next, false},
    {"break", cmd_break, false},
    {"return", cmd_return, false},
    {"notif", cmd_notif, false},
    {"if", cmd_if, false},
    // arithmetic, string and utility commands
    {"getversion", cmd_getversion, false},
    {"winexec", cmd_winexec, false},
    {"filecreate", cmd_filecreate, false},
    {"fileremove", cmd_fileremove, false},
    {"date", cmd_date, false},
    {"time", cmd_time, false},
    {"mov", cmd_mov, false},
    {"mov5", cmd_mov5, false},
    {"mov6", cmd_mov6, false},
    {"mov7", cmd_mov7, false},
    {"mov8", cmd_mov8, false},
    {"mov9", cmd_mov9, false},
    {"mov10", cmd_mov10, false},
    {"mov4", cmd_mov4, false},
    {"mov3", cmd_mov3, false},
    {"rnd", cmd_rnd, false},
    {"rnd2", cmd_rnd2, false},
    {"getreg", cmd_getreg, false},
    {"getini", cmd_getini, false},
    {"itoa", cmd_itoa, false},
    {"atoi", cmd_atoi, false},
    {"add", cmd_add, false},
    {"sub", cmd_sub, false},
    {"inc", cmd_inc, false},
    {"dec", cmd_dec, false},
    {"shell", cmd_shell, false},
    {"mul", cmd_mul, false},
    {"div", cmd_div, false},
    {"mod", cmd_mod, false},
    {"len", cmd_len, false},
    {"mid", cmd_mid, false},
    {"cmp", cmd_cmp, false},
    // error reporting and debugging aids
    {"errorsave", cmd_errorsave, true},
    {"chkdbg", cmd_chkdbg, true},
    {"createdebugwindow", cmd_createdebugwindow, true},
    // message window and text settings
    {"windowback", text::cmd_windowback, true},
    {"noteraseman", text::cmd_noteraseman, true},
    {"defaultspeed", text::cmd_defaultspeed, true},
    {"defaultfont", text::cmd_defaultfont, true},
    {"linkcolor", text::cmd_linkcolor, true},
    {"locate", text::cmd_locate, false},
    {"br", text::cmd_br, false},
    {"textoff", text::cmd_textoff, false},
    {"texton", text::cmd_texton, false},
    {"textclear", text::cmd_textclear, false},
    {"textmode", text::cmd_textmode, false},
    {"erasetextwindow", text::cmd_erasetextwindow, false},
    {"textspeed", text::cmd_textspeed, false},
    {"getcursorpos", text::cmd_getcursorpos, false},
    {"getnextline", text::cmd_getnextline, false},
    {"setfont", text::cmd_setfont, false},
    {"setwindow", text::cmd_setwindow, false},
    {"setwindow2", text::cmd_setwindow2, false},
    // text output
    {"texec", text::cmd_texec, false},
    {"textgosub", text::cmd_textgosub, true},
    {"linepage", text::cmd_linepage, true},
    {"clickstr", text::cmd_clickstr, true},
    {"puttext", text::cmd_puttext, false},
    {"setcursor", text::cmd_setcursor, false},
    {"abssetcursor", text::cmd_abssetcursor, false},
    {"ispage", text::cmd_ispage, false},
    // waiting, clicks, skip and auto modes
    {"kidokumode", text::cmd_kidokumode, false},
    {"automode", text::cmd_automode, true},
    {"usewheel", text::cmd_usewheel, true},
    {"useescspc", text::cmd_useescspc, true},
    {"ctrlalt", text::cmd_ctrlalt, true},
    {"kidokuskip", nullptr, true},
    {"automode_time", text::cmd_automode_time, true},
    {"clickvoice", text::cmd_clickvoice, true},
    {"autoclick", text::cmd_autoclick, false},
    {"lr_trap", text::cmd_lr_trap, false},
    {"lr_trap2", text::cmd_lr_trap2, false},
    {"trap2", text::cmd_trap2, false},
    {"timertrap", text::cmd_timertrap, false},
    {"trap", text::cmd_trap, false},
    {"skipoff", text::cmd_skipoff, false},
    {"delay", text::cmd_delay, false},
    {"spwait", graphics::cmd_spwait, false},
    {"wait", text::cmd_wait, false},
    {"resettimer", text::cmd_resettimer, false},
    {"waittimer", text::cmd_waittimer, false},
    {"gettimer", text::cmd_gettimer, false},
    {"click", text::cmd_click, false},
    {"clickpos", text::cmd_clickpos, false},
    {"getmousepos", text::cmd_getmousepos, false},
    // lookback
    {"lookbacksp", text::cmd_lookbacksp, true},
    {"lookbackbutton", text::cmd_lookbackbutton, true},
    {"lookbackcolor", text::cmd_lookbackcolor, true},
    {"lookbackvoice", text::cmd_lookbackvoice, true},
    {"lookbackon", text::cmd_lookbackon, false},
    {"lookbackoff", text::cmd_lookbackoff, false},
    {"textcommit", text::cmd_textcommit, false},
    {"gettext", text::cmd_gettext, false},
    {"lookbackflush", text::cmd_lookbackflush, false},
    // image tags and loading
    {"noloaderror", graphics::cmd_noloaderror, true},
    {"spfont", graphics::cmd_spfont, true},
    {"jpegmode", graphics::cmd_jpegmode, true},
    {"spi", graphics::cmd_spi, true},
    {"transmode", graphics::cmd_transmode, true},
    // archives
    {"zpk", graphics::cmd_zpk, true},
    {"zpkdir", graphics::cmd_zpkdir, true},
    {"arc", graphics::cmd_arc, true},
    // screen layers and sprites
    {"bgalia", graphics::cmd_bgalia, true},
    {"humanz", graphics::cmd_humanz, true},
    {"underline", graphics::cmd_underline, true},
    {"monocro", graphics::cmd_monocro, false},
    {"nega", graphics::cmd_nega, false},
    {"bg", graphics::cmd_bg, false},
    {"ld", graphics::cmd_ld, false},
    {"ofscpy", graphics::cmd_ofscpy, false},
    {"blt", nullptr, false},
    {"tal", graphics::cmd_tal, false},
    {"lsph", graphics::cmd_lsph, false},
    {"lsp", graphics::cmd_lsp, false},
    {"spstr", graphics::cmd_spstr, false},
    {"csp", graphics::cmd_csp, false},
    {"allsphide", graphics::cmd_allsphide, false},
    {"allspresume", graphics::cmd_allspresume, false},
    {"vsp", graphics::cmd_vsp, false},
    {"cell", graphics::cmd_cell, false},
    {"msp", graphics::cmd_msp, false},
    {"amsp", graphics::cmd_amsp, false},
    {"cl", graphics::cmd_cl, false},
    {"repaint", graphics::cmd_repaint, false},
    {"print", graphics::cmd_print, false},
    // transition effects
    {"seteffectspeed", graphics::cmd_seteffectspeed, false},
    {"geteffectspeed", graphics::cmd_geteffectspeed, false},
    {"windoweffect", graphics::cmd_windoweffect, false},
    {"effectblank", graphics::cmd_effectblank, true},
    {"effect", graphics::cmd_effect, true},
    {"effectcut", graphics::cmd_effectcut, true},
    {"quake", graphics::cmd_quake, false},
    {"yugami", graphics::cmd_flushout, false},
    {"flushout", graphics::cmd_flushout, false},
    {"quakex", graphics::cmd_quakex, false},
    {"quakey", graphics::cmd_quakey, false},
    // number and bar displays, picture tools
    {"grptest", graphics::cmd_grptest, false},
    {"bw2a", graphics::cmd_bw2a, false},
    {"bw2a2", graphics::cmd_bw2a2, false},
    {"bmpcut", graphics::cmd_bmpcut, false},
    {"chainbmp", graphics::cmd_chainbmp, false},
    {"convgif", graphics::cmd_convgif, false},
    {"barclear", graphics::cmd_barclear, false},
    {"prnumclear", graphics::cmd_prnumclear, false},
    {"bar", graphics::cmd_bar, false},
    {"prnum", graphics::cmd_prnum, false},
    // selections
    {"selectcolor", nullptr, true},
    {"menuselectcolor", nullptr, true},
    {"selectvoice", nullptr, true},
    {"menuselectvoice", nullptr, true},
    {"menusetwindow", nullptr, true},
    {"select", nullptr, false},
    {"cselgoto", nullptr, false},
    {"csel", nullptr, false},
    {"getcselnum", nullptr, false},
    {"selgosub", nullptr, false},
    {"selnum", nullptr, false},
    {"cselbtn", nullptr, false},
    // buttons
    {"transbtn", nullptr, false},
    {"btnnowindowerase", nullptr, true},
    {"maskbtn", nullptr, false},
    {"btncancel", nullptr, false},
    {"btndef", nullptr, false},
    {"btn", nullptr, false},
    {"spbtn2", nullptr, false},
    {"spbtn", nullptr, false},
    {"cellcheckspbtn", nullptr, false},
    {"existspbtn", nullptr, false},
    {"delbtn", nullptr, false},
    {"exbtn_d", nullptr, false},
    {"btnarea", nullptr, false},
    {"btndown", nullptr, false},
    {"spclclk", nullptr, false},
    {"getpageup", nullptr, false},
    {"getcursor", nullptr, false},
    {"getfunction", nullptr, false},
    {"gettab", nullptr, false},
    {"getenter", nullptr, false},
    {"escoutcursor", nullptr, false},
    {"exbtn", nullptr, false},
    {"isdown", nullptr, false},
    {"btnwait", nullptr, false},
    {"btntime", nullptr, false},
    {"btntimer", nullptr, false},
    {"btntime2", nullptr, false},
    {"btnwait2", nullptr, false},
    {"getbtntimer", nullptr, false},
    {"textbtnwait", nullptr, false},
    {"selectbtnwait", nullptr, false},
    {"tbtnwait", nullptr, false},
    // right-click menu and system calls
    {"rgosub", nullptr, true},
    {"rlookback", nullptr, true},
    {"roff", nullptr, true},
    {"rmenu", nullptr, true},
    {"reset", nullptr, false},
    {"rmode", nullptr, false},
    {"systemcall", nullptr, false},
    // music
    {"mp3fadeout", nullptr, false},
    {"cdfadeout", nullptr, false},
    {"stop", nullptr, false},
    {"mp3", nullptr, false},
    {"bgmonce", nullptr, false},
    {"mp3save", nullptr, false},
    {"bgmsave", nullptr, false},
    {"mp3loop", nullptr, false},
    {"bgm", nullptr, false},
    {"play", nullptr, false},
    {"playonce", nullptr, false},
    {"playstop", nullptr, false},
    // sound effects and voices
    {"mode_wave_demo", nullptr, true},
    {"nodv", nullptr, true},
    {"dsound", nullptr, true},
    {"soundpressplgin", nullptr, true},
    {"wave", nullptr, false},
    {"dwave", nullptr, false},
    {"dwaveload", nullptr, false},
    {"dwaveplay", nullptr, false},
    {"dwaveplayloop", nullptr, false},
    {"dwaveloop", nullptr, false},
    {"dwavestop", nullptr, false},
    {"wavestop", nullptr, false},
    {"waveloop", nullptr, false},
    // volume control
    {"getcdvol", nullptr, false},
    {"setcdvol", nullptr, false},
    {"setcdrestorevol", nullptr, false},
    {"resetcdrestorevol", nullptr, false},
    {"restorecdvol", nullptr, false},
    {"delbgmvol", nullptr, true},
    {"defvoicevol", nullptr, true},
    {"defsevol", nullptr, true},
    {"defmp3vol", nullptr, true},
    {"getvoicevol", nullptr, false},
    {"getsevol", nullptr, false},
    {"chvol", nullptr, false},
    {"voicevol", nullptr, false},
    {"sevol", nullptr, false},
    {"mp3vol", nullptr, false},
    {"voltest", nullptr, false},
    // video
    {"mpegplay", sound::cmd_mpegplay, false},
    {"mpegplay2", sound::cmd_mpegplay2, false},
    {"ie", sound::cmd_ie, false},
    {"avi", sound::cmd_avi, false},
    // save-game files
    {"savetime", nullptr, false},
    {"savenumber", nullptr, true},
    {"savename", nullptr, true},
    {"savegame", nullptr, false},
    {"loadgame", nullptr, false},
    {"savefileexist", nullptr, false},
    {"saveon", nullptr, false},
    {"saveoff", nullptr, false},
    // global variables, read-text record and logs
    {"filelog", nullptr, true},
    {"labellog", nullptr, true},
    {"globalon", nullptr, true},
};

const int kCommandCount = sizeof CommandTable / sizeof CommandTable[0];

namespace {

// Name to first row, built once as two open-addressing tables: one for the
// *define block (every row) and one for the game proper (definition-only
// rows left out, so that their names fall through like any other word).
// A lookup hashes the name once and compares it with a row or two, however
// long the table.
constexpr int kIndexSize = 1024;  // a power of two, well above the row count

uint32_t hash_name(std::string_view name) {
  uint32_t h = 2166136261u;  // FNV-1a
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  return h;
}

struct NameIndex {
  const CommandRow* slot[kIndexSize] = {};
  void add(const CommandRow& row) {
    std::string_view name(row.name);
    for (uint32_t i = hash_name(name);; ++i) {
      const CommandRow*& s = slot[i & (kIndexSize - 1)];
      if (!s) {
        s = &row;
        return;
      }
      if (name == s->name) return;  // listed twice: the first row stays
    }
  }
  const CommandRow* find(std::string_view name) const {
    for (uint32_t i = hash_name(name);; ++i) {
      const CommandRow* s = slot[i & (kIndexSize - 1)];
      if (!s || name == s->name) return s;
    }
  }
};

struct CommandIndex {
  NameIndex define_rows;
  NameIndex game_rows;
  CommandIndex() {
    static_assert(sizeof CommandTable / sizeof CommandTable[0] < kIndexSize / 2);
    for (int i = 0; i < kCommandCount; ++i) {
      const CommandRow& row = CommandTable[i];
      define_rows.add(row);
      if (!row.definition_only) game_rows.add(row);
    }
  }
};

const CommandIndex& command_index() {
  static const CommandIndex index;
  return index;
}

// The script never changes while it runs, so the command that starts at a
// given position always has the same name, the same rows and the same
// position behind its name and blanks. The run loop remembers them per
// position and skips reading and looking up the name the next time round.
// A small direct-mapped table: a collision only costs a fresh lookup.
// Entries belong to one loaded scenario (its generation).
struct CachedCommand {
  int32_t position = -1;
  int32_t after = 0;
  uint32_t generation = 0;
  const CommandRow* row[2] = {};  // game proper, *define block
};
constexpr int kCacheSize = 2048;  // a power of two
CachedCommand command_cache[kCacheSize];

CachedCommand& cache_slot(int32_t position) { return command_cache[(uint32_t(position) * 2654435761u) >> 21]; }
static_assert(kCacheSize == 1 << (32 - 21));

[[noreturn]] void report_not_available(const std::string& name) {
  report_errorf("未対応の命令", "命令\"%s\"はこの版ではまだ使えません。", name.c_str());
}

}  // namespace

const CommandRow* find_command(std::string_view name, int mode) {
  const CommandIndex& index = command_index();
  return mode == 1 ? index.define_rows.find(name) : index.game_rows.find(name);
}

void dispatch_command(const std::string& name) {
  if (rmenu_reset_request) {
    reset_to_start();
    return;
  }
  if (const CommandRow* row = find_command(name, define_mode)) {
    if (!row->handler) report_not_available(name);
    row->handler();
    return;
  }
  // A word that is no command may be a voice shorthand: dv12 or v12 plays
  // voice\12.wav. Sound playback does not exist in this build yet.
  if (name.rfind("dv", 0) == 0 || name.rfind("v", 0) == 0) report_not_available(name);
  report_errorf("構文エラー", "不正な命令\"%s\"です。", name.c_str());
}

namespace {

// Reads the name, remembers what it found for the position and runs it.
__attribute__((noinline)) void dispatch_and_remember(CachedCommand& entry) {
  const int32_t position = ScriptPosition;
  std::string name = read_identifier();
  entry.position = position;
  entry.after = ScriptPosition;
  entry.generation = script::scenario_generation;
  entry.row[0] = find_command(name, 0);
  entry.row[1] = find_command(name, 1);
  dispatch_command(name);
}

}  // namespace

void dispatch_at_position() {
  CachedCommand& entry = cache_slot(ScriptPosition);
  if (entry.position == ScriptPosition && entry.generation == script::scenario_generation) {
    const CommandRow* row = entry.row[define_mode == 1];
    // Rows without a handler and words that are no command take the long
    // way, which reports them.
    if (row && row->handler) {
      ScriptPosition = entry.after;
      if (rmenu_reset_request) {
        reset_to_start();
        return;
      }
      row->handler();
      return;
    }
  }
  dispatch_and_remember(entry);
}

}  // namespace interp
