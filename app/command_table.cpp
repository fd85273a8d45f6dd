#include "app/command_table.h"

#include <vector>

#include "app/command_rows.h"
#include "graphics/command_rows.h"
#include "interp/command_rows.h"
#include "save/command_rows.h"
#include "sound/command_rows.h"
#include "sound/video_commands.h"
#include "text/command_rows.h"
#include "ui/command_rows.h"

namespace app {

namespace {

using interp::CommandRow;
using interp::CommandRows;

// Every group in the order of the command list; when a name appears twice
// the first row wins.
const CommandRows groups[] = {
    window_rows,
    menu_rows,
    settings_rows,
    dialog_rows,
    interp::define_rows,
    interp::variable_rows,
    interp::control_flow_rows,
    interp::utility_rows,
    interp::debug_rows,
    text::window_rows,
    text::output_rows,
    text::wait_mode_rows,
    graphics::sprite_wait_rows,
    text::wait_rows,
    text::lookback_rows,
    graphics::image_tag_rows,
    graphics::archive_rows,
    graphics::screen_rows,
    graphics::effect_rows,
    graphics::overlay_rows,
    ui::selection_rows,
    ui::button_rows,
    ui::system_menu_rows,
    sound::music_rows,
    sound::effect_rows,
    sound::volume_rows,
    sound::video_rows,
    save::save_rows,
    save::record_rows,
};

}  // namespace

interp::CommandRows joined_command_table() {
  static const std::vector<CommandRow> table = [] {
    std::vector<CommandRow> rows;
    for (CommandRows group : groups) rows.insert(rows.end(), group.begin(), group.end());
    return rows;
  }();
  return table;
}

}  // namespace app
