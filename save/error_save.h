// save/error_save: the save file written before an error box when `errorsave` is on.
#pragma once

namespace save {

// Writes save slot 999 from the last save-point snapshot. Failures are not
// reported (the program is already ending with an error).
void write_error_save();

}  // namespace save
