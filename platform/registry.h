// platform/registry: the current user's registry hive, emulated by a text file.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// The file that stands in for the hive: registry.ini in the user's
// configuration folder ($XDG_CONFIG_HOME/orvane, or ~/.config/orvane). Each
// section is a key path ("[Software\Maker\Game]"), each entry a value name
// ("InstallDir=/opt/game"). The file is UTF-8.
std::string registry_file_path();

// getreg: the string value `name` under the key path `key`, both Shift-JIS;
// the result is Shift-JIS, at most 255 bytes. A missing file, key or value,
// or a value too long for the 256-byte buffer, gives the empty string.
std::string read_registry_string(std::string_view key, std::string_view name);

}  // namespace platform
