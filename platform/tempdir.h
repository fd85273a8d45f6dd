// platform/tempdir: the program's private temporary folder.
#pragma once
#include <string>

namespace platform {

// The folder for temporary extracts (archives, sound plug-ins), made on first
// use under $TMPDIR (or /tmp) and private to this process. Ends with '/'.
// Empty when it could not be made; callers then report the file as missing.
const std::string& temp_folder();

// Deletes one file (a temporary copy its user is done with).
void remove_file(const std::string& path);

// Removes the folder and everything in it (at exit).
void remove_temp_folder();

}  // namespace platform
