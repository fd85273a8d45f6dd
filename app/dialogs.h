// app/dialogs: the version box, mesbox, the CD drive dialog, the save/load dialog shell and the volume dialog.
#pragma once
#include <string>
#include <vector>

namespace app {

// バージョン情報: the two version texts in an information box.
void show_version_box();

// The CD stand-ins of the game folder: each subfolder "cd", "cd1", "cd2" ...
// that holds a track file ("track02.ogg" ...), as "cd\" style root paths
// (Shift-JIS), sorted.
std::vector<std::string> cd_stand_ins();
// ＣＤドライブ選択: デフォルト and the stand-ins; OK stores the choice in
// cd_drive and restarts a playing track on it.
void show_cd_drive_dialog();

enum class SaveLoadMode { save, load };
// The right-click menu's save/load dialog: an empty list; both buttons close.
void show_save_load_dialog(SaveLoadMode mode);

// ボリュームの設定: three sliders for the voice, effect and music
// attenuations, applied as they move.
void show_volume_dialog();

// The debug build's variable editor behind バージョン情報: a variable
// number, then its value, through two number inputs.
void edit_variable_by_number();

void cmd_mesbox();

}  // namespace app
