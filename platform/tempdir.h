// platform/tempdir: the program's private temporary folder.
#pragma once
#include <string>

namespace platform {

// The folder for temporary extracts (archives, sound plug-ins), made on first
// use under $TMPDIR (or /tmp) and private to this process. Ends with '/'.
// Empty when it could not be made; callers then report the file as missing.
const std::string& temp_folder();

// Removes the folder and everything in it (at exit).
void remove_temp_folder();

}  // namespace platform
