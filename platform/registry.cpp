#include "platform/registry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/profile.h"
#include "platform/sjis.h"

namespace platform {

std::string registry_file_path() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  // A relative XDG_CONFIG_HOME is ignored, as the XDG rules say.
  if (xdg && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
      const passwd* pw = getpwuid(getuid());
      home = pw ? pw->pw_dir : nullptr;
    }
    if (!home) return "";
    base = std::string(home) + "/.config";
  }
  return base + "/orvane/registry.ini";
}

std::string read_registry_string(std::string_view key, std::string_view name) {
  std::string path = registry_file_path();
  if (path.empty()) return "";
  // The unnamed (default) value of a key is written "@=..." as the
  // registry's own export files do.
  std::string value_name = name.empty() ? "@" : sjis_to_utf8(name);
  std::string value = utf8_to_sjis(lookup_profile_file(path, sjis_to_utf8(key), value_name, false));
  // A value that does not fit the 256-byte buffer cannot be read.
  return value.size() > kProfileValueMax ? "" : value;
}

}  // namespace platform
