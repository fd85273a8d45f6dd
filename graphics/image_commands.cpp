#include "graphics/archive.h"
#include "graphics/commands.h"
#include "graphics/image_tag.h"
#include "graphics/string_sprite.h"
#include "interp/readers.h"

namespace graphics {

void cmd_noloaderror() { loader_settings.no_load_error = true; }

void cmd_jpegmode() { loader_settings.jpegmode = true; }

void cmd_spi() { add_spi_entry(interp::read_string()); }

void cmd_transmode() {
  std::string word = interp::read_identifier();
  if (word == "leftup")
    loader_settings.default_trans_mode = kTransLeftTop;
  else if (word == "copy")
    loader_settings.default_trans_mode = kTransCopy;
  else if (word == "alpha")
    loader_settings.default_trans_mode = kTransAlpha;
}

void cmd_spfont() {
  SpriteFont f;
  f.set = true;
  f.face = interp::read_string();
  interp::expect_comma();
  f.glyph_width = interp::read_number();
  interp::expect_comma();
  f.glyph_height = interp::read_number();
  interp::expect_comma();
  f.spacing_x = interp::read_number();
  interp::expect_comma();
  f.spacing_y = interp::read_number();
  interp::expect_comma();
  f.bold = interp::read_number() != 0;
  interp::expect_comma();
  f.shadow = interp::read_number() != 0;
  sprite_font = f;
}

void cmd_zpk() { archive_settings.zpk_on = true; }

void cmd_zpkdir() {
  std::string dir = interp::read_string();
  if (!dir.empty() && dir.back() == '\\') dir.pop_back();
  archive_settings.zpk_dir = dir;
}

void cmd_arc() { add_arc_entry(interp::read_string()); }

}  // namespace graphics
