// graphics/load_error: what loading a picture or copying a file out of an archive failed on, and the error box that
// tells the player.
#pragma once
#include <optional>
#include <string>

namespace graphics {

// The loaders return these instead of showing the box themselves, so that
// they can be used where a failure is not the end of the game; the commands
// turn them into the box with report_load_error.
enum class LoadFault {
  bad_tag,             // the tag's header cannot be read
  bad_colour,          // a colour that is not six hexadecimal digits
  no_sprite_colour,    // a string sprite without a colour
  mask_with_cells,     // a mask tag on a picture of several cells
  cannot_open,         // the file is nowhere, or no loader takes its extension
  missing_in_zpk,      // a jpg or bmp name that the zpk archives lack
  uncompressed_bmp,    // a BMP stored in a zpk archive without compression
  load_failed,         // the file was found but gave no picture
  jpegmode_retry,      // under jpegmode the ".jpg" retry gave nothing either
  archive_unreadable,  // a copy out of the zpk archives could not be made
};

struct LoadError {
  LoadFault fault = LoadFault::load_failed;
  std::string name;  // the file, archive entry or tag the message names (Shift-JIS); empty for the others
};

// Empty when the load succeeded.
using LoadResult = std::optional<LoadError>;

// The error box for the failure. Does not return.
[[noreturn]] void report_load_error(const LoadError& error);

}  // namespace graphics
